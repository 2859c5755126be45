#pragma once
// Helpers shared by the benchmark programs.

#include <time.h>

namespace kelo::bench {

// This thread's CPU time in seconds: on a shared machine the time other
// processes take would otherwise fall on whichever side was running. (Not
// <chrono>: it holds a literal the Shift_JIS execution charset cannot take.)
inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace kelo::bench

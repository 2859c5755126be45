#pragma once
// Helpers shared by the benchmark programs.

#include "net/JString.h"

#include <string>
#include <string_view>
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

// Shift_JIS page templates as the primary site serves them: ASCII as it is,
// pairs through SjisToEuc.
inline std::string SjisToEucText(std::string_view sjis) {
    std::string euc;
    euc.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sjis[i]);
        if (IsSjisLeadByte(byte) && i + 1 < sjis.size()) {
            unsigned char pair[2];
            SjisToEuc(byte, static_cast<unsigned char>(sjis[++i]), pair);
            euc.append(reinterpret_cast<const char*>(pair), 2);
        } else {
            euc.push_back(static_cast<char>(byte));
        }
    }
    return euc;
}

} // namespace kelo::bench

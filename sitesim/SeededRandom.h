#pragma once
// A small generator with a fixed algorithm, so that one seed gives the same
// site on every machine and library version.

#include <cstdint>
#include <string>
#include <vector>

namespace sitesim {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next();
    // Uniform in [low, high], both included.
    long Between(long low, long high);
    // True with the given chance in percent.
    bool Percent(int chance);
    template <typename T>
    const T& Pick(const std::vector<T>& from) { return from[static_cast<size_t>(Between(0, static_cast<long>(from.size()) - 1))]; }

private:
    std::uint64_t state_;
};

} // namespace sitesim

#include "SeededRandom.h"

namespace sitesim {

// splitmix64: tiny, fast and well mixed even for neighbouring seeds.
std::uint64_t SeededRandom::Next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

long SeededRandom::Between(long low, long high)
{
    if (high <= low)
        return low;
    std::uint64_t span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<long>(Next() % span);
}

bool SeededRandom::Percent(int chance)
{
    return Between(0, 99) < chance;
}

} // namespace sitesim

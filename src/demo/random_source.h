// A small deterministic random source, so a seed gives the same day on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace analysis::demo {

/// splitmix64: tiny, fast and good enough for made-up race data. The standard distributions
/// are avoided on purpose; their results differ between standard libraries.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    /// A whole number in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

    /// True with the given chance in percent.
    bool percent(int chance) { return between(1, 100) <= chance; }

    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[next() % items.size()];
    }

private:
    std::uint64_t state_;
};

} // namespace analysis::demo

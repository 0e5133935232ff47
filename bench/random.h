#pragma once
// The generator's source of numbers: the same numbers from the same seed with every standard library,
// since the engine is fully specified and ranges are cut by remainder rather than by the library's
// distributions.

#include <cstddef>
#include <cstdint>
#include <random>

namespace corvane {

class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_engine(seed) {}
    int between(int low, int high) {
        return low + static_cast<int>(m_engine() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename List> auto pick(const List& list) {
        return list[static_cast<std::size_t>(between(0, static_cast<int>(list.size()) - 1))];
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace corvane

// SPDX-License-Identifier: MIT
#pragma once

// A small random source for the generated maps, fixed by its seed alone:
// splitmix64 with its own range arithmetic, so the same seed gives the same
// map with every standard library (the standard distributions may differ).

#include <cstdint>

class CBenchRandom {
public:
    explicit CBenchRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [0, n), n > 0; the bias of the modulo is far below
    // anything a benchmark map could show.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    // A real number in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // True with probability percent / 100.
    bool Percent(int percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};

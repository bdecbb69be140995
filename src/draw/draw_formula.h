#pragma once

// The draw formula shared by a single draw and draw-all.

#include <cmath>

namespace draw {

// The largest value the random generator gives: 1 - 2^-24.
inline constexpr float largestRandom = 1.0F - (1.0F / 16777216.0F);

// floor(r * n + 1), computed in double. r and n have 24-bit mantissas, so the
// product is exact, and the sum too whenever |n| >= 2^-5: the floor then never
// reaches n + 1, to which a float sum would round up for r close to 1. For a
// smaller |n| the sum may round, but stays within 2^-5 of 1: a positive n
// still gives 1, below n + 1.
[[nodiscard]] inline double value(float r, float n)
{
    return std::floor((static_cast<double>(r) * static_cast<double>(n)) + 1.0);
}

// The extreme value a draw with bound n can give (the other one is 1). Every
// whole number between the two can be drawn: r grows in steps of 2^-24, so
// r * n grows by less than 1 a step.
[[nodiscard]] inline double extremeValue(float n)
{
    return value(largestRandom, n);
}

} // namespace draw

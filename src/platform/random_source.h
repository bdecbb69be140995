#pragma once

// The program's random generator: PCG32 (O'Neill, "PCG: A Family of Simple
// Fast Space-Efficient Statistically Good Algorithms for Random Number
// Generation", XSH-RR variant, 64-bit state, 32-bit output).
//
// - Its start state and stream come from the operating system's entropy
//   source, so no two program starts share a sequence.
// - randomize() folds a 16-bit number into the current state; it never
//   restarts a fixed sequence, so re-seeding with the same number before every
//   draw still lets the draws vary.
// - next() returns a single-precision r with 0 <= r < 1 that is an exact
//   multiple of 2^-24 (the top 24 bits of one output). Every float of that
//   form is exact, so floor(r * N + 1) computed in double never reaches N + 1
//   and is unbiased whenever N divides 2^24.

#include <QtGlobal>

#include <cstdint>

class RandomSource
{
public:
    // A generator with a chosen state and stream, for repeatable runs.
    RandomSource(std::uint64_t state, std::uint64_t stream);

    // A generator seeded from the operating system's entropy source.
    [[nodiscard]] static RandomSource fromEntropy();

    void randomize(qint16 seed);
    [[nodiscard]] float next();
    [[nodiscard]] std::uint32_t nextBits(); // one raw 32-bit output

private:
    std::uint64_t m_state = 0;
    std::uint64_t m_increment = 1; // always odd
};

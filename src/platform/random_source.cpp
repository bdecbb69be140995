#include "random_source.h"

#include <QRandomGenerator>

#include <cmath>

namespace {

constexpr std::uint64_t multiplier = 6364136223846793005ULL;

[[nodiscard]] constexpr std::uint64_t advance(std::uint64_t state, std::uint64_t increment)
{
    return state * multiplier + increment;
}

// Stafford's "Mix13" finaliser as used by SplitMix64: spreads a small seed
// over all 64 bits, so neighbouring seeds disturb the state very differently.
[[nodiscard]] constexpr std::uint64_t splitMix64(std::uint64_t x)
{
    std::uint64_t z = x + 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

} // namespace

// Seeds exactly as the reference pcg32_srandom_r(initstate, initseq), so the
// published test vectors apply.
RandomSource::RandomSource(std::uint64_t state, std::uint64_t stream)
    : m_increment((stream << 1) | 1U)
{
    m_state = advance(m_state, m_increment);
    m_state += state;
    m_state = advance(m_state, m_increment);
}

RandomSource RandomSource::fromEntropy()
{
    QRandomGenerator *entropy = QRandomGenerator::system();
    const std::uint64_t state = entropy->generate64();
    const std::uint64_t stream = entropy->generate64();
    return {state, stream};
}

// The seed's mix is added to the state, followed by one step. Adding rather
// than XOR-ing means nothing cancels when the same seed arrives twice, and the
// step in between makes the second addition land on a different state. The
// mix is kept even, so "randomize(s); next()" repeated forever is itself an
// LCG with the odd increment multiplier * mix + m_increment: by the
// Hull-Dobell theorem it runs through all 2^64 states before repeating, so
// re-seeding with a constant before every draw can never lock into a short
// cycle. The seed never replaces the state, so it cannot restart a sequence.
void RandomSource::randomize(qint16 seed)
{
    const std::uint64_t mix = splitMix64(static_cast<std::uint16_t>(seed)) & ~std::uint64_t(1);
    m_state = advance(m_state + mix, m_increment);
}

std::uint32_t RandomSource::nextBits()
{
    const std::uint64_t old = m_state;
    m_state = advance(old, m_increment);
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<std::uint32_t>(old >> 59U);
    return (xorShifted >> rotation) | (xorShifted << ((0U - rotation) & 31U));
}

float RandomSource::next()
{
    // A float holds every 24-bit integer exactly, and scaling by a power of
    // two is exact too, so r is k * 2^-24 with k < 2^24: never 1.
    return std::ldexp(static_cast<float>(nextBits() >> 8U), -24);
}

#include "random_source.h"

#include <cmath>

RandomSource::RandomSource()
    : m_engine(QRandomGenerator::securelySeeded())
{ }

RandomSource::RandomSource(quint32 seed)
    : m_engine(seed)
{ }

// Skipping outputs only moves further along the engine's one long sequence, so
// a seed, however often repeated, can never send it back to an earlier state.
void RandomSource::randomize(qint16 seed)
{
    m_engine.discard(quint64(quint16(seed)) + 1U);
}

float RandomSource::next()
{
    // A float holds every 24-bit integer exactly, and scaling by a power of
    // two is exact too, so r is k * 2^-24 with k < 2^24: never 1.
    return std::ldexp(static_cast<float>(m_engine.generate() >> 8U), -24);
}

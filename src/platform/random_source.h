#pragma once

// The program's random generator: Qt's QRandomGenerator (a Mersenne twister)
// seeded from the operating system's entropy source, so no two program starts
// share a sequence, even within the same second.
//
// next() returns a single-precision r with 0 <= r < 1 that is an exact
// multiple of 2^-24 (the top 24 bits of one output). Every float of that form
// is exact, so floor(r * N + 1) computed in double never reaches N + 1 and is
// unbiased whenever N divides 2^24.

#include <QRandomGenerator>
#include <QtGlobal>

class RandomSource
{
public:
    // Seeded from the operating system's entropy source.
    RandomSource();
    // A fixed seed gives a repeatable sequence.
    explicit RandomSource(quint32 seed);

    void randomize(qint16 seed);
    [[nodiscard]] float next();

private:
    QRandomGenerator m_engine;
};

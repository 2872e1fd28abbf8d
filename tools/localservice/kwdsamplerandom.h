#pragma once

#include <QByteArray>
#include <QtGlobal>

// A small deterministic random source (splitmix64): the same seed gives the same sample data on
// every machine and Qt version, which QRandomGenerator and qHash do not promise.
class kwdSampleRandom
{
public:
    explicit kwdSampleRandom(quint64 seed);

    // Stable 64-bit hash (FNV-1a) for deriving seeds from names.
    static quint64 hash(const QByteArray& bytes);
    static quint64 mix(quint64 a, quint64 b);

    quint64 next();
    // Inclusive range.
    int range(int low, int high);
    double uniform(double low, double high);
    bool chance(double probability);
    int index(int size) { return range(0, size - 1); }

private:
    quint64 state;
};

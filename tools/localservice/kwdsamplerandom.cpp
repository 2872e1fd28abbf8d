#include "kwdsamplerandom.h"

kwdSampleRandom::kwdSampleRandom(quint64 seed) : state(seed) {}

quint64 kwdSampleRandom::hash(const QByteArray& bytes)
{
    quint64 h = 14695981039346656037ULL;
    for (const char c : bytes) {
        h ^= quint8(c);
        h *= 1099511628211ULL;
    }
    return h;
}

quint64 kwdSampleRandom::mix(quint64 a, quint64 b)
{
    kwdSampleRandom r(a ^ (b * 0x9E3779B97F4A7C15ULL));
    return r.next();
}

quint64 kwdSampleRandom::next()
{
    quint64 z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int kwdSampleRandom::range(int low, int high)
{
    if (high <= low)
        return low;
    const quint64 span = quint64(qint64(high) - qint64(low) + 1);
    return int(qint64(low) + qint64(next() % span));
}

double kwdSampleRandom::uniform(double low, double high)
{
    const double unit = double(next() >> 11) / double(1ULL << 53);
    return low + (high - low) * unit;
}

bool kwdSampleRandom::chance(double probability)
{
    return uniform(0.0, 1.0) < probability;
}

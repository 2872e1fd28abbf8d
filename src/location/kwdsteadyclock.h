#pragma once

#include <QtGlobal>

// Monotonic milliseconds for intervals that must not jump with the wall clock (midnight, time zone,
// user changes). Tests pin or advance it with setMsecs().
class kwdSteadyClock
{
public:
    static qint64 msecs();
    // Pins the clock to a fixed reading until reset().
    static void setMsecs(qint64 value);
    static void reset();
};

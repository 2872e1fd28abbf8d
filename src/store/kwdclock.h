#pragma once

#include <QDateTime>

// The program's notion of "now" for everything that shows ages or polls on a schedule. Normally the
// system clock; tests pin it with setNow() so that age texts and pollers give fixed results.
class kwdClock
{
public:
    static QDateTime now();
    // Pins the clock to a fixed local time until reset().
    static void setNow(const QDateTime& fixed);
    static void reset();
};

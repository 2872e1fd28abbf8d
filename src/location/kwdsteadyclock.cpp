#include "kwdsteadyclock.h"

#include <QElapsedTimer>

namespace {

qint64& pinned()
{
    static qint64 value = -1;
    return value;
}

} // namespace

qint64 kwdSteadyClock::msecs()
{
    if (pinned() >= 0)
        return pinned();
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

void kwdSteadyClock::setMsecs(qint64 value)
{
    pinned() = value;
}

void kwdSteadyClock::reset()
{
    pinned() = -1;
}

#include "kwdclock.h"

namespace {

QDateTime& pinned()
{
    static QDateTime value;
    return value;
}

} // namespace

QDateTime kwdClock::now()
{
    const QDateTime& fixed = pinned();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void kwdClock::setNow(const QDateTime& fixed)
{
    pinned() = fixed;
}

void kwdClock::reset()
{
    pinned() = QDateTime();
}

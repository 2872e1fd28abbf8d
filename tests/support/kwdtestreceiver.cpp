#include "kwdtestreceiver.h"

#include <QBuffer>
#include <QDateTime>

kwdTestReceiver::kwdTestReceiver(PositioningMethods methods, QObject* parent)
    : QNmeaPositionInfoSource(RealTimeMode, parent), offered(methods)
{
    auto* idle = new QBuffer(this);
    idle->open(QIODevice::ReadOnly);
    setDevice(idle);
}

void kwdTestReceiver::fix(const QGeoCoordinate& c, double speed)
{
    QGeoPositionInfo info(c, QDateTime::currentDateTimeUtc());
    if (speed >= 0)
        info.setAttribute(QGeoPositionInfo::GroundSpeed, speed);
    emit positionUpdated(info);
}

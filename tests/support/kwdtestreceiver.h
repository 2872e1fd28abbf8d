#pragma once

#include <QGeoCoordinate>
#include <QNmeaPositionInfoSource>

// An NMEA receiver that offers the positioning methods a test asks for, so that one factory can
// stand for a satellite and a cell receiver; fix() hands it a fix as its parsed update.
class kwdTestReceiver : public QNmeaPositionInfoSource
{
public:
    kwdTestReceiver(PositioningMethods methods, QObject* parent);

    PositioningMethods supportedPositioningMethods() const override { return offered; }
    // speed < 0: the fix carries no ground speed.
    void fix(const QGeoCoordinate& c, double speed = -1);

    PositioningMethods offered;
};

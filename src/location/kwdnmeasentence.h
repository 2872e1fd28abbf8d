#pragma once

#include <QByteArray>

class QDateTime;

// Writes the NMEA sentences a GPS receiver sends for one fix (RMC with ground speed and course,
// GGA with altitude), checksum and line end included. Used by the simulated drive of the local
// service, the tour and the tests.
class kwdNmeaSentence
{
public:
    static QByteArray rmc(const QDateTime& utc, double lat, double lon, double speedMetresPerSecond,
                          double course);
    static QByteArray gga(const QDateTime& utc, double lat, double lon, double altitude);
    // "$" + body + "*" + two hex digits + CR LF.
    static QByteArray withChecksum(const QByteArray& body);
};

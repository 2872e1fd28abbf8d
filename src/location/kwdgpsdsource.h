#pragma once

#include <QNmeaPositionInfoSource>

class kwdGpsdDevice;

// Qt's NMEA source reading a gpsd daemon: owns the gpsd device and reports a daemon that cannot
// be reached as an access error, which the NMEA source alone never would (it just waits).
class kwdGpsdSource : public QNmeaPositionInfoSource
{
    Q_OBJECT
public:
    kwdGpsdSource(const QString& host, quint16 port, QObject* parent = nullptr);

    kwdGpsdDevice* device() const { return gpsd; }

private:
    kwdGpsdDevice* gpsd = nullptr;
};

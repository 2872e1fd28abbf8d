#include "kwdgpsdsource.h"

#include "kwdgpsddevice.h"

kwdGpsdSource::kwdGpsdSource(const QString& host, quint16 port, QObject* parent)
    : QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode, parent)
{
    gpsd = new kwdGpsdDevice(host, port, this);
    connect(gpsd, &kwdGpsdDevice::unreachable, this,
            [this] { setError(QGeoPositionInfoSource::AccessError); });
    setDevice(gpsd);
}

#include "kwdpositionsource.h"

#include "kwdgpsddevice.h"
#include "kwdserviceconfig.h"

#include <QFileInfo>
#include <QGeoPositionInfoSource>
#include <QNmeaPositionInfoSource>
#include <QSettings>
#include <QUrl>

QString kwdPositionSource::configured()
{
    const QString env = qEnvironmentVariable("KWDPERSONAL_POSITION").trimmed();
    if (!env.isEmpty())
        return env;
    const QString path = kwdServiceConfig::defaultPath();
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        QSettings ini(path, QSettings::IniFormat);
        const QString v = ini.value(QStringLiteral("location/source")).toString().trimmed();
        if (!v.isEmpty())
            return v;
    }
    return QStringLiteral("platform");
}

QGeoPositionInfoSource* kwdPositionSource::create(const QString& spec, QObject* parent)
{
    if (spec.isEmpty() || spec == QLatin1String("platform")) {
        // geoclue serves only applications whose desktop id names an installed .desktop file.
        const QVariantMap parameters{{QStringLiteral("desktopId"), QString::fromLatin1(DesktopId)}};
        return QGeoPositionInfoSource::createDefaultSource(parameters, parent);
    }
    if (spec.startsWith(QLatin1String("gpsd://"))) {
        const QUrl url(spec);
        if (url.host().isEmpty())
            return nullptr;
        auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode, parent);
        auto* device = new kwdGpsdDevice(url.host(), quint16(url.port(kwdGpsdDevice::DefaultPort)), source);
        source->setDevice(device);
        return source;
    }
    const QVariantMap parameters{{QStringLiteral("nmea.source"), spec}};
    return QGeoPositionInfoSource::createSource(QStringLiteral("nmea"), parameters, parent);
}

QGeoPositionInfoSource* kwdPositionSource::createConfigured(QObject* parent)
{
    return create(configured(), parent);
}

#include "kwdpositionsource.h"

#include "kwdgpsddevice.h"
#include "kwdgpsdsource.h"
#include "kwdserviceconfig.h"

#include <QDebug>
#include <QFileInfo>
#include <QGeoPositionInfoSource>
#include <QNmeaPositionInfoSource>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

#ifdef KWD_HAVE_SERIALPORT
#include <QSerialPort>
#endif

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

QGeoPositionInfoSource* kwdPositionSource::create(const QString& choice, QObject* parent)
{
    if (choice.isEmpty() || choice == QLatin1String("platform")) {
        // geoclue serves only applications whose desktop id names an installed .desktop file.
        const QVariantMap parameters{{QStringLiteral("desktopId"), QString::fromLatin1(DesktopId)}};
        return QGeoPositionInfoSource::createDefaultSource(parameters, parent);
    }
    if (choice.startsWith(QLatin1String("gpsd://"))) {
        const QUrl url(choice);
        if (url.host().isEmpty())
            return nullptr;
        return new kwdGpsdSource(url.host(), quint16(url.port(kwdGpsdDevice::DefaultPort)), parent);
    }
    // "serial:<port>@<baud>": Qt's plugin reads serial ports at 4800 baud only, so another rate
    // means opening the port ourselves.
    static const QRegularExpression serialRate(QStringLiteral("^serial:(.+)@(\\d+)$"));
    const QRegularExpressionMatch rate = serialRate.match(choice);
    if (rate.hasMatch()) {
#ifdef KWD_HAVE_SERIALPORT
        auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode, parent);
        auto* port = new QSerialPort(rate.captured(1), source);
        port->setBaudRate(rate.captured(2).toInt());
        if (!port->open(QIODevice::ReadOnly)) {
            qWarning() << "cannot open" << rate.captured(1) << port->errorString();
            delete source;
            return nullptr;
        }
        source->setDevice(port);
        return source;
#else
        qWarning() << "serial ports at another rate than 4800 baud need Qt SerialPort";
        return nullptr;
#endif
    }
    const QVariantMap parameters{{QStringLiteral("nmea.source"), choice}};
    return QGeoPositionInfoSource::createSource(QStringLiteral("nmea"), parameters, parent);
}

QGeoPositionInfoSource* kwdPositionSource::createConfigured(QObject* parent)
{
    return create(configured(), parent);
}

#include "kwdpositionsource.h"

#include "kwdgpsddevice.h"
#include "kwdgpsdsource.h"
#include "kwdserviceconfig.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QGeoPositionInfoSource>
#include <QNmeaPositionInfoSource>
#include <QRegularExpression>
#include <QUrl>

#ifdef KWD_HAVE_SERIALPORT
#include <QSerialPort>
#endif

namespace {

// The configured choice and where it was found, before it is judged.
QString rawChoice(QString* origin)
{
    const QString env = qEnvironmentVariable("KWDPERSONAL_POSITION").trimmed();
    if (!env.isEmpty()) {
        *origin = QStringLiteral("KWDPERSONAL_POSITION");
        return env;
    }
    const kwdServiceConfig& config = kwdServiceConfig::instance();
    if (!config.receiver.isEmpty()) {
        *origin = QDir::toNativeSeparators(config.file) + QStringLiteral(": location/source");
        return config.receiver;
    }
    return QString();
}

} // namespace

QString kwdPositionSource::configured()
{
    QString origin;
    const QString choice = rawChoice(&origin);
    return choice.isEmpty() || !problem(choice).isEmpty() ? QStringLiteral("platform") : choice;
}

QString kwdPositionSource::problem(const QString& choice)
{
    if (choice.isEmpty() || choice == QLatin1String("platform"))
        return QString();
    static const QRegularExpression hostPort(QStringLiteral("^[A-Za-z0-9.-]+(:\\d{1,5})?$"));
    if (choice.startsWith(QLatin1String("gpsd://"))) {
        const QUrl url(choice, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty() || !hostPort.match(choice.mid(7)).hasMatch())
            return QStringLiteral("a gpsd address is gpsd://host or gpsd://host:port");
        return QString();
    }
    if (choice.startsWith(QLatin1String("socket://"))) {
        const QUrl url(choice, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty() || url.port() <= 0 ||
            !hostPort.match(choice.mid(9)).hasMatch())
            return QStringLiteral("an NMEA socket is socket://host:port");
        return QString();
    }
    if (choice.startsWith(QLatin1String("serial:"))) {
        static const QRegularExpression serial(QStringLiteral("^serial:([^@]+)(@\\d+)?$"));
        return serial.match(choice).hasMatch()
                   ? QString()
                   : QStringLiteral("a serial receiver is serial:DEVICE or serial:DEVICE@BAUD");
    }
    const QString path = choice.startsWith(QLatin1String("file:")) ? QUrl(choice).toLocalFile() : choice;
    // A log file, or a pipe or device that streams sentences.
    const QFileInfo log(path);
    if (!log.exists() || log.isDir())
        return QStringLiteral("neither platform, gpsd://, socket://, serial: nor an NMEA log that exists");
    return QString();
}

QString kwdPositionSource::checkConfigured()
{
    QString origin;
    const QString choice = rawChoice(&origin);
    const QString why = problem(choice);
    if (why.isEmpty())
        return QString();
    return QStringLiteral("%1 \"%2\": %3; using \"platform\"").arg(origin, choice, why);
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

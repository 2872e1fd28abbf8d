// kwd-localservice: the local stand-in for the listing service, the statistics host and the
// geocoder. Clients use it as their HTTP proxy; see README.md next to this file.

#include "kwdfaultplan.h"
#include "kwdhttpfront.h"
#include "kwdhttprequest.h"
#include "kwdnmeaserver.h"
#include "kwdrequestlog.h"
#include "kwdsampleworld.h"
#include "kwdserviceconfig.h"
#include "kwdservicerouter.h"
#include "kwdstore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kwd-localservice"));

    QCommandLineParser cli;
    cli.setApplicationDescription(
        QStringLiteral("Local stand-in for the kwd listing service (use it as HTTP proxy)."));
    cli.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port on 127.0.0.1 (0: any free)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of the sample data."),
                                        QStringLiteral("N"), QStringLiteral("20110114"));
    const QCommandLineOption nowOption(
        QStringLiteral("now"),
        QStringLiteral("Reference time of the data, yyyy-MM-ddThh:mm:ss (default: now)."),
        QStringLiteral("time"));
    const QCommandLineOption freshOption(QStringLiteral("fresh-interval"),
                                         QStringLiteral("Seconds between new listings per city (0: none)."),
                                         QStringLiteral("S"), QStringLiteral("300"));
    const QCommandLineOption cityListOption(QStringLiteral("citylist"), QStringLiteral("City list document."),
                                            QStringLiteral("file"));
    const QCommandLineOption maxBodyOption(QStringLiteral("max-body"),
                                           QStringLiteral("Largest request body accepted, in bytes."),
                                           QStringLiteral("bytes"), QString::number(4 * 1024 * 1024));
    const QCommandLineOption nmeaPortOption(
        QStringLiteral("nmea-port"),
        QStringLiteral("Port on 127.0.0.1 of the simulated drive's NMEA (0: any free)."), QStringLiteral("N"),
        QStringLiteral("0"));
    const QCommandLineOption nmeaIntervalOption(
        QStringLiteral("nmea-interval"), QStringLiteral("Milliseconds between two fixes of the drive."),
        QStringLiteral("ms"), QStringLiteral("1000"));
    cli.addOptions({portOption, seedOption, nowOption, freshOption, cityListOption, maxBodyOption,
                    nmeaPortOption, nmeaIntervalOption});
    cli.process(app);

    bool ok = false;
    const int port = cli.value(portOption).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
        std::fprintf(stderr, "bad --port\n");
        return 2;
    }
    const quint64 seed = cli.value(seedOption).toULongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "bad --seed\n");
        return 2;
    }
    QDateTime reference = QDateTime::currentDateTime();
    if (cli.isSet(nowOption)) {
        reference = QDateTime::fromString(cli.value(nowOption), Qt::ISODate);
        if (!reference.isValid()) {
            std::fprintf(stderr, "bad --now\n");
            return 2;
        }
    }
    reference.setTime(QTime(reference.time().hour(), reference.time().minute(), reference.time().second()));

    kwdSampleWorld world(seed, reference);
    world.setFreshInterval(cli.value(freshOption).toInt());
    const QString cityList = cli.isSet(cityListOption) ? cli.value(cityListOption)
                                                       : kwdStore::appFile(QStringLiteral("citylist.xml"));
    if (!world.loadCityList(cityList))
        std::fprintf(stderr, "warning: cannot read %s; serving the ten large cities only\n",
                     qPrintable(cityList));

    const kwdServiceConfig& config = kwdServiceConfig::instance();
    kwdRequestLog log;
    kwdFaultPlan faults;
    kwdServiceRouter router(&world, &log, &faults, config);
    kwdHttpFront front([&router](const kwdHttpRequest& r) { return router.handle(r); }, &faults, &log);
    front.setBypassHost(router.controlHost());
    front.setMaxBody(cli.value(maxBodyOption).toLongLong());
    if (!front.listen(quint16(port))) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%d: %s\n", port, qPrintable(front.errorString()));
        return 1;
    }
    const int nmeaPort = cli.value(nmeaPortOption).toInt(&ok);
    if (!ok || nmeaPort < 0 || nmeaPort > 65535) {
        std::fprintf(stderr, "bad --nmea-port\n");
        return 2;
    }
    kwdNmeaServer nmea(cli.value(nmeaIntervalOption).toInt());
    if (!nmea.listen(QHostAddress::LocalHost, quint16(nmeaPort))) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%d: %s\n", nmeaPort, qPrintable(nmea.errorString()));
        return 1;
    }
    router.setDrive(&nmea);
    std::printf("listening on 127.0.0.1:%u\n", unsigned(front.port()));
    std::printf("nmea on 127.0.0.1:%u\n", unsigned(nmea.serverPort()));
    std::printf("listing domain %s, statistics %s:8081, geocoder %s, control %s, seed %llu\n",
                qPrintable(config.listingDomain), qPrintable(config.statisticsHost),
                qPrintable(config.geocoderHost), qPrintable(router.controlHost()),
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    return app.exec();
}

#include "kwdpositionsource.h"
#include "kwdserviceconfig.h"
#include "kwdstartup.h"
#include "kwdstartupprefetch.h"
#include "kwdupdateinfo.h"
#include "mainwindow.h"

#include <QApplication>
#include <QTextStream>

#include <cstring>

namespace {

// A configuration that cannot be used is said once, on standard error, before anything else.
void reportConfiguration()
{
    QStringList problems = kwdServiceConfig::instance().problems;
    const QString receiver = kwdPositionSource::checkConfigured();
    if (!receiver.isEmpty())
        problems << receiver;
    QTextStream err(stderr);
    for (const QString& line : problems)
        err << "kwdpersonal: " << line << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application object: they need no display.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            QTextStream(stdout) << "kwdpersonal " << kwdUpdateInfo::ownVersion() << '\n';
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            QTextStream(stdout)
                << "Usage: kwdpersonal [option]\n"
                   "A desktop client of a city's real-estate listings: homes for sale and for lease,\n"
                   "housing areas, favourites, search around you, a GPS price guide, new-listing push.\n\n"
                   "Options:\n"
                   "  -h, --help     show this help and exit\n"
                   "  -v, --version  show the version and exit\n"
                   "  --self-check   report where the city list, skin and catalogue are found, and exit\n\n"
                   "Environment:\n"
                   "  KWDPERSONAL_CONF      the deployment configuration file (service hosts, receiver)\n"
                   "  KWDPERSONAL_POSITION  the position receiver: platform, gpsd://host[:port],\n"
                   "                        socket://host:port, serial:DEVICE[@BAUD] or an NMEA log\n"
                   "  QT_LOGGING_RULES      \"kwd.*.debug=true\" prints the program's diagnostics\n";
            return 0;
        }
    }
    // Fonts are configured on another core while the application object is set up.
    kwdStartupPrefetch prefetch;
    QApplication app(argc, argv);
    // The default file lies next to the program, which only the application object can tell.
    reportConfiguration();
    if (app.arguments().contains(QStringLiteral("--self-check"))) {
        QTextStream out(stdout);
        return kwdStartup::selfCheck(&app, out);
    }
    MainWindow* window = kwdStartup::start(&app, &prefetch);
    const int code = app.exec();
    delete window;
    return code;
}

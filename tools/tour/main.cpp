// kwd-tour <outdir>: starts the program as a user would (offscreen), walks through a search against
// the local service and writes one PNG of the window per step into <outdir>. Uses the proxy in
// http_proxy when set, else starts kwd-localservice from its own directory. Exits non-zero when a
// step does not reach its page.

#include "kwdnmeasentence.h"
#include "kwdstartup.h"
#include "kwdtour.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Starts the local service next to this program; its address, or empty on failure. `drive` gets
// the address of its simulated drive.
QString startService(QProcess& process, const QString& dir, QString* drive)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Fixes five times a second, so that a fast-forwarded drive reaches the program at once.
    process.start(dir + QStringLiteral("/kwd-localservice"),
                  {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--nmea-interval"),
                   QStringLiteral("200")});
    if (!process.waitForStarted(5000))
        return QString();
    static const QRegularExpression listening(
        QStringLiteral("listening on ([0-9.]+:[0-9]+)\\s+nmea on ([0-9.]+:[0-9]+)"));
    QByteArray out;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(200);
        out += process.readAll();
        const QRegularExpressionMatch m = listening.match(QString::fromUtf8(out));
        if (m.hasMatch()) {
            *drive = m.captured(2);
            return m.captured(1);
        }
    }
    std::fprintf(stderr, "%s", out.constData());
    return QString();
}

// The offscreen platform warns about every top-level window it cannot size for a window manager;
// the tour's output should show only its own steps.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("propagateSizeHints")) || text.startsWith(QLatin1String("IMEI:")) ||
        text.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    qt_message_output(type == QtFatalMsg ? type : QtWarningMsg, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietMessages);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kwd-tour <outdir>\n");
        return 2;
    }
    // A fresh home: the tour starts from an empty store every time.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/.cache")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QProcess service;
    // The guide follows the service's simulated drive: the one this program starts, else the one
    // the position is taken from.
    QString drive;
    const QString position = qEnvironmentVariable("KWDPERSONAL_POSITION");
    if (position.startsWith(QLatin1String("socket://")))
        drive = position.mid(int(qstrlen("socket://")));
    if (qEnvironmentVariableIsEmpty("http_proxy")) {
        // The program's directory is known only once the application exists; argv[0] tells it first.
        const QString self = QString::fromLocal8Bit(argv[0]);
        const QString dir =
            self.contains(QLatin1Char('/')) ? self.section(QLatin1Char('/'), 0, -2) : QStringLiteral(".");
        const QString address = startService(service, dir, &drive);
        if (address.isEmpty()) {
            std::fprintf(stderr, "kwd-tour: the local service did not start\n");
            return 1;
        }
        qputenv("http_proxy", QStringLiteral("http://%1").arg(address).toUtf8());
        qputenv("no_proxy", "");
    }

    // The around-me page follows a fixed spot in Beijing's Dongcheng district: a replayed receiver log
    // that has no fix for its first seconds, then holds still.
    if (qEnvironmentVariableIsEmpty("KWDPERSONAL_POSITION")) {
        const QString log = home.filePath(QStringLiteral("tour.nmea"));
        QFile file(log);
        if (file.open(QIODevice::WriteOnly)) {
            const QDateTime t0(QDate(2026, 12, 7), QTime(8, 0, 0), Qt::UTC);
            file.write(kwdNmeaSentence::withChecksum("GPRMC,080000.00,V,,,,,,,071226,,,N"));
            for (int i = 2; i < 6; ++i)
                file.write(kwdNmeaSentence::rmc(t0.addSecs(i), 39.9024, 116.4109, 0.0, 0.0) +
                           kwdNmeaSentence::gga(t0.addSecs(i), 39.9024, 116.4109, 45.0));
            file.close();
            qputenv("KWDPERSONAL_POSITION", log.toLocal8Bit());
        }
    }
    // A tour started by a test must still find Qt's NMEA receiver, which hides from test processes.
    qunsetenv("QT_QTESTLIB_RUNNING");

    QApplication app(argc, argv);
    MainWindow* window = kwdStartup::start(&app);
    int result = 0;
    {
        kwdTour tour(window, QString::fromLocal8Bit(argv[1]), drive);
        result = tour.run() ? 0 : 1;
        std::printf("kwd-tour: %d pictures in %s\n", int(tour.shots().size()), argv[1]);
    }
    delete window;
    if (service.state() != QProcess::NotRunning) {
        service.terminate();
        service.waitForFinished(3000);
    }
    return result;
}

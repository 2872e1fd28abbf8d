// Start-up time: from process start to the first painted main window, offscreen, for this program's
// real start-up path and for two bare Qt widgets programs (an empty QWidget, and one with a text
// button, which pays for the font set-up that any program showing text pays), and the ratios.
//
//   bench_startup [runs]          measures every mode (default 9 runs each), prints medians and ratios
//   bench_startup --child <mode>  one start in mode app, bare or text (used by the parent)
//
// The parent stamps the monotonic clock into the child's environment just before starting it; the
// child prints the time elapsed at its first paint, so process creation, loading and start-up count,
// tear-down does not.

#include "kwdbench.h"
#include "kwdstartup.h"
#include "kwdstartupprefetch.h"
#include "mainwindow.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Prints the time since the parent's stamp at the watched window's first paint and ends the child.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!done && event->type() == QEvent::Paint && watched->isWidgetType()) {
            done = true;
            const qint64 start = qEnvironmentVariable("KWD_BENCH_T0").toLongLong();
            std::printf("%.3f\n", (monotonicNs() - start) / 1e6);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
    bool done = false;
};

int runChild(int argc, char** argv, const QByteArray& mode)
{
    // As main() does: the program's fonts start loading before the application object exists.
    std::unique_ptr<kwdStartupPrefetch> prefetch;
    if (mode == "app")
        prefetch = std::make_unique<kwdStartupPrefetch>();
    QApplication application(argc, argv);
    FirstPaint watcher;
    if (mode == "app") {
        MainWindow* window = kwdStartup::start(&application, prefetch.get());
        window->installEventFilter(&watcher);
        window->update();
        const int code = application.exec();
        delete window;
        return code;
    }
    QWidget window;
    window.resize(360, 640);
    if (mode == "text")
        (new QPushButton(QStringLiteral("Text"), &window))->move(10, 10);
    window.installEventFilter(&watcher);
    window.show();
    return application.exec();
}

// Milliseconds from process start to the child's first paint; negative when the run failed.
double timeChild(const QString& mode, QProcessEnvironment env)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    env.insert(QStringLiteral("KWD_BENCH_T0"), QString::number(monotonicNs()));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    bool ok = false;
    const double ms = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, QByteArray(argv[2]));

    QCoreApplication application(argc, argv);
    const int runs = argc >= 2 ? qMax(1, atoi(argv[1])) : 9;
    // The program's own files go to a private home; the first run fills it, later runs are warm.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("http_proxy"));

    QTextStream out(stdout);
    // The shared home is populated by its first start; every first start gets an empty home of its own.
    timeChild(QStringLiteral("app"), env);
    QList<double> app, first, bare, text;
    // Interleaved, so that load from other processes touches every mode alike.
    for (int i = 0; i < runs; ++i) {
        bare << timeChild(QStringLiteral("bare"), env);
        text << timeChild(QStringLiteral("text"), env);
        app << timeChild(QStringLiteral("app"), env);
        QTemporaryDir empty;
        QProcessEnvironment fresh = env;
        fresh.insert(QStringLiteral("HOME"), empty.path());
        fresh.insert(QStringLiteral("XDG_CONFIG_HOME"), empty.path() + QStringLiteral("/.config"));
        first << timeChild(QStringLiteral("app"), fresh);
    }
    const double firstApp = kwdBench::median(first);
    if (app.contains(-1) || bare.contains(-1) || text.contains(-1) || first.contains(-1)) {
        out << "a child run failed\n";
        return 1;
    }
    const double a = kwdBench::median(app);
    const double b = kwdBench::median(bare);
    const double t = kwdBench::median(text);
    out << QStringLiteral("process start to first painted window, offscreen, median of %1 runs\n").arg(runs);
    out << QStringLiteral("  kwdpersonal, first start (empty home): %1 ms\n").arg(firstApp, 0, 'f', 1);
    out << QStringLiteral("  kwdpersonal:                           %1 ms\n").arg(a, 0, 'f', 1);
    out << QStringLiteral("  bare QWidget:                          %1 ms\n").arg(b, 0, 'f', 1);
    out << QStringLiteral("  bare QWidget with a text button:       %1 ms\n").arg(t, 0, 'f', 1);
    out << QStringLiteral("ratio to bare QWidget: %1 (goal <= 2)\n").arg(a / b, 0, 'f', 2);
    out << QStringLiteral("first start's ratio to bare QWidget: %1 (goal <= 2)\n")
               .arg(firstApp / b, 0, 'f', 2);
    out << QStringLiteral("ratio to bare QWidget with text: %1\n").arg(a / t, 0, 'f', 2);
    return 0;
}

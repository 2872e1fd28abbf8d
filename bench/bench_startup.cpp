// Start-up time: from process start to the first painted main window, offscreen, for this program's
// real start-up path and for a bare Qt widgets program, and their ratio.
//
//   bench_startup [runs]        measures both (default 7 runs each) and prints medians and the ratio
//   bench_startup --child app   one start of the program (used by the parent)
//   bench_startup --child bare  one start of a bare QWidget program (used by the parent)

#include "kwdstartup.h"
#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Ends the child as soon as the watched window has painted once.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            // Let this paint finish, then leave.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

int runChild(int argc, char** argv, bool app)
{
    QApplication application(argc, argv);
    FirstPaint watcher;
    if (app) {
        MainWindow* window = kwdStartup::start(&application);
        window->installEventFilter(&watcher);
        window->update();
        const int code = application.exec();
        delete window;
        return code;
    }
    QWidget window;
    window.resize(360, 640);
    window.installEventFilter(&watcher);
    window.show();
    return application.exec();
}

// Wall time of one child run, from process start to its exit after the first paint, in ms.
double timeChild(const QString& mode, const QProcessEnvironment& env)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, qstrcmp(argv[2], "app") == 0);

    QCoreApplication application(argc, argv);
    const int runs = argc >= 2 ? qMax(1, atoi(argv[1])) : 7;
    // The program's own files go to a private home; the second and later runs are warm starts.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("http_proxy"));

    QTextStream out(stdout);
    const double firstApp = timeChild(QStringLiteral("app"), env);
    QList<double> app, bare;
    for (int i = 0; i < runs; ++i) {
        bare << timeChild(QStringLiteral("bare"), env);
        app << timeChild(QStringLiteral("app"), env);
    }
    if (app.contains(-1) || bare.contains(-1) || firstApp < 0) {
        out << "a child run failed\n";
        return 1;
    }
    const double a = median(app);
    const double b = median(bare);
    out << QStringLiteral("first start (empty home):   %1 ms\n").arg(firstApp, 0, 'f', 1);
    out << QStringLiteral("kwdpersonal, median of %1: %2 ms\n").arg(runs).arg(a, 0, 'f', 1);
    out << QStringLiteral("bare QWidget, median of %1: %2 ms\n").arg(runs).arg(b, 0, 'f', 1);
    out << QStringLiteral("ratio: %1 (goal <= 2)\n").arg(a / b, 0, 'f', 2);
    return 0;
}

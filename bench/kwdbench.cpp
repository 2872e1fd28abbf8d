#include "kwdbench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>

#include <unistd.h>

void kwdBench::useHome(const QTemporaryDir& home)
{
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

double kwdBench::median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

QString kwdBench::startService(QProcess& process)
{
    if (!qEnvironmentVariableIsEmpty("http_proxy")) {
        const QUrl proxy(qEnvironmentVariable("http_proxy"));
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host(), quint16(proxy.port(80))));
        return QString();
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kwd-localservice"),
                  {QStringLiteral("--port"), QStringLiteral("0")});
    if (!process.waitForStarted(5000))
        return QStringLiteral("kwd-localservice did not start");
    static const QRegularExpression listening(QStringLiteral("listening on ([0-9.]+):([0-9]+)"));
    QByteArray out;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        process.waitForReadyRead(200);
        out += process.readAll();
        const QRegularExpressionMatch m = listening.match(QString::fromUtf8(out));
        if (m.hasMatch()) {
            QNetworkProxy::setApplicationProxy(
                QNetworkProxy(QNetworkProxy::HttpProxy, m.captured(1), quint16(m.captured(2).toUInt())));
            return QString();
        }
    }
    return QStringLiteral("kwd-localservice did not report its port: ") + QString::fromUtf8(out);
}

bool kwdBench::waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
        // The program's event loop deletes what deleteLater() gave it; events run here, outside any
        // loop, would keep those objects to the end.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

long kwdBench::residentKb()
{
    // statm: size and resident set, in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

#include "kwdtinyproxy.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

kwdTinyProxy::kwdTinyProxy() = default;

kwdTinyProxy::~kwdTinyProxy()
{
    stop();
}

QString kwdTinyProxy::program()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"));
    if (!onPath.isEmpty())
        return onPath;
    return QStandardPaths::findExecutable(QStringLiteral("tinyproxy"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")});
}

bool kwdTinyProxy::start(quint16 upstreamPort)
{
    stop();
    if (!port_) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) {
            error = QStringLiteral("no free port");
            return false;
        }
        port_ = probe.serverPort();
    }
    const QString conf = dir.filePath(QStringLiteral("tinyproxy.conf"));
    QFile file(conf);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = file.errorString();
        return false;
    }
    // Via headers off: the requests reach the service as the program sent them.
    file.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nMaxClients 50\nAllow 127.0.0.1\n"
                              "Upstream http 127.0.0.1:%2\nDisableViaHeader Yes\nLogLevel Info\n"
                              "LogFile \"%3\"\n")
                   .arg(port_)
                   .arg(upstreamPort)
                   .arg(dir.filePath(QStringLiteral("tinyproxy.log")))
                   .toUtf8());
    file.close();
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program(), {QStringLiteral("-d"), QStringLiteral("-c"), conf});
    if (!process.waitForStarted(10000)) {
        error = QStringLiteral("cannot start tinyproxy: ") + process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && process.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port_);
        if (socket.waitForConnected(200))
            return true;
        QThread::msleep(20);
    }
    error = QStringLiteral("tinyproxy did not listen: ") + QString::fromLocal8Bit(process.readAll());
    return false;
}

void kwdTinyProxy::stop()
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

#include "kwdgpsddevice.h"

#include <QTcpSocket>
#include <QTimer>

kwdGpsdDevice::kwdGpsdDevice(const QString& h, quint16 p, QObject* parent)
    : QIODevice(parent), host(h), port(p ? p : DefaultPort)
{
    socket = new QTcpSocket(this);
    retry = new QTimer(this);
    retry->setSingleShot(true);
    connect(socket, &QTcpSocket::connected, this, &kwdGpsdDevice::onConnected);
    connect(socket, &QTcpSocket::readyRead, this, &kwdGpsdDevice::onSocketData);
    connect(socket, &QTcpSocket::disconnected, this, &kwdGpsdDevice::onDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, [this] {
        if (isOpen() && socket->state() == QAbstractSocket::UnconnectedState && !retry->isActive()) {
            retry->start(retryInterval);
            emit unreachable();
        }
    });
    connect(retry, &QTimer::timeout, this, [this] {
        if (isOpen() && socket->state() == QAbstractSocket::UnconnectedState)
            socket->connectToHost(host, port);
    });
}

QByteArray kwdGpsdDevice::watchCommand()
{
    return QByteArrayLiteral("?WATCH={\"enable\":true,\"nmea\":true}\n");
}

bool kwdGpsdDevice::open(OpenMode mode)
{
    if (!QIODevice::open(mode | QIODevice::ReadOnly))
        return false;
    socket->connectToHost(host, port);
    return true;
}

void kwdGpsdDevice::close()
{
    retry->stop();
    socket->abort();
    partial.clear();
    sentences.clear();
    QIODevice::close();
}

qint64 kwdGpsdDevice::bytesAvailable() const
{
    return sentences.size() + QIODevice::bytesAvailable();
}

bool kwdGpsdDevice::canReadLine() const
{
    return sentences.contains('\n') || QIODevice::canReadLine();
}

qint64 kwdGpsdDevice::readData(char* data, qint64 maxSize)
{
    const qint64 n = qMin<qint64>(maxSize, sentences.size());
    memcpy(data, sentences.constData(), size_t(n));
    sentences.remove(0, int(n));
    return n;
}

qint64 kwdGpsdDevice::writeData(const char*, qint64)
{
    return -1;
}

void kwdGpsdDevice::onConnected()
{
    partial.clear();
    socket->write(watchCommand());
}

void kwdGpsdDevice::onSocketData()
{
    take(socket->readAll());
}

void kwdGpsdDevice::take(const QByteArray& bytes)
{
    partial += bytes;
    bool added = false;
    int end;
    while ((end = partial.indexOf('\n')) >= 0) {
        QByteArray line = partial.left(end).trimmed();
        partial.remove(0, end + 1);
        if (line.startsWith('$')) {
            sentences += line + "\r\n";
            added = true;
        }
    }
    // A line without its end for this long is not NMEA; do not let it grow without bound.
    if (partial.size() > 64 * 1024)
        partial.clear();
    if (added)
        emit readyRead();
}

void kwdGpsdDevice::onDisconnected()
{
    if (isOpen())
        retry->start(retryInterval);
}

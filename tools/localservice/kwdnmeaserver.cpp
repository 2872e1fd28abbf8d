#include "kwdnmeaserver.h"

#include "kwdnmeasentence.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTimer>

kwdNmeaServer::kwdNmeaServer(int intervalMs, QObject* parent) : QTcpServer(parent)
{
    clock.start();
    stampClock.start();
    startedUtc = QDateTime::currentDateTimeUtc();
    timer = new QTimer(this);
    timer->setInterval(qMax(10, intervalMs));
    connect(timer, &QTimer::timeout, this, &kwdNmeaServer::sendFix);
    connect(this, &QTcpServer::newConnection, this, &kwdNmeaServer::onNewConnection);
    timer->start();
}

double kwdNmeaServer::driveSeconds() const
{
    return driven + clock.elapsed() / 1000.0 * driveRate;
}

void kwdNmeaServer::advance(double seconds)
{
    if (!(seconds > 0))
        return;
    driven += seconds;
    skippedMs += qint64(seconds * 1000);
    sendFix();
}

void kwdNmeaServer::setRate(double rate)
{
    driven = driveSeconds();
    clock.restart();
    driveRate = qMax(0.0, rate);
}

QByteArray kwdNmeaServer::sentences() const
{
    const kwdNmeaDrive::Fix fix = currentFix();
    const QDateTime now = startedUtc.addMSecs(stampClock.elapsed() + skippedMs);
    return kwdNmeaSentence::rmc(now, fix.latitude, fix.longitude, fix.speed, fix.course) +
           kwdNmeaSentence::gga(now, fix.latitude, fix.longitude, 45.0);
}

void kwdNmeaServer::onNewConnection()
{
    while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // What clients send (a gpsd-style watch command, for instance) needs no answer.
        connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
        clients.append(socket);
        socket->write(sentences());
    }
}

void kwdNmeaServer::sendFix()
{
    clients.removeAll(nullptr);
    if (clients.isEmpty())
        return;
    const QByteArray data = sentences();
    for (const QPointer<QTcpSocket>& c : clients) {
        if (c && c->state() == QAbstractSocket::ConnectedState)
            c->write(data);
    }
}

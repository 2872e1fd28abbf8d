#include "kwdnmeaserver.h"

#include "kwdnmeasentence.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTimer>

kwdNmeaServer::kwdNmeaServer(int intervalMs, QObject* parent) : QTcpServer(parent)
{
    clock.start();
    timer = new QTimer(this);
    timer->setInterval(qMax(10, intervalMs));
    connect(timer, &QTimer::timeout, this, &kwdNmeaServer::sendFix);
    connect(this, &QTcpServer::newConnection, this, &kwdNmeaServer::onNewConnection);
    timer->start();
}

QByteArray kwdNmeaServer::sentences() const
{
    const kwdNmeaDrive::Fix fix = drive.at(clock.elapsed() / 1000.0);
    const QDateTime now = QDateTime::currentDateTimeUtc();
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

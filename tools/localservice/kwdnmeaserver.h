#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QTcpServer>

#include "kwdnmeadrive.h"

class QTcpSocket;
class QTimer;

// Serves the simulated drive as a GPS receiver on a TCP port would: RMC and GGA sentences of the
// current fix to every connected client, once per interval (and at once to a new client).
class kwdNmeaServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit kwdNmeaServer(int intervalMs = 1000, QObject* parent = nullptr);

    kwdNmeaDrive drive;

private:
    void onNewConnection();
    void sendFix();
    QByteArray sentences() const;

    QTimer* timer = nullptr;
    QElapsedTimer clock;
    QList<QPointer<QTcpSocket>> clients;
};

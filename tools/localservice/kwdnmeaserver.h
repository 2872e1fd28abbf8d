#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QTcpServer>

#include "kwdnmeadrive.h"

class QTcpSocket;
class QTimer;

// Serves the simulated drive as a GPS receiver on a TCP port would: RMC and GGA sentences of the
// current fix to every connected client, once per interval (and at once to a new client). The
// drive has a clock of its own that tests and the tour can run faster, stop or fast-forward.
// Owns its clients' list and the drive's clock.
class kwdNmeaServer : public QTcpServer
{
    Q_OBJECT
public:
    explicit kwdNmeaServer(int intervalMs = 1000, QObject* parent = nullptr);

    // Seconds the car has driven.
    double driveSeconds() const;
    // Moves the car `seconds` further along at once and sends the new fix to every client.
    void advance(double seconds);
    // Drive seconds per real second from now on (0 stops the clock, the car keeps its place and its speed
    // reading; 1 is real time).
    void setRate(double rate);
    double rate() const { return driveRate; }
    kwdNmeaDrive::Fix currentFix() const { return drive.at(driveSeconds()); }

    kwdNmeaDrive drive;

private:
    void onNewConnection();
    void sendFix();
    QByteArray sentences() const;

    QTimer* timer = nullptr;
    QElapsedTimer clock; // real time since the last change of rate
    double driven = 0;   // drive seconds before that change
    double driveRate = 1;
    // Fix times follow the real clock plus every fast-forward, so they never repeat or go back
    // even while the clock stands still, and a receiver takes every fix as a new one.
    QElapsedTimer stampClock;
    qint64 skippedMs = 0;
    QDateTime startedUtc;
    QList<QPointer<QTcpSocket>> clients;
};

#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

class QTcpSocket;
class QTimer;

// The NMEA stream of a gpsd daemon as a readable device for QNmeaPositionInfoSource: connects,
// asks gpsd to watch with NMEA output (it sends none unprompted), and passes on only the NMEA
// sentences of what arrives (gpsd's own JSON reports are dropped). Reconnects after a lost
// connection. Owns its socket.
class kwdGpsdDevice : public QIODevice
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 2947;

    kwdGpsdDevice(const QString& host, quint16 port, QObject* parent = nullptr);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;

    // Milliseconds between reconnection attempts.
    int retryInterval = 5000;
    QString host;
    quint16 port;

    // The command that starts gpsd's NMEA output.
    static QByteArray watchCommand();
    // Takes bytes as they came from the daemon, in pieces of any size: keeps the NMEA sentences for
    // the reader and drops the daemon's own reports.
    void take(const QByteArray& bytes);

signals:
    // The daemon could not be reached (refused, unknown host, lost); retries go on.
    void unreachable();

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void onConnected();
    void onSocketData();
    void onDisconnected();

    QTcpSocket* socket = nullptr;
    QTimer* retry = nullptr;
    QByteArray partial;
    QByteArray sentences;
};

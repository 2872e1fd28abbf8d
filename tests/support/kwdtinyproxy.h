#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's tinyproxy on a free loopback port in front of an upstream HTTP proxy (our local service),
// for tests of the program behind a real proxy. Owns the daemon and its configuration; stop() and
// start() again keep the port, as a proxy restarted by its administrator does.
class kwdTinyProxy
{
public:
    kwdTinyProxy();
    ~kwdTinyProxy();
    kwdTinyProxy(const kwdTinyProxy&) = delete;
    kwdTinyProxy& operator=(const kwdTinyProxy&) = delete;

    static QString program();
    // Starts the daemon (on the port of an earlier start, if any) and waits until it accepts
    // connections; false with errorText() when it does not.
    bool start(quint16 upstreamPort);
    void stop();
    quint16 port() const { return port_; }
    QString errorText() const { return error; }

private:
    QTemporaryDir dir;
    QProcess process;
    quint16 port_ = 0;
    QString error;
};

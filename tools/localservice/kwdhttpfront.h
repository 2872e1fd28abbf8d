#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "kwdhttpresponse.h"

class QTcpServer;
class kwdFaultPlan;
class kwdHttpConnection;
class kwdHttpRequest;
class kwdRequestLog;

// The listening socket of the service: accepts connections on the loopback address, logs every
// request, applies the injected faults and hands the rest to the handler.
class kwdHttpFront : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<kwdHttpResponse(const kwdHttpRequest&)>;

    kwdHttpFront(Handler handler, kwdFaultPlan* faults, kwdRequestLog* log, QObject* parent = nullptr);

    bool listen(quint16 port);
    quint16 port() const;
    QString errorString() const;
    // Requests for this host are never logged nor faulted (the control host).
    void setBypassHost(const QString& host) { bypassHost = host; }
    void setMaxBody(qint64 bytes) { maxBody = bytes; }

    // Called by a connection for each request, in order.
    void dispatch(kwdHttpConnection* connection, const kwdHttpRequest& request);

private:
    void onNewConnection();
    void answer(kwdHttpConnection* connection, const kwdHttpRequest& request, int logIndex, int faultKind,
                qint64 hugeBytes);

    Handler handler;
    kwdFaultPlan* faults;
    kwdRequestLog* log;
    QTcpServer* server;
    QString bypassHost;
    qint64 maxBody = 4 * 1024 * 1024;
};

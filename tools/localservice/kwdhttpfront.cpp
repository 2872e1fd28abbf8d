#include "kwdhttpfront.h"

#include "kwdfaultplan.h"
#include "kwdhttpconnection.h"
#include "kwdhttprequest.h"
#include "kwdrequestlog.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

kwdHttpFront::kwdHttpFront(Handler handler, kwdFaultPlan* faults, kwdRequestLog* log, QObject* parent)
    : QObject(parent), handler(std::move(handler)), faults(faults), log(log), server(new QTcpServer(this))
{
    connect(server, &QTcpServer::newConnection, this, &kwdHttpFront::onNewConnection);
}

bool kwdHttpFront::listen(quint16 port)
{
    return server->listen(QHostAddress::LocalHost, port);
}

quint16 kwdHttpFront::port() const
{
    return server->serverPort();
}

QString kwdHttpFront::errorString() const
{
    return server->errorString();
}

void kwdHttpFront::onNewConnection()
{
    while (QTcpSocket* socket = server->nextPendingConnection())
        new kwdHttpConnection(socket, this, maxBody);
}

void kwdHttpFront::dispatch(kwdHttpConnection* connection, const kwdHttpRequest& request)
{
    if (!bypassHost.isEmpty() && request.host == bypassHost) {
        connection->send(handler(request), request.keepAlive());
        return;
    }
    const int index = log->append(request);
    const kwdFaultPlan::Fault fault = faults->take(request.host, request.path);
    switch (fault.kind) {
    case kwdFaultPlan::Refuse:
    case kwdFaultPlan::Reset:
        log->setOutcome(index, 0, kwdFaultPlan::kindName(fault.kind));
        connection->drop(fault.kind == kwdFaultPlan::Reset);
        return;
    case kwdFaultPlan::Status: {
        log->setOutcome(index, fault.status, kwdFaultPlan::kindName(fault.kind));
        kwdHttpResponse r =
            kwdHttpResponse::text(QStringLiteral("%1 %2\n")
                                      .arg(fault.status)
                                      .arg(QString::fromLatin1(kwdHttpResponse::reasonPhrase(fault.status))),
                                  fault.status);
        connection->send(r, request.keepAlive());
        return;
    }
    case kwdFaultPlan::Stall: {
        log->setOutcome(index, 0, kwdFaultPlan::kindName(fault.kind));
        if (fault.ms < 0)
            return; // never answered; the connection stays busy until the client gives up
        QPointer<kwdHttpConnection> guard(connection);
        QTimer::singleShot(fault.ms, this, [this, guard, request, index] {
            if (guard)
                answer(guard, request, index, kwdFaultPlan::None, 0);
        });
        return;
    }
    default:
        answer(connection, request, index, fault.kind, fault.bytes);
    }
}

void kwdHttpFront::answer(kwdHttpConnection* connection, const kwdHttpRequest& request, int logIndex,
                          int faultKind, qint64 hugeBytes)
{
    kwdHttpResponse response = handler(request);
    const QString faultName =
        faultKind == kwdFaultPlan::None ? QString() : kwdFaultPlan::kindName(kwdFaultPlan::Kind(faultKind));
    log->setOutcome(logIndex, response.status, faultName);
    if (request.method == "HEAD")
        response.body.clear();
    switch (faultKind) {
    case kwdFaultPlan::Truncate:
        connection->sendTruncated(response);
        return;
    case kwdFaultPlan::Malformed: {
        // Cut the document in the middle of a tag and leave unbalanced markup behind.
        QByteArray b = response.body.left(response.body.size() / 2);
        b += "<<broken attr=\"&&\"></nomatch>";
        response.body = b;
        break;
    }
    case kwdFaultPlan::Huge: {
        const qint64 pad = hugeBytes - response.body.size() - 7;
        if (pad > 0) {
            // Padding inside a comment after the root keeps an XML document well-formed.
            response.body += "<!--" + QByteArray(pad, 'x') + "-->";
        }
        break;
    }
    default:
        break;
    }
    connection->send(response, request.keepAlive());
}

#include "kwdhttpconnection.h"

#include "kwdhttpfront.h"
#include "kwdhttpresponse.h"

#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

kwdHttpConnection::kwdHttpConnection(QTcpSocket* peer, kwdHttpFront* owner, qint64 maxBody)
    : QObject(owner), socket(peer), front(owner), parser(maxBody)
{
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, &kwdHttpConnection::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(socket, &QTcpSocket::errorOccurred, this, [this] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            deleteLater();
    });
    onReadyRead();
}

void kwdHttpConnection::onReadyRead()
{
    if (closing) {
        socket->readAll();
        return;
    }
    parser.feed(socket->readAll());
    for (;;) {
        const kwdHttpRequestParser::State state = parser.parse();
        if (state == kwdHttpRequestParser::Ready) {
            queue.append(parser.take());
            continue;
        }
        if (parser.wantsContinue())
            socket->write("HTTP/1.1 100 Continue\r\n\r\n");
        if (state == kwdHttpRequestParser::Failed && queue.isEmpty() && !busy) {
            const int status = parser.status();
            const kwdHttpResponse r =
                kwdHttpResponse::text(QStringLiteral("%1 %2\n").arg(status).arg(
                                          QString::fromLatin1(kwdHttpResponse::reasonPhrase(status))),
                                      status);
            socket->write(r.head(r.body.size(), false) + r.body);
            drain();
            return;
        }
        break;
    }
    serveNext();
}

void kwdHttpConnection::serveNext()
{
    if (busy || closing || queue.isEmpty())
        return;
    busy = true;
    front->dispatch(this, queue.takeFirst());
}

void kwdHttpConnection::send(const kwdHttpResponse& response, bool keepAlive)
{
    if (closing)
        return;
    // One write per answer: head and body in separate segments would meet the client's delayed ACK.
    socket->write(response.head(response.body.size(), keepAlive) + response.body);
    busy = false;
    if (!keepAlive) {
        closeAfterWrite();
        return;
    }
    serveNext();
    // A request that failed to parse waits behind the good ones; answer it now.
    if (!busy && queue.isEmpty() && parser.parse() == kwdHttpRequestParser::Failed)
        onReadyRead();
}

void kwdHttpConnection::sendTruncated(const kwdHttpResponse& response)
{
    if (closing)
        return;
    socket->write(response.head(response.body.size(), false) + response.body.left(response.body.size() / 2));
    closeAfterWrite();
}

void kwdHttpConnection::closeAfterWrite()
{
    closing = true;
    queue.clear();
    // Lingering close: end our side once the answer is out, then read and drop whatever the
    // client still sends (an oversized upload), so that it sees the answer and not a reset.
    auto shutDown = [this] {
        if (halfClosed || socket->bytesToWrite() > 0)
            return;
        halfClosed = true;
        ::shutdown(int(socket->socketDescriptor()), SHUT_WR);
        QTimer::singleShot(5000, this, [this] {
            socket->abort();
            deleteLater();
        });
    };
    connect(socket, &QTcpSocket::bytesWritten, this, shutDown);
    socket->flush();
    shutDown();
}

void kwdHttpConnection::drain()
{
    // The client may still be sending the body we refused; closing now would reset the
    // connection before it reads the answer. Drop what arrives and close once it stops.
    closing = true;
    queue.clear();
    QTimer* idle = new QTimer(this);
    idle->setSingleShot(true);
    idle->setInterval(500);
    connect(idle, &QTimer::timeout, socket, &QTcpSocket::disconnectFromHost);
    connect(socket, &QTcpSocket::readyRead, idle, qOverload<>(&QTimer::start));
    idle->start();
    QTimer::singleShot(15000, this, [this] {
        socket->abort();
        deleteLater();
    });
}

void kwdHttpConnection::drop(bool reset)
{
    closing = true;
    queue.clear();
    if (reset) {
        // A zero linger time makes close() send RST instead of FIN.
        struct linger l;
        l.l_onoff = 1;
        l.l_linger = 0;
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &l, sizeof l);
        socket->abort();
        deleteLater();
        return;
    }
    socket->disconnectFromHost();
}

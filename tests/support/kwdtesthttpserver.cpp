#include "kwdtesthttpserver.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// The phrases of the statuses the tests answer with (Qt shows the phrase in its error text).
const QHash<int, QByteArray> kReasonPhrases{
    {200, "OK"}, {302, "Found"}, {404, "Not Found"}, {500, "Internal Server Error"}};

} // namespace

QByteArray kwdTestHttpServer::Request::header(const QByteArray& name) const
{
    for (const Header& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

kwdTestHttpServer::kwdTestHttpServer(QObject* parent) : QObject(parent), server(new QTcpServer(this))
{
    fallback.status = 404;
    fallback.body = "not found";
    connect(server, &QTcpServer::newConnection, this, &kwdTestHttpServer::onNewConnection);
}

kwdTestHttpServer::~kwdTestHttpServer()
{
    // The sockets go with the server object; their signals must not reach a half-destroyed fixture.
    for (auto it = connections.keyBegin(); it != connections.keyEnd(); ++it)
        (*it)->disconnect(this);
}

bool kwdTestHttpServer::listenAsProxy()
{
    if (!listen())
        return false;
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port()));
    return true;
}

bool kwdTestHttpServer::listen()
{
    return server->listen(QHostAddress::LocalHost, 0);
}

quint16 kwdTestHttpServer::port() const
{
    return server->serverPort();
}

QString kwdTestHttpServer::url(const QString& pathAndQuery) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port()) + pathAndQuery;
}

void kwdTestHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        socket->setParent(this);
        connections.insert(socket, Connection());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { onDisconnected(socket); });
    }
}

void kwdTestHttpServer::onReadyRead(QTcpSocket* socket)
{
    auto cit = connections.find(socket);
    if (cit == connections.end())
        return;
    Connection& c = cit.value();
    c.buffer += socket->readAll();
    if (c.answering)
        return;
    const int headerEnd = c.buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;

    Request r;
    const QList<QByteArray> lines = c.buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    r.method = requestLine.value(0);
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0)
            r.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    r.host = r.header("Host");
    const qsizetype length = r.header("Content-Length").toLongLong();
    if (c.buffer.size() < headerEnd + 4 + length)
        return; // the body is still on its way
    r.body = c.buffer.mid(headerEnd + 4, length);

    // Through a proxy the request line carries the whole URL; only its path and query select a response.
    QByteArray target = requestLine.value(1);
    if (target.startsWith("http://")) {
        const int slash = target.indexOf('/', 7);
        target = slash < 0 ? QByteArray("/") : target.mid(slash);
    }
    const int question = target.indexOf('?');
    r.path = question < 0 ? target : target.left(question);
    r.query = question < 0 ? QByteArray() : target.mid(question + 1);

    c.answering = true;
    received.append(r);
    const Response response = responses.value(QString::fromUtf8(r.path), fallback);
    emit requestReceived();
    if (response.hold)
        return;
    if (response.delayMs > 0) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(response.delayMs, this, [this, guard, response] {
            if (guard && connections.contains(guard))
                answer(guard, response);
        });
    } else {
        answer(socket, response);
    }
}

void kwdTestHttpServer::answer(QTcpSocket* socket, const Response& response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                      kReasonPhrases.value(response.status, "Status") + "\r\nConnection: close\r\n";
    if (!response.contentType.isEmpty())
        head += "Content-Type: " + response.contentType + "\r\n";
    if (response.framing == ContentLength)
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    else if (response.framing == Chunked)
        head += "Transfer-Encoding: chunked\r\n";
    for (const Header& h : response.headers)
        head += h.first + ": " + h.second + "\r\n";
    head += "\r\n";
    socket->write(head);
    sendBody(socket, response, 0);
}

void kwdTestHttpServer::sendBody(QTcpSocket* socket, const Response& response, int offset)
{
    const int total = response.body.size();
    const int limit = response.closeAfter >= 0 ? qMin(response.closeAfter, total) : total;
    const int size = response.pieceSize > 0 ? qMin(response.pieceSize, limit - offset) : limit - offset;
    if (size > 0) {
        const QByteArray piece = response.body.mid(offset, size);
        if (response.framing == Chunked)
            socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
        else
            socket->write(piece);
        offset += size;
    }
    if (offset < limit) {
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(response.pieceIntervalMs, this, [this, guard, response, offset] {
            if (guard && connections.contains(guard))
                sendBody(guard, response, offset);
        });
        return;
    }
    if (limit == total && response.framing == Chunked)
        socket->write("0\r\n\r\n");
    connections[socket].closing = true; // every caller holds a socket that is still among them
    // Written data is flushed before the connection closes, so a cut-off body ends exactly where asked.
    socket->disconnectFromHost();
}

void kwdTestHttpServer::onDisconnected(QTcpSocket* socket)
{
    auto it = connections.find(socket);
    if (it == connections.end())
        return;
    if (!it->closing)
        ++aborts;
    connections.erase(it);
    socket->deleteLater();
}

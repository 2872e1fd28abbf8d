#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: it records every request it receives and answers
// each path with a configured response, including the awkward ones a real server sends now and then
// (no length, chunked, slow, cut off mid-body, never answered). It owns its listening socket and the
// client connections. Every answer closes the connection, so each request arrives on a fresh one.
// Written on a plain TCP server because the library HTTP server cannot send unframed bodies, cut a
// body short or answer late.
class kwdTestHttpServer : public QObject
{
    Q_OBJECT
public:
    using Header = QPair<QByteArray, QByteArray>;

    struct Request
    {
        QByteArray method;
        QByteArray host; // the Host header
        QByteArray path;
        QByteArray query; // without "?"
        QList<Header> headers;
        QByteArray body;

        // First header of that name, compared without case; empty when absent.
        QByteArray header(const QByteArray& name) const;
    };

    enum Framing
    {
        ContentLength, // "Content-Length" announces the body
        Chunked,       // "Transfer-Encoding: chunked", one chunk per piece
        CloseDelimited // no length at all: the body ends when the connection closes
    };

    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/plain; charset=utf-8";
        QList<Header> headers;
        Framing framing = ContentLength;
        int delayMs = 0;         // wait before the status line
        int pieceSize = 0;       // send the body in pieces of this size (0: all at once)
        int pieceIntervalMs = 0; // pause between pieces
        int closeAfter = -1;     // drop the connection after this many body bytes (-1: send them all)
        bool hold = false;       // never answer; the connection stays open until the client leaves
    };

    explicit kwdTestHttpServer(QObject* parent = nullptr);
    ~kwdTestHttpServer() override;

    // Listens on 127.0.0.1 at a free port.
    bool listen();
    // Listens, and every host the program asks for is reached through this server (the
    // application's HTTP proxy): nothing goes out, each answer comes by path.
    bool listenAsProxy();
    quint16 port() const;
    // "http://127.0.0.1:<port>" followed by a path (with or without query).
    QString url(const QString& pathAndQuery) const;

    // The answer for a path (the query is not part of the match).
    void setResponse(const QString& path, const Response& response) { responses.insert(path, response); }
    // The answer for every path without its own (a 404 at first).
    void setDefaultResponse(const Response& response) { fallback = response; }

    QList<Request> requests() const { return received; }
    int requestCount() const { return received.size(); }
    Request lastRequest() const { return received.value(received.size() - 1); }
    void clearRequests() { received.clear(); }
    // Connections that the client closed before the whole answer was sent.
    int clientAborts() const { return aborts; }

Q_SIGNALS:
    void requestReceived();

private:
    struct Connection
    {
        QByteArray buffer;
        bool answering = false;
        bool closing = false; // we close it: the answer is sent (or cut off on purpose)
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void onDisconnected(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const Response& response);
    void sendBody(QTcpSocket* socket, const Response& response, int offset);

    QTcpServer* server = nullptr;
    QMap<QString, Response> responses;
    Response fallback;
    QList<Request> received;
    QHash<QTcpSocket*, Connection> connections;
    int aborts = 0;
};

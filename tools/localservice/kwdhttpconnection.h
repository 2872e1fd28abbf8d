#pragma once

#include <QList>
#include <QObject>

#include "kwdhttprequest.h"
#include "kwdhttprequestparser.h"

class QTcpSocket;
class kwdHttpFront;
class kwdHttpResponse;

// One client connection: reads requests off the socket and answers them one at a time, in order
// (keep-alive and pipelining). Deletes itself when the socket closes.
class kwdHttpConnection : public QObject
{
    Q_OBJECT
public:
    kwdHttpConnection(QTcpSocket* socket, kwdHttpFront* front, qint64 maxBody);

    // Answers the request being served and goes on with the next one unless the connection closes.
    void send(const kwdHttpResponse& response, bool keepAlive);
    // Writes the head with the full length but only part of the body, then closes.
    void sendTruncated(const kwdHttpResponse& response);
    // Closes without an answer: with reset the peer sees a connection reset, else an orderly close.
    void drop(bool reset);

private Q_SLOTS:
    void onReadyRead();

private:
    void serveNext();
    void closeAfterWrite();
    void drain();

    QTcpSocket* socket;
    kwdHttpFront* front;
    kwdHttpRequestParser parser;
    QList<kwdHttpRequest> queue;
    bool busy = false;
    bool closing = false;
    bool halfClosed = false;
};

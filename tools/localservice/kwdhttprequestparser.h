#pragma once

#include <QByteArray>

#include "kwdhttprequest.h"

// Turns the bytes of one connection into requests: request line, headers, then a body framed by
// Content-Length or chunked transfer coding. Holds the unparsed rest between calls.
class kwdHttpRequestParser
{
public:
    enum State
    {
        NeedMore,
        Ready,
        Failed
    };

    explicit kwdHttpRequestParser(qint64 maxBody = 4 * 1024 * 1024);

    void feed(const QByteArray& bytes);
    // Parses as far as the buffered bytes allow. Ready: take() gives the request. Failed: status()
    // tells what to answer (400, 413, 431, 501) and the connection must be closed afterwards.
    State parse();
    kwdHttpRequest take();
    int status() const { return failStatus; }
    // True once the head of the current request is read and it announced "Expect: 100-continue".
    bool wantsContinue();

private:
    enum Phase
    {
        Head,
        FixedBody,
        ChunkSize,
        ChunkData,
        ChunkTrailer
    };
    State fail(int status);

    QByteArray buffer;
    qint64 maxBody;
    Phase phase = Head;
    kwdHttpRequest current;
    qint64 remaining = 0;
    int failStatus = 0;
    bool continuePending = false;
};

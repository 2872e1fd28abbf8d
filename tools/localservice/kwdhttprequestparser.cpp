#include "kwdhttprequestparser.h"

#include <utility>

namespace {
const int maxHead = 64 * 1024;
}

kwdHttpRequestParser::kwdHttpRequestParser(qint64 maxBody) : maxBody(maxBody) {}

void kwdHttpRequestParser::feed(const QByteArray& bytes)
{
    buffer += bytes;
}

kwdHttpRequestParser::State kwdHttpRequestParser::fail(int status)
{
    failStatus = status;
    continuePending = false;
    return Failed;
}

bool kwdHttpRequestParser::wantsContinue()
{
    const bool w = continuePending;
    continuePending = false;
    return w;
}

kwdHttpRequestParser::State kwdHttpRequestParser::parse()
{
    if (failStatus)
        return Failed;
    for (;;) {
        switch (phase) {
        case Head: {
            // Tolerate empty lines between pipelined requests.
            while (buffer.startsWith("\r\n"))
                buffer.remove(0, 2);
            const int end = buffer.indexOf("\r\n\r\n");
            if (end < 0)
                return buffer.size() > maxHead ? fail(431) : NeedMore;
            if (end > maxHead)
                return fail(431);
            const QList<QByteArray> lines = buffer.left(end).split('\n');
            buffer.remove(0, end + 4);
            current = kwdHttpRequest();
            const QList<QByteArray> parts = lines.first().trimmed().split(' ');
            if (parts.size() != 3 || parts[0].isEmpty() || !parts[2].startsWith("HTTP/1."))
                return fail(400);
            current.method = parts[0];
            current.target = parts[1];
            current.version = parts[2];
            for (int i = 1; i < lines.size(); ++i) {
                const QByteArray line = lines[i].trimmed();
                const int colon = line.indexOf(':');
                if (colon <= 0)
                    return fail(400);
                current.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
            }
            if (!current.resolveTarget())
                return fail(400);
            continuePending = current.header("Expect").toLower() == "100-continue";
            if (current.header("Transfer-Encoding").toLower().contains("chunked")) {
                phase = ChunkSize;
                break;
            }
            const QByteArray length = current.header("Content-Length");
            if (length.isEmpty()) {
                continuePending = false;
                return Ready;
            }
            bool ok = false;
            remaining = length.toLongLong(&ok);
            if (!ok || remaining < 0)
                return fail(400);
            if (remaining > maxBody)
                return fail(413);
            if (remaining == 0) {
                continuePending = false;
                return Ready;
            }
            phase = FixedBody;
            break;
        }
        case FixedBody: {
            const qint64 n = qMin<qint64>(remaining, buffer.size());
            current.body += buffer.left(n);
            buffer.remove(0, n);
            remaining -= n;
            if (remaining > 0)
                return NeedMore;
            phase = Head;
            return Ready;
        }
        case ChunkSize: {
            const int eol = buffer.indexOf("\r\n");
            if (eol < 0)
                return buffer.size() > 1024 ? fail(400) : NeedMore;
            QByteArray sizeText = buffer.left(eol);
            buffer.remove(0, eol + 2);
            const int semi = sizeText.indexOf(';');
            if (semi >= 0)
                sizeText.truncate(semi);
            bool ok = false;
            remaining = sizeText.trimmed().toLongLong(&ok, 16);
            if (!ok || remaining < 0)
                return fail(400);
            if (current.body.size() + remaining > maxBody)
                return fail(413);
            phase = remaining == 0 ? ChunkTrailer : ChunkData;
            break;
        }
        case ChunkData: {
            if (buffer.size() < remaining + 2)
                return NeedMore;
            if (buffer.mid(remaining, 2) != "\r\n")
                return fail(400);
            current.body += buffer.left(remaining);
            buffer.remove(0, remaining + 2);
            phase = ChunkSize;
            break;
        }
        case ChunkTrailer: {
            // Trailer fields are read and dropped; an empty line ends the message.
            const int eol = buffer.indexOf("\r\n");
            if (eol < 0)
                return NeedMore;
            buffer.remove(0, eol + 2);
            if (eol == 0) {
                phase = Head;
                return Ready;
            }
            break;
        }
        }
    }
}

kwdHttpRequest kwdHttpRequestParser::take()
{
    return std::exchange(current, kwdHttpRequest());
}

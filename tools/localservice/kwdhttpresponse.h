#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// One reply of the service before it is put on the wire: status, content type and body.
class kwdHttpResponse
{
public:
    int status = 200;
    QByteArray contentType = "text/plain; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;

    static kwdHttpResponse text(const QString& text, int status = 200);
    static kwdHttpResponse xml(const QByteArray& document);
    static kwdHttpResponse jpeg(const QByteArray& bytes);
    static kwdHttpResponse html(const QString& page);

    static QByteArray reasonPhrase(int status);
    // Status line and headers, ending with the empty line; contentLength as announced.
    QByteArray head(qint64 contentLength, bool keepAlive) const;
};

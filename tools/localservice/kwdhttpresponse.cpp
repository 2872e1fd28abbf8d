#include "kwdhttpresponse.h"

#include <QString>

kwdHttpResponse kwdHttpResponse::text(const QString& text, int status)
{
    kwdHttpResponse r;
    r.status = status;
    r.body = text.toUtf8();
    return r;
}

kwdHttpResponse kwdHttpResponse::xml(const QByteArray& document)
{
    kwdHttpResponse r;
    r.contentType = "text/xml; charset=utf-8";
    r.body = document;
    return r;
}

kwdHttpResponse kwdHttpResponse::jpeg(const QByteArray& bytes)
{
    kwdHttpResponse r;
    r.contentType = "image/jpeg";
    r.body = bytes;
    return r;
}

kwdHttpResponse kwdHttpResponse::html(const QString& page)
{
    kwdHttpResponse r;
    r.contentType = "text/html; charset=utf-8";
    r.body = page.toUtf8();
    return r;
}

QByteArray kwdHttpResponse::reasonPhrase(int status)
{
    switch (status) {
    case 100:
        return "Continue";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 411:
        return "Length Required";
    case 413:
        return "Payload Too Large";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

QByteArray kwdHttpResponse::head(qint64 contentLength, bool keepAlive) const
{
    QByteArray h = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    h += "Server: kwd-localservice\r\n";
    h += "Content-Type: " + contentType + "\r\n";
    h += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
    for (const auto& p : headers)
        h += p.first + ": " + p.second + "\r\n";
    h += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    h += "\r\n";
    return h;
}

#include "kwdhttprequest.h"

#include <QUrl>

QByteArray kwdHttpRequest::header(const QByteArray& name) const
{
    for (const auto& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

kwdFormFields kwdHttpRequest::query() const
{
    return kwdFormFields::parse(rawQuery.toUtf8());
}

kwdFormFields kwdHttpRequest::form() const
{
    return kwdFormFields::parse(body);
}

bool kwdHttpRequest::resolveTarget()
{
    QByteArray rest = target;
    QByteArray authority;
    if (rest.startsWith("http://") || rest.startsWith("HTTP://")) {
        rest = rest.mid(7);
        const int slash = rest.indexOf('/');
        const int qmark = rest.indexOf('?');
        int end = slash < 0 ? qmark : (qmark < 0 ? slash : qMin(slash, qmark));
        if (end < 0)
            end = rest.size();
        authority = rest.left(end);
        rest = rest.mid(end);
        if (!rest.startsWith('/'))
            rest.prepend('/');
    } else if (rest.startsWith('/')) {
        authority = header("Host");
    } else {
        return false;
    }
    const int at = authority.lastIndexOf('@');
    if (at >= 0)
        authority = authority.mid(at + 1);
    const int colon = authority.lastIndexOf(':');
    port = 80;
    if (colon >= 0) {
        bool ok = false;
        const int p = authority.mid(colon + 1).toInt(&ok);
        if (ok)
            port = p;
        authority.truncate(colon);
    }
    host = QString::fromLatin1(authority).trimmed().toLower();
    const int hash = rest.indexOf('#');
    if (hash >= 0)
        rest.truncate(hash);
    const int q = rest.indexOf('?');
    const QByteArray rawPath = q < 0 ? rest : rest.left(q);
    rawQuery = q < 0 ? QString() : QString::fromUtf8(rest.mid(q + 1));
    path = QUrl::fromPercentEncoding(rawPath);
    return !host.isEmpty();
}

bool kwdHttpRequest::keepAlive() const
{
    const QByteArray conn = header("Connection").toLower();
    if (version == "HTTP/1.0")
        return conn.contains("keep-alive");
    return !conn.contains("close");
}

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include "kwdformfields.h"

// One parsed HTTP request as the service sees it: the virtual host (from an absolute-form target
// when the client uses us as its proxy, else from the Host header), the path, the query and the body.
class kwdHttpRequest
{
public:
    QByteArray method;
    QByteArray target;  // the request target exactly as sent
    QByteArray version; // "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QString host; // lower case, without port
    int port = 80;
    QString path;     // percent-decoded, always starting with "/"
    QString rawQuery; // as sent, without "?"

    // Header value by case-insensitive name; empty when absent.
    QByteArray header(const QByteArray& name) const;
    // Query (or, for form posts, body) pairs decoded from percent-encoding and '+'.
    kwdFormFields query() const;
    kwdFormFields form() const;
    // Fills host, port, path and rawQuery from target and the Host header; false for a target we
    // cannot understand.
    bool resolveTarget();
    bool keepAlive() const;
};

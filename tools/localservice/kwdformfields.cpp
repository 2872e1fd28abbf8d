#include "kwdformfields.h"

#include <QUrl>

kwdFormFields kwdFormFields::parse(const QByteArray& encoded)
{
    kwdFormFields f;
    const QList<QByteArray> parts = encoded.split('&');
    for (QByteArray part : parts) {
        if (part.isEmpty())
            continue;
        part.replace('+', ' ');
        const int eq = part.indexOf('=');
        const QByteArray key = eq < 0 ? part : part.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : part.mid(eq + 1);
        f.pairs.append({QUrl::fromPercentEncoding(key), QUrl::fromPercentEncoding(value)});
    }
    return f;
}

bool kwdFormFields::has(const QString& key) const
{
    for (const auto& p : pairs) {
        if (p.first == key)
            return true;
    }
    return false;
}

QString kwdFormFields::value(const QString& key) const
{
    for (const auto& p : pairs) {
        if (p.first == key)
            return p.second;
    }
    return QString();
}

#include "kwdqueryvalue.h"

QString kwdQueryValue::encode(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("%26");
            break;
        case '=':
            out += QLatin1String("%3D");
            break;
        case '#':
            out += QLatin1String("%23");
            break;
        case '+':
            out += QLatin1String("%2B");
            break;
        case '%':
            out += QLatin1String("%25");
            break;
        default:
            out += c;
        }
    }
    return out;
}

#include "kwdbytelayout.h"

#include <QtEndian>

kwdByteLayout& kwdByteLayout::i32(qint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    bytes.append(b, 4);
    return *this;
}

kwdByteLayout& kwdByteLayout::str(const QString& s)
{
    if (s.isNull())
        return i32(-1);
    i32(qint32(s.size() * 2));
    for (QChar c : s)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
    return *this;
}

kwdByteLayout& kwdByteLayout::row(const QString& id, const QString& name)
{
    str(id).str(name).bytes.append('\0');
    str(QString()).i32(0).i32(0).i32(0).str(QStringLiteral("100"));
    return str(QString()).str(QString()).str(QString()).str(QString());
}

#pragma once

#include <QByteArray>
#include <QString>

// Builds the bytes of the data files by hand (big-endian int32, strings as byte length + UTF-16BE, a
// null string as length -1, a flag as one byte), so the layout is checked against something other than
// the code that writes it.
struct kwdByteLayout
{
    kwdByteLayout& i32(qint32 v);
    kwdByteLayout& str(const QString& s);
    // One stored sale (or lease: the same fields) of the favourites file.
    kwdByteLayout& row(const QString& id, const QString& name = QStringLiteral("名字"));
    QByteArray bytes;
};

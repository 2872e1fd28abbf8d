#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Reads a multipart/form-data body (the photo upload) into its parts.
class kwdMultipartParser
{
public:
    struct Part
    {
        QString name;
        QString fileName;
        bool hasFileName = false;
        QByteArray contentType;
        QByteArray data;
    };

    // The boundary parameter of a Content-Type header value, without quotes; empty when absent.
    static QByteArray boundaryOf(const QByteArray& contentType);
    // Splits the body at the boundary; false with a reason when the body is not well framed
    // (no opening or closing delimiter, a part without headers or without a name).
    static bool parse(const QByteArray& body, const QByteArray& boundary, QList<Part>* parts, QString* error);
    // The first part of that name, or null.
    static const Part* find(const QList<Part>& parts, const QString& name);
};

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The photo of a posted listing: turning a picture file into the JPEG the service stores, and the
// multipart/form-data body that carries it with the listing's deal code and the publisher's
// credentials. Owns nothing; every function works on the values it is given.
class kwdPhotoUpload
{
    Q_DECLARE_TR_FUNCTIONS(kwdPhotoUpload)
public:
    static QByteArray boundary();
    // The Content-Type header value of the upload.
    static QString contentType();
    static QByteArray body(const QString& photoPath, const QString& dealCode, const QString& uid,
                           const QString& pwd, const QByteArray& photo);
    // A text as it may stand in a part: CR and LF (and, in a quoted file name, the double quote)
    // would end the header line or start a boundary, so they are percent-encoded.
    static QByteArray escapeValue(const QString& value);
    static QByteArray escapeFileName(const QString& name);
    // Decodes a picture file's bytes, scales it to 640x480 and encodes it as JPEG into *jpeg.
    // False with *error set when the bytes are no picture.
    static bool encode(const QByteArray& fileBytes, QByteArray* jpeg, QString* error);
};

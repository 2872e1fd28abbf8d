#include "kwdphotoupload.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

QByteArray kwdPhotoUpload::boundary()
{
    return QByteArrayLiteral("-----------------------------7d6bb34502ce");
}

QString kwdPhotoUpload::contentType()
{
    return QStringLiteral("multipart/form-data; boundary=") + QString::fromLatin1(boundary());
}

QByteArray kwdPhotoUpload::escapeValue(const QString& value)
{
    QByteArray v = value.toUtf8();
    v.replace('\r', "%0D");
    v.replace('\n', "%0A");
    return v;
}

QByteArray kwdPhotoUpload::escapeFileName(const QString& name)
{
    QByteArray v = escapeValue(name);
    v.replace('"', "%22");
    return v;
}

QByteArray kwdPhotoUpload::body(const QString& photoPath, const QString& dealCode, const QString& uid,
                                const QString& pwd, const QByteArray& photo)
{
    const QByteArray open = "--" + boundary() + "\r\n";
    const QPair<const char*, QString> fields[] = {{"Filename", photoPath},
                                                  {"RelPathName", photoPath},
                                                  {"dealcode", dealCode},
                                                  {"uid", uid},
                                                  {"pwd", pwd}};
    QByteArray b;
    for (const auto& f : fields) {
        b += open;
        b += "Content-Disposition: form-data; name=\"" + QByteArray(f.first) + "\"\r\n\r\n";
        b += escapeValue(f.second);
        b += "\r\n";
    }
    b += open;
    b += "Content-Disposition: form-data; name=\"photo\"; filename=\"" + escapeFileName(photoPath) + "\"\r\n";
    b += "Content-Type: application/octet-stream\r\n\r\n";
    b += photo;
    b += "\r\n";
    b += "--" + boundary() + "--\r\n";
    return b;
}

bool kwdPhotoUpload::encode(const QByteArray& fileBytes, QByteArray* jpeg, QString* error)
{
    jpeg->clear();
    QBuffer source;
    source.setData(fileBytes);
    source.open(QIODevice::ReadOnly);
    QImageReader reader(&source);
    // Read straight at the size sent: a camera's JPEG is then decoded at a fraction of its size
    // instead of whole, which held the window for a large photo.
    reader.setScaledSize(QSize(640, 480));
    const QImage image = reader.read();
    if (image.isNull()) {
        // An empty JPEG would be posted as the listing's photo and refused by the service later.
        *error = tr("The file is not a picture that can be read.");
        return false;
    }
    QBuffer buffer(jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(&buffer, "JPG")) {
        jpeg->clear();
        *error = tr("The picture cannot be encoded as JPEG.");
        return false;
    }
    return true;
}

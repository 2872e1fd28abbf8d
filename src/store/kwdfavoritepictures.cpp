#include "kwdfavoritepictures.h"

#include "qvmlistitem.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>

namespace {
// Written by this program only; pinned so that files outlive a change of Qt.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_5_15;
// Larger files are not ours to decode (a damaged or foreign file).
constexpr qint64 kMaxFile = 16 * 1024 * 1024;
} // namespace

kwdFavoritePictures::kwdFavoritePictures(const QString& dataDir)
    : dir(dataDir + QStringLiteral("/favorite-pictures"))
{
}

QString kwdFavoritePictures::fileOf(int kind, const QString& id) const
{
    const QByteArray hash = QCryptographicHash::hash(id.toUtf8(), QCryptographicHash::Sha1).toHex();
    return dir + QStringLiteral("/%1-").arg(kind) + QString::fromLatin1(hash);
}

bool kwdFavoritePictures::save(int kind, const qvmListItem* row) const
{
    if (!row || !row->picture || row->picture->url.isEmpty())
        return false;
    QByteArray bytes;
    // The downloaded file as it came is smaller than anything re-encoded; the image is the fallback
    // once the holder has removed the download.
    if (!row->picture->localPath.isEmpty()) {
        QFile source(row->picture->localPath);
        if (source.size() <= kMaxFile && source.open(QIODevice::ReadOnly))
            bytes = source.readAll();
    }
    if (bytes.isEmpty() && row->picture->image && !row->picture->image->isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        row->picture->image->save(&buffer, "PNG");
    }
    if (!QDir().mkpath(dir))
        return false;
    QSaveFile file(fileOf(kind, row->id));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(kStreamVersion);
    out << row->picture->url << bytes;
    if (out.status() != QDataStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool kwdFavoritePictures::attach(int kind, qvmListItem* row) const
{
    if (!row)
        return false;
    QFile file(fileOf(kind, row->id));
    if (file.size() > kMaxFile || !file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    QString url;
    QByteArray bytes;
    in >> url >> bytes;
    if (in.status() != QDataStream::Ok || url.isEmpty())
        return false;
    if (!row->picture)
        row->picture = new qvmPictureJob;
    row->picture->url = url;
    QImage image;
    if (!bytes.isEmpty() && image.loadFromData(bytes) && !image.isNull()) {
        delete row->picture->image;
        row->picture->image = new QImage(image);
    }
    return true;
}

void kwdFavoritePictures::remove(int kind, const QString& id) const
{
    QFile::remove(fileOf(kind, id));
}

#include "kwdfavoritepictures.h"

#include "kwdprivatefile.h"
#include "qvmlistitem.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>

namespace {
// Written by this program only; pinned so that the index outlives a change of Qt.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_5_15;
// Larger files are not ours (a damaged or foreign file).
constexpr qint64 kMaxFile = 16 * 1024 * 1024;
} // namespace

kwdFavoritePictures::kwdFavoritePictures(const QString& dataDir)
    : dir(dataDir + QStringLiteral("/favorite-pictures"))
{
}

QString kwdFavoritePictures::key(int kind, const QString& id) const
{
    const QByteArray hash = QCryptographicHash::hash(id.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("%1-").arg(kind) + QString::fromLatin1(hash);
}

QString kwdFavoritePictures::imageFile(int kind, const QString& id) const
{
    return dir + QLatin1Char('/') + key(kind, id);
}

void kwdFavoritePictures::readIndex()
{
    if (indexRead)
        return;
    indexRead = true;
    QFile file(dir + QStringLiteral("/index"));
    if (file.size() > kMaxFile || !file.open(QIODevice::ReadOnly))
        return;
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    in >> urls;
    if (in.status() != QDataStream::Ok)
        urls.clear();
}

bool kwdFavoritePictures::writeIndex() const
{
    if (!kwdPrivateFile::makePath(dir))
        return false;
    // An earlier version made the folder readable by everyone.
    kwdPrivateFile::restrict(dir);
    QSaveFile file(dir + QStringLiteral("/index"));
    if (!kwdPrivateFile::open(file))
        return false;
    QDataStream out(&file);
    out.setVersion(kStreamVersion);
    out << urls;
    if (out.status() != QDataStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool kwdFavoritePictures::save(int kind, const qvmListItem* row)
{
    if (!row || !row->picture || row->picture->url.isEmpty())
        return false;
    QByteArray bytes;
    // The download as it came is smaller than anything re-encoded; the image is the fallback once
    // the holder has removed the download.
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
    if (!kwdPrivateFile::makePath(dir))
        return false;
    if (!bytes.isEmpty()) {
        QSaveFile file(imageFile(kind, row->id));
        if (!kwdPrivateFile::open(file) || file.write(bytes) != bytes.size() || !file.commit())
            return false;
    }
    readIndex();
    urls.insert(key(kind, row->id), row->picture->url);
    return writeIndex();
}

bool kwdFavoritePictures::attachUrl(int kind, qvmListItem* row)
{
    if (!row)
        return false;
    readIndex();
    const QString url = urls.value(key(kind, row->id));
    if (url.isEmpty())
        return false;
    if (!row->picture)
        row->picture = new qvmPictureJob;
    row->picture->url = url;
    return true;
}

bool kwdFavoritePictures::loadImage(int kind, qvmListItem* row) const
{
    if (!row || !row->picture)
        return false;
    if (row->picture->image)
        return true;
    const QString path = imageFile(kind, row->id);
    return QFile::exists(path) && row->loadPicture(path);
}

void kwdFavoritePictures::remove(int kind, const QString& id)
{
    QFile::remove(imageFile(kind, id));
    readIndex();
    if (urls.remove(key(kind, id)) > 0)
        writeIndex();
}

#pragma once

#include <QMap>
#include <QString>

class qvmListItem;

// The pictures of favourites, kept in a directory of the data directory so that a favourite shows
// its picture without the network (the favourites file stores no picture): an index of the
// pictures' addresses, read once with the favourites, and each downloaded picture as it came,
// decoded only when a favourite's detail opens. Owns nothing but those files.
class kwdFavoritePictures
{
public:
    explicit kwdFavoritePictures(const QString& dataDir);

    // The picture file of a favourite, named after its kind and a hash of its id (ids are service text).
    QString imageFile(int kind, const QString& id) const;
    // Keeps the row's picture address and, when it has been downloaded, its bytes, atomically;
    // false when the row names no picture or a file cannot be written.
    bool save(int kind, const qvmListItem* row);
    // Gives the row its stored picture address (reading the index on first use); false when none.
    bool attachUrl(int kind, qvmListItem* row);
    // Decodes the stored picture into the row unless it has one; true when the row then has one.
    bool loadImage(int kind, qvmListItem* row) const;
    void remove(int kind, const QString& id);

private:
    QString key(int kind, const QString& id) const;
    void readIndex();
    bool writeIndex() const;

    QString dir;
    QMap<QString, QString> urls;
    bool indexRead = false;
};

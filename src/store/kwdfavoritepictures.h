#pragma once

#include <QString>

class qvmListItem;

// The pictures of favourites, kept as files in a directory of the data directory so that a
// favourite shows its picture without the network (the favourites file stores no picture). One
// file per favourite: the picture's address and the picture's bytes. Owns nothing but those files.
class kwdFavoritePictures
{
public:
    explicit kwdFavoritePictures(const QString& dataDir);

    // The file of a favourite, named after its kind and a hash of its id (ids are service text).
    QString fileOf(int kind, const QString& id) const;
    // Writes the row's picture address and, when it has been downloaded, its bytes, atomically;
    // false when the row names no picture or the file cannot be written.
    bool save(int kind, const qvmListItem* row) const;
    // Gives the row the stored picture (address and decoded image); false when none is stored.
    bool attach(int kind, qvmListItem* row) const;
    void remove(int kind, const QString& id) const;

private:
    QString dir;
};

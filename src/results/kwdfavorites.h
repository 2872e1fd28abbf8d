#pragma once

#include <QList>
#include <QMap>

class qvmListItem;

// The favourites: copies of the rows the user starred, by kind (1 housing area, 2 sale, 3 lease),
// saved in the data directory's "favorite" file as the rows write themselves, each with its
// picture. One instance, reached through instance() and read from the file when first made; it
// owns the stored rows (whoever shows a favourite shows a copy).
class kwdFavorites
{
public:
    static kwdFavorites* instance();
    // Destroys the one instance so that the next instance() reads the file afresh (tests, exit).
    static void destroy();

    // Replaces the rows by the file's; false when it is missing or damaged (what could be read stays).
    bool load();
    bool save();

    // Favourite kinds are the rows' categories; -1 for a row that cannot be one.
    static int kindOf(const qvmListItem* row);
    // Keeps a copy of the row and its picture, saved at once; a row already kept is left as it is.
    void add(const qvmListItem* row);
    void remove(const qvmListItem* row);
    bool contains(const qvmListItem* row) const;

    QMap<int, QList<qvmListItem*>> rows;

    ~kwdFavorites();

private:
    kwdFavorites() = default;
    kwdFavorites(const kwdFavorites&) = delete;
    kwdFavorites& operator=(const kwdFavorites&) = delete;

    void clear();
};

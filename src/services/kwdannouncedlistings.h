#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The identifiers of the listings already announced, per kind (2 sale, 3 lease), newest last, kept in
// a small file of the data directory so that no run announces a listing an earlier run did. Bounded:
// only the last `limit` identifiers of each kind are remembered. Owns its lists and the file's path.
class kwdAnnouncedListings
{
public:
    enum
    {
        DefaultLimit = 2000
    };

    explicit kwdAnnouncedListings(const QString& path = QString(), int limit = DefaultLimit);

    // Replaces the lists by the file's; false (and empty lists) when it is missing or unreadable.
    bool load();
    // Writes the file atomically: a reader sees either the old lists or the new ones, never half.
    bool save() const;

    bool contains(int kind, const QString& id) const;
    // Appends identifiers not yet known, dropping the oldest beyond the limit.
    void add(int kind, const QStringList& ids);
    // Identifiers of a kind, oldest first.
    QStringList ids(int kind) const;
    bool isEmpty(int kind) const;
    QString path() const { return file; }

private:
    QString file;
    int limit;
    QHash<int, QStringList> order;
    QHash<int, QSet<QString>> known;
};

#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QByteArray;
class kwdAnnouncedListings;
class kwdFinder;
class qvmListItem;

// One answer to a new-listing query, read against what is already known: the kind of its records
// and the rows of the listings never seen nor announced before, in document order. The rows it makes
// are entered in the caller's map of seen listings, which owns them.
class kwdNewHouseReply
{
public:
    // `record` is the push record (its last announced identifiers); `announced` the listings of
    // earlier polls and runs. Listings already in `seen` or `announced` are skipped, wherever they
    // stand in the document.
    static kwdNewHouseReply read(const QByteArray& body, const kwdFinder& record,
                                 const kwdAnnouncedListings& announced, QMap<QString, qvmListItem*>& seen);

    bool readable = false;
    int kind = -1;
    QList<qvmListItem*> rows;
    QStringList ids;
};

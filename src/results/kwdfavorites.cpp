#include "kwdfavorites.h"

#include "kwdfavoritepictures.h"
#include "kwdstore.h"
#include "kwdstreamguard.h"
#include "qvmlistitem.h"

#include <QDataStream>
#include <QDebug>
#include <QFile>

#include <memory>

namespace {
std::unique_ptr<kwdFavorites>& slot()
{
    static std::unique_ptr<kwdFavorites> one;
    return one;
}
} // namespace

kwdFavorites* kwdFavorites::instance()
{
    auto& one = slot();
    if (!one) {
        one.reset(new kwdFavorites);
        one->load();
    }
    return one.get();
}

void kwdFavorites::destroy()
{
    slot().reset();
}

kwdFavorites::~kwdFavorites()
{
    clear();
}

void kwdFavorites::clear()
{
    for (auto& list : rows)
        qDeleteAll(list);
    rows.clear();
}

bool kwdFavorites::load()
{
    clear();
    QFile file(kwdStore::instance()->dataFile(QStringLiteral("favorite")));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    kwdStore::setStreamVersion(in);
    kwdFavoritePictures pictures(kwdStore::instance()->dataPath());
    const qint32 kinds = kwdStreamGuard::readCount(in, 8);
    bool ok = kinds >= 0;
    for (qint32 k = 0; ok && k < kinds; ++k) {
        qint32 kind = 0;
        in >> kind;
        // Rows carry no length: past a kind we cannot build, nothing more can be read.
        ok = in.status() == QDataStream::Ok && kind >= 1 && kind <= 3;
        if (!ok)
            break;
        QList<qvmListItem*>& list = rows[kind];
        const qint32 n = kwdStreamGuard::readCount(in, 4);
        ok = n >= 0;
        for (qint32 i = 0; ok && i < n; ++i) {
            qvmListItem* row = qvmListItem::createForKind(kind);
            ok = row->read(in) && in.status() == QDataStream::Ok;
            if (ok) {
                pictures.attachUrl(kind, row);
                list.append(row);
            } else
                delete row;
        }
    }
    if (!ok) {
        int kept = 0;
        for (const auto& list : rows)
            kept += list.size();
        qWarning() << "damaged data file" << file.fileName() << "kept" << kept << "favourites";
    }
    return ok;
}

bool kwdFavorites::save()
{
    return kwdStore::writeFile(kwdStore::instance()->dataFile(QStringLiteral("favorite")),
                               [&](QDataStream& out) {
                                   out << qint32(rows.size());
                                   for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
                                       out << qint32(it.key()) << qint32(it.value().size());
                                       for (const qvmListItem* row : it.value())
                                           row->write(out);
                                   }
                               });
}

int kwdFavorites::kindOf(const qvmListItem* row)
{
    // Favourite kinds are the categories of the rows.
    return row ? row->category() : -1;
}

void kwdFavorites::add(const qvmListItem* row)
{
    const int kind = kindOf(row);
    if (kind < 1 || kind > 3)
        return;
    QList<qvmListItem*>& list = rows[kind];
    for (const qvmListItem* stored : list) {
        if (stored->id == row->id)
            return;
    }
    qvmListItem* copy = qvmListItem::createForKind(kind);
    copy->assign(row);
    list.append(copy);
    // Saved at once: a crash must not lose a favourite the user just added.
    save();
    // Its picture too, so that the favourite shows it without the network.
    kwdFavoritePictures pictures(kwdStore::instance()->dataPath());
    if (pictures.save(kind, row))
        pictures.attachUrl(kind, copy);
}

void kwdFavorites::remove(const qvmListItem* row)
{
    const int kind = kindOf(row);
    auto it = rows.find(kind);
    if (it == rows.end())
        return;
    // Taken first: the row given may be the stored one itself.
    const QString id = row->id;
    for (int i = 0; i < it->size(); ++i) {
        if (it->at(i)->id == id) {
            // The stored row goes; whoever shows a favourite shows a copy of it.
            delete it->takeAt(i);
            save();
            kwdFavoritePictures(kwdStore::instance()->dataPath()).remove(kind, id);
            return;
        }
    }
}

bool kwdFavorites::contains(const qvmListItem* row) const
{
    const int kind = kindOf(row);
    if (kind < 1 || kind > 3)
        return false;
    for (const qvmListItem* stored : rows.value(kind)) {
        if (stored->id == row->id)
            return true;
    }
    return false;
}

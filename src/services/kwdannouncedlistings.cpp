#include "kwdannouncedlistings.h"

#include "kwdprivatefile.h"
#include "kwdstreamguard.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace {
// Marks the file as ours and its layout, so that a foreign or older file reads as empty.
constexpr quint32 kMagic = 0x6b776461; // "kwda"
constexpr quint32 kVersion = 1;
} // namespace

kwdAnnouncedListings::kwdAnnouncedListings(const QString& path, int limit) : file(path), limit(qMax(1, limit))
{
}

bool kwdAnnouncedListings::load()
{
    order.clear();
    known.clear();
    QFile f(file);
    if (file.isEmpty() || !f.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, version = 0, kinds = 0;
    in >> magic >> version >> kinds;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion || kinds > 16)
        return false;
    QHash<int, QStringList> read;
    for (quint32 i = 0; i < kinds; ++i) {
        qint32 kind = 0;
        in >> kind;
        // A damaged count must not make the list reserve room for billions of strings.
        const qint32 n = kwdStreamGuard::readCount(in, 4);
        if (n < 0)
            return false;
        QStringList ids;
        for (qint32 k = 0; k < n; ++k) {
            QString id;
            in >> id;
            ids.append(id);
        }
        if (in.status() != QDataStream::Ok)
            return false;
        read.insert(kind, ids);
    }
    for (auto it = read.cbegin(); it != read.cend(); ++it)
        add(it.key(), it.value());
    return true;
}

bool kwdAnnouncedListings::save() const
{
    if (file.isEmpty())
        return false;
    QSaveFile f(file);
    if (!kwdPrivateFile::open(f))
        return false;
    QDataStream out(&f);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kVersion << quint32(order.size());
    for (auto it = order.cbegin(); it != order.cend(); ++it)
        out << qint32(it.key()) << it.value();
    if (out.status() != QDataStream::Ok) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool kwdAnnouncedListings::contains(int kind, const QString& id) const
{
    const auto it = known.constFind(kind);
    return it != known.cend() && it->contains(id);
}

void kwdAnnouncedListings::add(int kind, const QStringList& ids)
{
    QStringList& list = order[kind];
    QSet<QString>& set = known[kind];
    for (const QString& id : ids) {
        if (id.isEmpty() || set.contains(id))
            continue;
        list.append(id);
        set.insert(id);
    }
    const qsizetype excess = list.size() - limit;
    if (excess > 0) {
        for (qsizetype i = 0; i < excess; ++i)
            set.remove(list.at(i));
        list.erase(list.begin(), list.begin() + excess);
    }
}

QStringList kwdAnnouncedListings::ids(int kind) const
{
    return order.value(kind);
}

bool kwdAnnouncedListings::isEmpty(int kind) const
{
    return order.value(kind).isEmpty();
}

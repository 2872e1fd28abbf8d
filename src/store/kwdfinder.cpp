#include "kwdfinder.h"

#include "kwdstreamguard.h"

#include <QDataStream>

kwdFinder::kwdFinder(const QString& n, int c) : name(n), category(c) {}

QString kwdFinder::field(int key) const
{
    return fields.value(key);
}

void kwdFinder::setField(int key, const QString& value)
{
    fields.insert(key, value);
}

void kwdFinder::copyConditions(const kwdFinder& other)
{
    auto copyRange = [&](int from, int to) {
        for (int key = from; key <= to; ++key) {
            if (other.fields.contains(key))
                fields.insert(key, other.fields.value(key));
            else
                fields.remove(key);
        }
    };
    copyRange(HaClass, SortHouse);
    copyRange(PushFlag, PushLastLease);
}

void kwdFinder::write(QDataStream& out) const
{
    out << name << qint32(category) << qint32(fields.size());
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        out << qint32(it.key()) << it.value();
}

bool kwdFinder::read(QDataStream& in)
{
    QString n;
    qint32 c = 0;
    in >> n >> c;
    // A field needs at least its key and the length of its value.
    const qint32 count = kwdStreamGuard::readCount(in, 8);
    if (count < 0)
        return false;
    QMap<int, QString> f;
    for (qint32 i = 0; i < count; ++i) {
        qint32 key = 0;
        QString value;
        in >> key >> value;
        if (in.status() != QDataStream::Ok)
            return false;
        f.insert(key, value);
    }
    name = n;
    category = c;
    fields = f;
    return true;
}

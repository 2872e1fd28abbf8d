#include "kwdfinder.h"

#include "kwddevice.h"
#include "kwdliveposition.h"
#include "kwdqueryvalue.h"
#include "kwdstore.h"
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

namespace {

// A stored range "low-high": the number before the first "-" and the one after it; text that is not
// a number reads 0. Gives the pair only when the bounds differ; a missing upper bound is sent empty.
QString rangePairs(const QString& range, const char* lowName, const char* highName)
{
    if (range.isEmpty() || !range.contains(QLatin1Char('-')))
        return QString();
    const int low = range.section(QLatin1Char('-'), 0, 0).toInt();
    const int high = range.section(QLatin1Char('-'), 1, 1).toInt();
    if (low == high)
        return QString();
    return QStringLiteral("&%1=%2&%3=%4")
        .arg(QLatin1String(lowName), QString::number(low), QLatin1String(highName),
             high == 0 ? QString() : QString::number(high));
}

} // namespace

QString kwdFinder::buildQuery()
{
    const auto esc = &kwdQueryValue::encode;
    const int c = category;
    const bool house = c == 2 || c == 3;
    QString q;

    switch (field(Mode).toInt()) {
    case 101: {
        const QString district = field(District);
        if (!district.isEmpty()) {
            kwdStore* store = kwdStore::instance();
            const QString code = store->districtCode(store->cityCode(field(City)), district);
            if (!code.isEmpty())
                q += QStringLiteral("&distcode=") + esc(code);
        }
        break;
    }
    case 102: {
        const int radius = field(Radius).toInt();
        const kwdLivePosition* location = kwdLivePosition::current();
        double lon = 0.0;
        double lat = 0.0;
        if (radius > 0 && location && location->position(&lon, &lat)) {
            q +=
                QStringLiteral("&location=%1|%2|%3")
                    .arg(QString::number(lon, 'f', 6), QString::number(lat, 'f', 6), QString::number(radius));
            setField(Latitude, QString::number(lat, 'f', 8));
            setField(Longitude, QString::number(lon, 'f', 8));
        }
        break;
    }
    case 103: {
        const QString id = field(HaId);
        if (!id.isEmpty()) {
            const int range = field(PlaceRange).toInt();
            if (range < 1)
                q += QStringLiteral("&ha=") + esc(id);
            else
                q += QStringLiteral("&location=%1|%2").arg(esc(id), QString::number(range));
        }
        break;
    }
    default:
        break;
    }

    const QString keyword = field(Keyword);
    if (!keyword.isEmpty())
        q += QStringLiteral("&keyword=") + esc(keyword);

    if (c != 4) {
        const QString type = field(c == 1 ? HaClass : PropType);
        if (!type.isEmpty())
            q += (c == 1 ? QStringLiteral("&haclcode=") : QStringLiteral("&proptype=")) + esc(type);
    }

    if (house) {
        const int rooms = field(RoomType).toInt();
        if (rooms == 5)
            q += QStringLiteral("&bldgcode=21");
        else if (rooms > 0)
            q += QStringLiteral("&br=") + QString::number(rooms);
    }

    if (c == 3 && field(ShareRent).toInt() > 0)
        q += QStringLiteral("&leasecode=1");

    if (house)
        q += rangePairs(field(AreaSize), "bldgarea1", "bldgarea2");

    if (c != 4) {
        const int priceField = c == 1 ? PriceHa : c == 2 ? PriceSale : PriceLease;
        q += rangePairs(field(priceField), "price1", "price2");
    }

    if (house) {
        const int floor = field(Floor).toInt();
        if (floor >= 8)
            q += QStringLiteral("&f1=8&f2=");
        else if (floor >= 1)
            q += QStringLiteral("&f1=%1&f2=%1").arg(floor);

        const int source = field(Source).toInt();
        if (source > 0)
            q += QStringLiteral("&offer=") + QString::number(source - 1);
    }

    if (c == 1 && !field(SortHa).isEmpty())
        q += QStringLiteral("&ob=") + esc(field(SortHa));
    else if (house && !field(SortHouse).isEmpty())
        q += QStringLiteral("&ob=") + esc(field(SortHouse));

    q += QStringLiteral("&sn=") + kwdDevice::id();
    return q.mid(1);
}

int kwdFinder::activeConditions() const
{
    // Built on a copy: an around-me query records the position it used.
    kwdFinder copy(*this);
    const QString query = copy.buildQuery();
    // Pairs of one range count once, by their first key.
    static const QStringList keys = {"distcode",  "keyword",   "haclcode", "proptype", "br",   "bldgcode",
                                     "leasecode", "bldgarea1", "price1",   "f1",       "offer"};
    int count = 0;
    for (const QString& pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        if (keys.contains(pair.section(QLatin1Char('='), 0, 0)))
            ++count;
    }
    return count;
}

void kwdFinder::clearConditions()
{
    for (int key : {District, HaClass, PropType, PriceHa, PriceSale, PriceLease, AreaSize, RoomType,
                    ShareRent, Keyword, Floor, Source})
        fields.remove(key);
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

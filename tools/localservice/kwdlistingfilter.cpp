#include "kwdlistingfilter.h"

#include "kwdformfields.h"
#include "kwdsamplecity.h"

#include <algorithm>
#include <functional>

namespace {
const double maxRadius = 50000;

bool readNumber(const QString& text, double* out)
{
    if (text.trimmed().isEmpty())
        return true;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < 0)
        return false;
    *out = v;
    return true;
}

bool inRange(double value, double low, double high)
{
    if (low >= 0 && value < low)
        return false;
    if (high > 0 && value > high)
        return false;
    return true;
}
} // namespace

kwdListingFilter kwdListingFilter::parse(const kwdFormFields& f, Category category)
{
    kwdListingFilter q;
    q.category = category;
    auto positive = [&](const char* key, int* target, int low, int high) {
        const QString text = f.value(QLatin1String(key)).trimmed();
        if (text.isEmpty())
            return;
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok || v < low)
            q.error = QStringLiteral("bad %1").arg(QLatin1String(key));
        else
            *target = qMin(v, high);
    };
    positive("page", &q.page, 1, 1000000);
    positive("percount", &q.perCount, 1, 200);

    q.districtCode = f.value(QStringLiteral("distcode")).trimmed();
    const QString location = f.value(QStringLiteral("location")).trimmed();
    if (!location.isEmpty()) {
        const QStringList parts = location.split(QLatin1Char('|'));
        bool ok = parts.size() == 2 || parts.size() == 3;
        double r = ok ? parts.last().trimmed().toDouble(&ok) : 0;
        if (!ok || r < 0)
            q.error = QStringLiteral("bad location");
        q.radius = qMin(r, maxRadius);
        if (ok && parts.size() == 3) {
            bool ok1 = false, ok2 = false;
            double a = parts[0].trimmed().toDouble(&ok1);
            double b = parts[1].trimmed().toDouble(&ok2);
            if (!ok1 || !ok2 || qAbs(a) > 180 || qAbs(b) > 180) {
                q.error = QStringLiteral("bad location");
            } else {
                // The order is longitude|latitude; some callers send latitude first. Within the
                // country the two never overlap (latitudes below 60, longitudes above 70).
                if (qAbs(a) < 60 && qAbs(b) > 70)
                    std::swap(a, b);
                q.longitude = a;
                q.latitude = b;
                q.hasPoint = true;
            }
        } else if (ok) {
            q.aroundHousingArea = parts[0].trimmed();
        }
    }
    q.housingArea = f.value(QStringLiteral("ha")).trimmed();
    q.keyword = f.value(QStringLiteral("keyword")).trimmed();
    q.classCode = f.value(QStringLiteral("haclcode")).trimmed();
    q.propType = f.value(QStringLiteral("proptype")).trimmed();
    positive("br", &q.rooms, 0, 4);
    q.villa = f.value(QStringLiteral("bldgcode")).trimmed() == QLatin1String("21");
    q.shared = f.value(QStringLiteral("leasecode")).trimmed() == QLatin1String("1");
    if (!readNumber(f.value(QStringLiteral("bldgarea1")), &q.area1) ||
        !readNumber(f.value(QStringLiteral("bldgarea2")), &q.area2) ||
        !readNumber(f.value(QStringLiteral("price1")), &q.price1) ||
        !readNumber(f.value(QStringLiteral("price2")), &q.price2))
        q.error = QStringLiteral("bad range");
    positive("f1", &q.floor1, 0, 1000);
    positive("f2", &q.floor2, 0, 1000);
    positive("offer", &q.offer, 0, 2);
    q.order = f.value(QStringLiteral("ob")).trimmed();
    return q;
}

bool kwdListingFilter::resolvePoint(const kwdSampleCity& city, double* lat, double* lon) const
{
    if (hasPoint) {
        *lat = latitude;
        *lon = longitude;
        return true;
    }
    if (!aroundHousingArea.isEmpty()) {
        const int h = city.housingAreaById(aroundHousingArea);
        if (h < 0)
            return false;
        *lat = city.housingAreas[h].latitude;
        *lon = city.housingAreas[h].longitude;
        return true;
    }
    return false;
}

bool kwdListingFilter::listingMatches(const kwdSampleCity& city, const kwdSampleListing& l) const
{
    if (!districtCode.isEmpty() && (l.district < 0 || city.districts[l.district].code != districtCode))
        return false;
    if (!housingArea.isEmpty() && (l.housingArea < 0 || city.housingAreas[l.housingArea].id != housingArea))
        return false;
    if (!propType.isEmpty() && l.propType != propType)
        return false;
    if (villa && !l.villa)
        return false;
    if (rooms > 0 &&
        (l.villa || l.propType != QLatin1String("11") || (rooms >= 4 ? l.rooms < 4 : l.rooms != rooms)))
        return false;
    if (shared && !l.shared)
        return false;
    if (!inRange(l.area, area1, area2) || !inRange(l.price, price1, price2))
        return false;
    if (!inRange(l.floor, floor1, floor2 > 0 ? floor2 : -1))
        return false;
    if (offer >= 0 && l.offer != offer)
        return false;
    if (!keyword.isEmpty()) {
        QString text = l.title + QLatin1Char(' ') + l.address;
        if (l.housingArea >= 0)
            text += QLatin1Char(' ') + city.housingAreas[l.housingArea].name;
        if (l.street >= 0)
            text += QLatin1Char(' ') + city.streets[l.street].name;
        if (l.district >= 0)
            text += QLatin1Char(' ') + city.districts[l.district].name;
        if (!text.contains(keyword, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

QList<int> kwdListingFilter::matches(const kwdSampleCity& city) const
{
    kwdListingFilter all = *this;
    all.page = 1;
    all.perCount = 1 << 30;
    return all.select(city).indexes;
}

kwdListingFilter::Page kwdListingFilter::select(const kwdSampleCity& city) const
{
    Page result;
    result.skip = (page - 1) * perCount + 1;
    if (!isValid())
        return result;
    double pLat = 0, pLon = 0;
    const bool withPoint = resolvePoint(city, &pLat, &pLon);
    if (!withPoint && !aroundHousingArea.isEmpty())
        return result; // around a housing area we do not know: nothing is near it
    const bool radiusLimit = withPoint && radius > 0;

    struct Hit
    {
        int index;
        double distance;
    };
    QList<Hit> hits;
    auto consider = [&](int index, double lat, double lon) {
        const double d = withPoint ? kwdSampleCity::distanceMetres(pLat, pLon, lat, lon) : -1;
        if (radiusLimit && d > radius)
            return;
        hits.append({index, d});
    };

    if (category == Sales || category == Leases) {
        const QList<kwdSampleListing>& list = city.listings(category == Leases);
        for (int i = 0; i < list.size(); ++i) {
            if (listingMatches(city, list[i]))
                consider(i, list[i].latitude, list[i].longitude);
        }
        auto key = [&](const Hit& h) -> const kwdSampleListing& { return list[h.index]; };
        auto unit = [&](const Hit& h) { return key(h).price / qMax(1.0, key(h).area); };
        // The default order, and the push queries' whatever is asked: newest update first.
        const QString ob = newestFirst ? QString() : order;
        std::function<bool(const Hit&, const Hit&)> less;
        if (ob == QLatin1String("2"))
            less = [&](const Hit& a, const Hit& b) { return key(a).area > key(b).area; };
        else if (ob == QLatin1String("3"))
            less = [&](const Hit& a, const Hit& b) { return key(a).area < key(b).area; };
        else if (ob == QLatin1String("4"))
            less = [&](const Hit& a, const Hit& b) { return unit(a) > unit(b); };
        else if (ob == QLatin1String("5"))
            less = [&](const Hit& a, const Hit& b) { return unit(a) < unit(b); };
        else if (ob == QLatin1String("6"))
            less = [&](const Hit& a, const Hit& b) { return key(a).price > key(b).price; };
        else if (ob == QLatin1String("7"))
            less = [&](const Hit& a, const Hit& b) { return key(a).price < key(b).price; };
        else if (ob == QLatin1String("9"))
            less = [&](const Hit& a, const Hit& b) { return key(a).published > key(b).published; };
        else if (ob == QLatin1String("d1") && withPoint)
            less = [](const Hit& a, const Hit& b) { return a.distance < b.distance; };
        else
            less = [&](const Hit& a, const Hit& b) { return key(a).updated > key(b).updated; };
        std::stable_sort(hits.begin(), hits.end(), less);
    } else if (category == HousingAreas) {
        for (int i = 0; i < city.housingAreas.size(); ++i) {
            const kwdSampleHousingArea& h = city.housingAreas[i];
            if (!districtCode.isEmpty() &&
                (h.district < 0 || city.districts[h.district].code != districtCode))
                continue;
            if (!housingArea.isEmpty() && h.id != housingArea)
                continue;
            if (!classCode.isEmpty() && h.classCode != classCode)
                continue;
            if ((price1 >= 0 || price2 > 0) && !inRange(h.price, price1, price2))
                continue;
            if (!keyword.isEmpty() && !h.name.contains(keyword, Qt::CaseInsensitive) &&
                !h.address.contains(keyword, Qt::CaseInsensitive))
                continue;
            consider(i, h.latitude, h.longitude);
        }
        auto price = [&](const Hit& h) { return city.housingAreas[h.index].price; };
        if (order == QLatin1String("p1"))
            std::stable_sort(hits.begin(), hits.end(),
                             [&](const Hit& a, const Hit& b) { return price(a) < price(b); });
        else if (order == QLatin1String("p2"))
            std::stable_sort(hits.begin(), hits.end(),
                             [&](const Hit& a, const Hit& b) { return price(a) > price(b); });
        else if (order == QLatin1String("d1") && withPoint)
            std::stable_sort(hits.begin(), hits.end(),
                             [](const Hit& a, const Hit& b) { return a.distance < b.distance; });
    } else {
        for (int i = 0; i < city.agencies.size(); ++i) {
            const kwdSampleAgency& a = city.agencies[i];
            if (!districtCode.isEmpty() &&
                (a.district < 0 || city.districts[a.district].code != districtCode))
                continue;
            if (!housingArea.isEmpty()) {
                const int h = city.housingAreaById(housingArea);
                if (h < 0 || !city.housingAreas[h].agencies.contains(i))
                    continue;
            }
            if (!keyword.isEmpty() && !a.name.contains(keyword, Qt::CaseInsensitive) &&
                !a.address.contains(keyword, Qt::CaseInsensitive))
                continue;
            consider(i, a.latitude, a.longitude);
        }
        if (order == QLatin1String("d1") && withPoint)
            std::stable_sort(hits.begin(), hits.end(),
                             [](const Hit& a, const Hit& b) { return a.distance < b.distance; });
    }

    result.total = hits.size();
    const qint64 first = qint64(page - 1) * perCount;
    for (qint64 i = first; i < hits.size() && i < first + perCount; ++i) {
        result.indexes.append(hits[i].index);
        result.distances.append(hits[i].distance);
    }
    return result;
}

#include "kwdsamplecity.h"

#include "kwdsamplenames.h"
#include "kwdsamplerandom.h"

#include <QtMath>

namespace {
const double kmPerDegree = 111.2;

QString pick(kwdSampleRandom& r, const QStringList& list)
{
    return list.isEmpty() ? QString() : list.at(r.index(list.size()));
}

// A point about the given distance (km) and angle away from the origin.
void offset(double lat, double lon, double km, double angle, double* outLat, double* outLon)
{
    *outLat = lat + km * qSin(angle) / kmPerDegree;
    *outLon = lon + km * qCos(angle) / (kmPerDegree * qCos(qDegreesToRadians(lat)));
}

QString mobile(kwdSampleRandom& r)
{
    static const char* prefixes[] = {"138", "139", "135", "136", "137", "150",
                                     "151", "158", "186", "188", "133", "189"};
    QString s = QLatin1String(prefixes[r.index(12)]);
    for (int i = 0; i < 8; ++i)
        s += QChar(u'0' + r.range(0, 9));
    return s;
}

QString landline(kwdSampleRandom& r, const QString& areaCode)
{
    const int digits = areaCode.size() >= 4 ? 7 : 8;
    QString s = areaCode + QLatin1Char('-') + QChar(u'0' + r.range(5, 8));
    for (int i = 1; i < digits; ++i)
        s += QChar(u'0' + r.range(0, 9));
    return s;
}

double round1(double v)
{
    return qRound(v * 10.0) / 10.0;
}
} // namespace

double kwdSampleCity::distanceMetres(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = qDegreesToRadians(lat1);
    const double p2 = qDegreesToRadians(lat2);
    const double dp = p2 - p1;
    const double dl = qDegreesToRadians(lon2 - lon1);
    const double a = qSin(dp / 2) * qSin(dp / 2) + qCos(p1) * qCos(p2) * qSin(dl / 2) * qSin(dl / 2);
    return 2.0 * 6371007.2 * qAtan2(qSqrt(a), qSqrt(1.0 - a));
}

kwdSampleCity::Profile kwdSampleCity::profileFor(const QString& code, const QString& name,
                                                 const QString& province)
{
    Profile p;
    p.code = code;
    p.name = name.isEmpty() ? code : name;
    p.province = province.isEmpty() ? p.name : province;
    if (const kwdSampleNames::LargeCity* big = kwdSampleNames::largeCity(code)) {
        p.name = name.isEmpty() ? QString::fromUtf8(big->name) : name;
        p.province = province.isEmpty() ? QString::fromUtf8(big->province) : province;
        p.latitude = big->latitude;
        p.longitude = big->longitude;
        p.salePrice = big->salePrice;
        p.areaCode = QLatin1String(big->areaCode);
        p.districts = QString::fromUtf8(big->districts).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        p.large = true;
        return p;
    }
    // Smaller cities get a stable made-up position inside the country and generic districts.
    const quint64 h = kwdSampleRandom::hash(code.toUtf8());
    p.latitude = 24.0 + double(h % 1800) / 100.0;
    p.longitude = 102.0 + double((h >> 16) % 2000) / 100.0;
    p.salePrice = 6000 + int((h >> 32) % 60) * 100;
    p.areaCode = QStringLiteral("0%1").arg(100 + int((h >> 40) % 900));
    p.districts = kwdSampleNames::genericDistricts().mid(0, 4 + int((h >> 50) % 3));
    return p;
}

QString kwdSampleCity::newCompoundName(kwdSampleRandom& r, QStringList* used) const
{
    const QStringList prefixes = kwdSampleNames::compoundPrefixes();
    const QStringList suffixes = kwdSampleNames::compoundSuffixes();
    for (int attempt = 0; attempt < 50; ++attempt) {
        const QString n = pick(r, prefixes) + pick(r, suffixes);
        if (!used->contains(n)) {
            used->append(n);
            return n;
        }
    }
    const QString n = pick(r, prefixes) + pick(r, suffixes) + QString::number(used->size());
    used->append(n);
    return n;
}

kwdSampleCity kwdSampleCity::generate(const Profile& profile, quint64 seed, const QDateTime& reference)
{
    kwdSampleCity c;
    c.profile = profile;
    kwdSampleRandom r(kwdSampleRandom::mix(seed, kwdSampleRandom::hash(profile.code.toUtf8())));
    const bool large = profile.large;

    // Districts: the first in the centre, the others on a ring around it.
    const int nd = profile.districts.size();
    for (int i = 0; i < nd; ++i) {
        kwdSampleDistrict d;
        d.code = QStringLiteral("%1%2").arg(profile.code).arg(i + 1, 2, 10, QLatin1Char('0'));
        d.name = profile.districts.at(i);
        const double km = i == 0 ? r.uniform(0.3, 1.2) : (large ? r.uniform(4.0, 14.0) : r.uniform(2.0, 6.0));
        const double angle =
            i == 0 ? r.uniform(0, 2 * M_PI) : 2 * M_PI * (i - 1) / qMax(1, nd - 1) + r.uniform(-0.3, 0.3);
        offset(profile.latitude, profile.longitude, km, angle, &d.latitude, &d.longitude);
        d.salePrice =
            qRound(profile.salePrice * qMax(0.55, 1.3 - 0.08 * i) * r.uniform(0.95, 1.05) / 100.0) * 100;
        d.leasePrice = qRound(d.salePrice / r.uniform(650, 780) * 100.0) / 100.0;
        d.images = r.range(2, 3);
        c.districts.append(d);
    }

    // Streets: a few per district, with unique names.
    const QStringList roots = kwdSampleNames::streetRoots();
    const QStringList suffixes = kwdSampleNames::streetSuffixes();
    QStringList usedStreets;
    for (int di = 0; di < nd; ++di) {
        const int count = large ? 3 : 2;
        for (int k = 0; k < count; ++k) {
            kwdSampleStreet s;
            s.id = QStringLiteral("R%1").arg(5001 + c.streets.size());
            QString n;
            for (int attempt = 0; attempt < 40 && (n.isEmpty() || usedStreets.contains(n)); ++attempt)
                n = pick(r, roots) + pick(r, suffixes);
            if (usedStreets.contains(n))
                n += QString::number(c.streets.size());
            usedStreets.append(n);
            s.name = n;
            s.district = di;
            s.crossedDistricts = {di};
            if (nd > 1 && r.chance(0.4))
                s.crossedDistricts.append((di + 1) % nd);
            s.width = r.range(3, 12) * 5;
            s.length = r.range(8, 90) * 100;
            s.updated = reference.addDays(-r.range(1, 400)).addSecs(-r.range(0, 86399));
            offset(c.districts[di].latitude, c.districts[di].longitude, r.uniform(0.2, 1.5),
                   r.uniform(0, 2 * M_PI), &s.latitude, &s.longitude);
            s.images = r.range(1, 2);
            c.streets.append(s);
        }
    }
    for (int i = 0; i < c.streets.size(); ++i) {
        kwdSampleStreet& s = c.streets[i];
        s.from = c.streets[(i + 1) % c.streets.size()].name + QStringLiteral("口");
        s.to = c.streets[(i + 3) % c.streets.size()].name + QStringLiteral("口");
    }

    // Housing areas: mostly residential compounds, a few other kinds of places.
    const int nha = large ? 48 : 14;
    QStringList usedNames;
    static const char* otherCodes[] = {"sa", "hp", "ed", "ht", "rg", "gz", "se"};
    static const char* otherNames[] = {"购物中心", "人民医院", "实验中学",    "大酒店",
                                       "美食城",   "体育中心", "便民服务中心"};
    const QStringList developers = kwdSampleNames::developers();
    const QStringList prefixes = kwdSampleNames::compoundPrefixes();
    for (int i = 0; i < nha; ++i) {
        kwdSampleHousingArea h;
        h.id = QStringLiteral("H%1").arg(10001 + i);
        h.district = (i < nd) ? i : (r.chance(0.5) ? r.index(qMin(nd, 4)) : r.index(nd));
        const kwdSampleDistrict& d = c.districts[h.district];
        QList<int> local;
        for (int s = 0; s < c.streets.size(); ++s) {
            if (c.streets[s].district == h.district)
                local.append(s);
        }
        h.street = local.isEmpty() ? -1 : local.at(r.index(local.size()));
        offset(d.latitude, d.longitude, r.uniform(0.1, large ? 2.6 : 1.6), r.uniform(0, 2 * M_PI),
               &h.latitude, &h.longitude);
        const bool residential = i < 6 || r.chance(0.86);
        if (residential) {
            h.classCode = QStringLiteral("pa");
            h.name = c.newCompoundName(r, &usedNames);
            h.price = qRound(d.salePrice * r.uniform(0.8, 1.22) / 100.0) * 100;
            h.leasePrice = qRound(h.price / r.uniform(650, 800) * 100.0) / 100.0;
            h.priceRise = round1(r.uniform(-3.0, 5.0));
            h.leaseRise = round1(r.uniform(-2.0, 4.0));
            h.images = r.range(3, 6);
        } else {
            const int k = r.index(7);
            h.classCode = QLatin1String(otherCodes[k]);
            h.name = pick(r, prefixes) + QString::fromUtf8(otherNames[k]);
            if (usedNames.contains(h.name))
                h.name = d.name.left(2) + h.name;
            usedNames.append(h.name);
            h.images = r.range(1, 2);
        }
        h.landArea = r.range(20, 260) * 1000;
        h.builtYear = r.range(1995, 2016);
        h.developer = pick(r, developers);
        h.pageView = r.range(50, 5000);
        const QString streetName = h.street >= 0 ? c.streets[h.street].name : d.name;
        h.address = QStringLiteral("%1%2号").arg(streetName).arg(r.range(1, 260));
        if (h.street >= 0)
            c.streets[h.street].housingAreas.append(i);
        c.housingAreas.append(h);
    }

    // Agencies: branch offices of the well-known brands, near a compound.
    const QStringList brands = kwdSampleNames::agencyBrands();
    const int nag = large ? 24 : 8;
    QList<int> residentialAreas;
    for (int i = 0; i < c.housingAreas.size(); ++i) {
        if (c.housingAreas[i].classCode == QLatin1String("pa"))
            residentialAreas.append(i);
    }
    for (int i = 0; i < nag; ++i) {
        kwdSampleAgency a;
        a.id = QStringLiteral("C%1").arg(4001 + i);
        a.housingArea = residentialAreas.at(r.index(residentialAreas.size()));
        const kwdSampleHousingArea& h = c.housingAreas[a.housingArea];
        a.district = h.district;
        const QString place = (r.chance(0.5) && h.street >= 0) ? c.streets[h.street].name : h.name;
        a.name = QStringLiteral("%1 %2店").arg(pick(r, brands), place);
        a.address = QStringLiteral("%1 底商%2号").arg(h.address).arg(r.range(1, 30));
        offset(h.latitude, h.longitude, r.uniform(0.05, 0.4), r.uniform(0, 2 * M_PI), &a.latitude,
               &a.longitude);
        switch (r.index(5)) {
        case 0:
            a.phone = landline(r, profile.areaCode) + QStringLiteral(" / ") + mobile(r);
            break;
        case 1:
            a.phone = mobile(r) + QLatin1Char(',') + mobile(r);
            break;
        case 2:
            a.phone = mobile(r);
            break;
        case 3:
            a.phone = landline(r, profile.areaCode);
            break;
        default:
            a.phone = QStringLiteral("400-%1-%2").arg(r.range(600, 899)).arg(r.range(1000, 9999));
        }
        a.images = r.range(1, 2);
        c.agencies.append(a);
        c.housingAreas[a.housingArea].agencies.append(i);
    }
    // Every compound is served by at least one agency of its district when there is one.
    for (int hi : residentialAreas) {
        kwdSampleHousingArea& h = c.housingAreas[hi];
        if (!h.agencies.isEmpty())
            continue;
        for (int ai = 0; ai < c.agencies.size(); ++ai) {
            if (c.agencies[ai].district == h.district) {
                h.agencies.append(ai);
                break;
            }
        }
    }

    // Listings, published minutes, hours, days and weeks before the reference time.
    const int counts[2] = {large ? 320 : 70, large ? 300 : 60};
    for (int lease = 0; lease < 2; ++lease) {
        for (int i = 0; i < counts[lease]; ++i) {
            const double bucket = r.uniform(0, 1);
            qint64 age;
            if (bucket < 0.08)
                age = r.range(1, 59) * 60;
            else if (bucket < 0.25)
                age = r.range(1, 23) * 3600 + r.range(0, 3599);
            else if (bucket < 0.6)
                age = r.range(1, 6) * 86400 + r.range(0, 86399);
            else
                age = r.range(7, 60) * 86400 + r.range(0, 86399);
            kwdSampleListing l = c.makeListing(lease == 1, r, reference.addSecs(-age), i);
            l.updated = reference.addSecs(-qint64(r.uniform(0, 1) * double(qMin<qint64>(age, 3 * 86400))));
            c.addListing(l);
        }
    }
    c.recount();
    return c;
}

kwdSampleListing kwdSampleCity::makeListing(bool lease, kwdSampleRandom& r, const QDateTime& published,
                                            int serial) const
{
    kwdSampleListing l;
    l.lease = lease;
    l.id = lease ? QStringLiteral("L%1").arg(300001 + serial) : QStringLiteral("S%1").arg(200001 + serial);
    QList<int> residential;
    for (int i = 0; i < housingAreas.size(); ++i) {
        if (housingAreas[i].classCode == QLatin1String("pa"))
            residential.append(i);
    }
    l.housingArea = residential.at(r.index(residential.size()));
    const kwdSampleHousingArea& h = housingAreas[l.housingArea];
    l.district = h.district;
    l.street = h.street;
    offset(h.latitude, h.longitude, r.uniform(0.0, 0.06), r.uniform(0, 2 * M_PI), &l.latitude, &l.longitude);
    l.address = QStringLiteral("%1 %2号楼").arg(h.address).arg(r.range(1, 24));

    const double kind = r.uniform(0, 1);
    l.propType =
        kind < 0.86 ? QStringLiteral("11") : (kind < 0.93 ? QStringLiteral("21") : QStringLiteral("22"));
    double unit = h.price * r.uniform(0.9, 1.12);
    double rentPerMetre = h.leasePrice * r.uniform(0.92, 1.15);
    static const int buildingHeights[] = {6, 7, 11, 18, 24, 28, 32};
    if (l.propType == QLatin1String("11")) {
        if (r.chance(lease ? 0.02 : 0.04)) {
            l.villa = true;
            l.rooms = r.range(4, 6);
            l.halls = r.range(2, 3);
            l.baths = r.range(3, 4);
            l.area = r.uniform(220, 480);
            l.floors = 3;
            l.floor = r.range(1, 3);
            unit *= 1.35;
        } else {
            const double w = r.uniform(0, 1);
            l.rooms = w < 0.2 ? 1 : (w < 0.58 ? 2 : (w < 0.88 ? 3 : (w < 0.97 ? 4 : 5)));
            static const double lows[] = {0, 38, 62, 88, 125, 150};
            static const double highs[] = {0, 62, 95, 140, 185, 240};
            l.area = r.uniform(lows[l.rooms], highs[l.rooms]);
            l.halls = l.rooms == 1 ? r.range(0, 1) : (l.rooms >= 3 ? 2 : 1);
            l.baths = l.rooms >= 4 ? r.range(2, 3) : (l.rooms == 3 ? r.range(1, 2) : 1);
            l.floors = buildingHeights[r.index(7)];
            l.floor = r.range(1, l.floors);
        }
    } else if (l.propType == QLatin1String("21")) {
        l.area = r.uniform(60, 400);
        l.floors = r.range(18, 40);
        l.floor = r.range(2, l.floors);
        unit *= 0.85;
        rentPerMetre *= 1.1;
    } else {
        l.area = r.uniform(30, 260);
        l.floors = r.range(2, 6);
        l.floor = r.range(1, 2);
        unit *= 1.25;
        rentPerMetre *= 1.3;
    }
    l.area = round1(l.area);
    if (lease && l.propType == QLatin1String("11") && !l.villa && l.rooms >= 2 && r.chance(0.22)) {
        l.shared = true;
        l.area = double(r.range(12, 28));
        rentPerMetre *= 1.3;
    }
    if (lease) {
        const int step = l.shared ? 50 : 100;
        l.price = qMax(step, qRound(l.area * rentPerMetre / step) * step);
    } else {
        const double total = unit * l.area / 10000.0;
        l.price = total >= 100 ? double(qRound(total)) : round1(total);
    }
    const QStringList orientations = kwdSampleNames::orientations();
    l.orientation = pick(r, orientations);
    l.decoration = pick(r, kwdSampleNames::decorations());
    const double who = r.uniform(0, 1);
    l.offer = lease ? (who < 0.4 ? 0 : (who < 0.98 ? 1 : 2)) : (who < 0.3 ? 0 : (who < 0.9 ? 1 : 2));
    if (l.offer == 1 && !agencies.isEmpty()) {
        l.agency =
            h.agencies.isEmpty() ? r.index(agencies.size()) : h.agencies.at(r.index(h.agencies.size()));
    } else if (l.offer == 2) {
        l.contactName = h.developer + QStringLiteral("销售中心");
        l.contactPhone = QStringLiteral("400-%1-%2").arg(r.range(600, 899)).arg(r.range(1000, 9999));
    } else {
        l.offer = 0;
        l.contactName = pick(r, kwdSampleNames::surnames()) +
                        (r.chance(0.55) ? QStringLiteral("先生") : QStringLiteral("女士"));
        l.contactPhone = mobile(r);
    }

    // Title: compound, layout and two selling points, as people write them.
    const QStringList features = lease ? kwdSampleNames::leaseFeatures() : kwdSampleNames::saleFeatures();
    const QString f1 = pick(r, features);
    QString f2 = pick(r, features);
    if (f2 == f1)
        f2 = features.at((features.indexOf(f1) + 1) % features.size());
    const QString area = QString::number(qRound(l.area));
    if (l.propType == QLatin1String("21")) {
        l.title = QStringLiteral("%1 写字楼 %2平米 %3").arg(h.name, area, f1);
    } else if (l.propType == QLatin1String("22")) {
        l.title = QStringLiteral("%1 临街商铺 %2平米 人流量大").arg(h.name, area);
    } else if (l.villa) {
        l.title = QStringLiteral("%1 独栋别墅 %2平米 %3").arg(h.name, area, f1);
    } else if (l.shared) {
        l.title = QStringLiteral("合租 · %1 %2居室 %3 %4")
                      .arg(h.name)
                      .arg(l.rooms)
                      .arg(r.chance(0.5) ? QStringLiteral("主卧") : QStringLiteral("次卧"), f1);
    } else {
        const QString layout = QStringLiteral("%1室%2厅").arg(l.rooms).arg(l.halls);
        l.title = lease ? QStringLiteral("整租 · %1 %2 %3 %4").arg(h.name, layout, f1, f2)
                        : QStringLiteral("%1 %2 %3 %4").arg(h.name, layout, f1, f2);
    }
    l.published = published;
    l.updated = published;
    l.priceRise = round1(r.uniform(-4.0, 6.0));
    l.images = l.shared ? r.range(1, 3) : r.range(2, 6);
    l.pageView = r.range(5, 900);
    return l;
}

void kwdSampleCity::addListing(const kwdSampleListing& listing)
{
    (listing.lease ? leases : sales).append(listing);
    if (listing.housingArea >= 0 && listing.housingArea < housingAreas.size()) {
        kwdSampleHousingArea& h = housingAreas[listing.housingArea];
        (listing.lease ? h.leaseCount : h.saleCount)++;
    }
}

void kwdSampleCity::recount()
{
    for (kwdSampleHousingArea& h : housingAreas)
        h.saleCount = h.leaseCount = 0;
    for (const QList<kwdSampleListing>* list : {&sales, &leases}) {
        for (const kwdSampleListing& l : *list) {
            if (l.housingArea >= 0 && l.housingArea < housingAreas.size())
                (l.lease ? housingAreas[l.housingArea].leaseCount : housingAreas[l.housingArea].saleCount)++;
        }
    }
}

int kwdSampleCity::districtByCode(const QString& code) const
{
    for (int i = 0; i < districts.size(); ++i) {
        if (districts[i].code == code)
            return i;
    }
    return -1;
}

int kwdSampleCity::streetById(const QString& id) const
{
    for (int i = 0; i < streets.size(); ++i) {
        if (streets[i].id == id)
            return i;
    }
    return -1;
}

int kwdSampleCity::housingAreaById(const QString& id) const
{
    for (int i = 0; i < housingAreas.size(); ++i) {
        if (housingAreas[i].id == id)
            return i;
    }
    return -1;
}

int kwdSampleCity::agencyById(const QString& id) const
{
    for (int i = 0; i < agencies.size(); ++i) {
        if (agencies[i].id == id)
            return i;
    }
    return -1;
}

int kwdSampleCity::listingById(bool lease, const QString& id) const
{
    const QList<kwdSampleListing>& list = listings(lease);
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].id == id)
            return i;
    }
    return -1;
}

#include "kwdformfields.h"
#include "kwdlistingfilter.h"
#include "kwdsamplecity.h"
#include "kwdsamplenames.h"
#include "kwdservicedocuments.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QDomDocument>
#include <QSet>
#include <QtTest>

#include <functional>

namespace {

kwdListingFilter filterOf(const QString& query, kwdListingFilter::Category c)
{
    return kwdListingFilter::parse(kwdFormFields::parse(query.toUtf8()), c);
}

// Whether a listing of the city should pass a filter, said independently of the filter's code.
using Check = std::function<bool(const kwdSampleCity&, const kwdSampleListing&)>;
// The value a sort order sorts by.
using Key = std::function<double(const kwdSampleListing&)>;
// A document built from the sample city.
using Build = std::function<QByteArray()>;

} // namespace

Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(Key)
Q_DECLARE_METATYPE(Build)

// The generated sample data, the list-query semantics and the documents built from them.
class TestSampleData : public QObject
{
    Q_OBJECT
    kwdSampleCity bj;
    const QDateTime reference = QDateTime(QDate(2012, 5, 1), QTime(12, 0, 0));
    const kwdServiceDocuments docs = kwdServiceDocuments(QStringLiteral("kwd.test"));

private Q_SLOTS:
    void initTestCase()
    {
        bj = kwdSampleCity::generate(kwdSampleCity::profileFor(QStringLiteral("bj"), QString(), QString()), 7,
                                     reference);
    }

    void determinism()
    {
        const kwdSampleCity::Profile p =
            kwdSampleCity::profileFor(QStringLiteral("sh"), QString(), QString());
        auto everything = [&](int seed) {
            const kwdSampleCity city = kwdSampleCity::generate(p, seed, reference);
            QByteArray out = docs.cityInfo(city);
            for (const auto cat : {kwdListingFilter::HousingAreas, kwdListingFilter::Sales,
                                   kwdListingFilter::Leases, kwdListingFilter::Agencies})
                out += docs.resultList(city, cat, filterOf(QStringLiteral("percount=200"), cat).select(city));
            return out;
        };
        QCOMPARE(everything(11), everything(11));
        QVERIFY(everything(11) != everything(12));
    }

    void largeCityPlausible_data()
    {
        QTest::addColumn<QString>("code");
        for (const kwdSampleNames::LargeCity& c : kwdSampleNames::largeCities())
            kwdRow(c.code, QString::fromLatin1(c.code));
    }

    void largeCityPlausible()
    {
        QFETCH(QString, code);
        const kwdSampleCity::Profile profile = kwdSampleCity::profileFor(code, QString(), QString());
        const kwdSampleCity city = kwdSampleCity::generate(profile, 3, reference);
        QVERIFY(city.districts.size() >= 7 && city.sales.size() >= 300 && city.leases.size() >= 300);
        QVERIFY(city.housingAreas.size() >= 40 && city.agencies.size() >= 20);

        // Ages from minutes to weeks before the reference time, none in the future.
        QSet<int> buckets;
        for (const kwdSampleListing& l : city.sales + city.leases) {
            const qint64 age = l.published.secsTo(reference);
            QVERIFY(age >= 0);
            buckets.insert(age < 3600 ? 0 : age < 86400 ? 1 : age < 7 * 86400 ? 2 : 3);
            QVERIFY2(l.title.contains(city.housingAreas[l.housingArea].name), qPrintable(l.title));
            QVERIFY(l.area > 0 && l.price > 0);
            QVERIFY(city.districts[l.district].code.startsWith(code));
            QVERIFY(l.agency >= 0 ? !city.agencies[l.agency].phone.isEmpty()
                                  : !l.contactPhone.isEmpty() && !l.contactName.isEmpty());
            if (l.propType != QLatin1String("11"))
                continue;
            // Sale unit prices near the city's level, rents monthly: a few hundredths of a percent
            // of the sale price per square metre.
            if (l.lease) {
                const double perMetre = l.price / l.area;
                QVERIFY2(perMetre > profile.salePrice / 2000.0 && perMetre < profile.salePrice / 150.0,
                         qPrintable(QStringLiteral("%1 yuan for %2 m2").arg(l.price).arg(l.area)));
            } else {
                const double unit = l.price * 10000 / l.area;
                QVERIFY(unit > profile.salePrice * 0.3 && unit < profile.salePrice * 3);
            }
        }
        QCOMPARE(buckets.size(), 4);
        // Streets and districts link back to the compounds on them.
        for (int s = 0; s < city.streets.size(); ++s)
            for (int h : city.streets[s].housingAreas)
                QCOMPARE(city.housingAreas[h].street, s);
        QSet<QString> names;
        for (const kwdSampleHousingArea& h : city.housingAreas)
            names.insert(h.name);
        QCOMPARE(names.size(), city.housingAreas.size());
    }

    void filters_data()
    {
        QTest::addColumn<bool>("lease");
        QTest::addColumn<QString>("query");
        QTest::addColumn<Check>("check");
        using C = const kwdSampleCity&;
        using L = const kwdSampleListing&;
        const auto near = [](double lat, double lon, L l, double metres) {
            return kwdSampleCity::distanceMetres(lat, lon, l.latitude, l.longitude) <= metres;
        };
        const auto flat = [](L l) { return !l.villa && l.propType == QLatin1String("11"); };
        kwdRow("district", false, "distcode=bj04",
               Check([](C c, L l) { return c.districts[l.district].code == "bj04"; }));
        kwdRow("around a point", false, "location=116.4074|39.9042|3000",
               Check([=](C, L l) { return near(39.9042, 116.4074, l, 3000); }));
        kwdRow("point latitude first", true, "location=39.9042|116.4074|3000",
               Check([=](C, L l) { return near(39.9042, 116.4074, l, 3000); }));
        kwdRow("around a compound", false, "location=H10003|1500", Check([=](C c, L l) {
                   const kwdSampleHousingArea& h =
                       c.housingAreas[c.housingAreaById(QStringLiteral("H10003"))];
                   return near(h.latitude, h.longitude, l, 1500);
               }));
        kwdRow("compound", true, "ha=H10003",
               Check([](C c, L l) { return c.housingAreas[l.housingArea].id == "H10003"; }));
        kwdRow(
            "keyword", false, QStringLiteral("keyword=%1").arg(QStringLiteral("花园")), Check([](C c, L l) {
                return (l.title + l.address + c.housingAreas[l.housingArea].name + c.streets[l.street].name)
                    .contains(QStringLiteral("花园"));
            }));
        kwdRow("offices", true, "proptype=21", Check([](C, L l) { return l.propType == "21"; }));
        kwdRow("two rooms", false, "br=2", Check([=](C, L l) { return l.rooms == 2 && flat(l); }));
        kwdRow("four rooms and more", true, "br=4", Check([=](C, L l) { return l.rooms >= 4 && flat(l); }));
        kwdRow("villas", false, "bldgcode=21", Check([](C, L l) { return l.villa; }));
        kwdRow("shared rent", true, "leasecode=1", Check([](C, L l) { return l.shared; }));
        kwdRow("area band", false, "bldgarea1=60&bldgarea2=90",
               Check([](C, L l) { return l.area >= 60 && l.area <= 90; }));
        kwdRow("area from", true, "bldgarea1=100&bldgarea2=", Check([](C, L l) { return l.area >= 100; }));
        kwdRow("total price", false, "price1=300&price2=500",
               Check([](C, L l) { return l.price >= 300 && l.price <= 500; }));
        kwdRow("monthly rent", true, "price1=3000&price2=6000",
               Check([](C, L l) { return l.price >= 3000 && l.price <= 6000; }));
        kwdRow("third floor", false, "f1=3&f2=3", Check([](C, L l) { return l.floor == 3; }));
        kwdRow("eighth floor up", true, "f1=8&f2=", Check([](C, L l) { return l.floor >= 8; }));
        kwdRow("private owners", false, "offer=0", Check([](C, L l) { return l.offer == 0; }));
        kwdRow("agencies", true, "offer=1", Check([](C, L l) { return l.offer == 1; }));
    }

    void filters()
    {
        QFETCH(bool, lease);
        QFETCH(QString, query);
        QFETCH(Check, check);
        const kwdListingFilter f = filterOf(query + QStringLiteral("&sn=x"),
                                            lease ? kwdListingFilter::Leases : kwdListingFilter::Sales);
        QVERIFY(f.isValid());
        const QList<int> hits = f.matches(bj);
        const QList<kwdSampleListing>& all = bj.listings(lease);
        // The filter must select something, and not everything: exactly the listings that pass.
        QVERIFY(!hits.isEmpty() && hits.size() < all.size());
        int expected = 0;
        for (int i = 0; i < all.size(); ++i) {
            const bool ok = check(bj, all[i]);
            QCOMPARE(hits.contains(i), ok);
            expected += ok;
        }
        QCOMPARE(hits.size(), expected);
    }

    void sortOrders_data()
    {
        QTest::addColumn<QString>("ob");
        QTest::addColumn<Key>("key");
        QTest::addColumn<bool>("descending");
        using L = const kwdSampleListing&;
        const Key area = [](L l) { return l.area; }, unit = [](L l) { return l.price / l.area; },
                  total = [](L l) { return l.price; };
        kwdRow("area down", "2", area, true);
        kwdRow("area up", "3", area, false);
        kwdRow("unit price down", "4", unit, true);
        kwdRow("unit price up", "5", unit, false);
        kwdRow("total down", "6", total, true);
        kwdRow("total up", "7", total, false);
        kwdRow("publication", "9", Key([](L l) { return double(l.published.toSecsSinceEpoch()); }), true);
        kwdRow("default", "", Key([](L l) { return double(l.updated.toSecsSinceEpoch()); }), true);
    }

    void sortOrders()
    {
        QFETCH(QString, ob);
        QFETCH(Key, key);
        QFETCH(bool, descending);
        const QList<int> hits = filterOf(QStringLiteral("ob=") + ob, kwdListingFilter::Sales).matches(bj);
        QCOMPARE(hits.size(), bj.sales.size());
        for (int k = 1; k < hits.size(); ++k) {
            const double before = key(bj.sales[hits[k - 1]]), after = key(bj.sales[hits[k]]);
            QVERIFY(descending ? before >= after : before <= after);
        }
    }

    void paging_data()
    {
        QTest::addColumn<int>("perCount");
        QTest::addColumn<int>("page");
        kwdRow("first page", 20, 1);
        kwdRow("second page", 20, 2);
        kwdRow("odd size", 7, 3);
        kwdRow("last partial page", 50, 7);
        kwdRow("beyond the end", 50, 40);
        kwdRow("one big page", 200, 1);
    }

    void paging()
    {
        QFETCH(int, perCount);
        QFETCH(int, page);
        const QString base = QStringLiteral("distcode=bj02&percount=%1").arg(perCount);
        const kwdListingFilter f =
            filterOf(base + QStringLiteral("&page=%1").arg(page), kwdListingFilter::Leases);
        const kwdListingFilter::Page p = f.select(bj);
        const QList<int> all = f.matches(bj);
        QCOMPARE(p.total, all.size());
        QCOMPARE(p.skip, (page - 1) * perCount + 1);
        const int expectedSize = qBound(0, all.size() - (p.skip - 1), perCount);
        QCOMPARE(p.indexes.size(), expectedSize);
        QCOMPARE(p.indexes, all.mid(p.skip - 1, expectedSize));

        // Walking every page yields every record exactly once.
        QList<int> walked;
        for (int n = 1; n <= (all.size() + perCount - 1) / perCount; ++n)
            walked += filterOf(base + QStringLiteral("&page=%1").arg(n), kwdListingFilter::Leases)
                          .select(bj)
                          .indexes;
        QCOMPARE(walked, all);
    }

    void malformedQueries_data()
    {
        QTest::addColumn<QString>("query");
        for (const char* q : {"page=abc", "page=0", "percount=-1", "location=116.4|39.9|-5",
                              "location=east|north|100", "location=1|2|3|4", "price1=cheap", "bldgarea1=-10"})
            kwdRow(q, QString::fromLatin1(q));
    }

    void malformedQueries()
    {
        QFETCH(QString, query);
        const kwdListingFilter f = filterOf(query, kwdListingFilter::Sales);
        QVERIFY(!f.isValid());
        const kwdListingFilter::Page p = f.select(bj);
        QVERIFY(p.total == 0 && p.indexes.isEmpty());
        // The document is still a well-formed, empty result list.
        QDomDocument doc;
        QVERIFY(doc.setContent(docs.resultList(bj, f.category, p)));
        QCOMPARE(doc.documentElement().attribute(QStringLiteral("total")), QStringLiteral("0"));
    }

    void documentShapes_data()
    {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("elements");
        const QStringList common{"id", "name", "location", "imageurl", "imagecount", "address", "pageview"};
        const auto list = [this](kwdListingFilter::Category c, const QString& query = QString()) {
            return Build([this, c, query] { return docs.resultList(bj, c, filterOf(query, c).select(bj)); });
        };
        kwdRow("sale list", list(kwdListingFilter::Sales), "forsale",
               common + QStringList{"district", "street", "ha", "totalprice", "areasize", "publish", "floor",
                                    "co"});
        kwdRow("lease list", list(kwdListingFilter::Leases), "lease",
               common + QStringList{"price", "areasize", "publish", "floor", "co"});
        kwdRow("compound list", list(kwdListingFilter::HousingAreas, "location=116.4074|39.9042|5000&ob=d1"),
               "ha", common + QStringList{"salesum", "leasesum", "price", "leaseprice", "area", "distance"});
        kwdRow("agency list", list(kwdListingFilter::Agencies), "co",
               QStringList{"id", "name", "phone", "caption"});
        kwdRow("sale detail", Build([this] { return docs.listingDetail(bj, false, 5); }), "forsale",
               common + QStringList{"totalprice", "detail", "pricerise", "items", "co"});
        kwdRow("lease detail", Build([this] { return docs.listingDetail(bj, true, 3); }), "lease",
               common + QStringList{"price", "detail", "leasepricerise", "items", "co"});
        kwdRow("compound detail", Build([this] { return docs.housingAreaDetail(bj, 0); }), "ha",
               common + QStringList{"pricerise", "leasepricerise", "detail", "relateha", "co"});
        kwdRow("agency detail", Build([this] { return docs.agencyDetail(bj, 0); }), "co",
               QStringList{"id", "name", "phone", "project", "detail"});
        kwdRow("district", Build([this] { return docs.districtDetail(bj, 1); }), "district",
               QStringList{"id", "name", "detail", "price", "leaseprice", "marketf", "marketl"});
        kwdRow("street", Build([this] { return docs.streetDetail(bj, 0); }), "street",
               QStringList{"id", "streetname", "streetrange", "pointfrom", "pointto", "streetwidth",
                           "streetlength", "updatetime", "relateha"});
    }

    void documentShapes()
    {
        QFETCH(Build, build);
        QFETCH(QString, type);
        QFETCH(QStringList, elements);
        QDomDocument doc;
        QString error;
        QVERIFY2(doc.setContent(build(), &error), qPrintable(error));
        const QDomElement list = doc.elementsByTagName(QStringLiteral("resultlist")).at(0).toElement();
        QCOMPARE(list.attribute(QStringLiteral("type")), type);
        QVERIFY(list.attribute(QStringLiteral("total")).toInt() >= 1);
        QCOMPARE(list.attribute(QStringLiteral("skip")), QStringLiteral("1"));
        const QDomElement record = list.firstChildElement(type);
        for (const QString& e : elements)
            QVERIFY2(!record.firstChildElement(e).isNull(), qPrintable(e));
        QVERIFY(!record.firstChildElement(QStringLiteral("id")).text().trimmed().isEmpty());
        const QDomElement location = record.firstChildElement(QStringLiteral("location"));
        QVERIFY(location.isNull() || location.text().contains(QLatin1Char(',')));
        const QDomElement publish = record.firstChildElement(QStringLiteral("publish"));
        QVERIFY(publish.isNull() || QDateTime::fromString(publish.text(), "yyyy-MM-dd hh:mm:ss").isValid());
        // Related compounds come in groups named by their "type".
        const QDomElement group = record.firstChildElement(QStringLiteral("relateha")).firstChildElement();
        if (type == QLatin1String("ha") && !group.isNull()) {
            QVERIFY(!group.attribute(QStringLiteral("type")).isEmpty());
            QVERIFY(!group.firstChildElement(QStringLiteral("ha"))
                         .firstChildElement(QStringLiteral("id"))
                         .isNull());
        }
        // Links carry the identifier of what they point to.
        const QDomElement district = record.firstChildElement(QStringLiteral("district"));
        if (!district.isNull() && type != QLatin1String("district"))
            QVERIFY(bj.districtByCode(district.attribute(QStringLiteral("id"))) >= 0);
    }
};

KWD_TEST_MAIN(TestSampleData)
#include "tst_kwdsampledata.moc"

#include "kwdformfields.h"
#include "kwdlistingfilter.h"
#include "kwdpicturepainter.h"
#include "kwdsamplecity.h"
#include "kwdsamplenames.h"
#include "kwdservicedocuments.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDomDocument>
#include <QPainter>
#include <QSet>
#include <QtTest>

// The generated sample data, the list-query semantics and the documents built from them.
class TestSampleData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void determinism();
    void largeCityPlausible_data();
    void largeCityPlausible();
    void filters_data();
    void filters();
    void sortOrders_data();
    void sortOrders();
    void paging_data();
    void paging();
    void malformedQueries_data();
    void malformedQueries();
    void documentShapes_data();
    void documentShapes();
    void pictures();

private:
    kwdSampleCity bj;
    QDateTime reference = QDateTime(QDate(2012, 5, 1), QTime(12, 0, 0));
};

namespace {
kwdListingFilter filterOf(const QString& query, kwdListingFilter::Category c)
{
    return kwdListingFilter::parse(kwdFormFields::parse(query.toUtf8()), c);
}

QDomElement firstRecord(const QDomDocument& doc, const QString& tag)
{
    return doc.elementsByTagName(QStringLiteral("resultlist")).at(0).firstChildElement(tag);
}

enum Check
{
    District,
    NearPoint,
    NearArea,
    InArea,
    Keyword,
    Office,
    TwoRooms,
    FourPlus,
    Villa,
    Shared,
    AreaBand,
    AreaFrom,
    SalePrice,
    LeasePrice,
    ThirdFloor,
    EighthUp,
    Private,
    Agency
};
} // namespace

void TestSampleData::initTestCase()
{
    bj = kwdSampleCity::generate(kwdSampleCity::profileFor(QStringLiteral("bj"), QString(), QString()), 7,
                                 reference);
}

void TestSampleData::determinism()
{
    const kwdSampleCity::Profile p = kwdSampleCity::profileFor(QStringLiteral("sh"), QString(), QString());
    const kwdSampleCity a = kwdSampleCity::generate(p, 11, reference);
    const kwdSampleCity b = kwdSampleCity::generate(p, 11, reference);
    const kwdSampleCity c = kwdSampleCity::generate(p, 12, reference);
    const kwdServiceDocuments docs(QStringLiteral("kwd.test"));
    auto everything = [&](const kwdSampleCity& city) {
        QByteArray out = docs.cityInfo(city);
        for (const auto cat : {kwdListingFilter::HousingAreas, kwdListingFilter::Sales,
                               kwdListingFilter::Leases, kwdListingFilter::Agencies})
            out += docs.resultList(city, cat, filterOf(QStringLiteral("percount=200"), cat).select(city));
        return out;
    };
    QCOMPARE(everything(a), everything(b));
    QVERIFY(everything(a) != everything(c));
}

void TestSampleData::largeCityPlausible_data()
{
    QTest::addColumn<QString>("code");
    for (const kwdSampleNames::LargeCity& c : kwdSampleNames::largeCities())
        QTest::newRow(c.code) << QString::fromLatin1(c.code);
}

void TestSampleData::largeCityPlausible()
{
    QFETCH(QString, code);
    const kwdSampleCity::Profile profile = kwdSampleCity::profileFor(code, QString(), QString());
    const kwdSampleCity city = kwdSampleCity::generate(profile, 3, reference);
    QVERIFY(city.districts.size() >= 7);
    QVERIFY(city.sales.size() >= 300);
    QVERIFY(city.leases.size() >= 300);
    QVERIFY(city.housingAreas.size() >= 40);
    QVERIFY(city.agencies.size() >= 20);

    // Ages from minutes to weeks before the reference time, none in the future.
    QSet<int> buckets;
    for (const kwdSampleListing& l : city.sales + city.leases) {
        const qint64 age = l.published.secsTo(reference);
        QVERIFY(age >= 0);
        buckets.insert(age < 3600 ? 0 : age < 86400 ? 1 : age < 7 * 86400 ? 2 : 3);
        QVERIFY2(l.title.contains(city.housingAreas[l.housingArea].name), qPrintable(l.title));
        QVERIFY(l.area > 0 && l.price > 0);
        QVERIFY(city.districts[l.district].code.startsWith(code));
        if (l.agency >= 0)
            QVERIFY(!city.agencies[l.agency].phone.isEmpty());
        else
            QVERIFY(!l.contactPhone.isEmpty() && !l.contactName.isEmpty());
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
    for (int s = 0; s < city.streets.size(); ++s) {
        for (int h : city.streets[s].housingAreas)
            QCOMPARE(city.housingAreas[h].street, s);
    }
    QSet<QString> names;
    for (const kwdSampleHousingArea& h : city.housingAreas)
        names.insert(h.name);
    QCOMPARE(names.size(), city.housingAreas.size());
}

void TestSampleData::filters_data()
{
    QTest::addColumn<bool>("lease");
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("check");
    QTest::newRow("district") << false << "distcode=bj04" << int(District);
    QTest::newRow("around a point") << false << "location=116.4074|39.9042|3000" << int(NearPoint);
    QTest::newRow("point latitude first") << true << "location=39.9042|116.4074|3000" << int(NearPoint);
    QTest::newRow("around a compound") << false << "location=H10003|1500" << int(NearArea);
    QTest::newRow("compound") << true << "ha=H10003" << int(InArea);
    QTest::newRow("keyword") << false << QStringLiteral("keyword=%1").arg(QStringLiteral("花园"))
                             << int(Keyword);
    QTest::newRow("offices") << true << "proptype=21" << int(Office);
    QTest::newRow("two rooms") << false << "br=2" << int(TwoRooms);
    QTest::newRow("four rooms and more") << true << "br=4" << int(FourPlus);
    QTest::newRow("villas") << false << "bldgcode=21" << int(Villa);
    QTest::newRow("shared rent") << true << "leasecode=1" << int(Shared);
    QTest::newRow("area band") << false << "bldgarea1=60&bldgarea2=90" << int(AreaBand);
    QTest::newRow("area from") << true << "bldgarea1=100&bldgarea2=" << int(AreaFrom);
    QTest::newRow("total price") << false << "price1=300&price2=500" << int(SalePrice);
    QTest::newRow("monthly rent") << true << "price1=3000&price2=6000" << int(LeasePrice);
    QTest::newRow("third floor") << false << "f1=3&f2=3" << int(ThirdFloor);
    QTest::newRow("eighth floor up") << true << "f1=8&f2=" << int(EighthUp);
    QTest::newRow("private owners") << false << "offer=0" << int(Private);
    QTest::newRow("agencies") << true << "offer=1" << int(Agency);
}

void TestSampleData::filters()
{
    QFETCH(bool, lease);
    QFETCH(QString, query);
    QFETCH(int, check);
    const kwdListingFilter f =
        filterOf(query + QStringLiteral("&sn=x"), lease ? kwdListingFilter::Leases : kwdListingFilter::Sales);
    QVERIFY(f.isValid());
    const QList<int> hits = f.matches(bj);
    const QList<kwdSampleListing>& all = bj.listings(lease);
    // The filter must select something, and not everything.
    QVERIFY(!hits.isEmpty());
    QVERIFY(hits.size() < all.size());
    const kwdSampleHousingArea& h3 = bj.housingAreas[bj.housingAreaById(QStringLiteral("H10003"))];
    int expected = 0;
    for (int i = 0; i < all.size(); ++i) {
        const kwdSampleListing& l = all[i];
        bool ok = false;
        switch (check) {
        case District:
            ok = bj.districts[l.district].code == QLatin1String("bj04");
            break;
        case NearPoint:
            ok = kwdSampleCity::distanceMetres(39.9042, 116.4074, l.latitude, l.longitude) <= 3000;
            break;
        case NearArea:
            ok = kwdSampleCity::distanceMetres(h3.latitude, h3.longitude, l.latitude, l.longitude) <= 1500;
            break;
        case InArea:
            ok = bj.housingAreas[l.housingArea].id == QLatin1String("H10003");
            break;
        case Keyword:
            ok = (l.title + l.address + bj.housingAreas[l.housingArea].name + bj.streets[l.street].name)
                     .contains(QStringLiteral("花园"));
            break;
        case Office:
            ok = l.propType == QLatin1String("21");
            break;
        case TwoRooms:
            ok = l.rooms == 2 && !l.villa && l.propType == QLatin1String("11");
            break;
        case FourPlus:
            ok = l.rooms >= 4 && !l.villa && l.propType == QLatin1String("11");
            break;
        case Villa:
            ok = l.villa;
            break;
        case Shared:
            ok = l.shared;
            break;
        case AreaBand:
            ok = l.area >= 60 && l.area <= 90;
            break;
        case AreaFrom:
            ok = l.area >= 100;
            break;
        case SalePrice:
            ok = l.price >= 300 && l.price <= 500;
            break;
        case LeasePrice:
            ok = l.price >= 3000 && l.price <= 6000;
            break;
        case ThirdFloor:
            ok = l.floor == 3;
            break;
        case EighthUp:
            ok = l.floor >= 8;
            break;
        case Private:
            ok = l.offer == 0;
            break;
        case Agency:
            ok = l.offer == 1;
            break;
        }
        QCOMPARE(hits.contains(i), ok);
        expected += ok;
    }
    QCOMPARE(hits.size(), expected);
}

void TestSampleData::sortOrders_data()
{
    QTest::addColumn<QString>("ob");
    QTest::addColumn<int>("key"); // 0 area, 1 unit price, 2 total, 3 publish, 4 update
    QTest::addColumn<bool>("descending");
    QTest::newRow("area down") << "2" << 0 << true;
    QTest::newRow("area up") << "3" << 0 << false;
    QTest::newRow("unit price down") << "4" << 1 << true;
    QTest::newRow("unit price up") << "5" << 1 << false;
    QTest::newRow("total down") << "6" << 2 << true;
    QTest::newRow("total up") << "7" << 2 << false;
    QTest::newRow("publication") << "9" << 3 << true;
    QTest::newRow("default") << "" << 4 << true;
}

void TestSampleData::sortOrders()
{
    QFETCH(QString, ob);
    QFETCH(int, key);
    QFETCH(bool, descending);
    const QList<int> hits = filterOf(QStringLiteral("ob=") + ob, kwdListingFilter::Sales).matches(bj);
    QCOMPARE(hits.size(), bj.sales.size());
    auto value = [&](int i) -> double {
        const kwdSampleListing& l = bj.sales[i];
        switch (key) {
        case 0:
            return l.area;
        case 1:
            return l.price / l.area;
        case 2:
            return l.price;
        case 3:
            return double(l.published.toSecsSinceEpoch());
        default:
            return double(l.updated.toSecsSinceEpoch());
        }
    };
    for (int k = 1; k < hits.size(); ++k) {
        if (descending)
            QVERIFY(value(hits[k - 1]) >= value(hits[k]));
        else
            QVERIFY(value(hits[k - 1]) <= value(hits[k]));
    }
}

void TestSampleData::paging_data()
{
    QTest::addColumn<int>("perCount");
    QTest::addColumn<int>("page");
    QTest::newRow("first page") << 20 << 1;
    QTest::newRow("second page") << 20 << 2;
    QTest::newRow("odd size") << 7 << 3;
    QTest::newRow("last partial page") << 50 << 7;
    QTest::newRow("beyond the end") << 50 << 40;
    QTest::newRow("one big page") << 200 << 1;
}

void TestSampleData::paging()
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
        walked +=
            filterOf(base + QStringLiteral("&page=%1").arg(n), kwdListingFilter::Leases).select(bj).indexes;
    QCOMPARE(walked, all);
}

void TestSampleData::malformedQueries_data()
{
    QTest::addColumn<QString>("query");
    QTest::newRow("page not a number") << "page=abc";
    QTest::newRow("page zero") << "page=0";
    QTest::newRow("negative percount") << "percount=-1";
    QTest::newRow("negative radius") << "location=116.4|39.9|-5";
    QTest::newRow("words for a position") << "location=east|north|100";
    QTest::newRow("four location parts") << "location=1|2|3|4";
    QTest::newRow("price not a number") << "price1=cheap";
    QTest::newRow("negative area") << "bldgarea1=-10";
}

void TestSampleData::malformedQueries()
{
    QFETCH(QString, query);
    const kwdListingFilter f = filterOf(query, kwdListingFilter::Sales);
    QVERIFY(!f.isValid());
    const kwdListingFilter::Page p = f.select(bj);
    QCOMPARE(p.total, 0);
    QVERIFY(p.indexes.isEmpty());
    // The document is still a well-formed, empty result list.
    QDomDocument doc;
    QVERIFY(doc.setContent(kwdServiceDocuments(QStringLiteral("kwd.test")).resultList(bj, f.category, p)));
    QCOMPARE(doc.documentElement().attribute(QStringLiteral("total")), QStringLiteral("0"));
}

void TestSampleData::documentShapes_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("elements");
    const QStringList common{"id", "name", "location", "imageurl", "imagecount", "address", "pageview"};
    QTest::newRow("sale list") << "salelist"
                               << "forsale"
                               << common + QStringList{"district", "street",  "ha",    "totalprice",
                                                       "areasize", "publish", "floor", "co"};
    QTest::newRow("lease list") << "leaselist"
                                << "lease"
                                << common + QStringList{"price", "areasize", "publish", "floor", "co"};
    QTest::newRow("compound list") << "halist"
                                   << "ha" << common + QStringList{"salesum",    "leasesum", "price",
                                                                   "leaseprice", "area",     "distance"};
    QTest::newRow("agency list") << "colist"
                                 << "co" << QStringList{"id", "name", "phone", "caption"};
    QTest::newRow("sale detail") << "saledetail"
                                 << "forsale"
                                 << common + QStringList{"totalprice", "detail", "pricerise", "items", "co"};
    QTest::newRow("lease detail") << "leasedetail"
                                  << "lease"
                                  << common + QStringList{"price", "detail", "leasepricerise", "items", "co"};
    QTest::newRow("compound detail") << "hadetail"
                                     << "ha"
                                     << common + QStringList{"pricerise", "leasepricerise", "detail",
                                                             "relateha", "co"};
    QTest::newRow("agency detail") << "codetail"
                                   << "co" << QStringList{"id", "name", "phone", "project", "detail"};
    QTest::newRow("district") << "district"
                              << "district" << QStringList{"id",         "name",    "detail", "price",
                                                           "leaseprice", "marketf", "marketl"};
    QTest::newRow("street") << "street"
                            << "street" << QStringList{"id",           "streetname", "streetrange",
                                                       "pointfrom",    "pointto",    "streetwidth",
                                                       "streetlength", "updatetime", "relateha"};
}

void TestSampleData::documentShapes()
{
    QFETCH(QString, document);
    QFETCH(QString, type);
    QFETCH(QStringList, elements);
    const kwdServiceDocuments docs(QStringLiteral("kwd.test"));
    const kwdListingFilter near =
        filterOf(QStringLiteral("location=116.4074|39.9042|5000&ob=d1"), kwdListingFilter::HousingAreas);
    QByteArray xml;
    if (document == QLatin1String("salelist"))
        xml = docs.resultList(bj, kwdListingFilter::Sales,
                              filterOf(QString(), kwdListingFilter::Sales).select(bj));
    else if (document == QLatin1String("leaselist"))
        xml = docs.resultList(bj, kwdListingFilter::Leases,
                              filterOf(QString(), kwdListingFilter::Leases).select(bj));
    else if (document == QLatin1String("halist"))
        xml = docs.resultList(bj, kwdListingFilter::HousingAreas, near.select(bj));
    else if (document == QLatin1String("colist"))
        xml = docs.resultList(bj, kwdListingFilter::Agencies,
                              filterOf(QString(), kwdListingFilter::Agencies).select(bj));
    else if (document == QLatin1String("saledetail"))
        xml = docs.listingDetail(bj, false, bj.listingById(false, bj.sales[5].id));
    else if (document == QLatin1String("leasedetail"))
        xml = docs.listingDetail(bj, true, 3);
    else if (document == QLatin1String("hadetail"))
        xml = docs.housingAreaDetail(bj, 0);
    else if (document == QLatin1String("codetail"))
        xml = docs.agencyDetail(bj, 0);
    else if (document == QLatin1String("district"))
        xml = docs.districtDetail(bj, 1);
    else
        xml = docs.streetDetail(bj, 0);

    QDomDocument doc;
    QString error;
    QVERIFY2(doc.setContent(xml, &error), qPrintable(error));
    const QDomElement list = doc.elementsByTagName(QStringLiteral("resultlist")).at(0).toElement();
    QCOMPARE(list.attribute(QStringLiteral("type")), type);
    QVERIFY(list.attribute(QStringLiteral("total")).toInt() >= 1);
    QCOMPARE(list.attribute(QStringLiteral("skip")), QStringLiteral("1"));
    const QDomElement record = firstRecord(doc, type);
    QVERIFY(!record.isNull());
    for (const QString& e : elements)
        QVERIFY2(!record.firstChildElement(e).isNull(), qPrintable(e));
    QVERIFY(!record.firstChildElement(QStringLiteral("id")).text().trimmed().isEmpty());
    const QDomElement location = record.firstChildElement(QStringLiteral("location"));
    if (!location.isNull())
        QVERIFY(location.text().contains(QLatin1Char(',')));
    const QDomElement publish = record.firstChildElement(QStringLiteral("publish"));
    if (!publish.isNull())
        QVERIFY(QDateTime::fromString(publish.text(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    // Related compounds come in groups named by their "type".
    if (type == QLatin1String("ha") && !record.firstChildElement(QStringLiteral("relateha")).isNull()) {
        const QDomElement group = record.firstChildElement(QStringLiteral("relateha")).firstChildElement();
        QVERIFY(!group.attribute(QStringLiteral("type")).isEmpty());
        QVERIFY(
            !group.firstChildElement(QStringLiteral("ha")).firstChildElement(QStringLiteral("id")).isNull());
    }
    // Links carry the identifier of what they point to.
    const QDomElement district = record.firstChildElement(QStringLiteral("district"));
    if (!district.isNull() && type != QLatin1String("district"))
        QVERIFY(bj.districtByCode(district.attribute(QStringLiteral("id"))) >= 0);
}

void TestSampleData::pictures()
{
    const QImage small =
        kwdPicturePainter::render(QStringLiteral("forsale"), QStringLiteral("bj/S200001"), 1, false);
    QCOMPARE(small.size(), QSize(160, 120));
    const QByteArray big =
        kwdPicturePainter::jpeg(QStringLiteral("ha"), QStringLiteral("bj/H10001"), 2, true);
    QVERIFY(big.startsWith("\xFF\xD8"));
    QCOMPARE(QImage::fromData(big, "JPEG").size(), QSize(640, 480));
    QCOMPARE(kwdPicturePainter::jpeg(QStringLiteral("ha"), QStringLiteral("bj/H10001"), 2, true), big);
    QVERIFY(kwdPicturePainter::jpeg(QStringLiteral("ha"), QStringLiteral("bj/H10002"), 2, true) != big);

    // A contact sheet of every scene kind for a person to look at.
    const QStringList kinds{"forsale", "lease", "ha", "district", "street", "co"};
    QImage sheet(3 * 320, 2 * 240 * 2, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int i = 0; i < 12; ++i) {
        const QImage img =
            kwdPicturePainter::render(kinds[i % 6], QStringLiteral("id%1").arg(i), 1 + i / 6, true);
        p.drawImage(QRect((i % 3) * 320, (i / 3) * 240, 320, 240), img);
    }
    p.end();
    QVERIFY(sheet.save(kwdTestEnvironment::outputDir(QStringLiteral("localservice")) +
                       QStringLiteral("/pictures.png")));
}

KWD_TEST_MAIN(TestSampleData)
#include "tst_kwdsampledata.moc"

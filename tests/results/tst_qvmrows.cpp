#include "international.h"
#include "kwdclock.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmformat.h"
#include "qvminteritem.h"
#include "qvmitemregion.h"
#include "qvmitemrelateha.h"
#include "qvmitemroad.h"
#include "qvmleaseitem.h"
#include "qvmlistitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDataStream>
#include <QDomDocument>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A list reply shaped like the service's: a sale and a lease with agencies, a housing area with
// related areas, an agency, a district and a street.
const char* const kDocument = R"(<?xml version="1.0" encoding="utf-8"?>
<kwd><resultlist type="forsale" total="57" skip="0"><forsale>
  <id>1001</id><name>望京西园三区 精装修南北通透两居室 满五唯一 近地铁</name>
  <location>116.47,39.99</location><imageurl>http://bj.example/img/1001_s.jpg</imageurl>
  <imagecount>5</imagecount><address>望京西园三区312号楼</address><pageview>88</pageview>
  <district id="d3">朝阳</district><street id="s12">广顺北大街</street><ha id="h77">望京西园三区</ha>
  <items><item name="朝向">南北</item><item name="装修">精装</item></items>
  <totalprice>320</totalprice><areasize>89.5</areasize><floor>6/18</floor>
  <publish>2011-05-10 11:58:00</publish><pricerise>-1.52</pricerise>
  <detail>业主自住，保养很好。南北通透，客厅朝南，主卧带阳台。小区绿化好，步行五分钟到地铁站，周边配套齐全。</detail>
  <co><id>c1</id><name>我爱我家望京店</name><phone>010-64701234 / 13800138000</phone><caption>王经理 我爱我家</caption></co>
</forsale></resultlist>
<lease><id>2001</id><name>Bright one-bedroom flat near the park, furnished</name>
  <address>Guangshun North Street 12</address><district id="d3">Chaoyang</district>
  <price>3500</price><areasize>60</areasize><floor>3/6</floor><publish>2011-05-09 12:00:00</publish>
  <leasepricerise>2.3</leasepricerise><detail>Available from June.</detail>
  <co><id></id><name>Agency Two</name><phone>13900001111</phone></co></lease>
<ha><id>h77</id><name>望京西园三区</name><imageurl>http://bj.example/img/h77.jpg</imageurl>
  <district id="d3">朝阳</district><street id="s12">广顺北大街</street><address>望京西园三区</address>
  <salesum>12</salesum><leasesum>4</leasesum><price>23,500</price><pricerise>0.8</pricerise>
  <leaseprice>45.5</leaseprice><leasepricerise>-0.05</leasepricerise><area>望京</area>
  <distance>1,234.5</distance><detail>2001年建成，共有18栋楼。</detail><relateha>
    <group type="周边小区"><ha><id>h78</id><name>望京西园二区</name></ha><ha><id></id><name>dropped</name></ha></group>
    <group type="同价位"><ha><id>h90</id><name>花家地</name></ha></group>
    <group><ha><id>h91</id><name>no type</name></ha></group>
    <group type="周边小区"><ha><id>h79</id><name>望京西园四区</name></ha></group>
  </relateha></ha>
<co><id>c9</id><name>链家地产 望京旗舰店</name><imageurl>http://bj.example/img/c9.jpg</imageurl>
  <phone>010-84725555, 400-800-1234 ext 5</phone><address>望京街10号</address>
  <project id="h77">望京西园三区</project><detail>专注望京二手房十年。</detail><caption>链家</caption></co>
<district><id>d3</id><name>朝阳区</name><imageurl>http://bj.example/img/d3.jpg</imageurl>
  <detail>朝阳区位于北京市主城区东部。</detail><price>28,000</price><leaseprice>62.5</leaseprice>
  <marketf>up</marketf><marketl>flat</marketl></district>
<street><id>s12</id><name>old name</name><streetname>广顺北大街</streetname><streetrange>朝阳区</streetrange>
  <pointfrom>望京街</pointfrom><pointto>北五环</pointto><streetwidth>30</streetwidth><streetlength></streetlength>
  <updatetime>2011-04-01</updatetime><detail>南北走向的主干道。</detail>
  <relateha><ha><id>h77</id><name>望京西园三区</name><address>广顺北大街</address></ha>
  <ha><id>h78</id><name>望京西园二区</name></ha><ha><id/><name>empty id</name></ha></relateha></street></kwd>)";

constexpr int Sale = 0, Lease = 1, Project = 2, Agency = 3, District = 4, Street = 5;
const QStringList kNames{"sale", "lease", "project", "agency", "district", "street"};

std::unique_ptr<qvmListItem> readKind(int kind, const QString& imageFile = QString())
{
    QDomDocument doc;
    doc.setContent(QByteArray(kDocument));
    const QString tag = QStringList{"forsale", "lease", "ha", "co", "district", "street"}.at(kind);
    // The list categories make the listing rows; districts and streets come only as detail pages.
    const int category[] = {2, 3, 1, 4};
    std::unique_ptr<qvmListItem> row(kind == District ? static_cast<qvmListItem*>(new qvmItemRegion)
                                     : kind == Street ? new qvmItemRoad
                                                      : qvmListItem::createForKind(category[kind]));
    // The standalone agency is the third "co" in document order, after the nested ones.
    const QDomElement e = kind == Sale || kind == Agency
                              ? doc.elementsByTagName(tag).at(kind ? 2 : 0).toElement()
                              : doc.documentElement().firstChildElement(tag);
    if (!row->read(e))
        return nullptr;
    if (!imageFile.isEmpty())
        row->loadPicture(imageFile);
    return row;
}

bool readXml(qvmListItem& row, const QString& xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    return row.read(doc.documentElement());
}

// Bytes in the stored form (Qt 4.6 streams), written by the row or by the test itself.
QByteArray bytesOf(const std::function<void(QDataStream&)>& write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_6);
    write(out);
    return bytes;
}

QByteArray streamOf(const qvmListItem& row)
{
    return bytesOf([&](QDataStream& s) { row.write(s); });
}

bool readBytes(qvmListItem& row, const QByteArray& bytes, bool* atEnd = nullptr)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_4_6);
    const bool ok = row.read(in) && in.status() == QDataStream::Ok;
    if (atEnd)
        *atEnd = in.atEnd();
    return ok;
}

} // namespace

// The rows: the common row's XML read, stream form, copy and name; the concrete rows' reads
// from service documents, their detail links; the number, rise and age texts they show.
class TestRows : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString photo;
    QTranslator translator;
    const international* t = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        kwdClock::setNow(QDateTime(QDate(2011, 5, 10), QTime(12, 0, 0)));
        // The catalogue is loaded before the label table is first used, as at start-up.
        if (translator.load(kwdStore::appFile("kwdpersonal_zh.qm")))
            QCoreApplication::installTranslator(&translator);
        t = international::instance();
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(QColor(90, 140, 200));
        photo = dir.filePath("photo.jpg");
        QVERIFY(picture.save(photo, "JPG"));
    }
    void cleanupTestCase() { kwdClock::reset(); }

    void readRecord_data()
    {
        QTest::addColumn<QString>("xml"); // the record's content
        QTest::addColumn<bool>("idOptional");
        QTest::addColumn<QString>(
            "expected"); // id|name|longitude|latitude|imagecount|pageview; empty: refused
        kwdRow("full record",
               "<id> 101 </id><name> Sunny Garden </name><location>116.45,39.92</location>"
               "<imagecount>4</imagecount><pageview>77</pageview>",
               false, "101|Sunny Garden|116.45|39.92|4|77");
        kwdRow("empty id", "<id>  </id><name>x</name>", false, "");
        kwdRow("empty id allowed", "<id/><name>Agent</name>", true, "|Agent|0|0|0|0");
        kwdRow("no id at all", "<name>N</name>", false, "|N|0|0|0|0");
        kwdRow("contradicting ids", "<id>1</id><name>n</name><id>2</id>", false, "");
        kwdRow("location split at the first comma", "<id>5</id><location>1.5,2.5,3.5</location>", false,
               "5||1.5|0|0|0");
    }

    void readRecord()
    {
        QFETCH(QString, xml);
        QFETCH(bool, idOptional);
        QFETCH(QString, expected);
        qvmListItem row(idOptional);
        QCOMPARE(readXml(row, "<ha>" + xml + "</ha>"), !expected.isEmpty());
        const QStringList numbers{QString::number(row.longitude), QString::number(row.latitude),
                                  QString::number(row.imageCount), QString::number(row.pageView)};
        if (!expected.isEmpty())
            QCOMPARE((QStringList{row.id, row.name} + numbers).join('|'), expected);
    }

    void rereadKeepsRowConsistent()
    {
        const QString record =
            "<id>A</id><imageurl>u1</imageurl><items><item name=\"a\">1</item><item name=\"b\"> 2 "
            "</item></items><district id=\"d1\">East</district><co><name>Agent</name></co>";
        qvmSaleItem row;
        QVERIFY(readXml(row, "<forsale><name>First</name><location>10,20</location><address>Addr</address>" +
                                 record + "</forsale>"));
        qvmListItem* districtBefore = row.district;
        // Same listing again: accepted, lists replaced, a location without a comma keeps the coordinates,
        // and the district object stays the same one, so pages holding it keep a valid pointer.
        QVERIFY(readXml(row, "<forsale><location>nowhere</location>" + record + "</forsale>"));
        QCOMPARE(QPointF(row.longitude, row.latitude), QPointF(10, 20));
        QCOMPARE(row.items, (QList<QPair<QString, QString>>{{"a", "1"}, {"b", "2"}}));
        QCOMPARE(row.children.size(), 1);
        QCOMPARE(row.district, districtBefore);
        QCOMPARE(row.district->id + row.district->name + row.picture->url, QStringLiteral("d1Eastu1"));
        // Another listing's record (name first, id later) must change nothing.
        QVERIFY(!readXml(row, "<forsale><name>Intruder</name><address>Elsewhere</address><id>B</id>"
                              "<totalprice>1</totalprice></forsale>"));
        QCOMPARE(row.id + row.name + row.address, QStringLiteral("AFirstAddr"));
        QVERIFY(row.totalPrice.isEmpty());
    }

    // The shown name, cut after 17 characters (not bytes), and the phone numbers split out of a text.
    void texts_data()
    {
        kwdColumns<bool, QString, QString>("phones", "text", "expected");
        kwdRow("name: empty", false, QString(), QString());
        kwdRow("name: 17 characters", false, "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPQ");
        kwdRow("name: 18 characters", false, "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQ...");
        kwdRow("name: 18 Chinese", false, QString(18, QChar(0x5B85)), QString(17, QChar(0x5B85)) + "...");
        kwdRow("phones: space slash space", true, "010-64701234 / 13800138000", "010-64701234|13800138000");
        kwdRow("phones: words only", true, "call us", QString());
        kwdRow("phones: leading and trailing", true, " (010)1234;5678 ", "010|1234|5678");
        kwdRow("phones: Chinese separators", true, QString("电话：010-1234，手机13800138000"),
               "010-1234|13800138000");
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        qvmListItem row;
        qvmProjectItem project;
        row.name = project.name = text;
        if (kwdData<bool>("phones")) {
            QCOMPARE(qvmInterItem::splitPhones(text), expected.split('|', Qt::SkipEmptyParts));
        } else {
            QCOMPARE(row.displayName(), expected);
            QCOMPARE(project.displayName(), expected);
        }
    }

    void streamLayout_data()
    {
        kwdColumns<int, QByteArray, QByteArray>("kind", "actual", "expected");
        using S = QString;
        // A linked item is a flag, then its own base form; links come as district, housing area, street.
        // Links read from a record allow an empty id.
        qvmSaleItem sale(true);
        readXml(sale, "<forsale><id>s9</id><name>Flat</name><address>Road</address><totalprice>120</"
                      "totalprice><areasize>89.5</areasize>"
                      "<floor>6/18</floor><publish>2011-05-01 10:00:00</publish><detail>not stored</detail>"
                      "<pricerise>1.5</pricerise><district id=\"d\">East</district></forsale>");
        sale.ageText = "9daysbefore";
        QTest::newRow("sale with district") << 2 << streamOf(sale) << bytesOf([](QDataStream& s) {
            s << S("s9") << S("Flat") << true << S("Road") << qint32(1);
            s << S("d") << S("East") << true << S() << qint32(0) << qint32(0) << qint32(0);
            s << qint32(0) << qint32(0) << S("120") << S("89.5") << S("6/18") << S("2011-05-01 10:00:00")
              << S("9daysbefore");
        });
        qvmLeaseItem lease;
        readXml(lease, "<lease><id>l1</id><price>3500</price><areasize>60</areasize><street>Long "
                       "Street</street></lease>");
        QTest::newRow("lease with street") << 3 << streamOf(lease) << bytesOf([](QDataStream& s) {
            s << S("l1") << S() << false << S() << qint32(0) << qint32(0) << qint32(1);
            s << S() << S("Long Street") << true << S() << qint32(0) << qint32(0) << qint32(0);
            s << S("3500") << S("60") << S() << S() << S();
        });
        qvmProjectItem project;
        readXml(project,
                "<ha><id>h1</id><name>Garden</name><salesum>12</salesum><leasesum>-3</leasesum><price>23000"
                "</price><pricerise>-1.2</pricerise><leaseprice>45.5</leaseprice><leasepricerise>0.3"
                "</leasepricerise><area>Chaoyang</area><detail>not stored</detail></ha>");
        project.housingArea = new qvmProjectItem;
        project.housingArea->id = "inner";
        project.housingArea->saleSum = 1;
        QTest::newRow("project with housing area") << 1 << streamOf(project) << bytesOf([](QDataStream& s) {
            s << S("h1") << S("Garden") << false << S() << qint32(0) << qint32(1);
            s << S("inner") << S() << false << S() << qint32(0) << qint32(0) << qint32(0) << qint32(1)
              << qint32(0) << S() << S() << S() << S() << S();
            s << qint32(0) << qint32(12) << qint32(-3) << S("23000") << S("-1.2") << S("45.5") << S("0.3")
              << S("Chaoyang");
        });
    }

    void streamLayout()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, actual);
        QFETCH(QByteArray, expected);
        QCOMPARE(actual.toHex(), expected.toHex());
        // Reading the bytes back and writing again gives the same bytes; any shorter piece is refused.
        const auto make = [kind] { return std::unique_ptr<qvmListItem>(qvmListItem::createForKind(kind)); };
        auto row = make();
        bool atEnd = false;
        QVERIFY(readBytes(*row, expected, &atEnd) && atEnd);
        QCOMPARE(streamOf(*row).toHex(), expected.toHex());
        for (int cut = 0; cut < expected.size(); ++cut)
            QVERIFY2(!readBytes(*make(), expected.left(cut)), qPrintable(QString::number(cut)));
    }

    void nestedStreamIsBounded()
    {
        // A housing area inside a housing area inside ... must end quickly.
        const QByteArray nested = bytesOf([](QDataStream& s) {
            for (int i = 0; i < 100000; ++i)
                s << QString() << QString() << false << QString() << qint32(0) << qint32(1);
        });
        qvmProjectItem project;
        QVERIFY(!readBytes(project, nested));
    }

    void assign()
    {
        qvmSaleItem source;
        QVERIFY(readXml(source,
                        "<forsale><id>42</id><name>N</name><address>A</address><totalprice>300</totalprice>"
                        "<areasize>120</areasize><floor>3</floor><publish>2011-01-01 00:00:00</publish>"
                        "<detail>D</detail><pricerise>2</pricerise><district id=\"d\">East</district>"
                        "<ha id=\"h\">Garden</ha><street id=\"s\">Main</street></forsale>"));
        qvmSaleItem copy;
        copy.assign(&source);
        QCOMPARE(streamOf(copy), streamOf(source));
        QVERIFY(copy.district && copy.district != source.district);
    }

    // A file that is not an image, or is missing, is refused (a download's file whose name tells
    // nothing is loaded by the favourites view test).
    void loadPicture()
    {
        const QString bad = dir.filePath("broken.png");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not an image") > 0);
        f.close();
        qvmListItem row;
        QVERIFY(readXml(row, "<ha><id>1</id><imageurl>http://x/1.jpg</imageurl></ha>") && row.hasPicture());
        QVERIFY(!row.loadPicture(bad) && !row.picture->image && !row.loadPicture(dir.filePath("missing")));
        QVERIFY(row.loadPicture(photo) && row.picture->image->size() == QSize(320, 240));
    }

    void reads()
    {
        auto row = readKind(Sale);
        auto* sale = static_cast<qvmSaleItem*>(row.get());
        QCOMPARE(QStringList({sale->id, sale->totalPrice, sale->areaSize, sale->floor, sale->priceRise}),
                 QStringList({"1001", "320", "89.5", "6/18", "-1.52"}));
        QCOMPARE(sale->ageText, "2" + t->label(23) + t->label(22)); // 2 minutes before the test clock
        QCOMPARE(sale->district->name + sale->street->id + sale->housingArea->id, QString("朝阳s12h77"));
        QCOMPARE(sale->items.size() + sale->children.size(), 3);
        row = readKind(Lease);
        auto* lease = static_cast<qvmLeaseItem*>(row.get());
        QCOMPARE(lease->ageText + lease->leasePriceRise, "1" + t->label(25) + t->label(22) + "2.3");
        // The nested agency has an empty id and is still taken.
        QCOMPARE(lease->phoneNumbers(), QStringList{"13900001111"});

        row = readKind(Project);
        auto* project = static_cast<qvmProjectItem*>(row.get());
        QCOMPARE(QPoint(project->saleSum, project->leaseSum), QPoint(12, 4));
        // Grouping commas are dropped from numbers.
        QCOMPARE(QStringList({project->price, project->leasePrice, project->distance, project->area}),
                 QStringList({"23500", "45.5", "1234.5", QString("望京")}));
        // Groups of the same type merge, in document order; a group without a type and rows without
        // an id are left out; types compare exactly.
        const qvmItemRelateHA* related = project->related;
        QCOMPARE(related->groups.size(), 2);
        bool found = false;
        const QList<qvmListItem*> near = related->groupRows(QString("周边小区"), &found);
        QVERIFY(found && near.size() == 2);
        QCOMPARE(near.at(0)->id + near.at(1)->id, QStringLiteral("h78h79"));
        QCOMPARE(project->relatedGroup(QString("同价位")).size(), 1);
        QVERIFY(related->groupRows("none", &found).isEmpty() && !found);
        QVERIFY(related->groupRows(QString("周边小区 ")).isEmpty());

        row = readKind(Agency);
        auto* agency = static_cast<qvmInterItem*>(row.get());
        QCOMPARE(agency->phones, QStringList({"010-84725555", "400-800-1234", "5"}));
        QCOMPARE(agency->id + agency->project->id + agency->caption, QString("c9h77链家"));
        row = readKind(District);
        auto* district = static_cast<qvmItemRegion*>(row.get());
        QCOMPARE(
            QStringList({district->price, district->leasePrice, district->marketSale, district->marketLease}),
            QStringList({"28,000", "62.5", "up", "flat"}));

        row = readKind(Street);
        auto* street = static_cast<qvmItemRoad*>(row.get());
        QCOMPARE(street->name + street->length, QString("广顺北大街"));
        QCOMPARE(street->items, (QList<QPair<QString, QString>>{{t->label(12), "朝阳区"},
                                                                {t->label(13), "望京街"},
                                                                {t->label(14), "北五环"},
                                                                {t->label(15), "30" + t->label(18)},
                                                                {t->label(17), "2011-04-01"}}));
        QCOMPARE(street->relatedAreas.size(), 2);
        QCOMPARE(street->relatedAreas.at(1)->id, QStringLiteral("h78"));
        // Blank street fields add no lines and keep what the row had.
        qvmItemRoad blank;
        blank.detail = "kept";
        QVERIFY(readXml(blank, "<street><id>s</id><name>N</name><streetname> </streetname>"
                               "<streetwidth></streetwidth><detail></detail></street>"));
        QCOMPARE(blank.name + blank.detail, QStringLiteral("Nkept"));
        QVERIFY(blank.width.isEmpty() && blank.items.isEmpty());
    }

    void detailLinks_data()
    {
        kwdColumns<int, QList<int>, bool>("kind", "actions", "contact");
        kwdRow("sale", Sale, QList<int>{0, 1, 2, 3}, true);
        kwdRow("lease", Lease, QList<int>{1}, true);
        kwdRow("project", Project, QList<int>{0, 1, 2, 4, 5, 6, 6}, false);
        kwdRow("agency", Agency, QList<int>{3}, true);
        kwdRow("district", District, QList<int>{0}, false);
        kwdRow("street", Street, QList<int>{3, 3}, false);
    }

    // Painting a detail body records the links its measure did (taps land where the user sees them),
    // and each opens what it names: district, street, housing area, a related group or the row itself.
    void detailLinks()
    {
        QFETCH(int, kind);
        auto row = readKind(kind, photo);
        const int h = row->height(360, 1);
        const QList<qvmLink> measured = row->links();
        QTEST(!row->contactLinks.isEmpty(), "contact");
        QImage image(360, h, QImage::Format_RGB32);
        QPainter painter(&image);
        if (kind <= Agency) // the list rows paint too
            row->paint(&painter, QRect(0, 0, 360, row->height(360, 0)), 0);
        row->paint(&painter, QRect(0, 0, 360, h), 1);
        const QList<qvmLink> painted = row->links();
        QCOMPARE(painted.size(), measured.size());
        QList<int> actions;
        for (int i = 0; i < painted.size(); ++i) {
            const qvmLink& l = painted[i];
            QVERIFY(l.rect == measured[i].rect && l.target == measured[i].target);
            actions << l.action;
            QList<qvmListItem*> targets{row.get()};
            if (l.action == qvmListItem::LinkDistrict || l.action == qvmListItem::LinkStreet)
                targets = {l.action == qvmListItem::LinkStreet ? static_cast<qvmListItem*>(row->street)
                                                               : row->district};
            if (l.action == qvmListItem::LinkHousingArea && kind == Street) {
                const QList<qvmProjectItem*>& areas = static_cast<qvmItemRoad*>(row.get())->relatedAreas;
                targets = {areas.begin(), areas.end()};
            } else if (l.action == qvmListItem::LinkHousingArea) {
                targets = {kind == Sale ? row->housingArea : static_cast<qvmInterItem*>(row.get())->project};
            }
            QVERIFY2(l.target && targets.contains(l.target), qPrintable(QString::number(l.action)));
            bool found = l.action != qvmListItem::LinkRelated;
            if (!found)
                static_cast<qvmProjectItem*>(row.get())->related->groupRows(l.title, &found);
            QVERIFY(found);
        }
        std::sort(actions.begin(), actions.end());
        QTEST(actions, "actions");
    }

    void formatNumber_data()
    {
        kwdColumns<double, int, QString>("value", "decimals", "expected");
        // Decimals -1: the rise text, one decimal with its sign and a percent.
        kwdRow("millions with a decimal", 1234567.0, 1, "1,234,567.0");
        kwdRow("just below a thousand", 999.0, 0, "999");
        kwdRow("negative", -1234.75, 2, "-1,234.75");
        kwdRow("rounds up into a new group", 999.96, 1, "1,000.0");
        kwdRow("not a number", qQNaN(), 0, "0");
        kwdRow("rise: tiny fall", -0.09, -1, "0.0%");
        kwdRow("rise: threshold", 0.1, -1, "+0.1%");
        kwdRow("rise: fall", -3.26, -1, "-3.3%");
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(decimals < 0 ? qvmFormat::formatRise(value) : qvmFormat::formatNumber(value, decimals),
              "expected");
    }

    void toNumber_data()
    {
        kwdColumns<QString, double>("text", "expected");
        // What a page shows for the field: a value that has not arrived is "--", not a zero.
        kwdColumns<QString, QString>("shown", "rise");
        kwdRow("spaces", "  89.5 ", 89.5, "89.5", "+89.5%");
        for (const char* junk : {"", "about 90", "90m2", "inf"})
            QTest::addRow("not a number: '%s'", junk) << QString(junk) << 0.0 << "--"
                                                      << "--";
        kwdRow("grouped with decimals", "1,234.5", 1234.5, "1,234.5", "+1234.5%");
        kwdRow("real zero", "0", 0.0, "0.0", "0.0%");
        kwdRow("fall", "-2.0", -2.0, "-2.0", "-2.0%");
    }

    void toNumber()
    {
        QFETCH(QString, text);
        QTEST(qvmFormat::toNumber(text), "expected");
        QTEST(qvmFormat::numberText(text, 1), "shown");
        QTEST(qvmFormat::riseText(text), "rise");
    }

    void ageText_data()
    {
        kwdColumns<QString, QString>("published", "expected");
        const QDateTime now(QDate(2011, 5, 10), QTime(12, 0, 0)); // the test clock
        const auto before = [&](qint64 secs) { return now.addSecs(-secs).toString("yyyy-MM-dd hh:mm:ss"); };
        kwdRow("59 s", before(59), "59secsbefore");
        kwdRow("60 s", before(60), "1minsbefore");
        kwdRow("1 hour", before(3600), "1hoursbefore");
        kwdRow("1 day", before(86400), "1daysbefore");
        kwdRow("1 week - 1 s", before(604799), "6daysbefore");
        kwdRow("1 week", before(604800), "2011-05-03 12:00:00");
        kwdRow("1 s in the future", before(-1), "2011-05-10 12:00:01");
        // Unreadable times are shown as given.
        for (const char* odd : {"", "2011-02-30 10:00:00", "2011-05-10 25:00:00", "2011-05-1x 11:00:00",
                                "2011/05/10 11:59:00", "2011-5-10 11:59:00"})
            QTest::addRow("as given: '%s'", odd) << QString(odd) << QString(odd);
    }

    void ageText()
    {
        QFETCH(QString, published);
        QFETCH(QString, expected);
        // The units as the catalogue names them.
        for (const auto& [unit, label] : QList<QPair<QString, int>>{
                 {"secs", 21}, {"mins", 23}, {"hours", 24}, {"days", 25}, {"before", 22}})
            expected.replace(unit, t->label(label));
        QCOMPARE(qvmFormat::ageText(published, kwdClock::now()), expected);
    }
};

KWD_TEST_MAIN(TestRows)
#include "tst_qvmrows.moc"

#include "international.h"
#include "kwdclock.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvminteritem.h"
#include "qvmitemregion.h"
#include "qvmitemrelateha.h"
#include "qvmitemroad.h"
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDomDocument>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QDateTime kNow(QDate(2011, 5, 10), QTime(12, 0, 0));

// A list reply shaped like the service's: a sale and a lease with agencies, a housing area with
// related areas, an agency, a district and a street.
const char* const kDocument = R"(<?xml version="1.0" encoding="utf-8"?>
<kwd><resultlist type="forsale" total="57" skip="0">
<forsale>
  <id>1001</id><name>望京西园三区 精装修南北通透两居室 满五唯一 近地铁</name>
  <location>116.47,39.99</location><imageurl>http://bj.example/img/1001_s.jpg</imageurl>
  <imagecount>5</imagecount><address>望京西园三区312号楼</address><pageview>88</pageview>
  <district id="d3">朝阳</district><street id="s12">广顺北大街</street><ha id="h77">望京西园三区</ha>
  <items><item name="朝向">南北</item><item name="装修">精装</item></items>
  <totalprice>320</totalprice><areasize>89.5</areasize><floor>6/18</floor>
  <publish>2011-05-10 11:58:00</publish><pricerise>-1.52</pricerise>
  <detail>业主自住，保养很好。南北通透，客厅朝南，主卧带阳台。小区绿化好，步行五分钟到地铁站，周边配套齐全。</detail>
  <co><id>c1</id><name>我爱我家望京店</name><phone>010-64701234 / 13800138000</phone><caption>王经理 我爱我家</caption></co>
</forsale>
</resultlist>
<lease>
  <id>2001</id><name>Bright one-bedroom flat near the park, furnished</name>
  <address>Guangshun North Street 12</address><district id="d3">Chaoyang</district>
  <price>3500</price><areasize>60</areasize><floor>3/6</floor><publish>2011-05-09 12:00:00</publish>
  <leasepricerise>2.3</leasepricerise><detail>Available from June.</detail>
  <co><id></id><name>Agency Two</name><phone>13900001111</phone></co>
</lease>
<ha>
  <id>h77</id><name>望京西园三区</name><imageurl>http://bj.example/img/h77.jpg</imageurl>
  <district id="d3">朝阳</district><street id="s12">广顺北大街</street><address>望京西园三区</address>
  <salesum>12</salesum><leasesum>4</leasesum><price>23,500</price><pricerise>0.8</pricerise>
  <leaseprice>45.5</leaseprice><leasepricerise>-0.05</leasepricerise><area>望京</area>
  <distance>1,234.5</distance><detail>2001年建成，共有18栋楼。</detail>
  <relateha>
    <group type="周边小区"><ha><id>h78</id><name>望京西园二区</name></ha><ha><id></id><name>dropped</name></ha></group>
    <group type="同价位"><ha><id>h90</id><name>花家地</name></ha></group>
    <group><ha><id>h91</id><name>no type</name></ha></group>
    <group type="周边小区"><ha><id>h79</id><name>望京西园四区</name></ha></group>
  </relateha>
</ha>
<co>
  <id>c9</id><name>链家地产 望京旗舰店</name><imageurl>http://bj.example/img/c9.jpg</imageurl>
  <phone>010-84725555, 400-800-1234 ext 5</phone><address>望京街10号</address>
  <project id="h77">望京西园三区</project><detail>专注望京二手房十年。</detail><caption>链家</caption>
</co>
<district>
  <id>d3</id><name>朝阳区</name><imageurl>http://bj.example/img/d3.jpg</imageurl>
  <detail>朝阳区位于北京市主城区东部。</detail><price>28,000</price><leaseprice>62.5</leaseprice>
  <marketf>up</marketf><marketl>flat</marketl>
</district>
<street>
  <id>s12</id><name>old name</name><streetname>广顺北大街</streetname><streetrange>朝阳区</streetrange>
  <pointfrom>望京街</pointfrom><pointto>北五环</pointto><streetwidth>30</streetwidth><streetlength></streetlength>
  <updatetime>2011-04-01</updatetime><detail>南北走向的主干道。</detail>
  <relateha><ha><id>h77</id><name>望京西园三区</name><address>广顺北大街</address></ha>
  <ha><id>h78</id><name>望京西园二区</name></ha><ha><id/><name>empty id</name></ha></relateha>
</street>
</kwd>)";

enum Kind
{
    Sale,
    Lease,
    Project,
    Agency,
    District,
    Street
};

std::unique_ptr<qvmListItem> readKind(int kind, const QString& imageFile = QString())
{
    QDomDocument doc;
    doc.setContent(QByteArray(kDocument));
    std::unique_ptr<qvmListItem> row;
    QString tag;
    switch (kind) {
    case Sale:
        row.reset(new qvmSaleItem);
        tag = "forsale";
        break;
    case Lease:
        row.reset(new qvmLeaseItem);
        tag = "lease";
        break;
    case Project:
        row.reset(new qvmProjectItem);
        tag = "ha";
        break;
    case Agency:
        row.reset(new qvmInterItem);
        tag = "co";
        break;
    case District:
        row.reset(new qvmItemRegion);
        tag = "district";
        break;
    default:
        row.reset(new qvmItemRoad);
        tag = "street";
        break;
    }
    // The standalone agency is the third "co" in document order, after the nested ones.
    QDomElement e = doc.elementsByTagName(tag).at(kind == Agency ? 2 : 0).toElement();
    if (kind != Sale && kind != Agency)
        e = doc.documentElement().firstChildElement(tag);
    if (!row->read(e))
        return nullptr;
    if (!imageFile.isEmpty())
        row->loadPicture(imageFile);
    return row;
}

QImage render(qvmListItem* row, int width, int mode, int extra = 0)
{
    const int h = row->height(width, mode);
    QImage image(width, h + extra, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    row->paint(&p, QRect(0, 0, width, h), mode);
    return image;
}

int countColour(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 40)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
                    qAbs(c.blue() - colour.blue()) <
                tolerance)
                ++n;
        }
    }
    return n;
}

int countInk(const QImage& image, const QRect& area)
{
    const QRect r = area.intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    return n;
}

QList<int> actionsOf(const qvmListItem& row)
{
    QList<int> actions;
    for (const qvmLink& l : row.links())
        actions << l.action;
    std::sort(actions.begin(), actions.end());
    return actions;
}

} // namespace

// The concrete rows: their reads from service documents, list rows, detail bodies and links.
class TestRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void readSale();
    void readLease();
    void readProject();
    void readAgency();
    void readDistrict();
    void readStreet();
    void streetWithoutWidth();
    void relatedGroups();
    void unreadablePublishTime();
    void phones_data();
    void phones();
    void listHeights_data();
    void listHeights();
    void listRowStaysInside_data();
    void listRowStaysInside();
    void projectPriceDashes_data();
    void projectPriceDashes();
    void titleFits_data();
    void titleFits();
    void detailLinks_data();
    void detailLinks();
    void detailNarrowerIsTaller();
    void renderSamples();

private:
    QTemporaryDir dir;
    QString photo;
    QTranslator translator;
    const international* t = nullptr;
};

void TestRows::initTestCase()
{
    kwdClock::setNow(kNow);
    // The catalogue is loaded before the label table is first used, as at start-up.
    if (translator.load(kwdStore::appFile("kwdpersonal_zh.qm")))
        QCoreApplication::installTranslator(&translator);
    t = international::instance();
    QImage picture(320, 240, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient g(0, 0, 320, 240);
    g.setColorAt(0, QColor(90, 140, 200));
    g.setColorAt(1, QColor(230, 200, 150));
    p.fillRect(picture.rect(), g);
    p.end();
    photo = dir.filePath("photo.jpg");
    QVERIFY(picture.save(photo, "JPG"));
}

void TestRows::cleanupTestCase()
{
    kwdClock::reset();
}

void TestRows::readSale()
{
    auto row = readKind(Sale);
    QVERIFY(row);
    auto* sale = static_cast<qvmSaleItem*>(row.get());
    QCOMPARE(sale->type(), 5);
    QCOMPARE(sale->id, QStringLiteral("1001"));
    QCOMPARE(sale->totalPrice, QStringLiteral("320"));
    QCOMPARE(sale->areaSize, QStringLiteral("89.5"));
    QCOMPARE(sale->floor, QStringLiteral("6/18"));
    QCOMPARE(sale->priceRise, QStringLiteral("-1.52"));
    QVERIFY(sale->detail.startsWith(QString::fromUtf8("业主自住")));
    QCOMPARE(sale->ageText, "2" + t->label(23) + t->label(22));
    QCOMPARE(sale->longitude, 116.47);
    QCOMPARE(sale->latitude, 39.99);
    QCOMPARE(sale->district->name, QString::fromUtf8("朝阳"));
    QCOMPARE(sale->street->id, QStringLiteral("s12"));
    QCOMPARE(sale->housingArea->id, QStringLiteral("h77"));
    QCOMPARE(sale->items.size(), 2);
    QCOMPARE(sale->children.size(), 1);
    QCOMPARE(sale->children.first()->type(), 1);
    QCOMPARE(sale->phoneNumbers(), QStringList({"010-64701234", "13800138000"}));
    QCOMPARE(sale->displayName(),
             sale->name.left(17) + "..." + t->label(54).arg("320") + t->label(27).arg("89.5"));
}

void TestRows::readLease()
{
    auto row = readKind(Lease);
    QVERIFY(row);
    auto* lease = static_cast<qvmLeaseItem*>(row.get());
    QCOMPARE(lease->type(), 4);
    QCOMPARE(lease->price, QStringLiteral("3500"));
    QCOMPARE(lease->leasePriceRise, QStringLiteral("2.3"));
    QCOMPARE(lease->ageText, "1" + t->label(25) + t->label(22));
    // The nested agency has an empty id and is still taken.
    QCOMPARE(lease->children.size(), 1);
    QCOMPARE(lease->phoneNumbers(), QStringList{"13900001111"});
    QCOMPARE(lease->displayName(),
             "Bright one-bedroo..." + t->label(26).arg("3500") + t->label(27).arg("60"));
}

void TestRows::readProject()
{
    auto row = readKind(Project);
    QVERIFY(row);
    auto* project = static_cast<qvmProjectItem*>(row.get());
    QCOMPARE(project->type(), 8);
    QCOMPARE(project->saleSum, 12);
    QCOMPARE(project->leaseSum, 4);
    QCOMPARE(project->price, QStringLiteral("23500"));
    QCOMPARE(project->leasePrice, QStringLiteral("45.5"));
    QCOMPARE(project->distance, QStringLiteral("1234.5"));
    QCOMPARE(project->area, QString::fromUtf8("望京"));
    QVERIFY(project->related);
    QCOMPARE(project->related->type(), 2);
    QCOMPARE(project->displayName(), project->name);
}

void TestRows::readAgency()
{
    auto row = readKind(Agency);
    QVERIFY(row);
    auto* agency = static_cast<qvmInterItem*>(row.get());
    QCOMPARE(agency->id, QStringLiteral("c9"));
    QCOMPARE(agency->phones, QStringList({"010-84725555", "400-800-1234", "5"}));
    QVERIFY(agency->project);
    QCOMPARE(agency->project->id, QStringLiteral("h77"));
    QCOMPARE(agency->caption, QString::fromUtf8("链家"));
    QCOMPARE(agency->address, QString::fromUtf8("望京街10号"));
}

void TestRows::readDistrict()
{
    auto row = readKind(District);
    QVERIFY(row);
    auto* district = static_cast<qvmItemRegion*>(row.get());
    QCOMPARE(district->type(), 7);
    QCOMPARE(district->price, QStringLiteral("28,000"));
    QCOMPARE(district->leasePrice, QStringLiteral("62.5"));
    QCOMPARE(district->marketSale, QStringLiteral("up"));
    QCOMPARE(district->marketLease, QStringLiteral("flat"));
}

void TestRows::readStreet()
{
    auto row = readKind(Street);
    QVERIFY(row);
    auto* street = static_cast<qvmItemRoad*>(row.get());
    QCOMPARE(street->type(), 6);
    QCOMPARE(street->name, QString::fromUtf8("广顺北大街"));
    QCOMPARE(street->width, "30" + t->label(18));
    QVERIFY(street->length.isEmpty());
    const QList<QPair<QString, QString>> expected = {{t->label(12), QString::fromUtf8("朝阳区")},
                                                     {t->label(13), QString::fromUtf8("望京街")},
                                                     {t->label(14), QString::fromUtf8("北五环")},
                                                     {t->label(15), "30" + t->label(18)},
                                                     {t->label(17), "2011-04-01"}};
    QCOMPARE(street->items, expected);
    QCOMPARE(street->relatedAreas.size(), 2);
    QCOMPARE(street->relatedAreas.at(1)->id, QStringLiteral("h78"));
}

void TestRows::streetWithoutWidth()
{
    QDomDocument doc;
    doc.setContent(QByteArray("<street><id>s</id><name>N</name><streetname> </streetname>"
                              "<streetwidth></streetwidth><detail></detail></street>"));
    qvmItemRoad street;
    street.detail = "kept";
    QVERIFY(street.read(doc.documentElement()));
    QCOMPARE(street.name, QStringLiteral("N"));
    QVERIFY(street.width.isEmpty());
    QVERIFY(street.items.isEmpty());
    QCOMPARE(street.detail, QStringLiteral("kept"));
}

void TestRows::relatedGroups()
{
    auto row = readKind(Project);
    auto* project = static_cast<qvmProjectItem*>(row.get());
    const qvmItemRelateHA* related = project->related;
    QCOMPARE(related->groups.size(), 2);
    QCOMPARE(related->groups.at(0).groupType, QString::fromUtf8("周边小区"));
    QCOMPARE(related->groups.at(1).groupType, QString::fromUtf8("同价位"));
    bool found = false;
    const QList<qvmListItem*> near = related->groupRows(QString::fromUtf8("周边小区"), &found);
    QVERIFY(found);
    QCOMPARE(near.size(), 2);
    QCOMPARE(near.at(0)->id, QStringLiteral("h78"));
    QCOMPARE(near.at(1)->id, QStringLiteral("h79"));
    QCOMPARE(project->relatedGroup(QString::fromUtf8("同价位")).size(), 1);
    QVERIFY(related->groupRows("none", &found).isEmpty());
    QVERIFY(!found);
    // Exact comparison.
    QVERIFY(related->groupRows(QString::fromUtf8("周边小区 ")).isEmpty());
}

void TestRows::unreadablePublishTime()
{
    QDomDocument doc;
    doc.setContent(QByteArray("<forsale><id>1</id><publish>yesterday</publish></forsale>"));
    qvmSaleItem sale;
    QVERIFY(sale.read(doc.documentElement()));
    QCOMPARE(sale.ageText, QStringLiteral("yesterday"));
}

void TestRows::phones_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("space slash space")
        << "010-64701234 / 13800138000" << QStringList{"010-64701234", "13800138000"};
    QTest::newRow("one") << "13800138000" << QStringList{"13800138000"};
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("words only") << "call us" << QStringList();
    QTest::newRow("leading and trailing") << " (010)1234;5678 " << QStringList{"010", "1234", "5678"};
    QTest::newRow("Chinese separators")
        << QString::fromUtf8("电话：010-1234，手机13800138000") << QStringList{"010-1234", "13800138000"};
}

void TestRows::phones()
{
    QFETCH(QString, text);
    QTEST(qvmInterItem::splitPhones(text), "expected");
}

void TestRows::listHeights_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    for (int w : {360, 480}) {
        QTest::addRow("sale %d", w) << int(Sale) << w;
        QTest::addRow("lease %d", w) << int(Lease) << w;
        QTest::addRow("project %d", w) << int(Project) << w;
        QTest::addRow("agency %d", w) << int(Agency) << w;
    }
}

void TestRows::listHeights()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    auto row = readKind(kind);
    QFont small(QStringLiteral("sans-serif"));
    small.setPointSize(10);
    QFont title(QStringLiteral("sans-serif"));
    title.setPointSize(11);
    const int s = QFontMetrics(small).lineSpacing();
    const int ti = QFontMetrics(title).lineSpacing();
    const int m = s / 2;
    const int h = row->height(width, 0);
    if (kind == Agency) {
        const int box = std::min((ti + 2 * (s + s / 4)) * 4 / 3, (width - 2 * m) / 4);
        QVERIFY(h >= box + 2 * m);
        QVERIFY(h >= ti + s + 2 * m);
    } else {
        QCOMPARE(h, ti + 2 * (s + s / 4 + m));
    }
    QCOMPARE(row->height(width, 2), h);
    QCOMPARE(row->height(width, 3), 0);
    QCOMPARE(row->height(width, -1), 0);
}

void TestRows::listRowStaysInside_data()
{
    listHeights_data();
}

void TestRows::listRowStaysInside()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    auto row = readKind(kind, photo);
    const QImage image = render(row.get(), width, 0, 20);
    const int h = row->height(width, 0);
    const int m = QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing() / 2;
    QCOMPARE(countInk(image, QRect(0, h, width, 20)), 0);
    // The right-hand reserve is left to the list's arrow.
    QCOMPARE(countInk(image, QRect(width - 3 * m, 0, 3 * m, h)), 0);
    QVERIFY(countInk(image, QRect(0, 0, width, h)) > 200);
    if (kind != Agency) {
        const int title = QFontMetrics(QFont(QStringLiteral("sans-serif"), 11)).lineSpacing();
        QVERIFY(countColour(image, QRect(0, 0, width, m + title), QColor(54, 98, 169)) > 20);
        // The price sits in red on the second line, in the right half.
        QVERIFY(countColour(image, QRect(width / 2, m + title, width / 2, title), QColor(210, 10, 23)) > 10);
    } else {
        QVERIFY(countColour(image, QRect(width / 4, 0, width, h), QColor(210, 10, 23)) > 20);
    }
}

void TestRows::projectPriceDashes_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("leasePrice");
    QTest::addColumn<bool>("red");
    QTest::newRow("no prices") << ""
                               << "" << false;
    QTest::newRow("zero prices") << "0"
                                 << "0.00" << false;
    QTest::newRow("sale price only") << "23000"
                                     << "" << true;
    QTest::newRow("lease price only") << ""
                                      << "45.5" << true;
}

void TestRows::projectPriceDashes()
{
    QFETCH(QString, price);
    QFETCH(QString, leasePrice);
    QFETCH(bool, red);
    qvmProjectItem project;
    project.id = "p";
    project.name = "Garden";
    project.price = price;
    project.leasePrice = leasePrice;
    const QImage image = render(&project, 360, 0);
    const int s = QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing();
    const int h = project.height(360, 0);
    const QRect third(0, h - s / 2 - s, 360, s);
    QCOMPARE(countColour(image, third, QColor(210, 10, 23)) > 0, red);
    QVERIFY(countInk(image, third) > 50);
}

void TestRows::titleFits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::newRow("short 360") << "Garden" << 360;
    QTest::newRow("long 360") << QString::fromUtf8("望京西园三区精装修南北通透两居室满五唯一近地铁随时看房")
                              << 360;
    QTest::newRow("long 480") << QString::fromUtf8(
                                     "望京西园三区精装修南北通透两居室满五唯一近地铁随时看房价格可谈")
                              << 480;
    QTest::newRow("wide Latin 360") << QString(60, QLatin1Char('W')) << 360;
}

void TestRows::titleFits()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    const QFontMetrics fm(QFont(QStringLiteral("sans-serif"), 11));
    const int m = QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing() / 2;
    qvmSaleItem sale;
    sale.name = name;
    sale.picture = new qvmPictureJob;
    sale.picture->url = "u";
    qvmProjectItem project;
    project.name = name;
    project.picture = new qvmPictureJob;
    project.picture->url = "u";
    render(&sale, width, 0);
    render(&project, width, 0);
    for (const QString& title : {sale.titleText, project.titleText}) {
        QVERIFY(!title.isEmpty());
        QVERIFY(title.endsWith(t->label(0)));
        QVERIFY(fm.horizontalAdvance(title) <= width - 5 * m);
        const QString kept = title.left(title.size() - t->label(0).size());
        QVERIFY(kept == name || (kept.endsWith("...") && name.startsWith(kept.chopped(3))));
    }
}

void TestRows::detailLinks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("actions");
    QTest::addColumn<bool>("contact");
    for (int w : {360, 480}) {
        QTest::addRow("sale %d", w) << int(Sale) << w << QList<int>{0, 1, 2, 3} << true;
        QTest::addRow("lease %d", w) << int(Lease) << w << QList<int>{1} << true;
        QTest::addRow("project %d", w) << int(Project) << w << QList<int>{0, 1, 2, 4, 5, 6, 6} << false;
        QTest::addRow("agency %d", w) << int(Agency) << w << QList<int>{3} << true;
        QTest::addRow("district %d", w) << int(District) << w << QList<int>{0} << false;
        QTest::addRow("street %d", w) << int(Street) << w << QList<int>{3, 3} << false;
    }
}

void TestRows::detailLinks()
{
    QFETCH(int, kind);
    QFETCH(int, width);
    QFETCH(QList<int>, actions);
    QFETCH(bool, contact);
    auto row = readKind(kind);
    const int h = row->height(width, 1);
    QVERIFY(h > row->height(width, 0) || kind == District);
    QCOMPARE(row->height(width, 1), h);
    const QList<qvmLink> measured = row->links();
    QCOMPARE(actionsOf(*row), actions);
    const QRect body(0, 0, width, h);
    for (int i = 0; i < measured.size(); ++i) {
        const qvmLink& l = measured.at(i);
        QVERIFY2(body.contains(l.rect), qPrintable(QString::number(l.action)));
        QVERIFY(l.rect.width() > 2 && l.rect.height() > 2);
        for (int j = i + 1; j < measured.size(); ++j)
            QVERIFY(!l.rect.intersects(measured.at(j).rect));
        QVERIFY(l.target);
    }
    QCOMPARE(!row->contactRect.isNull(), contact);
    if (contact)
        QVERIFY(body.contains(row->contactRect));

    // Painting at the same width records the same links.
    const QImage image = render(row.get(), width, 1);
    const QList<qvmLink> painted = row->links();
    QCOMPARE(painted.size(), measured.size());
    for (int i = 0; i < painted.size(); ++i) {
        QCOMPARE(painted.at(i).rect, measured.at(i).rect);
        QCOMPARE(painted.at(i).target, measured.at(i).target);
    }

    for (const qvmLink& l : painted) {
        switch (l.action) {
        case 0:
            QCOMPARE(l.target, row.get());
            break;
        case 1:
            QCOMPARE(l.target, static_cast<qvmListItem*>(row->district));
            break;
        case 2:
            QCOMPARE(l.target, static_cast<qvmListItem*>(row->street));
            break;
        case 3:
            if (kind == Sale)
                QCOMPARE(l.target, static_cast<qvmListItem*>(row->housingArea));
            else if (kind == Agency)
                QCOMPARE(l.target, static_cast<qvmListItem*>(static_cast<qvmInterItem*>(row.get())->project));
            else
                QVERIFY(static_cast<qvmItemRoad*>(row.get())->relatedAreas.contains(
                    static_cast<qvmProjectItem*>(l.target)));
            break;
        case 4:
        case 5:
            QCOMPARE(l.target, row.get());
            break;
        case 6: {
            QCOMPARE(l.target, row.get());
            bool found = false;
            static_cast<qvmProjectItem*>(row.get())->related->groupRows(l.title, &found);
            QVERIFY(found);
            break;
        }
        default:
            QFAIL("unexpected action");
        }
        // Links are drawn in the link colour.
        if (l.action != 0)
            QVERIFY(countColour(image, l.rect, QColor(54, 98, 169), 60) > 0 ||
                    countColour(image, l.rect, QColor(51, 51, 51), 60) > 0);
    }
    if (kind == Project) {
        // The two search boxes stand side by side.
        QRect sales, leases;
        for (const qvmLink& l : painted) {
            if (l.action == 4)
                sales = l.rect;
            if (l.action == 5)
                leases = l.rect;
        }
        QCOMPARE(sales.top(), leases.top());
        QVERIFY(sales.right() < leases.left());
    }
}

void TestRows::detailNarrowerIsTaller()
{
    for (int kind = Sale; kind <= Street; ++kind) {
        auto row = readKind(kind);
        const int narrow = row->height(360, 1);
        const int wide = row->height(480, 1);
        QVERIFY(narrow >= wide);
        QCOMPARE(row->layoutWidth, 480);
    }
}

void TestRows::renderSamples()
{
    const QString out = kwdTestEnvironment::outputDir("rows");
    const char* const names[] = {"sale", "lease", "project", "agency", "district", "street"};
    for (int kind = Sale; kind <= Street; ++kind) {
        for (int width : {360, 480}) {
            for (int mode : {0, 1}) {
                if (mode == 0 && kind > Agency)
                    continue;
                auto row = readKind(kind, photo);
                const QImage image = render(row.get(), width, mode);
                QVERIFY(!image.isNull());
                const QString file = QStringLiteral("%1/%2_%3_%4.png")
                                         .arg(out, names[kind], mode ? "detail" : "list")
                                         .arg(width);
                QVERIFY(image.save(file));
            }
        }
    }
    // A page of list rows as the list shows them, for a look at the columns.
    std::vector<std::unique_ptr<qvmListItem>> rows;
    for (int kind : {Sale, Lease, Project, Agency, Sale})
        rows.push_back(readKind(kind, photo));
    int total = 0;
    for (auto& r : rows)
        total += r->height(360, 0) + 1;
    QImage page(360, total, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    int y = 0;
    for (auto& r : rows) {
        const int h = r->height(360, 0);
        r->paint(&p, QRect(0, y, 360, h), 0);
        p.setPen(QColor(218, 218, 218));
        p.drawLine(0, y + h, 359, y + h);
        y += h + 1;
    }
    p.end();
    QVERIFY(page.save(out + "/list_page_360.png"));
}

KWD_TEST_MAIN(TestRows)
#include "tst_qvmrows.moc"

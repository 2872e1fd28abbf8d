#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmleaseitem.h"
#include "qvmlistitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDomDocument>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Opens the protected drawing helpers to the test.
class ProbeItem : public qvmListItem
{
public:
    using qvmListItem::drawCaptionLine;
    using qvmListItem::elide;
    using qvmListItem::margin;
};

QDomElement recordOf(const QString& xml, QDomDocument& doc)
{
    doc.setContent(xml);
    return doc.documentElement();
}

QByteArray streamOf(const qvmListItem& row)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_6);
    row.write(out);
    return bytes;
}

std::unique_ptr<qvmListItem> makeRow(int kind)
{
    if (kind == 0)
        return std::make_unique<qvmListItem>();
    return std::unique_ptr<qvmListItem>(qvmListItem::createForKind(kind));
}

} // namespace

// The common row: its XML read, stream form, copy, name and drawing helpers.
class TestListItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readRecord_data();
    void readRecord();
    void contradictingIdLeavesRowUntouched();
    void rereadReplacesLists();
    void displayName_data();
    void displayName();
    void streamLayout_data();
    void streamLayout();
    void truncatedStreamFails();
    void nestedStreamIsBounded();
    void assignCopiesStreamFields();
    void assignDropsMissingLinks();
    void createForKind();
    void loadPicture();
    void elide_data();
    void elide();
    void captionLine();
    void baseHeights();
};

void TestListItem::readRecord_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<bool>("idOptional");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<int>("imageCount");
    QTest::addColumn<int>("pageView");

    QTest::newRow("full record")
        << "<forsale><id> 101 </id><name> Sunny Garden </name><location>116.45,39.92</location>"
           "<imageurl>http://x/p.jpg</imageurl><imagecount>4</imagecount><address>Road 1</address>"
           "<pageview>77</pageview></forsale>"
        << false << true << "101"
        << "Sunny Garden" << 116.45 << 39.92 << 4 << 77;
    QTest::newRow("empty id") << "<forsale><id>  </id><name>x</name></forsale>" << false << false << ""
                              << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("empty id allowed") << "<co><id/><name>Agent</name></co>" << true << true << ""
                                      << "Agent" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("no id at all") << "<forsale><name>Only a name</name></forsale>" << false << true << ""
                                  << "Only a name" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("two ids that contradict")
        << "<forsale><id>1</id><name>n</name><id>2</id></forsale>" << false << false << ""
        << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("same id twice") << "<forsale><id>1</id><id>1</id></forsale>" << false << true << "1"
                                   << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("location without comma")
        << "<ha><id>5</id><location>116.45 39.92</location></ha>" << false << true << "5"
        << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("location split at the first comma")
        << "<ha><id>5</id><location>1.5,2.5,3.5</location></ha>" << false << true << "5"
        << "" << 1.5 << 0.0 << 0 << 0;
    QTest::newRow("location not numeric")
        << "<ha><id>5</id><location>east,north</location></ha>" << false << true << "5"
        << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("numbers not numeric")
        << "<ha><id>5</id><imagecount>many</imagecount><pageview>12x</pageview></ha>" << false << true << "5"
        << "" << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("text nodes and comments ignored")
        << "<ha>text<!-- c --><id>9</id>more<name>N</name></ha>" << false << true << "9"
        << "N" << 0.0 << 0.0 << 0 << 0;
}

void TestListItem::readRecord()
{
    QFETCH(QString, xml);
    QFETCH(bool, idOptional);
    QFETCH(bool, ok);
    qvmListItem row(idOptional);
    QDomDocument doc;
    QCOMPARE(row.read(recordOf(xml, doc)), ok);
    if (!ok)
        return;
    QTEST(row.id, "id");
    QTEST(row.name, "name");
    QTEST(row.longitude, "longitude");
    QTEST(row.latitude, "latitude");
    QTEST(row.imageCount, "imageCount");
    QTEST(row.pageView, "pageView");
}

void TestListItem::contradictingIdLeavesRowUntouched()
{
    qvmSaleItem row;
    QDomDocument doc;
    QVERIFY(row.read(recordOf("<forsale><id>A</id><name>First</name><location>10,20</location>"
                              "<address>Addr</address></forsale>",
                              doc)));
    // Same listing again: accepted; a location without a comma keeps the coordinates.
    QVERIFY(row.read(recordOf("<forsale><id>A</id><location>nowhere</location></forsale>", doc)));
    QCOMPARE(row.longitude, 10.0);
    QCOMPARE(row.latitude, 20.0);
    // Another listing's record (name first, id later) must change nothing.
    QVERIFY(!row.read(recordOf("<forsale><name>Intruder</name><address>Elsewhere</address><id>B</id>"
                               "<totalprice>1</totalprice></forsale>",
                               doc)));
    QCOMPARE(row.id, QStringLiteral("A"));
    QCOMPARE(row.name, QStringLiteral("First"));
    QCOMPARE(row.address, QStringLiteral("Addr"));
    QVERIFY(row.totalPrice.isEmpty());
}

void TestListItem::rereadReplacesLists()
{
    const QString xml =
        QStringLiteral("<forsale><id>7</id><imageurl>u1</imageurl>"
                       "<items><item name=\"a\">1</item><item name=\"b\"> 2 </item></items>"
                       "<district id=\"d1\">East</district><co><name>Agent</name></co></forsale>");
    qvmSaleItem row;
    QDomDocument doc;
    QVERIFY(row.read(recordOf(xml, doc)));
    qvmListItem* districtBefore = row.district;
    QVERIFY(row.read(recordOf(xml, doc)));
    QCOMPARE(row.items.size(), 2);
    QCOMPARE(row.items.at(1), qMakePair(QStringLiteral("b"), QStringLiteral("2")));
    QCOMPARE(row.children.size(), 1);
    // The district object stays the same one, so pages holding it keep a valid pointer.
    QCOMPARE(row.district, districtBefore);
    QCOMPARE(row.district->id, QStringLiteral("d1"));
    QCOMPARE(row.district->name, QStringLiteral("East"));
    QCOMPARE(row.picture->url, QStringLiteral("u1"));
}

void TestListItem::displayName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("17 characters") << "ABCDEFGHIJKLMNOPQ"
                                   << "ABCDEFGHIJKLMNOPQ";
    QTest::newRow("18 characters") << "ABCDEFGHIJKLMNOPQR"
                                   << "ABCDEFGHIJKLMNOPQ...";
    QTest::newRow("17 Chinese") << QString(17, QChar(0x5B85)) << QString(17, QChar(0x5B85));
    QTest::newRow("18 Chinese") << QString(18, QChar(0x5B85)) << QString(17, QChar(0x5B85)) + "...";
}

void TestListItem::displayName()
{
    QFETCH(QString, name);
    qvmListItem row;
    row.name = name;
    QTEST(row.displayName(), "expected");
    qvmProjectItem project;
    project.name = name;
    QTEST(project.displayName(), "expected");
}

void TestListItem::streamLayout_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");

    auto begin = [](QByteArray& bytes) {
        auto* s = new QDataStream(&bytes, QIODevice::WriteOnly);
        s->setVersion(QDataStream::Qt_4_6);
        return std::unique_ptr<QDataStream>(s);
    };
    {
        qvmListItem row;
        row.id = "1";
        row.name = "Plain";
        row.address = "Somewhere";
        QByteArray e;
        auto s = begin(e);
        *s << QString("1") << QString("Plain") << false << QString("Somewhere") << qint32(0) << qint32(0)
           << qint32(0);
        QTest::newRow("base without links") << 0 << streamOf(row) << e;
    }
    {
        qvmSaleItem row(true);
        row.id = "s9";
        row.name = "Flat";
        row.totalPrice = "120";
        row.areaSize = "89.5";
        row.floor = "6/18";
        row.publishTime = "2011-05-01 10:00:00";
        row.ageText = "9daysbefore";
        row.detail = "not stored";
        row.priceRise = "1.5";
        row.district = new qvmItemRegion;
        row.district->id = "d";
        row.district->name = "East";
        QByteArray e;
        auto s = begin(e);
        *s << QString("s9") << QString("Flat") << true << QString() << qint32(1);
        *s << QString("d") << QString("East") << false << QString() << qint32(0) << qint32(0) << qint32(0);
        *s << qint32(0) << qint32(0);
        *s << QString("120") << QString("89.5") << QString("6/18") << QString("2011-05-01 10:00:00")
           << QString("9daysbefore");
        QTest::newRow("sale with district") << 2 << streamOf(row) << e;
    }
    {
        qvmLeaseItem row;
        row.id = "l1";
        row.price = "3500";
        row.areaSize = "60";
        row.street = new qvmItemRoad;
        row.street->name = "Long Street";
        QByteArray e;
        auto s = begin(e);
        *s << QString("l1") << QString() << false << QString() << qint32(0) << qint32(0) << qint32(1);
        *s << QString() << QString("Long Street") << false << QString() << qint32(0) << qint32(0)
           << qint32(0);
        *s << QString("3500") << QString("60") << QString() << QString() << QString();
        QTest::newRow("lease with street") << 3 << streamOf(row) << e;
    }
    {
        qvmProjectItem row;
        row.id = "h1";
        row.name = "Garden";
        row.saleSum = 12;
        row.leaseSum = -3;
        row.price = "23000";
        row.priceRise = "-1.2";
        row.leasePrice = "45.5";
        row.leasePriceRise = "0.3";
        row.area = "Chaoyang";
        row.detail = "not stored";
        row.housingArea = new qvmProjectItem;
        row.housingArea->id = "inner";
        row.housingArea->saleSum = 1;
        QByteArray e;
        auto s = begin(e);
        *s << QString("h1") << QString("Garden") << false << QString() << qint32(0) << qint32(1);
        *s << QString("inner") << QString() << false << QString() << qint32(0) << qint32(0) << qint32(0)
           << qint32(1) << qint32(0) << QString() << QString() << QString() << QString() << QString();
        *s << qint32(0);
        *s << qint32(12) << qint32(-3) << QString("23000") << QString("-1.2") << QString("45.5")
           << QString("0.3") << QString("Chaoyang");
        QTest::newRow("project with housing area") << 1 << streamOf(row) << e;
    }
}

void TestListItem::streamLayout()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual.toHex(), expected.toHex());

    // Reading the bytes back and writing again gives the same bytes.
    auto row = makeRow(kind);
    QDataStream in(expected);
    in.setVersion(QDataStream::Qt_4_6);
    QVERIFY(row->read(in));
    QVERIFY(in.atEnd());
    QCOMPARE(streamOf(*row).toHex(), expected.toHex());
}

void TestListItem::truncatedStreamFails()
{
    qvmSaleItem row;
    row.id = "s";
    row.name = "Name";
    row.totalPrice = "1";
    row.district = new qvmItemRegion;
    row.district->name = "D";
    const QByteArray bytes = streamOf(row);
    for (int cut = 0; cut < bytes.size(); ++cut) {
        qvmSaleItem back;
        QDataStream in(bytes.left(cut));
        in.setVersion(QDataStream::Qt_4_6);
        back.read(in);
        QVERIFY2(in.status() != QDataStream::Ok, qPrintable(QString::number(cut)));
    }
}

void TestListItem::nestedStreamIsBounded()
{
    // A damaged file that claims a housing area inside a housing area inside ... must end quickly.
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_6);
    for (int i = 0; i < 100000; ++i)
        out << QString() << QString() << false << QString() << qint32(0) << qint32(1);
    qvmProjectItem row;
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_4_6);
    QVERIFY(!row.read(in));
}

void TestListItem::assignCopiesStreamFields()
{
    QDomDocument doc;
    qvmSaleItem source;
    QVERIFY(source.read(
        recordOf("<forsale><id>42</id><name>N</name><address>A</address>"
                 "<totalprice>300</totalprice><areasize>120</areasize><floor>3</floor>"
                 "<publish>2011-01-01 00:00:00</publish><detail>D</detail><pricerise>2</pricerise>"
                 "<district id=\"d\">East</district><ha id=\"h\">Garden</ha>"
                 "<street id=\"s\">Main</street></forsale>",
                 doc)));
    qvmSaleItem copy;
    copy.assign(&source);
    QCOMPARE(streamOf(copy), streamOf(source));
    QVERIFY(copy.district && copy.district != source.district);
    QCOMPARE(copy.housingArea->name, QStringLiteral("Garden"));
    QCOMPARE(copy.street->id, QStringLiteral("s"));
    // Not part of the stored form.
    QVERIFY(copy.detail.isEmpty());
    QVERIFY(copy.priceRise.isEmpty());

    qvmProjectItem project;
    project.saleSum = 5;
    project.price = "100";
    project.detail = "x";
    qvmProjectItem projectCopy;
    projectCopy.assign(&project);
    QCOMPARE(streamOf(projectCopy), streamOf(project));
    QVERIFY(projectCopy.detail.isEmpty());
}

void TestListItem::assignDropsMissingLinks()
{
    qvmLeaseItem target;
    target.district = new qvmItemRegion;
    target.street = new qvmItemRoad;
    qvmLeaseItem source;
    source.id = "x";
    source.housingArea = new qvmProjectItem;
    source.housingArea->name = "H";
    target.assign(&source);
    QVERIFY(!target.district);
    QVERIFY(!target.street);
    QVERIFY(target.housingArea);
    QCOMPARE(target.housingArea->name, QStringLiteral("H"));
    target.assign(&target);
    QCOMPARE(target.id, QStringLiteral("x"));
}

void TestListItem::createForKind()
{
    const int types[] = {-1, qvmListItem::TypeProject, qvmListItem::TypeSale, qvmListItem::TypeLease, -1, -1};
    for (int kind = 0; kind <= 5; ++kind) {
        std::unique_ptr<qvmListItem> row(qvmListItem::createForKind(kind));
        if (types[kind] < 0)
            QVERIFY(!row);
        else
            QCOMPARE(row->type(), types[kind]);
    }
}

void TestListItem::loadPicture()
{
    QTemporaryDir dir;
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(Qt::red);
    // The content decides the format, not the file name of the download.
    const QString good = dir.filePath("download.dat");
    QVERIFY(source.save(good, "PNG"));
    const QString bad = dir.filePath("broken.png");
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not an image at all");
    f.close();

    qvmListItem noJob;
    QVERIFY(!noJob.loadPicture(good));
    QVERIFY(!noJob.picture);

    qvmListItem row;
    QDomDocument doc;
    QVERIFY(row.read(recordOf("<ha><id>1</id><imageurl>http://x/1.jpg</imageurl></ha>", doc)));
    QVERIFY(row.hasPicture());
    QVERIFY(!row.loadPicture(bad));
    QVERIFY(!row.picture->image);
    QVERIFY(!row.loadPicture(dir.filePath("missing")));
    QVERIFY(row.loadPicture(good));
    QVERIFY(row.picture->image);
    QCOMPARE(row.picture->image->size(), QSize(40, 30));
    // Attached once: a later file does not replace it.
    QImage other(10, 10, QImage::Format_RGB32);
    const QString second = dir.filePath("second.png");
    QVERIFY(other.save(second));
    QVERIFY(row.loadPicture(second));
    QCOMPARE(row.picture->image->size(), QSize(40, 30));
}

void TestListItem::elide_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<bool>("whole");
    QTest::newRow("short") << "Short title" << 300 << false << true;
    QTest::newRow("short with mark") << "Short title" << 300 << true << true;
    QTest::newRow("long") << "A rather long listing title that cannot fit in one line of the row" << 200
                          << false << false;
    QTest::newRow("long with mark") << "A rather long listing title that cannot fit in one line of the row"
                                    << 200 << true << false;
    QTest::newRow("long Chinese") << QString::fromUtf8("朝阳区望京西园三区精装修南北通透两居室满五唯一地铁旁")
                                  << 200 << true << false;
    QTest::newRow("wide glyphs") << QString(40, QLatin1Char('W')) << 120 << true << false;
    QTest::newRow("at 480") << "A rather long listing title that cannot fit in one line of the row, at all"
                            << 440 << false << false;
}

void TestListItem::elide()
{
    QFETCH(QString, text);
    QFETCH(int, maxWidth);
    QFETCH(bool, mark);
    QFETCH(bool, whole);
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(11);
    p.setFont(font);
    const QFontMetrics fm(p.font());
    const QString suffix = mark ? QStringLiteral("(tu)") : QString();

    ProbeItem row;
    QString cache = QStringLiteral("old");
    row.elide(QString(), cache, &p, maxWidth, mark);
    QCOMPARE(cache, QStringLiteral("old"));

    row.elide(text, cache, &p, maxWidth, mark);
    const int width = fm.horizontalAdvance(cache);
    if (whole) {
        QCOMPARE(cache, text + suffix);
        return;
    }
    QVERIFY(cache.endsWith(QStringLiteral("...") + suffix));
    const QString kept = cache.left(cache.size() - 3 - suffix.size());
    QVERIFY(!kept.isEmpty());
    QVERIFY(text.startsWith(kept));
    QVERIFY2(width < maxWidth, qPrintable(cache));
    // One more character would not fit (or the text is nearly full width).
    const int longer = fm.horizontalAdvance(text.left(kept.size() + 1) + QStringLiteral("...") + suffix);
    QVERIFY(longer >= maxWidth || width + fm.lineSpacing() > maxWidth);
}

void TestListItem::captionLine()
{
    QImage image(360, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(10);
    p.setFont(font);
    const QFontMetrics fm(font);
    ProbeItem row;
    const int m = ProbeItem::margin();
    QCOMPARE(m, fm.lineSpacing() / 2);

    int y = 10;
    QRect link;
    row.drawCaptionLine(&p, "Address:", "Main Street 5", y, 0, 80, 200, true, &link, "Main Street");
    const int valueHeight =
        fm.boundingRect(QRect(0, 0, 200, 10000), Qt::TextWordWrap | Qt::AlignTop, "Main Street 5").height();
    QCOMPARE(y, 10 + qMax(valueHeight, fm.lineSpacing()) + 2 * m);
    QVERIFY(!link.isNull());
    QCOMPARE(link.left(), 2 * m + 80);
    QCOMPARE(link.top(), 10 + m);
    QCOMPARE(link.width(), fm.horizontalAdvance("Main Street"));
    QCOMPARE(image.pixelColor(3 * m + 280 - 2, 12), QColor(243, 243, 243));
    QCOMPARE(image.pixelColor(20, y), QColor(208, 208, 208));

    // A value that wraps makes the line taller.
    const int before = y;
    row.drawCaptionLine(&p, "Detail:", QString(60, QLatin1Char('x')).replace(10, 1, " ").replace(30, 1, " "),
                        y, 0, 80, 100, false, nullptr, QString());
    QVERIFY(y - before > fm.lineSpacing() + 2 * m);
}

void TestListItem::baseHeights()
{
    qvmListItem row;
    const int expected = 50 * kwdStore::instance()->screenDpi() / 72;
    QCOMPARE(row.height(360, 0), expected);
    QCOMPARE(row.listHeight, expected);
    QCOMPARE(row.layoutWidth, 360);
    QCOMPARE(row.height(360, 7), 0);
    row.listHeight = 1;
    QCOMPARE(row.height(360, 0), 1);
    // Another width drops the caches.
    QCOMPARE(row.height(480, 0), expected);
}

KWD_TEST_MAIN(TestListItem)
#include "tst_qvmlistitem.moc"

#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmitemregion.h"
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
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Opens the protected drawing helpers to the test.
class ProbeItem : public qvmListItem
{
public:
    using qvmListItem::elide;
};

// One table row, a value per column.
template <typename... T> void row(const char* tag, const T&... values)
{
    (QTest::newRow(tag) << ... << values);
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

// The common row: its XML read, stream form, copy, name and drawing helpers.
class TestListItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readRecord_data()
    {
        QTest::addColumn<QString>("xml"); // the record's content
        QTest::addColumn<bool>("idOptional");
        QTest::addColumn<QString>(
            "expected"); // id|name|longitude|latitude|imagecount|pageview; empty: refused
        row("full record",
            "<id> 101 </id><name> Sunny Garden </name><location>116.45,39.92</location>"
            "<imagecount>4</imagecount><pageview>77</pageview>",
            false, "101|Sunny Garden|116.45|39.92|4|77");
        row("empty id", "<id>  </id><name>x</name>", false, "");
        row("empty id allowed", "<id/><name>Agent</name>", true, "|Agent|0|0|0|0");
        row("no id at all", "<name>N</name>", false, "|N|0|0|0|0");
        row("contradicting ids", "<id>1</id><name>n</name><id>2</id>", false, "");
        row("same id twice", "<id>1</id><id>1</id>", false, "1||0|0|0|0");
        row("location without comma", "<id>5</id><location>116.45 39.92</location>", false, "5||0|0|0|0");
        row("location split at the first comma", "<id>5</id><location>1.5,2.5,3.5</location>", false,
            "5||1.5|0|0|0");
        row("location not numeric", "<id>5</id><location>east,north</location>", false, "5||0|0|0|0");
        row("numbers not numeric", "<id>5</id><imagecount>many</imagecount><pageview>12x</pageview>", false,
            "5||0|0|0|0");
        row("text and comments ignored", "text<!-- c --><id>9</id>more<name>N</name>", false, "9|N|0|0|0|0");
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

    void displayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        row("empty", QString(), QString());
        row("17 characters", "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPQ");
        row("18 characters", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQ...");
        row("17 Chinese", QString(17, QChar(0x5B85)), QString(17, QChar(0x5B85)));
        row("18 Chinese", QString(18, QChar(0x5B85)), QString(17, QChar(0x5B85)) + "...");
    }

    void displayName()
    {
        QFETCH(QString, name);
        qvmListItem row;
        row.name = name;
        QTEST(row.displayName(), "expected");
        qvmProjectItem project;
        project.name = name;
        QTEST(project.displayName(), "expected");
    }

    void streamLayout_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("actual");
        QTest::addColumn<QByteArray>("expected");
        using S = QString;
        // A linked item is a flag, then its own base form; links come as district, housing area, street.
        // Links read from a record allow an empty id.
        qvmListItem base;
        readXml(base, "<ha><id>1</id><name>Plain</name><address>Somewhere</address></ha>");
        QTest::newRow("base without links") << 0 << streamOf(base) << bytesOf([](QDataStream& s) {
            s << S("1") << S("Plain") << false << S("Somewhere") << qint32(0) << qint32(0) << qint32(0);
        });
        qvmSaleItem sale(true);
        readXml(sale,
                "<forsale><id>s9</id><name>Flat</name><totalprice>120</totalprice><areasize>89.5</areasize>"
                "<floor>6/18</floor><publish>2011-05-01 10:00:00</publish><detail>not stored</detail>"
                "<pricerise>1.5</pricerise><district id=\"d\">East</district></forsale>");
        sale.ageText = "9daysbefore";
        QTest::newRow("sale with district") << 2 << streamOf(sale) << bytesOf([](QDataStream& s) {
            s << S("s9") << S("Flat") << true << S() << qint32(1);
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
        const auto make = [kind] {
            return std::unique_ptr<qvmListItem>(kind ? qvmListItem::createForKind(kind) : new qvmListItem);
        };
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
        QVERIFY(copy.detail.isEmpty() && copy.priceRise.isEmpty()); // not part of the stored form
        qvmProjectItem project, projectCopy;
        QVERIFY(readXml(project, "<ha><id>p</id><salesum>5</salesum><price>100</price></ha>"));
        projectCopy.assign(&project);
        QCOMPARE(streamOf(projectCopy), streamOf(project));
        // Links the source lacks are dropped; assigning a row to itself keeps it.
        qvmLeaseItem target, lease;
        QVERIFY(readXml(
            target, "<lease><id>t</id><district id=\"d\">E</district><street id=\"s\">S</street></lease>"));
        QVERIFY(readXml(lease, "<lease><id>x</id><ha id=\"h\">H</ha></lease>"));
        target.assign(&lease);
        QVERIFY(!target.district && !target.street);
        target.assign(&target);
        QCOMPARE(target.id + target.housingArea->name, QStringLiteral("xH"));
    }

    void loadPicture()
    {
        QTemporaryDir dir;
        QImage source(40, 30, QImage::Format_RGB32);
        source.fill(Qt::red);
        // The content decides the format, not the file name of the download.
        const QString good = dir.filePath("download.dat"), bad = dir.filePath("broken.png");
        QFile f(bad);
        QVERIFY(source.save(good, "PNG") && f.open(QIODevice::WriteOnly) && f.write("not an image") > 0);
        f.close();
        qvmListItem noJob, row;
        QVERIFY(!noJob.loadPicture(good) && !noJob.picture);
        QVERIFY(readXml(row, "<ha><id>1</id><imageurl>http://x/1.jpg</imageurl></ha>") && row.hasPicture());
        QVERIFY(!row.loadPicture(bad) && !row.picture->image && !row.loadPicture(dir.filePath("missing")));
        // Attached once: a later file does not replace it.
        QVERIFY(row.loadPicture(good) && QImage(10, 10, QImage::Format_RGB32).save(bad));
        QVERIFY(row.loadPicture(bad));
        QCOMPARE(row.picture->image->size(), QSize(40, 30));
    }

    void elide_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxWidth");
        QTest::addColumn<bool>("mark");
        const QString longText = "A rather long listing title that cannot fit in one line of the row";
        row("short", "Short title", 300, false);
        row("short with mark", "Short title", 300, true);
        row("long", longText, 200, false);
        row("long with mark", longText, 200, true);
        row("long Chinese", QString::fromUtf8("朝阳区望京西园三区精装修南北通透两居室满五唯一地铁旁"), 200,
            true);
        row("wide glyphs", QString(40, QLatin1Char('W')), 120, true);
        row("at 480", longText + ", at all", 440, false);
    }

    void elide()
    {
        QFETCH(QString, text);
        QFETCH(int, maxWidth);
        QFETCH(bool, mark);
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setFont(QFont(QStringLiteral("sans-serif"), 11));
        const QFontMetrics fm(p.font());
        const QString suffix = mark ? QStringLiteral("(tu)") : QString();
        ProbeItem row;
        QString cache = QStringLiteral("old");
        row.elide(QString(), cache, &p, maxWidth, mark);
        QCOMPARE(cache, QStringLiteral("old"));
        row.elide(text, cache, &p, maxWidth, mark);
        if (fm.horizontalAdvance(text + suffix) < maxWidth) {
            QCOMPARE(cache, text + suffix);
            return;
        }
        QVERIFY(cache.endsWith(QStringLiteral("...") + suffix));
        const QString kept = cache.left(cache.size() - 3 - suffix.size());
        QVERIFY(!kept.isEmpty() && text.startsWith(kept));
        const int width = fm.horizontalAdvance(cache);
        QVERIFY2(width < maxWidth, qPrintable(cache));
        // One more character would not fit (or the text is nearly full width).
        const int longer = fm.horizontalAdvance(text.left(kept.size() + 1) + QStringLiteral("...") + suffix);
        QVERIFY(longer >= maxWidth || width + fm.lineSpacing() > maxWidth);
    }

    void baseHeights()
    {
        qvmListItem row;
        const int expected = 50 * kwdStore::instance()->screenDpi() / 72;
        QCOMPARE(row.height(360, 0), expected);
        QCOMPARE(row.height(360, 7), 0);
        // The height is cached for one width; another width drops the cache.
        row.listHeight = 1;
        QCOMPARE(row.height(360, 0), 1);
        QCOMPARE(row.height(480, 0), expected);
    }
};

KWD_TEST_MAIN(TestListItem)
#include "tst_qvmlistitem.moc"

#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmhttpholder.h"

#include <QApplication>
#include <QDataStream>
#include <QtTest>

namespace {

kwdFinder makeFinder(int category, const QStringList& fields)
{
    kwdFinder f(QStringLiteral("default"), category);
    for (const QString& pair : fields)
        f.setField(pair.section(QLatin1Char('='), 0, 0).toInt(), pair.section(QLatin1Char('='), 1));
    return f;
}

QString withSn(const QString& pairs)
{
    const QString sn = QStringLiteral("sn=") + kwdDevice::id();
    return pairs.isEmpty() ? sn : pairs + QLatin1Char('&') + sn;
}

} // namespace

// The list query string built from a search record, and the record's stream form.
class TestBuildQuery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        kwdStore* store = kwdStore::instance();
        store->cities.insert(QStringLiteral("北京"), {{QStringLiteral("北京"), QStringLiteral("bj")}});
        store->cityInfo.insert(QStringLiteral("bj"), {{{QStringLiteral("朝阳"), QStringLiteral("cy")},
                                                       {QStringLiteral("坏区"), QStringLiteral("x&y=1")}},
                                                      {},
                                                      {},
                                                      {}});
        QVERIFY(!kwdDevice::id().isEmpty());
    }

    void query_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        // Conditions that narrow the list (what the list page counts and one tap clears).
        QTest::addColumn<int>("conditions");

        const QString city = QStringLiteral("1=北京");
        QTest::newRow("sale by district")
            << 2 << QStringList{city, "8=101", QStringLiteral("2=朝阳")} << "distcode=cy" << 1;
        QTest::newRow("unknown district")
            << 2 << QStringList{city, "8=101", QStringLiteral("2=海淀")} << "" << 0;
        QTest::newRow("unknown city")
            << 2 << QStringList{"1=x", "8=101", QStringLiteral("2=朝阳")} << "" << 0;
        QTest::newRow("unknown mode") << 2 << QStringList{city, "8=999", QStringLiteral("2=朝阳")} << "" << 0;
        QTest::newRow("lease example")
            << 3 << QStringList{city, "8=101", "15=2", "16=1", "13=1000-2000", "21=2"}
            << "br=2&leasecode=1&price1=1000&price2=2000&ob=2" << 3;
        QTest::newRow("open upper price") << 2 << QStringList{"12=500-"} << "price1=500&price2=" << 1;
        QTest::newRow("equal price bounds") << 2 << QStringList{"12=500-500"} << "" << 0;
        QTest::newRow("empty low price") << 2 << QStringList{"12=-800"} << "price1=0&price2=800" << 1;
        QTest::newRow("lease price field")
            << 3 << QStringList{"12=1-2", "13=3-4"} << "price1=3&price2=4" << 1;
        QTest::newRow("top floor") << 2 << QStringList{"18=8"} << "f1=8&f2=" << 1;
        QTest::newRow("third floor") << 3 << QStringList{"18=3"} << "f1=3&f2=3" << 1;
        QTest::newRow("villa") << 2 << QStringList{"15=5"} << "bldgcode=21" << 1;
        QTest::newRow("shared rent off") << 3 << QStringList{"16=0"} << "" << 0;
        QTest::newRow("developer source") << 3 << QStringList{"19=3"} << "offer=2" << 1;

        const QStringList all{city,    "8=103",        "5=777",      "7=2000",   "17=garden", "9=pa",
                              "10=11", "11=3000-5000", "12=100-200", "13=10-20", "14=50-90",  "15=3",
                              "16=1",  "18=8",         "19=1",       "20=p1",    "21=9"};
        QTest::newRow("housing areas")
            << 1 << all << "location=777|2000&keyword=garden&haclcode=pa&price1=3000&price2=5000&ob=p1" << 3;
        QTest::newRow("sale, every pair in order")
            << 2 << all
            << "location=777|2000&keyword=garden&proptype=11&br=3&bldgarea1=50&bldgarea2=90"
               "&price1=100&price2=200&f1=8&f2=&offer=0&ob=9"
            << 7;
        QTest::newRow("agencies") << 4 << all << "location=777|2000&keyword=garden" << 1;
        QTest::newRow("only this housing area") << 2 << QStringList{"8=103", "5=777", "7="} << "ha=777" << 0;
        QTest::newRow("housing area without id") << 2 << QStringList{"8=103", "7=1000"} << "" << 0;

        // Separators in user or server text must not start new pairs.
        QTest::newRow("keyword escaped")
            << 2 << QStringList{"17=a&b=c#d+e%f"} << "keyword=a%26b%3Dc%23d%2Be%25f" << 1;
        QTest::newRow("keyword text kept") << 2 << QStringList{QStringLiteral("17=朝阳 公园/东")}
                                           << QStringLiteral("keyword=朝阳 公园/东") << 1;
        QTest::newRow("housing area id escaped")
            << 2 << QStringList{"8=103", "5=1&sn=evil"} << "ha=1%26sn%3Devil" << 0;
        QTest::newRow("location id escaped")
            << 1 << QStringList{"8=103", "5=9#1", "7=5000"} << "location=9%231|5000" << 0;
        QTest::newRow("district code escaped")
            << 2 << QStringList{city, "8=101", QStringLiteral("2=坏区")} << "distcode=x%26y%3D1" << 1;
    }

    void query()
    {
        QFETCH(int, category);
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        kwdFinder finder = makeFinder(category, fields);
        QCOMPARE(finder.buildQuery(), withSn(expected));
        QTEST(finder.activeConditions(), "conditions");
        // Cleared, the record keeps its place, housing area and sort, and narrows nothing.
        finder.clearConditions();
        QCOMPARE(finder.activeConditions(), 0);
        for (const char* kept : {"location=", "ha=", "ob="})
            QCOMPARE(finder.buildQuery().contains(kept), expected.contains(kept));
    }

    void aroundMe_data()
    {
        QTest::addColumn<bool>("haveSource");
        QTest::addColumn<bool>("hasPosition");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<QString>("expected");

        QTest::newRow("with position") << true << true << "1000"
                                       << "location=116.397128|39.916527|1000";
        QTest::newRow("no position source") << false << false << "1000"
                                            << "";
        QTest::newRow("no fix yet") << true << false << "1000"
                                    << "";
        QTest::newRow("zero radius") << true << true << "0"
                                     << "";
    }

    void aroundMe()
    {
        QFETCH(bool, haveSource);
        QFETCH(bool, hasPosition);
        QFETCH(QString, radius);
        QFETCH(QString, expected);

        QScopedPointer<kwdLocation> source;
        if (haveSource) {
            source.reset(new kwdLocation);
            source->longitude = 116.397128;
            source->latitude = 39.916527;
            source->hasPosition = hasPosition;
        }
        kwdFinder f = makeFinder(2, {"8=102", "4=" + radius, "22=old-lat", "23=old-lon", "2=ignored"});
        QCOMPARE(f.buildQuery(), withSn(expected));
        // The position sent is remembered with eight decimals; without one the old stays.
        const bool sent = !expected.isEmpty();
        QCOMPARE(f.field(kwdFinder::Latitude),
                 sent ? QStringLiteral("39.91652700") : QStringLiteral("old-lat"));
        QCOMPARE(f.field(kwdFinder::Longitude),
                 sent ? QStringLiteral("116.39712800") : QStringLiteral("old-lon"));
    }

    void stream()
    {
        // Layout written by hand: name, category, count, then key and value pairs.
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << QStringLiteral("push") << qint32(3) << qint32(2) << qint32(1) << QStringLiteral("上海")
                << qint32(24) << QStringLiteral("1");
        }
        kwdFinder f = makeFinder(2, {"17=old"});
        QDataStream in(bytes);
        QVERIFY(f.read(in));
        QCOMPARE(f.name, QStringLiteral("push"));
        QCOMPARE(f.fields, (QMap<int, QString>{{1, QStringLiteral("上海")}, {24, QStringLiteral("1")}}));
        QCOMPARE(f.category, 3);
        QByteArray written;
        {
            QDataStream out(&written, QIODevice::WriteOnly);
            f.write(out);
        }
        QCOMPARE(written, bytes);

        // A stream that runs dry leaves the record as it was.
        QDataStream shortIn(bytes.left(bytes.size() - 3));
        kwdFinder g = makeFinder(2, {"17=keep"});
        QVERIFY(!g.read(shortIn));
        QCOMPARE(g.field(kwdFinder::Keyword), QStringLiteral("keep"));
    }
};

KWD_TEST_MAIN(TestBuildQuery)
#include "tst_buildquery.moc"

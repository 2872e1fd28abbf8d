#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QtTest>

namespace {

QDomDocument parse(const QString& xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    return doc;
}

// The catalogue as one line: "province=name:code,name:code;province=...", provinces in map order.
QString flatten(const QMap<QString, QList<kwdNameCode>>& cities)
{
    QStringList provinces;
    for (auto it = cities.cbegin(); it != cities.cend(); ++it) {
        QStringList list;
        for (const kwdNameCode& c : it.value())
            list << c.name + QLatin1Char(':') + c.code;
        provinces << it.key() + QLatin1Char('=') + list.join(QLatin1Char(','));
    }
    return provinces.join(QLatin1Char(';'));
}

QString flatten(const QList<kwdNameCode>& list)
{
    QStringList out;
    for (const kwdNameCode& c : list)
        out << c.name + QLatin1Char(':') + c.code;
    return out.join(QLatin1Char(','));
}

// A complete city-information document; a part can be replaced by the given text.
QString cityInfoXml(const QString& areas, const QString& sale = QString(), const QString& total = QString(),
                    const QString& lease = QString())
{
    const QString s = sale.isNull()
                          ? QStringLiteral("<saleprice><price val=\"0-5000\">5000以下</price>"
                                           "<price val=\"5000-10000\">5000-10000</price></saleprice>")
                          : sale;
    const QString t = total.isNull() ? QStringLiteral("<totalprice><price val=\"0-100\">100万以下</price>"
                                                      "</totalprice>")
                                     : total;
    const QString l = lease.isNull() ? QStringLiteral("<leaseprice><price val=\"0-1000\">1000以下</price>"
                                                      "</leaseprice>")
                                     : lease;
    return QStringLiteral("<city>") + areas + s + t + l + QStringLiteral("</city>");
}

const QString kAreas =
    QStringLiteral("<areas><area jm=\"hd\">海淀</area><area jm=\"cy\">朝阳</area></areas>");

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void parseCityList_data();
    void parseCityList();
    void sameCityNameInTwoProvinces();
    void cityListFileWrittenOnlyWhenNotEmpty();
    void parseCityInfo_data();
    void parseCityInfo();
    void incompleteInfoKeepsOldEntry_data();
    void incompleteInfoKeepsOldEntry();
    void cityInfoFileWrittenOnSuccess();
    void districtCode_data();
    void districtCode();
    void listUrl_data();
    void listUrl();
    void categoryKeyAndTitle_data();
    void categoryKeyAndTitle();

private:
    kwdStore* store = nullptr;
};

void TestCatalogue::init()
{
    kwdStore::destroy();
    store = kwdStore::instance();
    QFile::remove(store->dataFile(QStringLiteral("citylist")));
    QFile::remove(store->dataFile(QStringLiteral("cityinfo")));
}

void TestCatalogue::cleanup()
{
    kwdStore::destroy();
    store = nullptr;
}

void TestCatalogue::parseCityList_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("catalogue");

    QTest::newRow("plain") << "<citylist><province name=\"北京\"><city name=\"北京\" jm=\"bj\"/></province>"
                              "<province name=\"河北\"><city name=\"石家庄\" jm=\"sjz\"/>"
                              "<city name=\"保定\" jm=\"bd\"/></province></citylist>"
                           << "北京=北京:bj;河北=石家庄:sjz,保定:bd";
    QTest::newRow("document order kept within a province")
        << "<r><province name=\"p\"><city name=\"z\" jm=\"z1\"/><city name=\"a\" jm=\"a1\"/></province></r>"
        << "p=z:z1,a:a1";
    QTest::newRow("city without jm dropped")
        << "<r><province name=\"p\"><city name=\"a\"/><city name=\"b\" jm=\"\"/><city name=\"c\" jm=\"c1\"/>"
           "</province></r>"
        << "p=c:c1";
    QTest::newRow("city without name dropped")
        << "<r><province name=\"p\"><city jm=\"x\"/><city name=\"\" jm=\"y\"/><city name=\"c\" jm=\"c1\"/>"
           "</province></r>"
        << "p=c:c1";
    QTest::newRow("province with every city dropped is absent")
        << "<r><province name=\"gone\"><city name=\"a\"/><city jm=\"b\"/></province>"
           "<province name=\"kept\"><city name=\"c\" jm=\"c1\"/></province></r>"
        << "kept=c:c1";
    QTest::newRow("province without cities is absent")
        << "<r><province name=\"empty\"/><province name=\"kept\"><city name=\"c\" jm=\"c1\"/></province></r>"
        << "kept=c:c1";
    QTest::newRow("province without name skipped")
        << "<r><province><city name=\"a\" jm=\"a1\"/></province>"
           "<province name=\"\"><city name=\"b\" jm=\"b1\"/></province></r>"
        << "";
    QTest::newRow("province twice keeps the later list")
        << "<r><province name=\"p\"><city name=\"a\" jm=\"a1\"/></province>"
           "<province name=\"q\"><city name=\"x\" jm=\"x1\"/></province>"
           "<province name=\"p\"><city name=\"b\" jm=\"b1\"/><city name=\"c\" jm=\"c1\"/></province></r>"
        << "p=b:b1,c:c1;q=x:x1";
    QTest::newRow("province twice, later one empty keeps the first")
        << "<r><province name=\"p\"><city name=\"a\" jm=\"a1\"/></province>"
           "<province name=\"p\"><city name=\"b\"/></province></r>"
        << "p=a:a1";
    QTest::newRow("cities at any depth")
        << "<r><province name=\"p\"><group><city name=\"a\" jm=\"a1\"/></group><city name=\"b\" jm=\"b1\"/>"
           "</province></r>"
        << "p=a:a1,b:b1";
    QTest::newRow("provinces at any depth, cities outside ignored")
        << "<r><city name=\"lost\" jm=\"l\"/><country><province name=\"p\"><city name=\"a\" jm=\"a1\"/>"
           "</province></country></r>"
        << "p=a:a1";
    QTest::newRow("provinces sorted by name")
        << "<r><province name=\"浙江\"><city name=\"杭州\" jm=\"hz\"/></province>"
           "<province name=\"江苏\"><city name=\"南京\" jm=\"nj\"/></province></r>"
        << "江苏=南京:nj;浙江=杭州:hz";
    QTest::newRow("not a city list") << "<html><body>503</body></html>"
                                     << "";
}

void TestCatalogue::parseCityList()
{
    QFETCH(QString, xml);
    QFETCH(QString, catalogue);
    // Whatever was there before is replaced.
    store->cities.insert(QStringLiteral("old"), {kwdNameCode{QStringLiteral("o"), QStringLiteral("o1")}});
    store->parseCityList(parse(xml));
    QCOMPARE(flatten(store->cities), catalogue);
}

void TestCatalogue::sameCityNameInTwoProvinces()
{
    // 浙江 comes first in the document, 江苏 first in name order (UTF-16 code units): name order wins.
    store->parseCityList(parse(QStringLiteral("<r><province name=\"浙江\"><city name=\"新城\" jm=\"zjxc\"/>"
                                              "<city name=\"杭州\" jm=\"hz\"/></province>"
                                              "<province name=\"江苏\"><city name=\"南京\" jm=\"nj\"/>"
                                              "<city name=\"新城\" jm=\"jsxc\"/></province></r>")));
    QVERIFY(QStringLiteral("江苏") < QStringLiteral("浙江"));
    QCOMPARE(store->cityCode(QStringLiteral("新城")), QStringLiteral("jsxc"));
    QCOMPARE(store->provinceOf(QStringLiteral("新城")), QStringLiteral("江苏"));
    QCOMPARE(store->cityCode(QStringLiteral("杭州")), QStringLiteral("hz"));
    QCOMPARE(store->provinceOf(QStringLiteral("杭州")), QStringLiteral("浙江"));
    // Exact names only.
    QCOMPARE(store->cityCode(QStringLiteral("杭")), QString());
    QCOMPARE(store->provinceOf(QStringLiteral("杭州市")), QString());
    QCOMPARE(store->cityCode(QString()), QString());
}

void TestCatalogue::cityListFileWrittenOnlyWhenNotEmpty()
{
    const QString file = store->dataFile(QStringLiteral("citylist"));
    store->parseCityList(parse(QStringLiteral("<r><province name=\"p\"><city name=\"a\"/></province></r>")));
    QVERIFY(store->cities.isEmpty());
    QVERIFY2(!QFile::exists(file), "an empty catalogue writes no file");

    store->parseCityList(
        parse(QStringLiteral("<r><province name=\"河北\"><city name=\"保定\" jm=\"bd\"/>"
                             "</province><province name=\"北京\"><city name=\"北京\" jm=\"bj\"/>"
                             "</province></r>")));
    QVERIFY(QFile::exists(file));
    const QString built = flatten(store->cities);

    // A later document without usable provinces empties the catalogue but leaves the last good file.
    store->parseCityList(parse(QStringLiteral("<r/>")));
    QVERIFY(store->cities.isEmpty());
    kwdStore::destroy();
    store = kwdStore::instance();
    QVERIFY(store->loadCities());
    QCOMPARE(flatten(store->cities), built);
}

void TestCatalogue::parseCityInfo_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QStringList>("lists"); // districts, sale, total, lease

    QTest::newRow("complete") << cityInfoXml(kAreas)
                              << QStringList{"海淀:hd,朝阳:cy", "5000以下:0-5000,5000-10000:5000-10000",
                                             "100万以下:0-100", "1000以下:0-1000"};
    QTest::newRow("entries without jm or text dropped")
        << cityInfoXml(
               QStringLiteral("<areas><area>无码</area><area jm=\"x\"></area><area jm=\"ft\">丰台</area>"
                              "</areas>"))
        << QStringList{"丰台:ft", "5000以下:0-5000,5000-10000:5000-10000", "100万以下:0-100",
                       "1000以下:0-1000"};
    QTest::newRow("prices without val dropped")
        << cityInfoXml(kAreas, QString(), QString(),
                       QStringLiteral("<leaseprice><price>不限</price><price val=\"\">空</price>"
                                      "<price val=\"1000-2000\">1000-2000</price></leaseprice>"))
        << QStringList{"海淀:hd,朝阳:cy", "5000以下:0-5000,5000-10000:5000-10000", "100万以下:0-100",
                       "1000-2000:1000-2000"};
    QTest::newRow("first element of each part counts")
        << cityInfoXml(kAreas) + QStringLiteral("<areas><area jm=\"zz\">第二</area></areas>")
        << QStringList{"海淀:hd,朝阳:cy", "5000以下:0-5000,5000-10000:5000-10000", "100万以下:0-100",
                       "1000以下:0-1000"};
    QTest::newRow("entries at any depth")
        << cityInfoXml(QStringLiteral("<areas><group><area jm=\"hd\">海淀</area></group></areas>"))
        << QStringList{"海淀:hd", "5000以下:0-5000,5000-10000:5000-10000", "100万以下:0-100",
                       "1000以下:0-1000"};
}

void TestCatalogue::parseCityInfo()
{
    QFETCH(QString, xml);
    QFETCH(QStringList, lists);
    QVERIFY(!store->cityInfoOf(QStringLiteral("bj")));
    QVERIFY(store->parseCityInfo(parse(QStringLiteral("<r>") + xml + QStringLiteral("</r>")),
                                 QStringLiteral("bj")));
    const QList<QList<kwdNameCode>>* info = store->cityInfoOf(QStringLiteral("bj"));
    QVERIFY(info);
    QCOMPARE(info->size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(flatten(info->at(i)), lists.at(i));
    QVERIFY(!store->cityInfoOf(QStringLiteral("sh"))); // other cities untouched
}

void TestCatalogue::incompleteInfoKeepsOldEntry_data()
{
    QTest::addColumn<QString>("xml");
    const QString emptyPart = QStringLiteral("<totalprice><price>no value</price></totalprice>");
    QTest::newRow("no leaseprice") << cityInfoXml(kAreas, QString(), QString(), QStringLiteral(" "));
    QTest::newRow("no areas") << cityInfoXml(QStringLiteral(" "));
    QTest::newRow("areas without usable entry")
        << cityInfoXml(QStringLiteral("<areas><area>x</area></areas>"));
    QTest::newRow("part without usable entry") << cityInfoXml(kAreas, QString(), emptyPart);
    QTest::newRow("empty part") << cityInfoXml(kAreas, QStringLiteral("<saleprice/>"));
    QTest::newRow("not a city document") << QStringLiteral("<error>busy</error>");
}

void TestCatalogue::incompleteInfoKeepsOldEntry()
{
    QFETCH(QString, xml);
    QVERIFY(store->parseCityInfo(parse(cityInfoXml(kAreas)), QStringLiteral("bj")));
    const QList<QList<kwdNameCode>> before = *store->cityInfoOf(QStringLiteral("bj"));

    QVERIFY(!store->parseCityInfo(parse(xml), QStringLiteral("bj")));
    QVERIFY(!store->parseCityInfo(parse(xml), QStringLiteral("sh")));
    QCOMPARE(*store->cityInfoOf(QStringLiteral("bj")), before);
    QVERIFY(!store->cityInfoOf(QStringLiteral("sh")));
}

void TestCatalogue::cityInfoFileWrittenOnSuccess()
{
    const QString file = store->dataFile(QStringLiteral("cityinfo"));
    QVERIFY(!store->parseCityInfo(parse(cityInfoXml(QStringLiteral(" "))), QStringLiteral("bj")));
    QVERIFY2(!QFile::exists(file), "a failed parse writes nothing");
    QVERIFY(store->parseCityInfo(parse(cityInfoXml(kAreas)), QStringLiteral("bj")));
    QVERIFY(QFile::exists(file));
    const QList<QList<kwdNameCode>> saved = *store->cityInfoOf(QStringLiteral("bj"));

    kwdStore::destroy();
    store = kwdStore::instance();
    QVERIFY(store->loadCityInfo());
    QVERIFY(store->cityInfoOf(QStringLiteral("bj")));
    QCOMPARE(*store->cityInfoOf(QStringLiteral("bj")), saved);
    QCOMPARE(store->districtCode(QStringLiteral("bj"), QStringLiteral("朝阳")), QStringLiteral("cy"));
}

void TestCatalogue::districtCode_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("district");
    QTest::addColumn<QString>("code");
    QTest::newRow("known") << "bj"
                           << "朝阳"
                           << "cy";
    QTest::newRow("first of two with one name") << "bj"
                                                << "海淀"
                                                << "hd";
    QTest::newRow("unknown district") << "bj"
                                      << "浦东"
                                      << "";
    QTest::newRow("exact name only") << "bj"
                                     << "朝阳区"
                                     << "";
    QTest::newRow("empty name") << "bj"
                                << ""
                                << "";
    QTest::newRow("city without information") << "sh"
                                              << "朝阳"
                                              << "";
    QTest::newRow("price labels are no districts") << "bj"
                                                   << "5000以下"
                                                   << "";
}

void TestCatalogue::districtCode()
{
    QFETCH(QString, city);
    QFETCH(QString, district);
    QFETCH(QString, code);
    const QString areas = QStringLiteral(
        "<areas><area jm=\"hd\">海淀</area><area jm=\"cy\">朝阳</area><area jm=\"hd2\">海淀</area>"
        "</areas>");
    QVERIFY(store->parseCityInfo(parse(cityInfoXml(areas)), QStringLiteral("bj")));
    QCOMPARE(store->districtCode(city, district), code);
}

void TestCatalogue::listUrl_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("detail");
    QTest::addColumn<QString>("path"); // empty: no URL at all

    QTest::newRow("ha list") << 1 << false << "/webservice/kwdhalist.html";
    QTest::newRow("ha detail") << 1 << true << "/webservice/kwdhadetail.html";
    QTest::newRow("forsale list") << 2 << false << "/webservice/kwdforsalelist.html";
    QTest::newRow("forsale detail") << 2 << true << "/webservice/kwdforsaledetail.html";
    QTest::newRow("lease list") << 3 << false << "/webservice/kwdleaselist.html";
    QTest::newRow("lease detail") << 3 << true << "/webservice/kwdleasedetail.html";
    QTest::newRow("co list") << 4 << false << "/webservice/kwdcolist.html";
    QTest::newRow("co detail") << 4 << true << "/webservice/kwdcodetail.html";
    QTest::newRow("district list") << 5 << false << "/webservice/kwddistrict.html";
    QTest::newRow("district detail") << 5 << true << "/webservice/kwddistrict.html";
    QTest::newRow("street list") << 6 << false << "/webservice/kwdstreetdetail.html";
    QTest::newRow("street detail") << 6 << true << "/webservice/kwdstreetdetail.html";
    QTest::newRow("category 0") << 0 << false << "";
    QTest::newRow("category 7") << 7 << true << "";
    QTest::newRow("category -1") << -1 << false << "";
    QTest::newRow("category of the search record default") << -1 << true << "";
}

void TestCatalogue::listUrl()
{
    QFETCH(int, category);
    QFETCH(bool, detail);
    QFETCH(QString, path);
    const QString domain = kwdServiceConfig::instance().listingDomain;
    const QString expected = path.isEmpty() ? QString() : "http://sjz." + domain + path;
    QCOMPARE(store->listUrl(category, QStringLiteral("sjz"), detail), expected);
    // A city missing from the catalogue gives an empty host label, not another city's host.
    if (!path.isEmpty())
        QCOMPARE(store->listUrl(category, QString(), detail), "http://." + domain + path);
}

void TestCatalogue::categoryKeyAndTitle_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("title");
    QTest::newRow("1") << 1 << "ha"
                       << "楼盘小区";
    QTest::newRow("2") << 2 << "forsale"
                       << "二手房";
    QTest::newRow("3") << 3 << "lease"
                       << "租房";
    QTest::newRow("4") << 4 << "co"
                       << "中介";
    QTest::newRow("5") << 5 << "district"
                       << "行政区";
    QTest::newRow("6") << 6 << "street"
                       << "道路";
    QTest::newRow("0") << 0 << ""
                       << "";
    QTest::newRow("7") << 7 << ""
                       << "";
    QTest::newRow("-1") << -1 << ""
                        << "";
}

void TestCatalogue::categoryKeyAndTitle()
{
    QFETCH(int, category);
    QFETCH(QString, key);
    QFETCH(QString, title);
    QCOMPARE(kwdStore::categoryKey(category), key);
    QCOMPARE(kwdStore::categoryTitle(category), title);
}

KWD_TEST_MAIN(TestCatalogue)
#include "tst_kwdcatalogue.moc"

#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// Checks the city list that ships next to the program: every name must be reachable through the
// catalogue and every code must be usable as the first label of the city's host names.
class TestCityList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void documentIsWellFormed();
    void provinceCount();
    void provinceCities_data();
    void provinceCities();
    void codesAreHostLabels();
    void namesAreUnique();
    void largeCities_data();
    void largeCities();
    void catalogueSurvivesTheCacheFile();

private:
    bool loadShippedList();
    QDomDocument doc;
};

bool TestCityList::loadShippedList()
{
    QFile file(kwdStore::appFile(QStringLiteral("citylist.xml")));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    doc = QDomDocument();
    if (!doc.setContent(&file))
        return false;
    kwdStore::instance()->parseCityList(doc);
    return true;
}

void TestCityList::init()
{
    kwdStore::destroy();
    QVERIFY2(loadShippedList(), "citylist.xml next to the program is missing or not well-formed");
}

void TestCityList::cleanup()
{
    kwdStore::destroy();
}

void TestCityList::documentIsWellFormed()
{
    QFile file(kwdStore::appFile(QStringLiteral("citylist.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDomDocument fresh;
    QString error;
    int line = 0;
    int column = 0;
    QVERIFY2(fresh.setContent(&file, &error, &line, &column),
             qPrintable(QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(error)));
    QCOMPARE(fresh.documentElement().tagName(), QStringLiteral("citylist"));
    // Every city must survive parsing: none is dropped for an empty name or code.
    const int cityElements = fresh.elementsByTagName(QStringLiteral("city")).size();
    int parsed = 0;
    for (const auto& list : std::as_const(kwdStore::instance()->cities))
        parsed += list.size();
    QCOMPARE(parsed, cityElements);
}

void TestCityList::provinceCount()
{
    // 22 provinces, 5 autonomous regions and 4 municipalities.
    QCOMPARE(kwdStore::instance()->cities.size(), 31);
    QCOMPARE(doc.elementsByTagName(QStringLiteral("province")).size(), 31);
}

void TestCityList::provinceCities_data()
{
    QTest::addColumn<QString>("province");
    QTest::addColumn<int>("count");
    // Prefecture-level divisions per province (cities, prefectures, autonomous prefectures, leagues).
    const struct
    {
        const char* name;
        int count;
    } rows[] = {{"北京", 1},    {"天津", 1},  {"上海", 1},  {"重庆", 1},    {"河北", 11}, {"山西", 11},
                {"内蒙古", 12}, {"辽宁", 14}, {"吉林", 9},  {"黑龙江", 13}, {"江苏", 13}, {"浙江", 11},
                {"安徽", 16},   {"福建", 9},  {"江西", 11}, {"山东", 16},   {"河南", 17}, {"湖北", 13},
                {"湖南", 14},   {"广东", 21}, {"广西", 14}, {"海南", 4},    {"四川", 21}, {"贵州", 9},
                {"云南", 16},   {"西藏", 7},  {"陕西", 10}, {"甘肃", 14},   {"青海", 8},  {"宁夏", 5},
                {"新疆", 14}};
    for (const auto& r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.name) << r.count;
}

void TestCityList::provinceCities()
{
    QFETCH(QString, province);
    QFETCH(int, count);
    const auto& cities = kwdStore::instance()->cities;
    QVERIFY2(cities.contains(province), qPrintable(province));
    QCOMPARE(cities.value(province).size(), count);
    // A municipality is listed as a province holding the one city of the same name.
    if (count == 1)
        QCOMPARE(cities.value(province).first().name, province);
    for (const kwdNameCode& city : cities.value(province)) {
        QVERIFY(!city.name.trimmed().isEmpty());
        QVERIFY2(!city.name.endsWith(QStringLiteral("市")), qPrintable(city.name));
    }
}

void TestCityList::codesAreHostLabels()
{
    static const QRegularExpression label(QStringLiteral("^[a-z]+$"));
    QSet<QString> seen;
    for (const auto& list : std::as_const(kwdStore::instance()->cities)) {
        for (const kwdNameCode& city : list) {
            QVERIFY2(label.match(city.code).hasMatch(), qPrintable(city.name + QLatin1Char(' ') + city.code));
            QVERIFY2(!seen.contains(city.code), qPrintable(QStringLiteral("code used twice: ") + city.code));
            seen.insert(city.code);
        }
    }
    QVERIFY(seen.size() > 300);
}

void TestCityList::namesAreUnique()
{
    // The lookup by name takes the first match, so a repeated name would hide a city.
    kwdStore* store = kwdStore::instance();
    for (auto it = store->cities.cbegin(); it != store->cities.cend(); ++it) {
        QVERIFY(!it.key().trimmed().isEmpty());
        QVERIFY2(!it.key().endsWith(QStringLiteral("省")), qPrintable(it.key()));
        QVERIFY2(!it.key().endsWith(QStringLiteral("自治区")), qPrintable(it.key()));
        for (const kwdNameCode& city : it.value()) {
            QCOMPARE(store->cityCode(city.name), city.code);
            QCOMPARE(store->provinceOf(city.name), it.key());
        }
    }
}

void TestCityList::largeCities_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("code");
    QTest::newRow("beijing") << QStringLiteral("北京") << QStringLiteral("北京") << QStringLiteral("bj");
    QTest::newRow("shanghai") << QStringLiteral("上海") << QStringLiteral("上海") << QStringLiteral("sh");
    QTest::newRow("guangzhou") << QStringLiteral("广州") << QStringLiteral("广东") << QStringLiteral("gz");
    QTest::newRow("shenzhen") << QStringLiteral("深圳") << QStringLiteral("广东") << QStringLiteral("sz");
    QTest::newRow("tianjin") << QStringLiteral("天津") << QStringLiteral("天津") << QStringLiteral("tj");
    QTest::newRow("chongqing") << QStringLiteral("重庆") << QStringLiteral("重庆") << QStringLiteral("cq");
    QTest::newRow("chengdu") << QStringLiteral("成都") << QStringLiteral("四川") << QStringLiteral("cd");
    QTest::newRow("wuhan") << QStringLiteral("武汉") << QStringLiteral("湖北") << QStringLiteral("wh");
    QTest::newRow("hangzhou") << QStringLiteral("杭州") << QStringLiteral("浙江") << QStringLiteral("hz");
    QTest::newRow("xian") << QStringLiteral("西安") << QStringLiteral("陕西") << QStringLiteral("xa");
}

void TestCityList::largeCities()
{
    QFETCH(QString, city);
    QFETCH(QString, province);
    QFETCH(QString, code);
    QCOMPARE(kwdStore::instance()->cityCode(city), code);
    QCOMPARE(kwdStore::instance()->provinceOf(city), province);
}

void TestCityList::catalogueSurvivesTheCacheFile()
{
    // Parsing wrote the cache file; a fresh store reads the same catalogue back from it.
    const QMap<QString, QList<kwdNameCode>> parsed = kwdStore::instance()->cities;
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    QVERIFY(store->loadCities());
    QCOMPARE(store->cities, parsed);
}

KWD_TEST_MAIN(TestCityList)
#include "tst_citylist.moc"

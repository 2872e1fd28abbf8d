#include "kwddatabase.h"
#include "kwdfinder.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtEndian>
#include <QtTest>

// Builds the bytes of the data files by hand (big-endian int32, strings as byte length + UTF-16BE), so
// the layout is checked against something other than the code that writes it.
class ByteLayout
{
public:
    ByteLayout& i32(qint32 v)
    {
        char b[4];
        qToBigEndian(v, b);
        bytes.append(b, 4);
        return *this;
    }
    ByteLayout& str(const QString& s)
    {
        i32(qint32(s.size() * 2));
        for (QChar c : s) {
            bytes.append(char(c.unicode() >> 8));
            bytes.append(char(c.unicode() & 0xff));
        }
        return *this;
    }
    QByteArray bytes;
};

class TestStore : public QObject
{
    Q_OBJECT
private:
    kwdStore* fresh();
    QString file(const QString& name) { return QDir::homePath() + "/kwdpersonal/" + name; }
    void writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& name);

private Q_SLOTS:
    void init();
    void configDefaults_data();
    void configDefaults();
    void setConfig_data();
    void setConfig();
    void inMemoryKeysStartEmpty();
    void endpoints_data();
    void endpoints();
    void firstStart();
    void damagedCityCache();
    void findersLayout();
    void findersRoundTrip();
    void zeroRecordsGiveDefault();
    void damagedFinders_data();
    void damagedFinders();
    void cityListLayout();
    void cityInfoLayout();
    void damagedCityFiles_data();
    void damagedCityFiles();
    void database();
    void databaseFailure();
};

kwdStore* TestStore::fresh()
{
    kwdStore::destroy();
    return kwdStore::instance();
}

void TestStore::writeFile(const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(QDir::homePath() + "/kwdpersonal");
    QFile f(file(name));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray TestStore::readFile(const QString& name)
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void TestStore::init()
{
    kwdStore::destroy();
    QDir(QDir::homePath() + "/kwdpersonal").removeRecursively();
    QSettings("Nordal", "personal").clear();
}

void TestStore::configDefaults_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("update interval") << 34 << QVariant(1);
    QTest::newRow("auto update") << 35 << QVariant(1);
    QTest::newRow("last update") << 36 << QVariant("2011-01-14 11:11:11");
    QTest::newRow("last build") << 37 << QVariant(1016);
    QTest::newRow("prize flag") << 43 << QVariant("");
    QTest::newRow("guide distance") << 44 << QVariant(500);
    QTest::newRow("guide range") << 45 << QVariant(1000);
    QTest::newRow("guide interval") << 46 << QVariant(60);
    QTest::newRow("gps range") << 47 << QVariant("1|2|5");
    QTest::newRow("skip reg") << 48 << QVariant(0);
    QTest::newRow("user name") << 50 << QVariant("");
    QTest::newRow("password") << 51 << QVariant("");
    QTest::newRow("tel") << 52 << QVariant("");
    QTest::newRow("display name") << 53 << QVariant("");
    QTest::newRow("logged in") << 54 << QVariant("");
    QTest::newRow("on close") << 55 << QVariant("0");
    QTest::newRow("on quit") << 56 << QVariant("0");
    QTest::newRow("city") << 57 << QVariant("");
    QTest::newRow("guide city code") << 58 << QVariant("");
    QTest::newRow("unknown 0") << 0 << QVariant();
    QTest::newRow("unknown 31") << 31 << QVariant();
    QTest::newRow("unknown 49") << 49 << QVariant();
    QTest::newRow("unknown 59") << 59 << QVariant();
}

void TestStore::configDefaults()
{
    QFETCH(int, key);
    QFETCH(QVariant, expected);
    const QVariant v = fresh()->config(key);
    QCOMPARE(v.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(v.toString(), expected.toString());
}

void TestStore::setConfig_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("settingsName"); // empty: must not reach the settings store
    QTest::addColumn<bool>("takesValue");
    QTest::newRow("persisted auto update") << 35 << "cfgAutoUpdate" << true;
    QTest::newRow("persisted on close") << 55 << "cfgOnClose" << true;
    QTest::newRow("persisted user") << 50 << "cfgOnloadName" << true;
    QTest::newRow("in memory prize flag") << 43 << "" << true;
    QTest::newRow("in memory logged in") << 54 << "" << true;
    QTest::newRow("endpoint ha list") << 22 << "" << false;
    QTest::newRow("endpoint update") << 30 << "" << false;
    QTest::newRow("unknown") << 49 << "" << false;
}

void TestStore::setConfig()
{
    QFETCH(int, key);
    QFETCH(QString, settingsName);
    QFETCH(bool, takesValue);
    kwdStore* store = fresh();
    const QVariant before = store->config(key);
    store->setConfig(key, QStringLiteral("written"));
    QCOMPARE(store->config(key).toString(), takesValue ? QStringLiteral("written") : before.toString());

    QSettings settings("Nordal", "personal");
    settings.beginGroup("general");
    if (!settingsName.isEmpty())
        QCOMPARE(settings.value(settingsName).toString(), QStringLiteral("written"));
    QVERIFY(!settings.childKeys().contains(QString::number(key)));
    if (settingsName.isEmpty())
        QVERIFY(settings.childKeys().isEmpty());

    // A persisted value outlives the store; anything else is gone in the next run.
    if (!settingsName.isEmpty())
        QCOMPARE(fresh()->config(key).toString(), QStringLiteral("written"));
}

void TestStore::inMemoryKeysStartEmpty()
{
    kwdStore* store = fresh();
    store->setConfig(kwdStore::loggedIn, "1");
    store->setConfig(kwdStore::guideCityCode, 42);
    QCOMPARE(store->config(kwdStore::guideCityCode).typeId(), QMetaType::QString);
    QCOMPARE(store->config(kwdStore::guideCityCode).toString(), QStringLiteral("42"));
    store = fresh();
    QCOMPARE(store->config(kwdStore::loggedIn).toString(), QString());
    QCOMPARE(store->config(kwdStore::guideCityCode).toString(), QString());
}

void TestStore::endpoints_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    const QString d = "kwd.test";
    QTest::newRow("city info") << 21 << d + "/webservice/kwdcity.html";
    QTest::newRow("ha list") << 22 << d + "/webservice/kwdhalist.html";
    QTest::newRow("ha detail") << 23 << d + "/webservice/kwdhadetail.html";
    QTest::newRow("sale list") << 24 << d + "/webservice/kwdforsalelist.html";
    QTest::newRow("sale detail") << 25 << d + "/webservice/kwdforsaledetail.html";
    QTest::newRow("lease list") << 26 << d + "/webservice/kwdleaselist.html";
    QTest::newRow("lease detail") << 27 << d + "/webservice/kwdleasedetail.html";
    QTest::newRow("co list") << 28 << d + "/webservice/kwdcolist.html";
    QTest::newRow("co detail") << 29 << d + "/webservice/kwdcodetail.html";
    QTest::newRow("update") << 30 << "http://stat.kwd.test:8081/update/kwdpersonal_win32.xml";
    QTest::newRow("ha images") << 38 << d + "/webservice/kwdhaimages.html";
    QTest::newRow("sale images") << 39 << d + "/webservice/kwdforsaleimages.html";
    QTest::newRow("lease images") << 40 << d + "/webservice/kwdleaseimages.html";
    QTest::newRow("street") << 41 << d + "/webservice/kwdstreetdetail.html";
    QTest::newRow("district") << 42 << d + "/webservice/kwddistrict.html";
}

void TestStore::endpoints()
{
    QFETCH(int, key);
    QFETCH(QString, expected);
    QCOMPARE(fresh()->config(key).toString(), expected);
}

void TestStore::firstStart()
{
    QVERIFY(!QFile::exists(QDir::homePath() + "/kwdpersonal"));
    kwdStore* store = fresh();
    store->load();
    QVERIFY(QFileInfo(QDir::homePath() + "/kwdpersonal").isDir());
    QCOMPARE(store->dataPath(), QDir::toNativeSeparators(QDir::homePath() + "/kwdpersonal"));
    QVERIFY2(QFile::exists(file("citylist")), "the catalogue is cached after reading citylist.xml");
    QVERIFY(!store->cities.isEmpty());
    QCOMPARE(store->cityCode(QStringLiteral("北京")), QStringLiteral("bj"));

    QVERIFY(store->currentFinder);
    QCOMPARE(store->finders.size(), 1);
    QCOMPARE(store->currentFinder->name, QStringLiteral("default"));
    QCOMPARE(store->currentFinder->category, -1);
    QCOMPARE(store->currentFinder->field(kwdFinder::Province), QStringLiteral("北京"));
    QCOMPARE(store->currentFinder->field(kwdFinder::City), QStringLiteral("北京"));
    QCOMPARE(store->currentFinder->field(kwdFinder::Mode), QStringLiteral("101"));
    QVERIFY(store->currentNewHouseFinder);
    QCOMPARE(store->currentNewHouseFinder->field(kwdFinder::PushFlag), QStringLiteral("0"));
    QCOMPARE(store->currentNewHouseFinder->category, -1);
    QVERIFY(store->favorites.isEmpty());
    QVERIFY(store->cityInfo.isEmpty());

    // The next start reads the cached catalogue, even without the XML document.
    const QByteArray cached = readFile("citylist");
    store = fresh();
    store->load();
    QCOMPARE(readFile("citylist"), cached);
    QVERIFY(!store->cities.isEmpty());
}

void TestStore::damagedCityCache()
{
    // A damaged cache is not trusted blindly: what it held is kept, nothing crashes.
    writeFile("citylist", ByteLayout().i32(3).str("A").i32(1).str("a").bytes);
    kwdStore* store = fresh();
    QVERIFY(!store->loadCities());
    QCOMPARE(store->cities.size(), 0);
}

void TestStore::findersLayout()
{
    kwdStore* store = fresh();
    kwdFinder a(QStringLiteral("default"), 2);
    a.setField(8, "101");
    a.setField(1, QStringLiteral("上海"));
    a.setField(17, "");
    kwdFinder b(QStringLiteral("x"), -1);
    QVERIFY(store->saveFinders({&a, &b}));

    ByteLayout expected;
    expected.i32(2);
    expected.str("default")
        .i32(2)
        .i32(3)
        .i32(1)
        .str(QStringLiteral("上海"))
        .i32(8)
        .str("101")
        .i32(17)
        .str("");
    expected.str("x").i32(-1).i32(0);
    QCOMPARE(readFile("finders"), expected.bytes);

    QVERIFY(store->saveNewHouseFinders({&b}));
    QCOMPARE(readFile("newhousefinders"), ByteLayout().i32(1).str("x").i32(-1).i32(0).bytes);
}

void TestStore::findersRoundTrip()
{
    kwdStore* store = fresh();
    kwdFinder a(QStringLiteral("default"), 3);
    for (int k = 0; k <= 27; ++k)
        a.setField(k, QStringLiteral("值%1").arg(k));
    QVERIFY(store->saveFinders({&a}));
    store = fresh();
    store->load();
    QCOMPARE(store->finders.size(), 1);
    QVERIFY(*store->currentFinder == a);
}

void TestStore::zeroRecordsGiveDefault()
{
    writeFile("finders", ByteLayout().i32(0).bytes);
    kwdStore* store = fresh();
    store->load();
    QCOMPARE(store->finders.size(), 1);
    QCOMPARE(store->currentFinder->name, QStringLiteral("default"));
    QCOMPARE(store->currentFinder->category, -1);
}

void TestStore::damagedFinders_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("firstName");

    ByteLayout good;
    good.i32(2).str("one").i32(2).i32(1).i32(1).str("bj");
    const int firstEnd = good.bytes.size();
    good.str("two").i32(3).i32(1).i32(8).str("101");

    QTest::newRow("whole") << good.bytes << 2 << "one";
    QTest::newRow("cut in second record") << good.bytes.left(firstEnd + 6) << 1 << "one";
    QTest::newRow("cut in first field") << good.bytes.left(20) << 0 << "default";
    QTest::newRow("cut in count") << good.bytes.left(2) << 0 << "default";
    QTest::newRow("huge record count") << ByteLayout().i32(0x7fffffff).str("a").bytes << 0 << "default";
    QTest::newRow("negative count") << ByteLayout().i32(-5).bytes << 0 << "default";
    QTest::newRow("huge field count")
        << ByteLayout().i32(1).str("a").i32(1).i32(0x40000000).bytes << 0 << "default";
    QTest::newRow("huge string length") << ByteLayout().i32(1).i32(0x7ffffff0).bytes << 0 << "default";
    QTest::newRow("empty file") << QByteArray() << 0 << "default";
}

void TestStore::damagedFinders()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kept);
    QFETCH(QString, firstName);
    writeFile("finders", bytes);
    kwdStore* store = fresh();
    QList<kwdFinder*> list;
    store->loadFinders(list);
    QCOMPARE(list.size(), kept);
    qDeleteAll(list);

    // Start-up goes on with whatever was kept, or the default record.
    store->load();
    QCOMPARE(store->finders.size(), qMax(kept, 1));
    QCOMPARE(store->currentFinder->name, firstName);
}

void TestStore::cityListLayout()
{
    kwdStore* store = fresh();
    QDomDocument doc;
    QVERIFY(
        doc.setContent(QStringLiteral("<l><province name='浙江'><city name='杭州' jm='hz'/><city name='宁波' "
                                      "jm='nb'/></province><province name='北京'><city name='北京' "
                                      "jm='bj'/></province></l>")));
    store->parseCityList(doc);
    // Provinces in ascending order of their names (UTF-16 code units), cities in document order.
    ByteLayout expected;
    expected.i32(2);
    expected.str(QStringLiteral("北京")).i32(1).str("bj").str(QStringLiteral("北京"));
    expected.str(QStringLiteral("浙江"))
        .i32(2)
        .str("hz")
        .str(QStringLiteral("杭州"))
        .str("nb")
        .str(QStringLiteral("宁波"));
    QVERIFY(QStringLiteral("北京") < QStringLiteral("浙江"));
    QCOMPARE(readFile("citylist"), expected.bytes);

    store = fresh();
    QVERIFY(store->loadCities());
    QCOMPARE(store->cities.size(), 2);
    QCOMPARE(store->cities.value(QStringLiteral("浙江")).at(1).code, QStringLiteral("nb"));
}

void TestStore::cityInfoLayout()
{
    kwdStore* store = fresh();
    QDomDocument doc;
    QVERIFY(doc.setContent(QStringLiteral(
        "<city><areas><area jm='hd'>海淀</area></areas><saleprice><price val='1'>一</price></saleprice>"
        "<totalprice><price val='2'>二</price></totalprice><leaseprice><price val='3'>三</price></leaseprice>"
        "</city>")));
    QVERIFY(store->parseCityInfo(doc, "bj"));
    ByteLayout expected;
    expected.i32(1).str("bj").i32(4);
    expected.i32(1).str("hd").str(QStringLiteral("海淀"));
    expected.i32(1).str("1").str(QStringLiteral("一"));
    expected.i32(1).str("2").str(QStringLiteral("二"));
    expected.i32(1).str("3").str(QStringLiteral("三"));
    QCOMPARE(readFile("cityinfo"), expected.bytes);

    store = fresh();
    QVERIFY(store->loadCityInfo());
    QCOMPARE(store->districtCode("bj", QStringLiteral("海淀")), QStringLiteral("hd"));
}

void TestStore::damagedCityFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kept");
    ByteLayout cities;
    cities.i32(2).str("A").i32(1).str("a").str("a1");
    const int firstEnd = cities.bytes.size();
    cities.str("B").i32(1).str("b").str("b1");
    QTest::newRow("citylist whole") << "citylist" << cities.bytes << 2;
    QTest::newRow("citylist cut") << "citylist" << cities.bytes.left(firstEnd + 5) << 1;
    QTest::newRow("citylist huge") << "citylist" << ByteLayout().i32(1).str("A").i32(999999).bytes << 0;

    ByteLayout info;
    info.i32(2).str("a").i32(1).i32(1).str("x").str("y");
    const int infoEnd = info.bytes.size();
    info.str("b").i32(1).i32(1).str("x").str("y");
    QTest::newRow("cityinfo whole") << "cityinfo" << info.bytes << 2;
    QTest::newRow("cityinfo cut") << "cityinfo" << info.bytes.left(infoEnd + 3) << 1;
    QTest::newRow("cityinfo huge lists")
        << "cityinfo" << ByteLayout().i32(1).str("a").i32(1 << 30).bytes << 0;
}

void TestStore::damagedCityFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, kept);
    writeFile(name, bytes);
    kwdStore* store = fresh();
    if (name == "citylist") {
        store->loadCities();
        QCOMPARE(store->cities.size(), kept);
    } else {
        store->loadCityInfo();
        QCOMPARE(store->cityInfo.size(), kept);
    }
}

void TestStore::database()
{
    const QString path = QDir::homePath() + "/db.sqlite";
    kwdDatabase* db = kwdDatabase::instance();
    QVERIFY2(db->open(path), qPrintable(db->errorText()));
    {
        QSqlQuery q(QSqlDatabase::database());
        QVERIFY(q.exec("SELECT name FROM SQLITE_MASTER WHERE type='table' ORDER BY name"));
        QStringList tables;
        while (q.next())
            tables << q.value(0).toString();
        QCOMPARE(tables, QStringList({"arealist", "citylist", "configdata", "leasepricelist",
                                      "projectpricelist", "salepricelist"}));
        QVERIFY(q.exec("insert into configdata values('a','b')"));
    }
    // Reopening keeps the existing tables and their rows.
    QVERIFY(db->open(path));
    {
        QSqlQuery q(QSqlDatabase::database());
        QVERIFY(q.exec("select count(*) from configdata"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
    }
    db->close();
    QVERIFY(!QSqlDatabase::contains(QSqlDatabase::defaultConnection));
}

void TestStore::databaseFailure()
{
    // A directory cannot be opened as a database file.
    kwdDatabase* db = kwdDatabase::instance();
    QVERIFY(!db->open(QDir::homePath()));
    QVERIFY(db->errorText().contains(':'));
    QVERIFY(!db->isOpen());
}

KWD_TEST_MAIN(TestStore)
#include "tst_kwdstore.moc"

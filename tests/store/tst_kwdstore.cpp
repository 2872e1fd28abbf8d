#include "kwdaddressbook.h"
#include "kwdannouncedlistings.h"
#include "kwdbytelayout.h"
#include "kwddatabase.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmhttpholder.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QtTest>

#include <sys/stat.h>

namespace {

QString dataFile(const QString& name)
{
    return QDir::homePath() + "/kwdpersonal/" + name;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() ? path
                                                                                                : QString();
}

QDomDocument parse(const QString& xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    return doc;
}

QString flatten(const QList<kwdNameCode>& list)
{
    QStringList out;
    for (const kwdNameCode& c : list)
        out << c.name + ':' + c.code;
    return out.join(',');
}

// The catalogue as one line: "province=name:code,name:code;province=...", provinces in map order.
QString flatten(const QMap<QString, QList<kwdNameCode>>& cities)
{
    QStringList provinces;
    for (auto it = cities.cbegin(); it != cities.cend(); ++it)
        provinces << it.key() + '=' + flatten(it.value());
    return provinces.join(';');
}

const QString kAreas = QStringLiteral("<areas><area jm='hd'>海淀</area><area jm='cy'>朝阳</area></areas>");
const QString kSale = QStringLiteral("<saleprice><price val='0-5000'>5000以下</price>"
                                     "<price val='5000-10000'>5000-10000</price></saleprice>");
const QString kTotal = QStringLiteral("<totalprice><price val='0-100'>100万以下</price></totalprice>");
const QString kLease = QStringLiteral("<leaseprice><price val='0-1000'>1000以下</price></leaseprice>");

// A complete city-information document; a part can be replaced by the given text.
QString cityInfoXml(const QString& areas, const QString& sale = kSale, const QString& total = kTotal,
                    const QString& lease = kLease)
{
    return "<city>" + areas + sale + total + lease + "</city>";
}

// Where the catalogue places a city: "code province".
QString place(const QString& city)
{
    return kwdStore::instance()->cityCode(city) + ' ' + kwdStore::instance()->provinceOf(city);
}

const QRegularExpression kToken(QStringLiteral("^[0-9a-f]{32}$"));

} // namespace

// The local store's configuration, the deployment's service names, the data files, the city catalogue
// and the per-city information.
class TestStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("KWD_STORE_CHILD"))
            return;
        QCOMPARE(kwdServiceConfig::defaultPath(),
                 QCoreApplication::applicationDirPath() + "/kwdpersonal.conf");
        // Read by the whole process: the file named by KWDPERSONAL_CONF before the configuration's first use.
        const QString conf =
            writeFile(QDir::homePath() + "/process.conf", "[service]\nlistingDomain=process.example.net\n"
                                                          "statisticsHost=stat.process.example.net\n");
        qputenv("KWDPERSONAL_CONF", conf.toUtf8());
        QCOMPARE(kwdServiceConfig::defaultPath(), conf);
        QCOMPARE(kwdServiceConfig::instance().listingDomain, QStringLiteral("process.example.net"));
        // Read once: a later change of the file does not move a running program (see the endpoint keys).
        writeFile(conf, "[service]\nlistingDomain=changed.example\n");
    }

    void init()
    {
        if (qEnvironmentVariableIsSet("KWD_STORE_CHILD"))
            return;
        kwdFavorites::destroy();
        kwdStore::destroy();
        QDir(QDir::homePath() + "/kwdpersonal").removeRecursively();
        QSettings("Nordal", "personal").clear();
        store = kwdStore::instance();
    }

    void configKeys_data()
    {
        // settingsName "": kept in memory only; "-": setConfig is ignored (the endpoints: constant for the
        // run, built from the file named in initTestCase); "*": outlives the store, not in the settings
        kwdColumns<int, QVariant, QString>("key", "initial", "settingsName");
        struct Key
        {
            int key;
            const char* initial; // null: no value at all
            const char* name;
        };
        // clang-format off
        const Key keys[] = {
            {34, "1", "cfgUpdateInterval"}, {35, "1", "cfgAutoUpdate"}, {36, "2011-01-14 11:11:11", "cfgLastUpdate"},
            {37, "1016", "cfgLastUpdateBuild"}, {44, "500", "cfgGuideDistance"}, {45, "1000", "cfgGuideRange"},
            {46, "60", "cfgGuideUpdateInterval"}, {47, "1|2|5", "cfgGPSRange"}, {48, "0", "cfgAllowSkipReg"},
            {50, "", "cfgOnloadName"}, {51, "", "*"}, {52, "", "cfgOnloadTel"},
            {53, "", "cfgOnloadUser"}, {55, "0", "cfgOnClose"}, {56, "0", "cfgOnQuit"}, {57, "", "cfgCity"},
            {59, "", "cfgWindowGeometry"},
            {43, "", ""}, {54, "", ""}, {58, "", ""},
            {21, "process.example.net/webservice/kwdcity.html", "-"},
            {30, "http://stat.process.example.net:8081/update/kwdpersonal_win32.xml", "-"},
            {0, nullptr, "-"}, {20, nullptr, "-"}, {31, nullptr, "-"}, {49, nullptr, "-"}, {60, nullptr, "-"}};
        // clang-format on
        for (const Key& k : keys)
            QTest::addRow("%d %s", k.key, k.name)
                << k.key << (k.initial ? QVariant(k.initial) : QVariant()) << QString(k.name);
    }

    void configKeys()
    {
        QFETCH(int, key);
        QFETCH(QVariant, initial);
        QFETCH(QString, settingsName);
        fresh();
        QCOMPARE(store->config(key).isValid(), initial.isValid());
        QCOMPARE(store->config(key).toString(), initial.toString());
        store->setConfig(key, 42);
        QCOMPARE(store->config(key).toString(),
                 settingsName == "-" ? initial.toString() : QStringLiteral("42"));
        const bool persisted = settingsName != "-" && !settingsName.isEmpty();
        QSettings settings("Nordal", "personal");
        QCOMPARE(settings.allKeys(),
                 persisted && settingsName != "*" ? QStringList{"General/" + settingsName} : QStringList());
        // A persisted value outlives the store; anything else is back to its start value in the next run.
        QCOMPARE(fresh()->config(key).toString(), persisted ? QStringLiteral("42") : initial.toString());
    }

    void persistedInNextRun_data()
    {
        kwdColumns<int, QVariant>("key", "value");
        kwdRow("text", int(kwdStore::cfgCity), QVariant(QString::fromUtf8("上海")));
        kwdRow("number", int(kwdStore::cfgLastUpdateBuild), QVariant(1021));
        kwdRow("date-time", int(kwdStore::cfgLastUpdate),
               QVariant(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 15))));
        kwdRow("window place", int(kwdStore::cfgWindowGeometry), QVariant(QRect(40, 30, 360, 640)));
    }

    // Within one process Qt's settings cache answers from what was written; only a second process reads
    // the file as the next start does. One child writes, another reads, both with this test's HOME.
    void persistedInNextRun()
    {
        QByteArray encoded;
        QDataStream out(&encoded, QIODevice::WriteOnly);
        out << kwdData<QVariant>("value");
        for (const char* step : {"write", "read"}) {
            const QString failed =
                kwdTestEnvironment::runChild({QStringLiteral("KWD_STORE_CHILD=") + step,
                                              "KWD_STORE_KEY=" + QString::number(kwdData<int>("key")),
                                              "KWD_STORE_VALUE=" + QString::fromLatin1(encoded.toBase64())});
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
        }
    }

    // The child's half of persistedInNextRun; skipped in a normal run.
    void childRun()
    {
        const QByteArray step = qgetenv("KWD_STORE_CHILD");
        if (step.isEmpty())
            QSKIP("run as a child process only");
        const int key = qEnvironmentVariableIntValue("KWD_STORE_KEY");
        QVariant value;
        QDataStream in(QByteArray::fromBase64(qgetenv("KWD_STORE_VALUE")));
        in >> value;
        if (step == "write") {
            kwdStore::instance()->setConfig(key, value);
            return;
        }
        const QVariant read = kwdStore::instance()->config(key);
        QCOMPARE(read.toString(), value.toString());
        if (value.typeId() == QMetaType::QDateTime)
            QCOMPARE(read.toDateTime(), value.toDateTime());
    }

    void serviceFromFile_data()
    {
        // Listing, statistics and geocoder hosts, prize page ("": the default). Without a file the program
        // talks to the reserved test domains the local service answers for.
        // content empty: no file at all; problems: the key each warning line names, in order
        kwdColumns<QByteArray, QStringList, QStringList>("content", "values", "problems");
        kwdRow("no file", QByteArray(), QStringList{"kwd.test", "stat.kwd.test", "geo.kwd.test", ""},
               QStringList());
        kwdRow("keys, spaces trimmed, comments, keys outside the group",
               QByteArray("listingDomain=x.ex\n[service]\nlistingDomain =  a.ex  \n; statisticsHost=no.ex\n"
                          "geocoderHost=g.ex\nprizeUrl=http://w.ex/p\n"),
               QStringList{"a.ex", "", "g.ex", "http://w.ex/p"}, QStringList{"\"listingDomain\""});
        kwdRow("empty value keeps default", QByteArray("[service]\nlistingDomain=\nstatisticsHost=  \n"),
               QStringList{"", "", "", ""}, QStringList());
        kwdRow("unquoted comma", QByteArray("[service]\nstatisticsHost=s.ex\nprizeUrl=http://w.ex/p?a=1,2\n"),
               QStringList{"", "s.ex", "", "http://w.ex/p?a=1,2"}, QStringList());
        // Each unusable value is named and the built-in one kept; the receiver is another floor's key.
        kwdRow("unusable values",
               QByteArray(
                   "[service]\nlistingDomain=http://a.ex/\nstatisticsHost=s.ex:8081\ngeocoderHost=g.ex\n"
                   "geocoderToken=12345\nprizeUrl=ftp://w.ex/p\nlistingdomain=b.ex\n[location]\nsource=x\n"),
               QStringList{"", "", "g.ex", ""},
               QStringList{"\"service/listingdomain\"", "service/listingDomain", "service/statisticsHost",
                           "service/geocoderToken", "service/prizeUrl"});
        kwdRow("not a configuration file", QByteArray("[service\n\x01\x02=\n"), QStringList{"", "", "", ""},
               QStringList{"not a configuration file"});
    }

    void serviceFromFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, values);
        QFETCH(QStringList, problems);
        const QString path = QDir::homePath() + (content.isEmpty() ? "/absent.conf" : "/case.conf");
        QVERIFY(content.isEmpty() || !writeFile(path, content).isEmpty());
        const kwdServiceConfig d;
        QStringList lines;
        const kwdServiceConfig c = kwdServiceConfig::fromFile(path, &lines);
        const QStringList defaults = {d.listingDomain, d.statisticsHost, d.geocoderHost, d.prizeUrl};
        for (int i = 0; i < values.size(); ++i)
            values[i] = values.at(i).isEmpty() ? defaults.at(i) : values.at(i);
        QCOMPARE(QStringList({c.listingDomain, c.statisticsHost, c.geocoderHost, c.prizeUrl}), values);
        QCOMPARE(c.statisticsBase(), "http://" + values.at(1) + ":8081");
        QVERIFY(kToken.match(c.geocoderToken).hasMatch());
        // One line per problem, naming the file and the key.
        QCOMPARE(lines.size(), problems.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines.at(i).startsWith(path + ": ") && lines.at(i).contains(problems.at(i)),
                     qPrintable(lines.at(i)));
    }

    void shippedServiceExample()
    {
        const QString example = QFINDTESTDATA("../../kwdpersonal.conf.example");
        QVERIFY(!example.isEmpty());
        const kwdServiceConfig d;
        const kwdServiceConfig c = kwdServiceConfig::fromFile(example);
        // Every key the example shows is read (none is misspelt or outside the group).
        const QStringList read = {c.listingDomain, c.statisticsHost, c.geocoderHost,
                                  c.geocoderToken, c.siteUrl,        c.prizeUrl};
        for (const QString& fallback :
             {d.listingDomain, d.statisticsHost, d.geocoderHost, d.geocoderToken, d.siteUrl, d.prizeUrl})
            QVERIFY2(!read.contains(fallback), qPrintable(fallback));
    }

    void firstStart()
    {
        QVERIFY(!QFile::exists(QDir::homePath() + "/kwdpersonal"));
        fresh();
        store->load();
        QVERIFY(QFileInfo(QDir::homePath() + "/kwdpersonal").isDir());
        QCOMPARE(store->dataPath(), QDir::toNativeSeparators(QDir::homePath() + "/kwdpersonal"));
        QVERIFY2(QFile::exists(dataFile("citylist")), "the catalogue is cached after reading citylist.xml");
        QCOMPARE(store->cityCode(QStringLiteral("北京")), QStringLiteral("bj"));
        QCOMPARE(store->finders.size(), 1);
        const kwdFinder* f = store->currentFinder;
        QVERIFY(f && store->currentNewHouseFinder);
        QCOMPARE(QStringList({f->name, QString::number(f->category), f->field(kwdFinder::Province),
                              f->field(kwdFinder::City), f->field(kwdFinder::Mode)}),
                 QStringList({"default", "-1", QStringLiteral("北京"), QStringLiteral("北京"), "101"}));
        QCOMPARE(store->currentNewHouseFinder->field(kwdFinder::PushFlag), QStringLiteral("0"));
        QCOMPARE(store->currentNewHouseFinder->category, -1);
        QVERIFY(kwdFavorites::instance()->rows.isEmpty() && store->cityInfo.isEmpty());
        // The next start reads the cached catalogue and leaves it as it was.
        const QByteArray cached = readFile(dataFile("citylist"));
        fresh()->load();
        QCOMPARE(readFile(dataFile("citylist")), cached);
        QVERIFY(!store->cities.isEmpty());
    }

    void findersLayout()
    {
        kwdFinder a(QStringLiteral("default"), 2);
        a.setField(8, "101");
        a.setField(1, QStringLiteral("上海"));
        a.setField(17, "");
        kwdFinder b(QStringLiteral("x"), -1);
        QVERIFY(fresh()->saveFinders({&a, &b}));
        QVERIFY(store->saveNewHouseFinders({&b}));
        kwdByteLayout expected; // fields in ascending order of their numbers
        expected.i32(2).str("default").i32(2).i32(3).i32(1).str(QStringLiteral("上海"));
        expected.i32(8).str("101").i32(17).str("").str("x").i32(-1).i32(0);
        QCOMPARE(readFile(dataFile("finders")).toHex(), expected.bytes.toHex());
        QCOMPARE(readFile(dataFile("newhousefinders")), kwdByteLayout().i32(1).str("x").i32(-1).i32(0).bytes);
    }

    void damagedFiles_data()
    {
        kwdColumns<QString, QByteArray, int, bool>("name", "bytes", "kept", "whole");
        kwdByteLayout finders;
        finders.i32(2).str("one").i32(2).i32(1).i32(1).str("bj");
        const int findersEnd = finders.bytes.size();
        finders.str("two").i32(3).i32(1).i32(8).str("101");
        const QString f = QStringLiteral("finders");
        kwdRow("finders whole", f, finders.bytes, 2, true);
        kwdRow("finders cut in second record", f, finders.bytes.left(findersEnd + 6), 1, false);
        kwdRow("finders empty file", f, QByteArray(), 0, false);
        kwdRow("finders zero records", f, kwdByteLayout().i32(0).bytes, 0, true);
        kwdRow("finders negative count", f, kwdByteLayout().i32(-5).bytes, 0, false);
        kwdRow("finders huge counts", f, kwdByteLayout().i32(1 << 30).str("a").i32(1).i32(1 << 30).bytes, 0,
               false);
        kwdRow("finders huge string", f, kwdByteLayout().i32(1).i32(0x7ffffff0).bytes, 0, false);

        kwdByteLayout cities;
        cities.i32(2).str("A").i32(1).str("a").str("a1");
        const int citiesEnd = cities.bytes.size();
        cities.str("B").i32(1).str("b").str("b1");
        const QString c = QStringLiteral("citylist");
        kwdRow("citylist whole", c, cities.bytes, 2, true);
        kwdRow("citylist cut", c, cities.bytes.left(citiesEnd + 5), 1, false);
        kwdRow("citylist count too high", c, kwdByteLayout().i32(3).str("A").i32(1).str("a").bytes, 0, false);
        kwdRow("citylist huge", c, kwdByteLayout().i32(1).str("A").i32(999999).bytes, 0, false);

        kwdByteLayout info;
        info.i32(2).str("a").i32(1).i32(1).str("x").str("y");
        const int infoEnd = info.bytes.size();
        info.str("b").i32(1).i32(1).str("x").str("y");
        const QString i = QStringLiteral("cityinfo");
        kwdRow("cityinfo whole", i, info.bytes, 2, true);
        kwdRow("cityinfo cut", i, info.bytes.left(infoEnd + 3), 1, false);
        kwdRow("cityinfo huge lists", i, kwdByteLayout().i32(1).str("a").i32(1 << 30).bytes, 0, false);
    }

    void damagedFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, kept);
        QFETCH(bool, whole);
        QVERIFY(!writeFile(dataFile(name), kwdData<QByteArray>("bytes")).isEmpty());
        fresh();
        QList<kwdFinder*> list;
        if (name == "citylist") {
            QCOMPARE(store->loadCities(), whole);
            QCOMPARE(store->cities.size(), kept);
        } else if (name == "cityinfo") {
            QCOMPARE(store->loadCityInfo(), whole);
            QCOMPARE(store->cityInfo.size(), kept);
        } else {
            QCOMPARE(store->loadFinders(list), whole);
            QCOMPARE(list.size(), kept);
            qDeleteAll(list);
            // Start-up goes on with whatever was kept, or the default record.
            store->load();
            QCOMPARE(store->finders.size(), qMax(kept, 1));
            QCOMPARE(store->currentFinder->name, kept ? QStringLiteral("one") : QStringLiteral("default"));
        }
    }

    void privateFiles_data()
    {
        // path: under HOME, a folder when it ends with "/"; earlier: an earlier version left it readable by
        // all
        kwdColumns<QString, bool>("path", "earlier");
        for (const char* path :
             {".config/Nordal/", ".config/Nordal/personal.conf", "kwdpersonal/", "kwdpersonal/favorite",
              "kwdpersonal/favorite-pictures/", "kwdpersonal/favorite-pictures/index",
              "kwdpersonal/announced", "kwdpersonal/contacts.vcf", "kwdpersonal/kwdpersonal.db.sqlite",
              "kwdpersonal/qvmstat1.tmp"})
            for (bool earlier : {false, true})
                QTest::addRow("%s%s", path, earlier ? " of an earlier version" : "")
                    << QString(path) << earlier;
    }

    // Everything the program writes of the user's is readable by the user only, new or rewritten. One row
    // per way of writing: the favourites stand for every data file kwdStore::writeFile saves; the secret's
    // file is tst_kwdsecretstore's.
    void privateFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, earlier);
        kwdFavorites::destroy();
        kwdStore::destroy();
        QFile::remove(QSettings("Nordal", "personal").fileName());
        const QString full = QDir::homePath() + '/' + path;
        if (earlier) {
            QDir().mkpath(path.endsWith('/') ? full : QFileInfo(full).path());
            QVERIFY(path.endsWith('/') || !writeFile(full, "x").isEmpty());
            QVERIFY(
                QFile::setPermissions(full, QFile::permissions(full) | QFile::ReadGroup | QFile::ReadOther));
        }
        store = kwdStore::instance();
        store->setConfig(kwdStore::cfgCity, QStringLiteral("上海"));
        qvmSaleItem row;
        row.id = "s1";
        row.picture = new qvmPictureJob;
        row.picture->url = "http://kwd.test/p.jpg";
        kwdFavorites::instance()->add(&row);
        kwdAnnouncedListings announced(store->dataFile("announced"));
        announced.add(2, {"s1"});
        QVERIFY(announced.save());
        QVERIFY(
            kwdAddressBook().save({QStringLiteral("张"), QStringLiteral("三"), QString(), "13800138000"}));
        QVERIFY(kwdDatabase::instance()->open(store->dataFile("kwdpersonal.db.sqlite")));
        kwdDatabase::instance()->close();
        // A download's file, looked at before its request can end and take it away.
        qvmHttpHolder holder;
        QCOMPARE(holder.get("http://127.0.0.1:9/p.jpg", this, true), 1);
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(full).constData(), &st), 0);
        QCOMPARE(QString::number(st.st_mode & 0777, 8), path.endsWith('/') ? "700" : "600");
    }

    void parseCityList_data()
    {
        kwdColumns<QString, QString>("xml", "catalogue");
        kwdRow("provinces by name, cities in document order",
               "<r><province name='浙江'><city name='杭州' jm='hz'/></province><province name='河北'>"
               "<city name='石家庄' jm='sjz'/><city name='保定' jm='bd'/></province></r>",
               "河北=石家庄:sjz,保定:bd;浙江=杭州:hz");
        kwdRow("city without name or jm dropped",
               "<r><province name='p'><city name='a'/><city name='b' jm=''/><city jm='x'/><city name='' "
               "jm='y'/>"
               "<city name='c' jm='c1'/></province></r>",
               "p=c:c1");
        kwdRow("province with every city dropped or without name is absent",
               "<r><province name='gone'><city name='a'/></province><province name='empty'/><province><city "
               "name='n' jm='n1'/></province><province name=''><city name='e' jm='e1'/></province>"
               "<province name='kept'><city name='c' jm='c1'/></province></r>",
               "kept=c:c1");
        kwdRow("not a city list", "<html><body>503</body></html>", QString());
    }

    void parseCityList()
    {
        QFETCH(QString, catalogue);
        // Whatever was there before is replaced; an empty catalogue leaves the last good cache file.
        store->parseCityList(
            parse(QStringLiteral("<r><province name='old'><city name='o' jm='o1'/></province></r>")));
        store->parseCityList(parse(kwdData<QString>("xml")));
        QCOMPARE(flatten(store->cities), catalogue);
        QVERIFY(fresh()->loadCities());
        QCOMPARE(flatten(store->cities), catalogue.isEmpty() ? QStringLiteral("old=o:o1") : catalogue);
    }

    void parseCityInfo_data()
    {
        // expected: districts, lease prices; empty: refused, the old entry stays
        kwdColumns<QString, QStringList>("xml", "expected");
        kwdRow("complete", cityInfoXml(kAreas), QStringList{"海淀:hd,朝阳:cy", "1000以下:0-1000"});
        kwdRow(
            "entries without jm, val or text dropped",
            cityInfoXml("<areas><area>无码</area><area jm='x'></area><area jm='ft'>丰台</area></areas>",
                        kSale, kTotal,
                        "<leaseprice><price>不限</price><price val=''>空</price><price val='1-2'>1-2</price>"
                        "</leaseprice>"),
            QStringList{"丰台:ft", "1-2:1-2"});
        kwdRow("no leaseprice", cityInfoXml(kAreas, kSale, kTotal, " "), QStringList());
        kwdRow("part without usable entry",
               cityInfoXml(kAreas, kSale, "<totalprice><price>no value</price></totalprice>"), QStringList());
        kwdRow("not a city document", QStringLiteral("<error>busy</error>"), QStringList());
    }

    void parseCityInfo()
    {
        QFETCH(QString, xml);
        QFETCH(QStringList, expected);
        QVERIFY(store->parseCityInfo(parse(cityInfoXml("<areas><area jm='old'>旧</area></areas>")), "bj"));
        const bool ok = !expected.isEmpty();
        if (!ok)
            expected = QStringList{"旧:old", "1000以下:0-1000"};
        QCOMPARE(store->parseCityInfo(parse("<r>" + xml + "</r>"), QStringLiteral("bj")), ok);
        const QList<QList<kwdNameCode>>* info = store->cityInfoOf(QStringLiteral("bj"));
        QVERIFY(info && info->size() == 4);
        QCOMPARE(QStringList({flatten(info->at(0)), flatten(info->at(1)), flatten(info->at(2)),
                              flatten(info->at(3))}),
                 QStringList({expected.at(0), "5000以下:0-5000,5000-10000:5000-10000", "100万以下:0-100",
                              expected.at(1)}));
        // Other cities are untouched; a refused document leaves no entry behind.
        QVERIFY(!store->cityInfoOf(QStringLiteral("sh")));
        QCOMPARE(store->parseCityInfo(parse("<r>" + xml + "</r>"), QStringLiteral("sh")), ok);
        QCOMPARE(store->cityInfoOf(QStringLiteral("sh")) != nullptr, ok);
        // The cache file holds the last good information of each city.
        const QList<QList<kwdNameCode>> parsed = *info;
        QVERIFY(fresh()->loadCityInfo());
        QCOMPARE(*store->cityInfoOf(QStringLiteral("bj")), parsed);
    }

    void districtCodes()
    {
        QVERIFY(store->parseCityInfo(parse(cityInfoXml(kAreas)), QStringLiteral("bj")));
        // District codes by exact name; price labels are no districts.
        QStringList codes;
        for (const char* name : {"朝阳", "海淀", "浦东", "朝阳区", "", "5000以下"})
            codes << store->districtCode(QStringLiteral("bj"), QString::fromUtf8(name));
        QCOMPARE(codes, QStringList({"cy", "hd", "", "", "", ""}));
        QCOMPARE(store->districtCode(QStringLiteral("sh"), QStringLiteral("朝阳")), QString());
    }

    // The city list that ships next to the program: every name must be reachable through the catalogue and
    // every code must be usable as the first label of the city's host names.
    void shippedCityList()
    {
        QFile file(kwdStore::appFile(QStringLiteral("citylist.xml")));
        QVERIFY2(file.open(QIODevice::ReadOnly), "citylist.xml next to the program is missing");
        QDomDocument doc;
        QString error;
        int line = 0;
        QVERIFY2(doc.setContent(&file, &error, &line),
                 qPrintable(QStringLiteral("line %1: %2").arg(line).arg(error)));
        QCOMPARE(doc.documentElement().tagName(), QStringLiteral("citylist"));
        store->parseCityList(doc);
        // 22 provinces, 5 autonomous regions and 4 municipalities (tst_kwdwidgetarea counts the file's); no
        // city dropped for an empty name or code.
        QCOMPARE(store->cities.size(), 31);
        static const QRegularExpression label(QStringLiteral("^[a-z]+$"));
        QSet<QString> codes;
        int parsed = 0;
        for (auto it = store->cities.cbegin(); it != store->cities.cend(); ++it) {
            QVERIFY2(!it.key().endsWith(QStringLiteral("省")) && !it.key().endsWith(QStringLiteral("自治区")),
                     qPrintable(it.key()));
            for (const kwdNameCode& city : it.value()) {
                const QString what = it.key() + ' ' + city.name + ' ' + city.code;
                QVERIFY2(label.match(city.code).hasMatch() && !codes.contains(city.code), qPrintable(what));
                QVERIFY2(!city.name.endsWith(QStringLiteral("市")), qPrintable(what));
                codes.insert(city.code);
                ++parsed;
                // The lookup by name takes the first match, so a repeated name would hide a city.
                QCOMPARE(place(city.name), city.code + ' ' + it.key());
            }
        }
        QCOMPARE(parsed, doc.elementsByTagName(QStringLiteral("city")).size());
        // A name is looked up exactly: no part of it, no suffix.
        for (const QString& inexact : {QStringLiteral("北"), QStringLiteral("北京市"), QString()})
            QCOMPARE(place(inexact), QStringLiteral(" "));
    }

private:
    kwdStore* fresh()
    {
        kwdFavorites::destroy();
        kwdStore::destroy();
        return store = kwdStore::instance();
    }
    kwdStore* store = nullptr;
};

KWD_TEST_MAIN(TestStore)
#include "tst_kwdstore.moc"

#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// Values of the whole process: the file named by KWDPERSONAL_CONF before the configuration is first used.
static const char* const kProcessConf = "[service]\n"
                                        "listingDomain=process.example.net\n"
                                        "statisticsHost=stat.process.example.net\n";

class TestServiceConfig : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void defaults();
    void fromFile_data();
    void fromFile();
    void shippedExample();
    void processReadsTheNamedFile();
    void endpointsFollowTheDomain_data();
    void endpointsFollowTheDomain();
    void defaultPathNextToProgram();

private:
    QString write(const QString& name, const QByteArray& content);
    QString processConf;
};

QString TestServiceConfig::write(const QString& name, const QByteArray& content)
{
    const QString path = QDir::home().filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    f.write(content);
    return path;
}

void TestServiceConfig::initTestCase()
{
    processConf = write(QStringLiteral("process.conf"), kProcessConf);
    QVERIFY(!processConf.isEmpty());
    qputenv("KWDPERSONAL_CONF", processConf.toUtf8());
}

void TestServiceConfig::defaults()
{
    const kwdServiceConfig c;
    // Without a file the program talks to the reserved test domains the local service answers for.
    QCOMPARE(c.listingDomain, QStringLiteral("kwd.test"));
    QCOMPARE(c.statisticsHost, QStringLiteral("stat.kwd.test"));
    QCOMPARE(c.geocoderHost, QStringLiteral("geo.kwd.test"));
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(c.geocoderToken).hasMatch());
    QCOMPARE(c.statisticsBase(), QStringLiteral("http://stat.kwd.test:8081"));
    QVERIFY(c.siteUrl.startsWith(QLatin1String("http://")));
    QVERIFY(c.prizeUrl.startsWith(QLatin1String("http://")));
}

void TestServiceConfig::fromFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("listingDomain");
    QTest::addColumn<QString>("statisticsHost");
    QTest::addColumn<QString>("prizeUrl");

    const kwdServiceConfig d;
    QTest::newRow("no file") << QByteArray() << d.listingDomain << d.statisticsHost << d.prizeUrl;
    QTest::newRow("empty file") << QByteArray("\n") << d.listingDomain << d.statisticsHost << d.prizeUrl;
    QTest::newRow("keys outside the group")
        << QByteArray("listingDomain=a.example\n[other]\nstatisticsHost=b\n") << d.listingDomain
        << d.statisticsHost << d.prizeUrl;
    QTest::newRow("some keys") << QByteArray("[service]\nlistingDomain=a.example\n") << "a.example"
                               << d.statisticsHost << d.prizeUrl;
    QTest::newRow("all keys") << QByteArray("[service]\nlistingDomain=a.example\nstatisticsHost=s.example\n"
                                            "prizeUrl=http://w.example/p.html\n")
                              << "a.example"
                              << "s.example"
                              << "http://w.example/p.html";
    QTest::newRow("spaces trimmed") << QByteArray("[service]\nlistingDomain =  a.example  \n") << "a.example"
                                    << d.statisticsHost << d.prizeUrl;
    QTest::newRow("empty value keeps default") << QByteArray("[service]\nlistingDomain=\nstatisticsHost=  \n")
                                               << d.listingDomain << d.statisticsHost << d.prizeUrl;
    QTest::newRow("comments") << QByteArray("; deployment\n[service]\n; listingDomain=no.example\n"
                                            "statisticsHost=s.example\n")
                              << d.listingDomain << "s.example" << d.prizeUrl;
    QTest::newRow("quoted comma") << QByteArray("[service]\nprizeUrl=\"http://w.example/p?a=1,2\"\n")
                                  << d.listingDomain << d.statisticsHost << "http://w.example/p?a=1,2";
    QTest::newRow("unquoted comma") << QByteArray("[service]\nprizeUrl=http://w.example/p?a=1,2\n")
                                    << d.listingDomain << d.statisticsHost << "http://w.example/p?a=1,2";
}

void TestServiceConfig::fromFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, listingDomain);
    QFETCH(QString, statisticsHost);
    QFETCH(QString, prizeUrl);
    QString path = QDir::home().filePath(QStringLiteral("absent.conf"));
    if (!content.isEmpty())
        path = write(QStringLiteral("case.conf"), content);
    const kwdServiceConfig c = kwdServiceConfig::fromFile(path);
    QCOMPARE(c.listingDomain, listingDomain);
    QCOMPARE(c.statisticsHost, statisticsHost);
    QCOMPARE(c.prizeUrl, prizeUrl);
    QCOMPARE(c.statisticsBase(), QStringLiteral("http://%1:8081").arg(statisticsHost));
}

void TestServiceConfig::shippedExample()
{
    const QString example = QFINDTESTDATA("../../kwdpersonal.conf.example");
    QVERIFY(!example.isEmpty());
    const kwdServiceConfig d;
    const kwdServiceConfig c = kwdServiceConfig::fromFile(example);
    // Every key the example shows is read (none is misspelt or outside the group).
    QVERIFY(c.listingDomain != d.listingDomain);
    QVERIFY(c.statisticsHost != d.statisticsHost);
    QVERIFY(c.geocoderHost != d.geocoderHost);
    QVERIFY(c.geocoderToken != d.geocoderToken);
    QVERIFY(c.siteUrl != d.siteUrl);
    QVERIFY(c.prizeUrl != d.prizeUrl);
    QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(c.geocoderToken).hasMatch());
    QVERIFY(!c.statisticsHost.contains(QLatin1Char(':'))); // the port is not part of the name
}

void TestServiceConfig::processReadsTheNamedFile()
{
    QCOMPARE(kwdServiceConfig::defaultPath(), processConf);
    const kwdServiceConfig& c = kwdServiceConfig::instance();
    QCOMPARE(c.listingDomain, QStringLiteral("process.example.net"));
    QCOMPARE(c.statisticsBase(), QStringLiteral("http://stat.process.example.net:8081"));
    // Read once: a later change of the file does not move a running program.
    write(QStringLiteral("process.conf"), "[service]\nlistingDomain=changed.example\n");
    QCOMPARE(kwdServiceConfig::instance().listingDomain, QStringLiteral("process.example.net"));
}

void TestServiceConfig::endpointsFollowTheDomain_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    const QString d = QStringLiteral("process.example.net");
    QTest::newRow("21 city info") << 21 << d + "/webservice/kwdcity.html";
    QTest::newRow("22 ha list") << 22 << d + "/webservice/kwdhalist.html";
    QTest::newRow("23 ha detail") << 23 << d + "/webservice/kwdhadetail.html";
    QTest::newRow("24 forsale list") << 24 << d + "/webservice/kwdforsalelist.html";
    QTest::newRow("25 forsale detail") << 25 << d + "/webservice/kwdforsaledetail.html";
    QTest::newRow("26 lease list") << 26 << d + "/webservice/kwdleaselist.html";
    QTest::newRow("27 lease detail") << 27 << d + "/webservice/kwdleasedetail.html";
    QTest::newRow("28 co list") << 28 << d + "/webservice/kwdcolist.html";
    QTest::newRow("29 co detail") << 29 << d + "/webservice/kwdcodetail.html";
    QTest::newRow("30 update") << 30 << "http://stat.process.example.net:8081/update/kwdpersonal_win32.xml";
    QTest::newRow("38 ha images") << 38 << d + "/webservice/kwdhaimages.html";
    QTest::newRow("39 forsale images") << 39 << d + "/webservice/kwdforsaleimages.html";
    QTest::newRow("40 lease images") << 40 << d + "/webservice/kwdleaseimages.html";
    QTest::newRow("41 street") << 41 << d + "/webservice/kwdstreetdetail.html";
    QTest::newRow("42 district") << 42 << d + "/webservice/kwddistrict.html";
    QTest::newRow("31 is no endpoint") << 31 << QString();
    QTest::newRow("20 is no endpoint") << 20 << QString();
}

void TestServiceConfig::endpointsFollowTheDomain()
{
    QFETCH(int, key);
    QFETCH(QString, expected);
    kwdStore* store = kwdStore::instance();
    QCOMPARE(store->config(key).toString(), expected);
    // Constant for the run: writing one changes nothing.
    store->setConfig(key, QStringLiteral("elsewhere"));
    QCOMPARE(store->config(key).toString(), expected);
}

void TestServiceConfig::defaultPathNextToProgram()
{
    qunsetenv("KWDPERSONAL_CONF");
    QCOMPARE(kwdServiceConfig::defaultPath(),
             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kwdpersonal.conf")));
    qputenv("KWDPERSONAL_CONF", processConf.toUtf8());
}

KWD_TEST_MAIN(TestServiceConfig)
#include "tst_kwdserviceconfig.moc"

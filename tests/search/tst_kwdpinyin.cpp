#include "kwdpinyin.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QtTest>

// The pinyin order of province and city names.
class TestPinyin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initial_data()
    {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<int>("key");

        QTest::newRow("zhong read as chong") << QChar(0x91CD) << int('c');
        QTest::newRow("last ideograph, filled by hand") << QChar(0x9FA6) << int('c');
        QTest::newRow("beyond the table") << QChar(0x9FA7) << 0x9FA7;
        QTest::newRow("latin") << QChar('Q') << int('Q');
    }

    void initial()
    {
        QFETCH(QChar, c);
        QFETCH(int, key);
        QCOMPARE(kwdPinyin::initial(c), key);
    }

    void lessThan_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("aFirst"); // b never sorts before a in these rows

        QTest::newRow("beijing, chongqing") << QStringLiteral("北京") << QStringLiteral("重庆") << true;
        QTest::newRow("second character decides") << QStringLiteral("保定") << QStringLiteral("北京") << true;
        QTest::newRow("equal keys") << QStringLiteral("山西") << QStringLiteral("陕西") << false;
        QTest::newRow("prefix") << QStringLiteral("吉林") << QStringLiteral("吉林市") << false;
        QTest::newRow("empty name") << QString() << QStringLiteral("北京") << false;
        QTest::newRow("latin before ideograph") << QStringLiteral("a") << QStringLiteral("北") << true;
        QTest::newRow("signed 8-bit: high byte is negative")
            << QStringLiteral("\u00e9") << QStringLiteral("a") << true;
    }

    void lessThan()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, aFirst);
        QCOMPARE(kwdPinyin::lessThan(a, b), aFirst);
        QVERIFY(!kwdPinyin::lessThan(b, a));
    }

    void sort_data()
    {
        // Names separated by spaces, as the catalogue lists them and as they must come out.
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("sorted");

        QTest::newRow("provinces") << QStringLiteral("浙江 广东 重庆 北京 安徽")
                                   << QStringLiteral("安徽 北京 重庆 广东 浙江");
        QTest::newRow("equal keys keep catalogue order")
            << QStringLiteral("陕西 上海 山西 安徽") << QStringLiteral("安徽 上海 陕西 山西");
        QTest::newRow("equal keys, reversed")
            << QStringLiteral("山西 上海 陕西") << QStringLiteral("上海 山西 陕西");
        QTest::newRow("chongqing files under c")
            << QStringLiteral("郑州 长沙 重庆 成都") << QStringLiteral("成都 重庆 长沙 郑州");
        QTest::newRow("jilin: the capital first")
            << QStringLiteral("吉林 长春 四平") << QStringLiteral("长春 吉林 四平");
        QTest::newRow("xiamen among the x-cities")
            << QStringLiteral("厦门 泉州 三明") << QStringLiteral("泉州 三明 厦门");
        QTest::newRow("xinjiang before xizang") << QStringLiteral("西藏 新疆") << QStringLiteral("新疆 西藏");
    }

    void sort()
    {
        QFETCH(QString, names);
        QFETCH(QString, sorted);
        QStringList list = names.split(QLatin1Char(' '));
        kwdPinyin::sort(list);
        QCOMPARE(list.join(QLatin1Char(' ')), sorted);
    }

    void placeNames_data()
    {
        // Each name of the shipped city list with the pinyin initials it must sort by: the city's code
        // where it spells the initials (one letter per character) or starts with the first syllable.
        // Provinces carry no code; their initials are written out here.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initials");
        QTest::addColumn<bool>("wholeName"); // false: only the first character is checked
        const QStringList provinces =
            QStringLiteral(
                "北京 bj,天津 tj,河北 hb,山西 sx,内蒙古 nmg,辽宁 ln,吉林 jl,黑龙江 hlj,上海 sh,江苏 js,浙江 "
                "zj,安徽 ah,"
                "福建 fj,江西 jx,山东 sd,河南 hn,湖北 hb,湖南 hn,广东 gd,广西 gx,海南 hn,重庆 cq,四川 "
                "sc,贵州 gz,"
                "云南 yn,西藏 xz,陕西 sx,甘肃 gs,青海 qh,宁夏 nx,新疆 xj")
                .split(QLatin1Char(','));
        for (const QString& p : provinces) {
            const QStringList parts = p.split(QLatin1Char(' '));
            QTest::addRow("province %s", qPrintable(parts[0])) << parts[0] << parts[1] << true;
        }
        QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/citylist.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&file));
        const QDomNodeList provinceNodes =
            doc.documentElement().elementsByTagName(QStringLiteral("province"));
        QCOMPARE(provinceNodes.size(), provinces.size());
        const QDomNodeList cities = doc.documentElement().elementsByTagName(QStringLiteral("city"));
        QVERIFY(cities.size() > 300);
        for (int i = 0; i < cities.size(); ++i) {
            const QDomElement city = cities.at(i).toElement();
            const QString name = city.attribute(QStringLiteral("name"));
            const QString code = city.attribute(QStringLiteral("jm"));
            QTest::addRow("city %s %s", qPrintable(name), qPrintable(code))
                << name << code << (code.size() == name.size());
        }
    }

    void placeNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, initials);
        QFETCH(bool, wholeName);
        QString keys;
        for (int i = 0; i < (wholeName ? name.size() : 1); ++i)
            keys += QChar(kwdPinyin::initial(name.at(i)));
        QCOMPARE(keys, wholeName ? initials : initials.left(1));
    }
};

KWD_TEST_MAIN(TestPinyin)
#include "tst_kwdpinyin.moc"

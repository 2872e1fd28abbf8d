#include "kwdpinyin.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QtTest>

// The pinyin order of province and city names.
class TestPinyin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initial_data();
    void initial();
    void lessThan_data();
    void lessThan();
    void sort_data();
    void sort();
};

void TestPinyin::initial_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("key");

    QTest::newRow("zhong read as chong") << QChar(0x91CD) << int('c');
    QTest::newRow("last ideograph, filled by hand") << QChar(0x9FA6) << int('c');
    QTest::newRow("beyond the table") << QChar(0x9FA7) << 0x9FA7;
    QTest::newRow("latin") << QChar('Q') << int('Q');
}

void TestPinyin::initial()
{
    QFETCH(QChar, c);
    QFETCH(int, key);
    QCOMPARE(kwdPinyin::initial(c), key);
}

void TestPinyin::lessThan_data()
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

void TestPinyin::lessThan()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, aFirst);
    QCOMPARE(kwdPinyin::lessThan(a, b), aFirst);
    QVERIFY(!kwdPinyin::lessThan(b, a));
}

void TestPinyin::sort_data()
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
}

void TestPinyin::sort()
{
    QFETCH(QString, names);
    QFETCH(QString, sorted);
    QStringList list = names.split(QLatin1Char(' '));
    kwdPinyin::sort(list);
    QCOMPARE(list.join(QLatin1Char(' ')), sorted);
}

KWD_TEST_MAIN(TestPinyin)
#include "tst_kwdpinyin.moc"

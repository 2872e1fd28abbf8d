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
    void tableHoldsOnlyLetters();
    void lessThan_data();
    void lessThan();
    void sort_data();
    void sort();
};

void TestPinyin::initial_data()
{
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("key");

    QTest::newRow("first ideograph") << QChar(0x4E00) << int('y');
    QTest::newRow("bei") << QChar(0x5317) << int('b');
    QTest::newRow("jing") << QChar(0x4EAC) << int('j');
    QTest::newRow("zhong read as chong") << QChar(0x91CD) << int('c');
    QTest::newRow("guang") << QChar(0x5E7F) << int('g');
    QTest::newRow("shan of shaanxi") << QChar(0x9655) << int('s');
    QTest::newRow("zhe of zhejiang") << QChar(0x6D59) << int('z');
    QTest::newRow("last ideograph, filled by hand") << QChar(0x9FA6) << int('c');
    QTest::newRow("milligram unit, filled by hand") << QChar(0x74F1) << int('h');
    QTest::newRow("beyond the table") << QChar(0x9FA7) << 0x9FA7;
    QTest::newRow("before the table") << QChar(0x4DFF) << 0x4DFF;
    QTest::newRow("latin") << QChar('Q') << int('Q');
    QTest::newRow("ideographic space") << QChar(0x3000) << 0x3000;
}

void TestPinyin::initial()
{
    QFETCH(QChar, c);
    QFETCH(int, key);
    QCOMPARE(kwdPinyin::initial(c), key);
}

void TestPinyin::tableHoldsOnlyLetters()
{
    int counts[26] = {};
    for (int code = 0x4E00; code <= 0x9FA6; ++code) {
        const int key = kwdPinyin::initial(QChar(code));
        QVERIFY2(key >= 'a' && key <= 'z', qPrintable(QString::number(code, 16)));
        ++counts[key - 'a'];
    }
    // No syllable of standard pinyin begins with i, u or v.
    QCOMPARE(counts['i' - 'a'], 0);
    QCOMPARE(counts['u' - 'a'], 0);
    QCOMPARE(counts['v' - 'a'], 0);
    QVERIFY(kwdPinyin::table[0x9FA6 - 0x4E00 + 1] == '\0');
}

void TestPinyin::lessThan_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("aFirst");
    QTest::addColumn<bool>("bFirst");

    QTest::newRow("anhui, beijing") << QStringLiteral("安徽") << QStringLiteral("北京") << true << false;
    QTest::newRow("beijing, chongqing") << QStringLiteral("北京") << QStringLiteral("重庆") << true << false;
    QTest::newRow("chongqing, guangdong")
        << QStringLiteral("重庆") << QStringLiteral("广东") << true << false;
    QTest::newRow("chongqing, zhejiang") << QStringLiteral("重庆") << QStringLiteral("浙江") << true << false;
    QTest::newRow("second character decides")
        << QStringLiteral("保定") << QStringLiteral("北京") << true << false;
    QTest::newRow("equal keys") << QStringLiteral("山西") << QStringLiteral("陕西") << false << false;
    QTest::newRow("prefix") << QStringLiteral("吉林") << QStringLiteral("吉林市") << false << false;
    QTest::newRow("empty name") << QString() << QStringLiteral("北京") << false << false;
    QTest::newRow("latin against ideograph") << QStringLiteral("a") << QStringLiteral("北") << true << false;
    QTest::newRow("high low byte is negative")
        << QStringLiteral("\u00e9") << QStringLiteral("a") << true << false;
    QTest::newRow("digits before letters") << QStringLiteral("9") << QStringLiteral("安") << true << false;
}

void TestPinyin::lessThan()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, aFirst);
    QFETCH(bool, bFirst);
    QCOMPARE(kwdPinyin::lessThan(a, b), aFirst);
    QCOMPARE(kwdPinyin::lessThan(b, a), bFirst);
}

void TestPinyin::sort_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("provinces") << QStringList{QStringLiteral("广东"), QStringLiteral("重庆"),
                                              QStringLiteral("北京"), QStringLiteral("安徽")}
                               << QStringList{QStringLiteral("安徽"), QStringLiteral("北京"),
                                              QStringLiteral("重庆"), QStringLiteral("广东")};
    QTest::newRow("equal keys keep catalogue order")
        << QStringList{QStringLiteral("陕西"), QStringLiteral("上海"), QStringLiteral("山西"),
                       QStringLiteral("安徽")}
        << QStringList{QStringLiteral("安徽"), QStringLiteral("上海"), QStringLiteral("陕西"),
                       QStringLiteral("山西")};
    QTest::newRow("equal keys keep catalogue order, reversed")
        << QStringList{QStringLiteral("山西"), QStringLiteral("上海"), QStringLiteral("陕西")}
        << QStringList{QStringLiteral("上海"), QStringLiteral("山西"), QStringLiteral("陕西")};
    QTest::newRow("chongqing files under c") << QStringList{QStringLiteral("郑州"), QStringLiteral("长沙"),
                                                            QStringLiteral("重庆"), QStringLiteral("成都")}
                                             << QStringList{QStringLiteral("成都"), QStringLiteral("重庆"),
                                                            QStringLiteral("长沙"), QStringLiteral("郑州")};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void TestPinyin::sort()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, sorted);
    kwdPinyin::sort(names);
    QCOMPARE(names, sorted);
}

KWD_TEST_MAIN(TestPinyin)
#include "tst_kwdpinyin.moc"

#include "international.h"
#include "kwdclock.h"
#include "kwdtestenvironment.h"
#include "qvmformat.h"

#include <QApplication>
#include <QtTest>

// Number, rise and age texts, and the label table as it stands without a catalogue.
class TestFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void formatNumber_data();
    void formatNumber();
    void toNumber_data();
    void toNumber();
    void formatRise_data();
    void formatRise();
    void ageText_data();
    void ageText();
    void ageTextOddTimes_data();
    void ageTextOddTimes();
    void labelsWithoutCatalogue();
    void labelOutOfRange();
};

void TestFormat::cleanup()
{
    kwdClock::reset();
}

void TestFormat::formatNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("millions with a decimal") << 1234567.0 << 1 << "1,234,567.0";
    QTest::newRow("three digits") << 950.0 << 0 << "950";
    QTest::newRow("zero") << 0.0 << 0 << "0";
    QTest::newRow("exactly a thousand") << 1000.0 << 0 << "1,000";
    QTest::newRow("just below a thousand") << 999.0 << 0 << "999";
    QTest::newRow("billion") << 1e9 << 0 << "1,000,000,000";
    QTest::newRow("two decimals") << 123456.25 << 2 << "123,456.25";
    QTest::newRow("negative") << -1234.75 << 2 << "-1,234.75";
    QTest::newRow("rounds up into a new group") << 999.96 << 1 << "1,000.0";
    QTest::newRow("small fraction") << 12.345 << 0 << "12";
    QTest::newRow("not a number") << qQNaN() << 0 << "0";
}

void TestFormat::formatNumber()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(qvmFormat::formatNumber(value, decimals), expected);
}

void TestFormat::toNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "120" << 120.0;
    QTest::newRow("spaces") << "  89.5 " << 89.5;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("words") << "about 90" << 0.0;
    QTest::newRow("trailing junk") << "90m2" << 0.0;
    QTest::newRow("infinite") << "inf" << 0.0;
    QTest::newRow("grouped") << "28,000" << 28000.0;
    QTest::newRow("grouped with decimals") << "1,234.5" << 1234.5;
}

void TestFormat::toNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(qvmFormat::toNumber(text), expected);
}

void TestFormat::formatRise_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QColor>("colour");
    const QColor grey(119, 119, 119);
    const QColor red(210, 10, 23);
    const QColor green(28, 155, 4);
    QTest::newRow("zero") << 0.0 << "0.0%" << grey;
    QTest::newRow("tiny rise") << 0.09 << "0.0%" << grey;
    QTest::newRow("tiny fall") << -0.09 << "0.0%" << grey;
    QTest::newRow("threshold rise") << 0.1 << "+0.1%" << red;
    QTest::newRow("rise") << 12.34 << "+12.3%" << red;
    QTest::newRow("fall") << -3.26 << "-3.3%" << green;
    QTest::newRow("large rise") << 150.0 << "+150.0%" << red;
    QTest::newRow("wider than the field") << -12345.67 << "-12345.7%" << green;
}

void TestFormat::formatRise()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QFETCH(QColor, colour);
    const QString text = qvmFormat::formatRise(value);
    QCOMPARE(text, expected);
    QCOMPARE(qvmFormat::riseColor(text), colour);
}

void TestFormat::ageText_data()
{
    QTest::addColumn<qint64>("age");
    QTest::addColumn<QString>("expected");
    const QDateTime now(QDate(2011, 5, 10), QTime(12, 0, 0));
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    QTest::newRow("just now") << qint64(0) << "0secsbefore";
    QTest::newRow("59 s") << qint64(59) << "59secsbefore";
    QTest::newRow("60 s") << qint64(60) << "1minsbefore";
    QTest::newRow("59 min 59 s") << qint64(3599) << "59minsbefore";
    QTest::newRow("1 hour") << qint64(3600) << "1hoursbefore";
    QTest::newRow("1 day - 1 s") << qint64(86399) << "23hoursbefore";
    QTest::newRow("1 day") << qint64(86400) << "1daysbefore";
    QTest::newRow("1 week - 1 s") << qint64(604799) << "6daysbefore";
    QTest::newRow("1 week") << qint64(604800) << now.addSecs(-604800).toString(format);
    QTest::newRow("a year") << qint64(365 * 86400) << now.addSecs(-365 * 86400).toString(format);
    QTest::newRow("1 s in the future") << qint64(-1) << now.addSecs(1).toString(format);
}

void TestFormat::ageText()
{
    QFETCH(qint64, age);
    QFETCH(QString, expected);
    const QDateTime now(QDate(2011, 5, 10), QTime(12, 0, 0));
    kwdClock::setNow(now);
    QCOMPARE(kwdClock::now(), now);
    const QString published = now.addSecs(-age).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    QCOMPARE(qvmFormat::ageText(published, kwdClock::now()), expected);
}

void TestFormat::ageTextOddTimes_data()
{
    QTest::addColumn<QString>("published");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("words") << "yesterday"
                           << "yesterday";
    QTest::newRow("impossible date") << "2011-02-30 10:00:00"
                                     << "2011-02-30 10:00:00";
    QTest::newRow("impossible hour") << "2011-05-10 25:00:00"
                                     << "2011-05-10 25:00:00";
    QTest::newRow("letters in the digits") << "2011-05-1x 11:00:00"
                                           << "2011-05-1x 11:00:00";
    QTest::newRow("wrong separators") << "2011/05/10 11:59:00"
                                      << "2011/05/10 11:59:00";
    QTest::newRow("date only") << "2011-05-10"
                               << "2011-05-10";
    QTest::newRow("leap day") << "2008-02-29 12:00:00"
                              << "2008-02-29 12:00:00";
    QTest::newRow("single-digit month") << "2011-5-10 11:59:00"
                                        << "2011-5-10 11:59:00";
}

void TestFormat::ageTextOddTimes()
{
    QFETCH(QString, published);
    kwdClock::setNow(QDateTime(QDate(2011, 5, 10), QTime(12, 0, 0)));
    QTEST(qvmFormat::ageText(published, kwdClock::now()), "expected");
}

void TestFormat::labelsWithoutCatalogue()
{
    const international* t = international::instance();
    QCOMPARE(t->labels.size(), 60);
    QCOMPARE(t->label(54), QStringLiteral(" %1 wanyuan"));
    QCOMPARE(t->label(54).arg(120), QStringLiteral(" 120 wanyuan"));
    const QStringList units = {t->label(21), t->label(22), t->label(23), t->label(24), t->label(25)};
    QCOMPARE(units, QStringList({"secs", "before", "mins", "hours", "days"}));
    QCOMPARE(t->label(44), QStringLiteral("Pin Jue Fang Jia:"));
    QCOMPARE(t->label(47), QStringLiteral("Pin Jun Fang Jia:"));
    QCOMPARE(t->label(1), QStringLiteral("Phone: "));
    QCOMPARE(t->label(33), QStringLiteral("id: "));
    QCOMPARE(t->label(59), QStringLiteral("tui song lease"));
    for (int i = 0; i < 60; ++i)
        QCOMPARE(t->label(i), international::sourceText(i));
    QCOMPARE(international::instance(), t);
}

void TestFormat::labelOutOfRange()
{
    QVERIFY(international::instance()->label(-1).isEmpty());
    QVERIFY(international::instance()->label(60).isEmpty());
    QVERIFY(international::sourceText(60).isEmpty());
}

KWD_TEST_MAIN(TestFormat)
#include "tst_qvmformat.moc"

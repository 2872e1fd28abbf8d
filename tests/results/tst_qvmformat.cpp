#include "kwdclock.h"
#include "kwdtestenvironment.h"
#include "qvmformat.h"

#include <QApplication>
#include <QtTest>

// Number, rise and age texts.
class TestFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { kwdClock::reset(); }

    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("millions with a decimal") << 1234567.0 << 1 << "1,234,567.0";
        QTest::newRow("zero") << 0.0 << 0 << "0";
        QTest::newRow("exactly a thousand") << 1000.0 << 0 << "1,000";
        QTest::newRow("just below a thousand") << 999.0 << 0 << "999";
        QTest::newRow("negative") << -1234.75 << 2 << "-1,234.75";
        QTest::newRow("rounds up into a new group") << 999.96 << 1 << "1,000.0";
        QTest::newRow("not a number") << qQNaN() << 0 << "0";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(qvmFormat::formatNumber(value, decimals), "expected");
    }

    void toNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        // What a page shows for the field: a value that has not arrived is "--", not a zero.
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("rise");
        QTest::newRow("spaces") << "  89.5 " << 89.5 << "89.5"
                                << "+89.5%";
        QTest::newRow("empty") << "" << 0.0 << "--"
                               << "--";
        QTest::newRow("words") << "about 90" << 0.0 << "--"
                               << "--";
        QTest::newRow("trailing junk") << "90m2" << 0.0 << "--"
                                       << "--";
        QTest::newRow("infinite") << "inf" << 0.0 << "--"
                                  << "--";
        QTest::newRow("grouped with decimals") << "1,234.5" << 1234.5 << "1,234.5"
                                               << "+1234.5%";
        QTest::newRow("real zero") << "0" << 0.0 << "0.0"
                                   << "0.0%";
        QTest::newRow("fall") << "-2.0" << -2.0 << "-2.0"
                              << "-2.0%";
    }

    void toNumber()
    {
        QFETCH(QString, text);
        QTEST(qvmFormat::toNumber(text), "expected");
        QTEST(qvmFormat::numberText(text, 1), "shown");
        QTEST(qvmFormat::riseText(text), "rise");
    }

    void formatRise_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QColor>("colour");
        const QColor grey(119, 119, 119), red(210, 10, 23), green(28, 155, 4);
        QTest::newRow("zero") << 0.0 << "0.0%" << grey;
        QTest::newRow("tiny rise") << 0.09 << "0.0%" << grey;
        QTest::newRow("tiny fall") << -0.09 << "0.0%" << grey;
        QTest::newRow("threshold rise") << 0.1 << "+0.1%" << red;
        QTest::newRow("fall") << -3.26 << "-3.3%" << green;
        QTest::newRow("wider than the field") << -12345.67 << "-12345.7%" << green;
    }

    void formatRise()
    {
        QFETCH(double, value);
        const QString text = qvmFormat::formatRise(value);
        QTEST(text, "expected");
        QTEST(qvmFormat::riseColor(text), "colour");
    }

    void ageText_data()
    {
        QTest::addColumn<QString>("published");
        QTest::addColumn<QString>("expected");
        // The test clock stands at 2011-05-10 12:00:00.
        const QDateTime now(QDate(2011, 5, 10), QTime(12, 0, 0));
        const auto before = [&](qint64 secs) { return now.addSecs(-secs).toString("yyyy-MM-dd hh:mm:ss"); };
        QTest::newRow("just now") << before(0) << "0secsbefore";
        QTest::newRow("59 s") << before(59) << "59secsbefore";
        QTest::newRow("60 s") << before(60) << "1minsbefore";
        QTest::newRow("1 hour - 1 s") << before(3599) << "59minsbefore";
        QTest::newRow("1 hour") << before(3600) << "1hoursbefore";
        QTest::newRow("1 day - 1 s") << before(86399) << "23hoursbefore";
        QTest::newRow("1 day") << before(86400) << "1daysbefore";
        QTest::newRow("1 week - 1 s") << before(604799) << "6daysbefore";
        QTest::newRow("1 week") << before(604800) << "2011-05-03 12:00:00";
        QTest::newRow("1 s in the future") << before(-1) << "2011-05-10 12:00:01";
        // Unreadable times, and a leap day long ago, are shown as given.
        for (const char* odd :
             {"", "yesterday", "2011-02-30 10:00:00", "2011-05-10 25:00:00", "2011-05-1x 11:00:00",
              "2011/05/10 11:59:00", "2011-05-10", "2011-5-10 11:59:00", "2008-02-29 12:00:00"})
            QTest::addRow("as given: '%s'", odd) << QString(odd) << QString(odd);
    }

    void ageText()
    {
        QFETCH(QString, published);
        const QDateTime now(QDate(2011, 5, 10), QTime(12, 0, 0));
        kwdClock::setNow(now);
        QCOMPARE(kwdClock::now(), now);
        QTEST(qvmFormat::ageText(published, kwdClock::now()), "expected");
    }
};

KWD_TEST_MAIN(TestFormat)
#include "tst_qvmformat.moc"

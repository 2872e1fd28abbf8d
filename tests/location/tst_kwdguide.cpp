#include "kwdguidechart.h"
#include "kwdguidetrail.h"
#include "kwdsteadyclock.h"
#include "kwdtestdata.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmguiderequest.h"
#include "qvmitemguideproject.h"

#include <QGeoCoordinate>
#include <QtTest>

namespace {

const QGeoCoordinate Start(39.9087, 116.4605);

// One "ha" record; an empty position leaves the compound without one.
QString compound(const QString& id, const QString& lonLat)
{
    QString xml = QStringLiteral("<ha><id>%1</id><name>%1</name>").arg(id);
    if (!lonLat.isEmpty())
        xml += QStringLiteral("<location>%1</location>").arg(lonLat);
    return xml + QStringLiteral("</ha>");
}

} // namespace

// The price guide's logic without a window: statistics replies, the trim, the manual update, the
// chart's scale steps and the order of the compounds.
class TestGuide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statistics_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("read");
        QTest::addColumn<double>("supply");
        QTest::addColumn<double>("demand");
        kwdRow("two numbers", QByteArray("5210.5|3100\n"), true, 5210.5, 3100.0);
        kwdRow("more parts", QByteArray("12|34|56"), true, 12.0, 34.0);
        kwdRow("no separator", QByteArray("5210"), false, -1.0, -1.0);
        kwdRow("empty", QByteArray(), false, -1.0, -1.0);
        kwdRow("not numbers", QByteArray("error|none"), false, -1.0, -1.0);
        kwdRow("one missing", QByteArray("5210|"), false, -1.0, -1.0);
    }

    void statistics()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, read);
        qvmGuideRequest r(1, 2, 0);
        QCOMPARE(r.readStatistics(body), read);
        QTEST(r.supply, "supply");
        QTEST(r.demand, "demand");
        QCOMPARE(r.pending(), !read);
    }

    void trim_data()
    {
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("kept");
        kwdRow("500 m, 11 km exactly", 0.0, 500.0, 23, 23);
        kwdRow("500 m, past 11 km", 0.0, 500.0, 24, 23);
        kwdRow("500 m, long drive", 0.0, 500.0, 40, 23);
        kwdRow("1 km, 11 km exactly", 0.0, 1000.0, 12, 12);
        kwdRow("1 km, past 11 km", 0.0, 1000.0, 13, 12);
        kwdRow("one point, alone past 11 km", 12000.0, 500.0, 1, 1);
    }

    void trim()
    {
        QFETCH(double, first);
        QFETCH(double, step);
        QFETCH(int, requests);
        QFETCH(int, kept);
        kwdGuideTrail trail;
        QList<qvmGuideRequest*> made;
        for (int i = 0; i < requests; ++i) {
            trail.lastStep = i == 0 ? first : step;
            made.prepend(trail.addRequest());
            made.first()->statId = i + 1;
        }
        QCOMPARE(trail.entries().size(), kept);
        QCOMPARE(trail.entries(), made.mid(0, kept));
        // The identifiers of dropped points no longer find an entry.
        QCOMPARE(trail.find(1) != nullptr, kept == requests);
        QCOMPARE(trail.find(requests), trail.newest());
    }

    void manualInterval_data()
    {
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("after");
        QTest::addColumn<bool>("updated");
        kwdRow("too soon", qint64(1000), qint64(29999), false);
        kwdRow("at the interval", qint64(1000), qint64(30000), true);
        // A wall clock would go back to 00:00 here and refuse every update until the next request.
        kwdRow("across midnight", qint64(86399000), qint64(31000), true);
    }

    void manualInterval()
    {
        QFETCH(qint64, start);
        QFETCH(qint64, after);
        QFETCH(bool, updated);
        kwdGuideTrail trail;
        trail.minInterval = 30;
        QVERIFY(!trail.manualUpdate());
        kwdSteadyClock::setMsecs(start);
        QVERIFY(trail.position(Start.latitude(), Start.longitude()));
        const QGeoCoordinate to = kwdNorthOf(Start, 120);
        QVERIFY(!trail.position(to.latitude(), to.longitude()));
        kwdSteadyClock::setMsecs(start + after);
        QCOMPARE(trail.manualUpdate(), updated);
        QCOMPARE(trail.requestLatitude, updated ? to.latitude() : Start.latitude());
        QCOMPARE(qRound(trail.lastStep), updated ? 120 : 0);
        QCOMPARE(trail.lastRequestTime, updated ? start + after : start);
    }

    void tickStep_data()
    {
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("step");
        // Line spacing 10: a band needs 15 pixels.
        kwdRow("20 bands of 5", 100.0, 300.0, 5.0);
        kwdRow("just over 20 bands", 100.5, 300.0, 10.0);
        kwdRow("two bands", 1.0, 30.0, 1.0);
        kwdRow("thousands", 7000.0, 100.0, 2000.0);
        kwdRow("no span", 0.0, 100.0, 1.0);
        kwdRow("below one band", 1000000.0, 10.0, 2000000.0);
        kwdRow("no height", 50.0, 0.0, 50.0);
    }

    void tickStep()
    {
        QFETCH(double, span);
        QFETCH(double, height);
        QTEST(kwdGuideChart::tickStep(span, height, 10), "step");
    }

    void distanceSort_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QStringList>("order");
        const QGeoCoordinate near = kwdNorthOf(Start, 100);
        const QGeoCoordinate far = kwdNorthOf(Start, 800);
        const auto at = [](const QGeoCoordinate& c) {
            return QStringLiteral("%1,%2").arg(c.longitude(), 0, 'f', 8).arg(c.latitude(), 0, 'f', 8);
        };
        kwdRow("by distance", QStringList{compound("far", at(far)), compound("near", at(near))},
               QStringList{"near", "far"});
        kwdRow("equal keep reply order",
               QStringList{compound("b", at(near)), compound("a", at(near)), compound("c", at(far))},
               QStringList{"b", "a", "c"});
        kwdRow("missing positions last",
               QStringList{compound("x", QString()), compound("far", at(far)), compound("y", "0,0"),
                           compound("near", at(near))},
               QStringList{"near", "far", "x", "y"});
    }

    void distanceSort()
    {
        QFETCH(QStringList, records);
        QFETCH(QStringList, order);
        qvmGuideRequest r(Start.latitude(), Start.longitude(), 0);
        const QByteArray body = (QStringLiteral("<root><resultlist type=\"ha\">") + records.join(QString()) +
                                 "</resultlist></root>")
                                    .toUtf8();
        QVERIFY(r.readList(body, 2));
        QStringList names;
        for (const qvmItemGuideProject* row : std::as_const(r.items)) {
            names << row->name;
            QCOMPARE(row->guideType, 2);
        }
        QCOMPARE(names, order);
        // Another category's document leaves the compounds as they were.
        QVERIFY(
            !r.readList("<root><resultlist type=\"lease\"><lease><id>1</id></lease></resultlist></root>", 2));
        QCOMPARE(r.items.size(), order.size());
    }

    void cleanup() { kwdSteadyClock::reset(); }
};

KWD_TEST_MAIN(TestGuide)
#include "tst_kwdguide.moc"

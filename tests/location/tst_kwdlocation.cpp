#include "guidetitle.h"
#include "kwdfinder.h"
#include "kwdguidetrail.h"
#include "kwdlocalservice.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtestreceiver.h"
#include "qvmguiderequest.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmresultlistitem.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetgpsguide.h"
#include "titlebar.h"

#include <QAccessible>
#include <QGeoCoordinate>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

namespace {

const QGeoCoordinate Guomao(39.9087, 116.4605);

// The logged requests whose path ends with `tail`, as "host path?query".
QStringList logged(const kwdLocalService* service, const QString& tail)
{
    QStringList seen;
    for (const QJsonObject& e : service->log()) {
        const QString path = e.value(QStringLiteral("path")).toString();
        if (path.endsWith(tail))
            seen << e.value(QStringLiteral("host")).toString() + QLatin1Char(' ') + path + QLatin1Char('?') +
                        e.value(QStringLiteral("query")).toString();
    }
    return seen;
}

} // namespace

// The guide page on the around-me page against the local service: the addresses it asks, the
// compounds it lists, the trail when the other guide type opens, a city change while guiding and
// a tap on the header.
class TestWidgetGPSGuide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qunsetenv("QT_QTESTLIB_RUNNING");
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        new qvmHttpHolder(this);
        kwdStore::instance()->load();
        // The configured radius replaces the page's; wide enough for compounds of the sample city.
        kwdStore::instance()->setConfig(kwdStore::cfgGuideRange, 3000);
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void cleanupTestCase() { delete service; }
    void init() { messages.clear(); }
    void requests_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("otherType");
        QTest::addColumn<QString>("flag");
        QTest::newRow("prices, then rents") << 1 << 2 << QString();
        QTest::newRow("rents, then prices") << 2 << 1 << QStringLiteral("&flag=2");
    }

    void requests()
    {
        QFETCH(int, type);
        QFETCH(int, otherType);
        QFETCH(QString, flag);
        service->clearLog();
        qvmWidgetAround page;
        // A count left by a filtered list: "×" has nothing to clear beside the guide's update button.
        page.titleBar()->setConditionCount(2);
        qvmWidgetGPSGuide* guide = openGuide(page, type);
        QVERIFY(guide);
        QVERIFY(page.titleBar()->conditionButton()->isVisible());
        QVERIFY(!page.titleBar()->clearConditionButton()->isVisible());
        const QString jm = guide->jm;
        QCOMPARE(guide->trail.entries().size(), 1);
        const QString point =
            QStringLiteral("%1%7C%2%7C3000")
                .arg(QString::number(Guomao.latitude(), 'f', 6), QString::number(Guomao.longitude(), 'f', 6));
        const QString statHost = QUrl(kwdLocalService::statisticsBase()).host();
        QCOMPARE(
            logged(service, "fst_idata_price.php"),
            QStringList{statHost + " /kwdstat/fst_idata_price.php?city=" + jm + "&location=" + point + flag});
        QTRY_VERIFY_WITH_TIMEOUT(!guide->listView->listPage()->rows.isEmpty(), 10000);
        QCOMPARE(logged(service, "kwdhalist.html"),
                 QStringList{QUrl(kwdLocalService::listingHost(jm)).host() +
                             " /webservice/kwdhalist.html?page=1&percount=100&location=" + point +
                             "&haclcode=pa&ob=d1"});
        QVERIFY(!guide->trail.newest()->pending());
        // The list is nearest first.
        const QList<qvmListItem*>& rows = guide->listView->listPage()->rows;
        for (int i = 1; i < rows.size(); ++i)
            if (!rows.at(i)->distance.isEmpty())
                QVERIFY(rows.at(i - 1)->distance.toDouble() <= rows.at(i)->distance.toDouble());

        // 499 m on asks nothing, 500 m from the request point asks again.
        QGeoCoordinate near = Guomao.atDistanceAndAzimuth(499, 0);
        receiver->fix(near);
        QCOMPARE(guide->trail.entries().size(), 1);
        QGeoCoordinate far = Guomao.atDistanceAndAzimuth(600, 0);
        receiver->fix(far);
        QCOMPARE(guide->trail.entries().size(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(logged(service, "fst_idata_price.php").size(), 2, 10000);

        // Back and the same type again keeps the trail; the other type starts a new one.
        page.onGoBack();
        QVERIFY(!guide->active);
        page.onUseGPSGuide(jm, 1000, type);
        QCOMPARE(guide->trail.entries().size(), 3);
        page.onGoBack();
        page.onUseGPSGuide(jm, 1000, otherType);
        QCOMPARE(guide->guideType, otherType);
        QCOMPARE(guide->trail.entries().size(), 1);
        QVERIFY(answered(guide));
    }

    void cityChange_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("announcements");
        QTest::addColumn<QString>("jm");
        QTest::addColumn<bool>("changed");
        // The located city when the guide is opened again with the code it had; empty: not reopened.
        QTest::addColumn<QString>("opened");
        const QString nanjingRoad = QStringLiteral("南京东路1号");
        const QString none;
        QTest::newRow("another city")
            << true << QStringLiteral("上海") << nanjingRoad << 1 << "sh" << true << none;
        QTest::newRow("another city, announced twice")
            << true << QStringLiteral("上海") << nanjingRoad << 2 << "sh" << true << none;
        // Nothing to ask there, and one message however often the address comes.
        QTest::newRow("a city the catalogue lacks, twice")
            << true << QStringLiteral("火星城") << QStringLiteral("一号路") << 2 << "" << true << none;
        // Opened there, the guide asks with the code it was given, also as the drive goes on.
        QTest::newRow("opened in a city the catalogue lacks")
            << true << QStringLiteral("火星城") << QStringLiteral("一号路") << 2 << "bj" << false
            << QStringLiteral("火星城");
        QTest::newRow("the same city") << true << QStringLiteral("北京") << QStringLiteral("建国门外大街1号")
                                       << 1 << "bj" << false << none;
        QTest::newRow("no address") << true << QStringLiteral("上海") << QString() << 1 << "bj" << false
                                    << none;
        QTest::newRow("guide closed")
            << false << QStringLiteral("上海") << nanjingRoad << 1 << "bj" << false << none;
    }

    void cityChange()
    {
        QFETCH(bool, open);
        QFETCH(QString, city);
        QFETCH(QString, address);
        QFETCH(int, announcements);
        QFETCH(QString, jm);
        QFETCH(bool, changed);
        QFETCH(QString, opened);
        qvmWidgetAround page;
        qvmWidgetGPSGuide* guide = openGuide(page, 1);
        QVERIFY(guide);
        QCOMPARE(guide->jm, QStringLiteral("bj"));
        if (!opened.isEmpty()) {
            page.onGoBack();
            page.location()->cityName = opened;
            page.onUseGPSGuide(guide->jm, 1000, 1);
            QCOMPARE(guide->city, opened);
            QCOMPARE(guide->jm, jm);
            QVERIFY(guide->tracking && answered(guide));
        }
        if (!open)
            page.onGoBack();
        const QString before = guide->city;
        const qsizetype points = guide->trail.entries().size();
        service->clearLog();
        messages.clear();
        for (int i = 0; i < announcements; ++i)
            guide->onAddressChange(QStringLiteral("any"), city, address);
        QCOMPARE(guide->jm, jm);
        QCOMPARE(guide->city, changed ? city : before);
        // The compound rows open their details on the hosts the guide asks.
        QCOMPARE(kwdStore::instance()->cityCode(guide->condition->field(kwdFinder::City)), jm);
        // Without a code the title says so instead of locating for ever.
        QCOMPARE(guide->title->titleText() ==
                     qvmWidgetGPSGuide::tr("No guide for this city: go back and open it again"),
                 jm.isEmpty());
        QCOMPARE(messages,
                 changed ? QStringList{QStringLiteral("Info: Your City Has been changed to [") + city + "]"}
                         : QStringList());
        // The fix in hand starts tracking anew and asks the new city's hosts about it.
        const bool asks = changed && !jm.isEmpty();
        QCOMPARE(guide->trail.entries().size(), points + (asks ? 1 : 0));
        QVERIFY(answered(guide));
        const QStringList asked = logged(service, "kwdhalist.html");
        QCOMPARE(asked.size(), asks ? 1 : 0);
        if (asks)
            QVERIFY(asked.first().startsWith(QUrl(kwdLocalService::listingHost(jm)).host() + ' '));
    }

    void headerTap_data()
    {
        QTest::addColumn<bool>("pressInside");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<bool>("withTrail");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("tap") << true << true << true << true;
        QTest::newRow("slid out") << true << false << true << false;
        QTest::newRow("slid in") << false << true << true << false;
        QTest::newRow("tap without a trail") << true << true << false << false;
    }

    void headerTap()
    {
        QFETCH(bool, pressInside);
        QFETCH(bool, releaseInside);
        QFETCH(bool, withTrail);
        QFETCH(bool, emitted);
        qvmWidgetAround page;
        qvmWidgetGPSGuide* guide = openGuide(page, 2);
        QVERIFY(guide);
        if (!withTrail)
            guide->clearTrail();
        QTRY_VERIFY_WITH_TIMEOUT(guide->tapRect.isValid(), 5000);
        const QRect tap = guide->tapRect;
        // Inside the band, below the tap area: the chart.
        const QPoint outside(tap.center().x(), tap.bottom() + 20);
        QVERIFY(outside.y() < guide->headerHeight());
        QSignalSpy spy(guide, &qvmWidgetGPSGuide::requestDetailResult);
        QTest::mousePress(guide, Qt::LeftButton, {}, pressInside ? tap.center() : outside);
        QTest::mouseRelease(guide, Qt::LeftButton, {}, releaseInside ? tap.center() : outside);
        QCOMPARE(spy.size(), emitted ? 1 : 0);
        QVERIFY(!guide->pressed);
        if (emitted) {
            QCOMPARE(spy.first().at(0).toFloat(), float(Guomao.latitude()));
            QCOMPARE(spy.first().at(1).toFloat(), float(Guomao.longitude()));
            QCOMPARE(spy.first().at(2).toFloat(), 3000.0f);
        }
        // The chart reads as an image that says what it shows, the trail's points among it.
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(guide->chartImage());
        QCOMPARE(chart->role(), QAccessible::Graphic);
        QVERIFY(chart->text(QAccessible::Name).startsWith(QStringLiteral("价格走势图")));
        guide->repaint();
        QCOMPARE(chart->text(QAccessible::Name).contains(QStringLiteral("最近 0 个点")), !withTrail);
    }

private:
    // Shows `page`, fixes the receiver at `at`, waits for its address and opens the guide of `type`
    // once its first answers are in; null when any of that fails.
    qvmWidgetGPSGuide* openGuide(qvmWidgetAround& page, int type, const QGeoCoordinate& at = Guomao)
    {
        receiver = nullptr;
        page.location()->sourceFactory = [this](QObject* parent) {
            receiver = new kwdTestReceiver(QGeoPositionInfoSource::SatellitePositioningMethods, parent);
            return receiver;
        };
        page.resize(360, 600);
        page.show();
        if (!QTest::qWaitForWindowExposed(&page) || !receiver)
            return nullptr;
        QSignalSpy address(page.location(), &kwdLocation::addressChange);
        receiver->fix(at);
        if (!address.wait(10000))
            return nullptr;
        const QString jm = kwdStore::instance()->cityCode(page.location()->city());
        if (jm.isEmpty())
            return nullptr;
        page.onUseGPSGuide(jm, 1000, type);
        qvmWidgetGPSGuide* guide = page.guidePage();
        return answered(guide) ? guide : nullptr;
    }

    // Waits until neither request of the newest point is out, so that no answer reaches the next row.
    static bool answered(const qvmWidgetGPSGuide* guide)
    {
        const qvmGuideRequest* last = guide->trail.newest();
        if (!last)
            return true;
        const int listId = last->listId;
        return QTest::qWaitFor(
            [&] { return last->statId == 0 && !qvmHttpHolder::instance()->request(listId); }, 10000);
    }

    kwdLocalService* service = nullptr;
    kwdTestReceiver* receiver = nullptr;
    QStringList messages;
};

KWD_TEST_MAIN(TestWidgetGPSGuide)
#include "tst_qvmwidgetgpsguide.moc"

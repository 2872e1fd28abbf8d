#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtestreceiver.h"
#include "qvmhttpholder.h"
#include "qvmnavbutton.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetgpsguide.h"
#include "qvmwidgetsegement.h"
#include "titlebar.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The around-me page against the local service: what the buttons say or search for after the
// address lookup, and when the monitor lets positioning go.
class TestWidgetAround : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Qt hides its NMEA plugin from QtTest processes; the page's receiver is one here.
        qunsetenv("QT_QTESTLIB_RUNNING");
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        new qvmHttpHolder(this);
        kwdStore::instance()->load();
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void cleanupTestCase() { delete service; }
    void init()
    {
        messages.clear();
        service->clearLog();
        page = new qvmWidgetAround;
        page->location()->sourceFactory = [this](QObject* parent) {
            receiver = new kwdTestReceiver(QGeoPositionInfoSource::SatellitePositioningMethods, parent);
            return receiver;
        };
        page->resize(360, 600);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        QVERIFY(page->location()->isRunning());
    }

    void cleanup()
    {
        delete page;
        page = nullptr;
    }

    void searchButtons_data()
    {
        QTest::addColumn<bool>("fix");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<QString>("storeCity");
        QTest::addColumn<QString>("radius");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("searchedCity");
        // A condition of the store's search that the around-me list carries (until "×" drops it).
        QTest::addColumn<QString>("keyword");
        const QString none;
        QTest::newRow("no fix") << false << 0.0 << 0.0 << QStringLiteral("北京") << QStringLiteral("1000")
                                << QStringLiteral("error: GPS Data is not valid") << none << none;
        QTest::newRow("looked-up city without 市")
            << true << 39.9087 << 116.4605 << QStringLiteral("上海") << QStringLiteral("2000") << none
            << QStringLiteral("北京") << none;
        QTest::newRow("carried keyword, cleared")
            << true << 39.9087 << 116.4605 << QStringLiteral("北京") << QStringLiteral("2000") << none
            << QStringLiteral("北京") << QStringLiteral("花园");
        QTest::newRow("no address, store's city")
            << true << 20.0 << 125.0 << QStringLiteral("上海") << QStringLiteral("500") << none
            << QStringLiteral("上海") << none;
        QTest::newRow("no address, unknown city")
            << true << 20.0 << 125.0 << QStringLiteral("火星") << QStringLiteral("1000")
            << QStringLiteral("error: your city[火星] is not support") << none << none;
    }

    void searchButtons()
    {
        QFETCH(bool, fix);
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(QString, storeCity);
        QFETCH(QString, radius);
        QFETCH(QString, message);
        QFETCH(QString, searchedCity);
        QFETCH(QString, keyword);
        kwdFinder* current = kwdStore::instance()->currentFinder;
        current->setField(kwdFinder::City, storeCity);
        current->setField(kwdFinder::Radius, radius);
        current->setField(kwdFinder::Keyword, keyword);
        // The radius is read from the store when the form is made.
        cleanup();
        init();
        qvmWidgetAroundFunction* form = page->form();
        QCOMPARE(QString::number(form->range()), radius);
        if (fix) {
            QSignalSpy address(page->location(), &kwdLocation::addressChange);
            receiver->fix(QGeoCoordinate(lat, lon));
            QVERIFY(form->widgetButton->isVisible());
            QVERIFY(address.wait(10000));
        }
        form->btnSale->click();
        QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (searchedCity.isEmpty()) {
            QCOMPARE(page->currentPage(), int(qvmWidgetAround::PageForm));
            return;
        }
        QCOMPARE(page->currentPage(), int(qvmWidgetAround::PageResults));
        QVERIFY(page->addressName()->text().endsWith(QStringLiteral("%1m").arg(radius)));
        QCOMPARE(page->addressName()->textFormat(), Qt::PlainText); // the geocoder's text is never markup
        QCOMPARE(form->condition()->field(kwdFinder::City), searchedCity);
        QCOMPARE(current->field(kwdFinder::Radius), radius);
        // The list request carries the live position and the radius; around a real place real rows
        // come back (out at sea there are none).
        QTRY_VERIFY_WITH_TIMEOUT(
            page->resultView()->topPage() && page->resultView()->pendingRequests().isEmpty(), 10000);
        QPushButton* clear = page->titleBar()->clearConditionButton();
        QCOMPARE(clear->isVisible(), !keyword.isEmpty());
        if (clear->isVisible()) {
            clear->click();
            QTRY_VERIFY_WITH_TIMEOUT(page->resultView()->pendingRequests().isEmpty(), 10000);
            QVERIFY(!clear->isVisible());
        }
        const auto* shownList = static_cast<qvmResultListItem*>(page->resultView()->topPage());
        QCOMPARE(!shownList->rows.isEmpty(), searchedCity == QStringLiteral("北京"));
        QJsonObject list;
        for (const QJsonObject& entry : service->log()) {
            if (entry.value(QStringLiteral("path")).toString().endsWith(QLatin1String("forsalelist.html")))
                list = entry;
        }
        QCOMPARE(list.value(QStringLiteral("host")).toString(),
                 QUrl(kwdLocalService::listingHost(kwdStore::instance()->cityCode(searchedCity))).host());
        QCOMPARE(
            list.value(QStringLiteral("query")).toString(),
            QStringLiteral("page=1&percount=20&location=%1%7C%2%7C%3&sn=%4")
                .arg(QString::number(lon, 'f', 6), QString::number(lat, 'f', 6), radius, kwdDevice::id()));
    }

    void monitor_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("left");
        QTest::newRow("page left") << -1 << true;
        QTest::newRow("results shown") << int(qvmWidgetAround::PageResults) << false;
        QTest::newRow("conditions shown") << int(qvmWidgetAround::PageCondition) << false;
        QTest::newRow("results shown, page left") << int(qvmWidgetAround::PageResults) << true;
        QTest::newRow("conditions shown, page left") << int(qvmWidgetAround::PageCondition) << true;
        QTest::newRow("guide shown, page left") << int(qvmWidgetAround::PageGuide) << true;
    }

    void monitor()
    {
        QFETCH(int, shown);
        QFETCH(bool, left);
        qvmWidgetAroundFunction* form = page->form();
        kwdStore::instance()->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
        const QGeoCoordinate here(39.9087, 116.4605);
        receiver->fix(here);
        if (shown == qvmWidgetAround::PageGuide)
            form->btnGPSGuide->click();
        else if (shown > 0)
            form->btnSale->click();
        if (shown == qvmWidgetAround::PageCondition)
            page->onTitleBarAction(0, 0);
        if (left)
            page->hide();
        QCOMPARE(page->currentPage(), qMax(0, shown));
        QVERIFY(form->monitor->isActive());
        // The ticks are the test's own: two minutes each in the program.
        form->onMonitorTimeout();
        QVERIFY(page->location()->isRunning());
        form->onMonitorTimeout();
        QCOMPARE(page->location()->isRunning(), !left);
        QCOMPARE(form->monitor->isActive(), !left);
        QCOMPARE(form->widgetButton->isHidden(), left);
        // Coming back to any of the page's own pages starts positioning again, watched while the form
        // is out of sight, and the next fix reaches the page shown.
        page->show();
        QCOMPARE(page->currentPage(), qMax(0, shown));
        QVERIFY(page->location()->isRunning());
        QCOMPARE(form->monitor->isActive(), shown > 0);
        const QGeoCoordinate there = here.atDistanceAndAzimuth(600, 90);
        receiver->fix(there);
        if (shown == qvmWidgetAround::PageGuide)
            QCOMPARE(page->guidePage()->requestLongitude, there.longitude());
        if (shown == qvmWidgetAround::PageResults)
            page->onTitleBarAction(0, 0);
        if (shown == qvmWidgetAround::PageResults || shown == qvmWidgetAround::PageCondition) {
            page->onSearchFromConditionView();
            const QString query = static_cast<qvmResultListItem*>(page->resultView()->topPage())->query;
            QVERIFY2(query.contains(
                         QStringLiteral("location=%1|").arg(QString::number(there.longitude(), 'f', 6))),
                     qPrintable(query));
        }
        for (int i = 0; i < 3 && page->currentPage() != qvmWidgetAround::PageForm; ++i)
            page->onGoBack();
        QCOMPARE(page->currentPage(), int(qvmWidgetAround::PageForm));
        QVERIFY(page->location()->isRunning());
        QVERIFY(!form->monitor->isActive());
    }

private:
    kwdLocalService* service = nullptr;
    qvmWidgetAround* page = nullptr;
    kwdTestReceiver* receiver = nullptr;
    QStringList messages;
};

KWD_TEST_MAIN(TestWidgetAround)
#include "tst_qvmwidgetaround.moc"

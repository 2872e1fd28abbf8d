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

#include <QGeoCoordinate>
#include <QJsonObject>
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
// compounds it lists and the trail when the other guide type opens.
class TestWidgetGPSGuide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { delete service; }
    void requests_data();
    void requests();

private:
    kwdLocalService* service = nullptr;
};

void TestWidgetGPSGuide::initTestCase()
{
    qunsetenv("QT_QTESTLIB_RUNNING");
    service = new kwdLocalService;
    QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
    new qvmHttpHolder(this);
    kwdStore::instance()->load();
    // The configured radius replaces the page's; wide enough for compounds of the sample city.
    kwdStore::instance()->setConfig(kwdStore::cfgGuideRange, 3000);
    kwdMessage::setHook([](const QString&, const QString&) {});
}

void TestWidgetGPSGuide::requests_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("otherType");
    QTest::addColumn<QString>("flag");
    QTest::newRow("prices, then rents") << 1 << 2 << QString();
    QTest::newRow("rents, then prices") << 2 << 1 << QStringLiteral("&flag=2");
}

void TestWidgetGPSGuide::requests()
{
    QFETCH(int, type);
    QFETCH(int, otherType);
    QFETCH(QString, flag);
    service->clearLog();
    kwdTestReceiver* receiver = nullptr;
    qvmWidgetAround page;
    page.location()->sourceFactory = [&receiver](QObject* parent) {
        receiver = new kwdTestReceiver(QGeoPositionInfoSource::SatellitePositioningMethods, parent);
        return receiver;
    };
    page.resize(360, 600);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(receiver);
    QSignalSpy address(page.location(), &kwdLocation::addressChange);
    receiver->fix(Guomao);
    QVERIFY(address.wait(10000));

    const QString jm = kwdStore::instance()->cityCode(page.location()->city());
    QVERIFY(!jm.isEmpty());
    page.onUseGPSGuide(jm, 1000, type);
    qvmWidgetGPSGuide* guide = page.guidePage();
    QCOMPARE(guide->guideTrail().entries().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(guide->guideTrail().newest()->statId == 0, 10000);
    const QString point =
        QStringLiteral("%1%7C%2%7C3000")
            .arg(QString::number(Guomao.latitude(), 'f', 6), QString::number(Guomao.longitude(), 'f', 6));
    const QString statHost = QUrl(kwdLocalService::statisticsBase()).host();
    QCOMPARE(
        logged(service, "fst_idata_price.php"),
        QStringList{statHost + " /kwdstat/fst_idata_price.php?city=" + jm + "&location=" + point + flag});
    QTRY_VERIFY_WITH_TIMEOUT(!guide->compoundList()->listPage()->rows.isEmpty(), 10000);
    QCOMPARE(logged(service, "kwdhalist.html"),
             QStringList{QUrl(kwdLocalService::listingHost(jm)).host() +
                         " /webservice/kwdhalist.html?page=1&percount=100&location=" + point +
                         "&haclcode=pa&ob=d1"});
    QVERIFY(!guide->guideTrail().newest()->pending());
    // The list is nearest first.
    const QList<qvmListItem*>& rows = guide->compoundList()->listPage()->rows;
    for (int i = 1; i < rows.size(); ++i)
        if (!rows.at(i)->distance.isEmpty())
            QVERIFY(rows.at(i - 1)->distance.toDouble() <= rows.at(i)->distance.toDouble());

    // 499 m on asks nothing, 500 m from the request point asks again.
    QGeoCoordinate near = Guomao.atDistanceAndAzimuth(499, 0);
    receiver->fix(near);
    QCOMPARE(guide->guideTrail().entries().size(), 1);
    QGeoCoordinate far = Guomao.atDistanceAndAzimuth(600, 0);
    receiver->fix(far);
    QCOMPARE(guide->guideTrail().entries().size(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(logged(service, "fst_idata_price.php").size(), 2, 10000);

    // Back and the same type again keeps the trail; the other type starts a new one.
    page.onGoBack();
    QVERIFY(!guide->active);
    page.onUseGPSGuide(jm, 1000, type);
    QCOMPARE(guide->guideTrail().entries().size(), 3);
    page.onGoBack();
    page.onUseGPSGuide(jm, 1000, otherType);
    QCOMPARE(guide->guideType, otherType);
    QCOMPARE(guide->guideTrail().entries().size(), 1);
    // Both answers in before the page goes, so that the next row's log holds only its own requests.
    const qvmGuideRequest* last = guide->guideTrail().newest();
    QTRY_VERIFY_WITH_TIMEOUT(last->statId == 0 && !qvmHttpHolder::instance()->request(last->listId), 10000);
}

KWD_TEST_MAIN(TestWidgetGPSGuide)
#include "tst_qvmwidgetgpsguide.moc"

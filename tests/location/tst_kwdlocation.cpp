#include "guidetitle.h"
#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdguidetrail.h"
#include "kwdlocalservice.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdnmeasentence.h"
#include "kwdpositionsource.h"
#include "kwdserviceconfig.h"
#include "kwdsteadyclock.h"
#include "kwdstore.h"
#include "kwdtestdata.h"
#include "kwdtestenvironment.h"
#include "kwdtestreceiver.h"
#include "kwdtesttable.h"
#include "qvmaddressentry.h"
#include "qvmguiderequest.h"
#include "qvmhttpholder.h"
#include "qvmitemguideproject.h"
#include "qvmnavbutton.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetgpsguide.h"
#include "titlebar.h"
#include "xqgeosearchmanager.h"

#include <QAccessible>
#include <QApplication>
#include <QGeoCoordinate>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryFile>
#include <QUrl>
#include <QtTest>
#include <pty.h>
#include <unistd.h>

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

// One "ha" record; an invalid position leaves the compound without one.
QString compound(const QString& id, const QGeoCoordinate& at = QGeoCoordinate())
{
    QString xml = QStringLiteral("<ha><id>%1</id><name>%1</name>").arg(id);
    if (at.isValid())
        xml += QStringLiteral("<location>%1,%2</location>")
                   .arg(at.longitude(), 0, 'f', 8)
                   .arg(at.latitude(), 0, 'f', 8);
    return xml + QStringLiteral("</ha>");
}

} // namespace

// Positioning and the pages using it, against the local service: the position source (which fixes
// count, when the address is asked again, its cache, the geocoder's replies, the receivers chosen by
// configuration); the around-me page's buttons and monitor; the price guide (the addresses it asks,
// its compounds and trail, a city change, a tap on its header) and its logic without a window.
class TestLocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qunsetenv("QT_QTESTLIB_RUNNING");
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        holder = new qvmHttpHolder(this);
        kwdStore::instance()->load();
        // The configured radius replaces the page's; wide enough for compounds of the sample city.
        kwdStore::instance()->setConfig(kwdStore::cfgGuideRange, 3000);
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void cleanupTestCase() { delete service; }
    void init()
    {
        messages.clear();
        service->clearFaults();
        service->clearLog();
        receivers.clear();
        location = new kwdLocation;
        addresses = new QSignalSpy(location, &kwdLocation::addressChange);
        positions = new QSignalSpy(location, &kwdLocation::positionChange);
    }

    void cleanup()
    {
        kwdSteadyClock::reset();
        delete page;
        page = nullptr;
        delete addresses;
        delete positions;
        delete location;
        location = nullptr;
    }

    // Each row a script of steps "verb [n] [speed]", run in order; n is in metres north of Guomao for
    // "sat", "cell", "at", "asked" and "forget", a count for the others. "sat" and "cell" hand a fix to
    // the satellite or the cell receiver; "start sat|cell|all" starts with receivers offering those
    // methods, a bare "start" is one more user. (An address not found is the fault table's.)
    void fixes_data()
    {
        QTest::addColumn<QString>("script");
        kwdRow("satellite: asked again at 500 m", "start sat; receivers 1; sat 0 8.5; addresses 1; "
                                                  "speed 8.5; at 0; sat 500; addresses 2");
        kwdRow("satellite: not at 499.9 m", "start sat; sat 0; addresses 1; sat 499.9; addresses 1");
        kwdRow("cell: asked again at 1000 m",
               "start cell; receivers 2; cell 0; addresses 1; cell 1000; addresses 2");
        kwdRow("cell: not at 999.9 m", "start cell; cell 0; addresses 1; cell 999.9; addresses 1");
        // From the first satellite fix on, the cell receiver is not listened to at all.
        kwdRow("cell ignored after a satellite fix",
               "start all; receivers 2; cell 0; positions 1; sat 50; positions 2; cell 3000 20; positions 2; "
               "speed 20; at 50");
        // Answers that come late: no second request within 200 m of a lookup under way; 400 m on, the
        // first answer is for a place the user has left; back near the first point its cached address is
        // announced without asking again; far away, a lookup under way goes with its location.
        kwdRow("late answers",
               "start sat; stall; sat 0; sat 150; sat 400; addresses 1; settled; addresses 1; "
               "asked 400; sat -150; addresses 2; asked 0; requests 2; forget 5000");
        // A fix still queued when the receiver was told to rest changes nothing; the next start runs the
        // same receiver again, from a clean state.
        kwdRow("users: one left",
               "start sat; start; start; sat 0; stop; stop; users 1; located 1; sat 900; positions 2; "
               "start; receivers 1; users 2");
        kwdRow("users: more stops than starts",
               "start sat; sat 0; stop; stop; stop; stop; users 0; located 0; sat 900; "
               "positions 1; start; receivers 1; users 1; located 0");
    }

    void fixes()
    {
        const QMap<QString, QGeoPositionInfoSource::PositioningMethods> methods{
            {"sat", QGeoPositionInfoSource::SatellitePositioningMethods},
            {"cell", QGeoPositionInfoSource::NonSatellitePositioningMethods},
            {"all", QGeoPositionInfoSource::AllPositioningMethods}};
        QStringList w;
        double n = 0;
        QGeoCoordinate at;
        bool ok = true;
        double lon = 0, lat = 0;
        const QMap<QString, std::function<void()>> verbs{
            {"start", [&] { ok = w.size() > 1 ? startWith(methods.value(w.at(1))) : location->start(); }},
            {"stop", [&] { location->stop(); }},
            {"sat", [&] { receivers.first()->fix(at, w.value(2, "-1").toDouble()); }},
            {"cell", [&] { receivers.last()->fix(at, w.value(2, "-1").toDouble()); }},
            {"stall", [&] { service->setFault(QString(), "/geocoder/*", "stall", "ms=300"); }},
            {"addresses", [&] { ok = addressed(int(n)); }},
            {"positions", [&] { ok = positions->size() == int(n); }},
            {"receivers", [&] { ok = receivers.size() == int(n); }},
            {"requests", [&] { ok = service->log().size() == int(n); }},
            {"speed", [&] { ok = qFuzzyCompare(location->groundSpeed(), float(n)); }},
            {"at", [&] { ok = location->position(&lon, &lat) && at == QGeoCoordinate(lat, lon); }},
            {"asked", [&] { ok = qFuzzyCompare(location->addressLatitude, at.latitude()); }},
            {"users", [&] { ok = location->userCount() == int(n) && location->isRunning() == (n > 0); }},
            {"located", [&] { ok = location->position(nullptr, nullptr) == (n > 0); }},
            {"settled",
             [&] {
                 ok = QTest::qWaitFor([&] {
                     return std::none_of(location->addressCache.cbegin(), location->addressCache.cend(),
                                         [](const qvmAddressEntry* e) { return e->pending; });
                 });
             }},
            {"forget", [&] {
                 receivers.first()->fix(at);
                 const QString url = location->searchManager->requestUrl(at);
                 ok = holder->requestByUrl(url);
                 delete location;
                 location = nullptr;
                 ok = ok && !holder->requestByUrl(url);
             }}};
        for (const QString& step : kwdData<QString>("script").split(QStringLiteral("; "))) {
            w = step.split(QLatin1Char(' '));
            n = w.value(1).toDouble();
            at = kwdNorthOf(Guomao, n);
            QVERIFY2(verbs.contains(w.first()), qPrintable("unknown step " + step));
            verbs.value(w.first())();
            QVERIFY2(ok, qPrintable(step));
        }
    }

    void configuredReceivers_data()
    {
        // gpsd, reached and not, is Debian's own in tst_gpsdpeer.
        QTest::addColumn<QString>("kind");
        kwdRow("replayed log", "log");
        kwdRow("NMEA socket", "socket");
        kwdRow("serial at 9600 baud", "serial");
        kwdRow("refused socket", "refused");
    }

    void configuredReceivers()
    {
        QFETCH(QString, kind);
        const QDateTime t = QDateTime::currentDateTimeUtc();
        const QByteArray fix =
            kwdNmeaSentence::rmc(t, Guomao.latitude(), Guomao.longitude(), 10, 0) +
            kwdNmeaSentence::gga(t, Guomao.latitude(), Guomao.longitude(), 40) +
            kwdNmeaSentence::rmc(t.addSecs(1), Guomao.latitude(), Guomao.longitude(), 10, 0);
        QTemporaryFile log;
        QTcpServer server;
        int master = -1, slave = -1;
        char pty[128] = {};
        QString choice;
        if (kind == QLatin1String("log")) {
            QVERIFY(log.open());
            log.write(fix);
            log.close();
            choice = log.fileName();
        } else if (kind == QLatin1String("serial")) {
            // A pseudo terminal stands in for the receiver's serial line.
            QVERIFY(openpty(&master, &slave, pty, nullptr, nullptr) == 0);
            choice = QStringLiteral("serial:%1@9600").arg(QString::fromLocal8Bit(pty));
        } else {
            QVERIFY(server.listen(QHostAddress::LocalHost));
            choice = QStringLiteral("socket://127.0.0.1:%1").arg(server.serverPort());
            if (kind == QLatin1String("refused"))
                server.close();
            connect(&server, &QTcpServer::newConnection, this,
                    [&] { server.nextPendingConnection()->write(fix); });
        }
        location->sourceFactory = [choice](QObject* parent) {
            return kwdPositionSource::create(choice, parent);
        };
        QVERIFY(location->start());
        if (master >= 0)
            QCOMPARE(::write(master, fix.constData(), size_t(fix.size())), ssize_t(fix.size()));
        const bool fixed = positions->wait(5000);
        if (master >= 0) {
            ::close(master);
            ::close(slave);
        }
        QVERIFY(fixed);
        if (kind == QLatin1String("refused")) {
            // Without a fix the receiver's failure is announced, so nobody waits for ever.
            QCOMPARE(positions->first(), (QList<QVariant>{0.0, 0.0}));
            return;
        }
        QVERIFY(QGeoCoordinate(location->latitude, location->longitude).distanceTo(Guomao) < 1.0);
        QCOMPARE(qRound(location->groundSpeed() * 10), 100);
        QVERIFY(addressed(1));
        QVERIFY(addresses->first().at(2).toString().startsWith(QStringLiteral("北京市")));
        const kwdServiceConfig& config = kwdServiceConfig::instance();
        QCOMPARE(logged(service, "/geocoder/rgc/1.0"),
                 QStringList{config.geocoderHost + " /geocoder/rgc/1.0?referer=qtlocationapi&token=" +
                             config.geocoderToken + "&long=116.4605&lat=39.9087&lg=chi"});
    }

    void statistics_data()
    {
        kwdColumns<QByteArray, bool, double, double>("body", "read", "supply", "demand");
        kwdRow("two numbers", QByteArray("5210.5|3100\n"), true, 5210.5, 3100.0);
        kwdRow("more parts", QByteArray("12|34|56"), true, 12.0, 34.0);
        kwdRow("no separator", QByteArray("5210"), false, -1.0, -1.0);
        kwdRow("not a number", QByteArray("error|3100"), false, -1.0, -1.0);
        kwdRow("one missing", QByteArray("5210|"), false, -1.0, -1.0);
    }

    void statistics()
    {
        QFETCH(bool, read);
        qvmGuideRequest r(1, 2, 0);
        QCOMPARE(r.readStatistics(kwdData<QByteArray>("body")), read);
        QTEST(r.supply, "supply");
        QTEST(r.demand, "demand");
    }

    void trim_data()
    {
        kwdColumns<double, double, int, int>("first", "step", "requests", "kept");
        kwdRow("500 m, long drive", 0.0, 500.0, 40, 23);
        kwdRow("one point, alone past 11 km", 12000.0, 500.0, 1, 1);
    }

    void trim()
    {
        QFETCH(int, requests);
        QFETCH(int, kept);
        kwdGuideTrail trail;
        QList<qvmGuideRequest*> made;
        for (int i = 0; i < requests; ++i) {
            trail.lastStep = i == 0 ? kwdData<double>("first") : kwdData<double>("step");
            made.prepend(trail.addRequest());
            made.first()->statId = i + 1;
        }
        QCOMPARE(trail.entries(), made.mid(0, kept));
        // The identifiers of dropped points no longer find an entry.
        QCOMPARE(trail.find(1) != nullptr, kept == requests);
    }

    void manualInterval_data()
    {
        kwdColumns<qint64, qint64, bool>("start", "after", "updated");
        kwdRow("too soon", qint64(1000), qint64(29999), false);
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
        kwdSteadyClock::setMsecs(start);
        QVERIFY(trail.position(Guomao.latitude(), Guomao.longitude()));
        const QGeoCoordinate to = kwdNorthOf(Guomao, 120);
        QVERIFY(!trail.position(to.latitude(), to.longitude()));
        kwdSteadyClock::setMsecs(start + after);
        QCOMPARE(trail.manualUpdate(), updated);
        QCOMPARE(trail.requestLatitude, updated ? to.latitude() : Guomao.latitude());
    }

    void distanceSort_data()
    {
        kwdColumns<QStringList, QStringList>("records", "order");
        const QGeoCoordinate near = kwdNorthOf(Guomao, 100);
        const QGeoCoordinate far = kwdNorthOf(Guomao, 800);
        kwdRow("equal keep reply order",
               QStringList{compound("b", near), compound("a", near), compound("c", far)},
               QStringList{"b", "a", "c"});
        kwdRow("by distance, missing positions last",
               QStringList{compound("x"), compound("far", far), compound("y", QGeoCoordinate(0, 0)),
                           compound("near", near)},
               QStringList{"near", "far", "x", "y"});
    }

    void distanceSort()
    {
        QFETCH(QStringList, order);
        qvmGuideRequest r(Guomao.latitude(), Guomao.longitude(), 0);
        const QByteArray body = (QStringLiteral("<root><resultlist type=\"ha\">") +
                                 kwdData<QStringList>("records").join(QString()) + "</resultlist></root>")
                                    .toUtf8();
        QVERIFY(r.readList(body, 2));
        QStringList names;
        for (const qvmItemGuideProject* row : std::as_const(r.items))
            names << row->name;
        QCOMPARE(names, order);
        // Another category's document leaves the compounds as they were.
        QVERIFY(
            !r.readList("<root><resultlist type=\"lease\"><lease><id>1</id></lease></resultlist></root>", 2));
        QCOMPARE(r.items.size(), order.size());
    }

    void requests_data()
    {
        kwdColumns<int, QString>("type", "flag");
        kwdRow("prices, then rents", 1, QString());
        kwdRow("rents, then prices", 2, QStringLiteral("&flag=2"));
    }

    void requests()
    {
        QFETCH(int, type);
        qvmWidgetGPSGuide* guide = openGuide(type);
        QVERIFY(guide);
        const QString jm = guide->jm;
        QCOMPARE(guide->trail.entries().size(), 1);
        const QString point =
            QStringLiteral("%1%7C%2%7C3000")
                .arg(QString::number(Guomao.latitude(), 'f', 6), QString::number(Guomao.longitude(), 'f', 6));
        const QString statHost = QUrl(kwdLocalService::statisticsBase()).host();
        QCOMPARE(logged(service, "fst_idata_price.php"),
                 QStringList{statHost + " /kwdstat/fst_idata_price.php?city=" + jm + "&location=" + point +
                             kwdData<QString>("flag")});
        QTRY_VERIFY_WITH_TIMEOUT(!guide->listView->listPage()->rows.isEmpty(), 10000);
        QCOMPARE(logged(service, "kwdhalist.html"),
                 QStringList{QUrl(kwdLocalService::listingHost(jm)).host() +
                             " /webservice/kwdhalist.html?page=1&percount=100&location=" + point +
                             "&haclcode=pa&ob=d1"});
        // 499 m on asks nothing (farther on the next point is asked: the fault table's guide rows).
        receiver->fix(Guomao.atDistanceAndAzimuth(499, 0));
        QCOMPARE(guide->trail.entries().size(), 1);

        // Back and the same type again keeps the trail; the other type starts a new one.
        page->onGoBack();
        page->onUseGPSGuide(jm, 1000, type);
        QCOMPARE(guide->trail.entries().size(), 2);
        page->onGoBack();
        page->onUseGPSGuide(jm, 1000, 3 - type);
        QCOMPARE(guide->trail.entries().size(), 1);
        QVERIFY(answered(guide));
    }

    void cityChange_data()
    {
        kwdColumns<bool, QString, QString, int, QString, bool>("open", "city", "address", "announcements",
                                                               "jm", "changed");
        // The located city when the guide is opened again with the code it had; empty: not reopened.
        QTest::addColumn<QString>("opened");
        kwdRow("another city, announced twice", true, "上海", "南京东路1号", 2, "sh", true, "");
        // Nothing to ask there, and one message however often the address comes.
        kwdRow("a city the catalogue lacks, twice", true, "火星城", "一号路", 2, "", true, "");
        // Opened there, the guide asks with the code it was given, also as the drive goes on.
        kwdRow("opened in a city the catalogue lacks", true, "火星城", "一号路", 2, "bj", false, "火星城");
        kwdRow("the same city", true, "北京", "建国门外大街1号", 1, "bj", false, "");
        kwdRow("no address", true, "上海", "", 1, "bj", false, "");
        kwdRow("guide closed", false, "上海", "南京东路1号", 1, "bj", false, "");
    }

    void cityChange()
    {
        QFETCH(bool, open);
        QFETCH(QString, city);
        QFETCH(QString, jm);
        QFETCH(bool, changed);
        QFETCH(QString, opened);
        qvmWidgetGPSGuide* guide = openGuide(1);
        QVERIFY(guide);
        QCOMPARE(guide->jm, QStringLiteral("bj"));
        if (!opened.isEmpty()) {
            page->onGoBack();
            page->location()->cityName = opened;
            page->onUseGPSGuide(guide->jm, 1000, 1);
            QVERIFY(guide->tracking && answered(guide));
        }
        if (!open)
            page->onGoBack();
        service->clearLog();
        messages.clear();
        for (int i = 0; i < kwdData<int>("announcements"); ++i)
            guide->onAddressChange(QStringLiteral("any"), city, kwdData<QString>("address"));
        QCOMPARE(guide->jm, jm);
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
        QVERIFY(answered(guide));
        const QStringList asked = logged(service, "kwdhalist.html");
        QCOMPARE(asked.size(), asks ? 1 : 0);
        QVERIFY(!asks || asked.first().startsWith(QUrl(kwdLocalService::listingHost(jm)).host() + ' '));
    }

    void headerTap_data()
    {
        kwdColumns<bool, bool, bool, bool>("pressInside", "releaseInside", "withTrail", "emitted");
        kwdRow("tap", true, true, true, true);
        kwdRow("slid out", true, false, true, false);
        kwdRow("slid in", false, true, true, false);
        kwdRow("tap without a trail", true, true, false, false);
    }

    void headerTap()
    {
        QFETCH(bool, withTrail);
        QFETCH(bool, emitted);
        qvmWidgetGPSGuide* guide = openGuide(2);
        QVERIFY(guide);
        if (!withTrail)
            guide->clearTrail();
        QTRY_VERIFY_WITH_TIMEOUT(guide->tapRect.isValid(), 5000);
        const QRect tap = guide->tapRect;
        // Inside the band, below the tap area: the chart.
        const QPoint outside(tap.center().x(), tap.bottom() + 20);
        QVERIFY(outside.y() < guide->headerHeight());
        QSignalSpy spy(guide, &qvmWidgetGPSGuide::requestDetailResult);
        QTest::mousePress(guide, Qt::LeftButton, {}, kwdData<bool>("pressInside") ? tap.center() : outside);
        QTest::mouseRelease(guide, Qt::LeftButton, {},
                            kwdData<bool>("releaseInside") ? tap.center() : outside);
        QCOMPARE(spy.size(), emitted ? 1 : 0);
        if (emitted)
            QCOMPARE(spy.first(),
                     (QList<QVariant>{float(Guomao.latitude()), float(Guomao.longitude()), 3000.0f}));
        // The chart reads as an image that says what it shows.
        const QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(guide->chartImage());
        QVERIFY(chart->role() == QAccessible::Graphic &&
                chart->text(QAccessible::Name).startsWith(QStringLiteral("价格走势图")));
    }

    void searchButtons_data()
    {
        kwdColumns<bool, QGeoCoordinate, QString, QString, QString, QString>(
            "fix", "at", "storeCity", "radius", "message", "searchedCity");
        // A condition of the store's search that the around-me list carries (until "×" drops it).
        QTest::addColumn<QString>("keyword");
        const QGeoCoordinate sea(20.0, 125.0);
        kwdRow("no fix", false, Guomao, "北京", "1000", "error: GPS Data is not valid", "", "");
        kwdRow("looked-up city without 市, carried keyword cleared", true, Guomao, "上海", "2000", "", "北京",
               "花园");
        kwdRow("no address, store's city", true, sea, "上海", "500", "", "上海", "");
        kwdRow("no address, unknown city", true, sea, "火星", "1000", "error: your city[火星] is not support",
               "", "");
    }

    void searchButtons()
    {
        QFETCH(QGeoCoordinate, at);
        QFETCH(QString, radius);
        QFETCH(QString, message);
        QFETCH(QString, searchedCity);
        QFETCH(QString, keyword);
        kwdFinder* current = kwdStore::instance()->currentFinder;
        current->setField(kwdFinder::City, kwdData<QString>("storeCity"));
        current->setField(kwdFinder::Radius, radius);
        current->setField(kwdFinder::Keyword, keyword);
        // The radius is read from the store when the form is made.
        QVERIFY(showAround());
        qvmWidgetAroundFunction* form = page->form();
        if (kwdData<bool>("fix"))
            QVERIFY(locate(at));
        form->btnSale->click();
        QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (searchedCity.isEmpty()) {
            QCOMPARE(page->currentPage(), int(qvmWidgetAround::PageForm));
            return;
        }
        QCOMPARE(page->currentPage(), int(qvmWidgetAround::PageResults));
        QVERIFY(page->addressName()->text().endsWith(radius + "m"));
        QCOMPARE(page->addressName()->textFormat(), Qt::PlainText); // the geocoder's text is never markup
        // The list request carries the live position and the radius; around a real place real rows
        // come back (out at sea there are none).
        QTRY_VERIFY_WITH_TIMEOUT(
            page->resultView()->topPage() && page->resultView()->pendingRequests().isEmpty(), 10000);
        QPushButton* clear = page->titleBar()->clearConditionButton();
        QCOMPARE(clear->isVisible(), !keyword.isEmpty());
        if (clear->isVisible())
            clear->click();
        QTRY_VERIFY_WITH_TIMEOUT(page->resultView()->pendingRequests().isEmpty(), 10000);
        const auto* shownList = static_cast<qvmResultListItem*>(page->resultView()->topPage());
        QCOMPARE(!shownList->rows.isEmpty(), searchedCity == QStringLiteral("北京"));
        const QString host =
            QUrl(kwdLocalService::listingHost(kwdStore::instance()->cityCode(searchedCity))).host();
        QCOMPARE(logged(service, "forsalelist.html").last(),
                 host + " /webservice/kwdforsalelist.html?page=1&percount=20&location=" +
                     QString::number(at.longitude(), 'f', 6) + "%7C" +
                     QString::number(at.latitude(), 'f', 6) + "%7C" + radius + "&sn=" + kwdDevice::id());
    }

    void monitor_data()
    {
        kwdColumns<int, bool>("shown", "left");
        kwdRow("page left", -1, true);
        kwdRow("results shown", int(qvmWidgetAround::PageResults), false);
        kwdRow("guide shown, page left", int(qvmWidgetAround::PageGuide), true);
    }

    void monitor()
    {
        QFETCH(int, shown);
        QFETCH(bool, left);
        QVERIFY(showAround());
        qvmWidgetAroundFunction* form = page->form();
        kwdStore::instance()->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
        receiver->fix(Guomao);
        if (shown == qvmWidgetAround::PageGuide)
            form->btnGPSGuide->click();
        else if (shown > 0)
            form->btnSale->click();
        if (left)
            page->hide();
        // The ticks are the test's own: two minutes each in the program.
        form->onMonitorTimeout();
        QVERIFY(page->location()->isRunning());
        form->onMonitorTimeout();
        QCOMPARE(page->location()->isRunning(), !left);
        // Coming back to any of the page's own pages starts positioning again, watched while the form
        // is out of sight, and the next fix reaches the page shown.
        page->show();
        QCOMPARE(page->currentPage(), qMax(0, shown));
        QVERIFY(page->location()->isRunning());
        QCOMPARE(form->monitor->isActive(), shown > 0);
        const QGeoCoordinate there = Guomao.atDistanceAndAzimuth(600, 90);
        receiver->fix(there);
        if (shown == qvmWidgetAround::PageGuide)
            QCOMPARE(page->guidePage()->requestLongitude, there.longitude());
        if (shown == qvmWidgetAround::PageResults) {
            page->onTitleBarAction(0, 0);
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
    // Starts a location whose receivers offer `methods`; the first is the satellite one.
    bool startWith(QGeoPositionInfoSource::PositioningMethods methods)
    {
        location->sourceFactory = [this, methods](QObject* parent) {
            auto* r = new kwdTestReceiver(methods, parent);
            receivers << r;
            return r;
        };
        return location->start();
    }

    bool addressed(int count)
    {
        return QTest::qWaitFor([&] { return addresses->size() >= count; }, 10000) &&
               addresses->size() == count;
    }

    // The around-me page on its own, its receiver the test's.
    bool showAround()
    {
        service->clearLog();
        page = new qvmWidgetAround;
        page->location()->sourceFactory = [this](QObject* parent) {
            receiver = new kwdTestReceiver(QGeoPositionInfoSource::SatellitePositioningMethods, parent);
            return receiver;
        };
        page->resize(360, 600);
        page->show();
        return QTest::qWaitForWindowExposed(page) && page->location()->isRunning();
    }

    // Fixes the page's receiver at `at` and waits for the address.
    bool locate(const QGeoCoordinate& at)
    {
        QSignalSpy address(page->location(), &kwdLocation::addressChange);
        receiver->fix(at);
        return address.wait(10000);
    }

    // Shows the around-me page located at Guomao and opens the guide of `type` once its first answers
    // are in; null when any of that fails.
    qvmWidgetGPSGuide* openGuide(int type)
    {
        if (!showAround() || !locate(Guomao))
            return nullptr;
        page->onUseGPSGuide(kwdStore::instance()->cityCode(page->location()->city()), 1000, type);
        return answered(page->guidePage()) ? page->guidePage() : nullptr;
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
    qvmHttpHolder* holder = nullptr;
    kwdLocation* location = nullptr;
    QList<kwdTestReceiver*> receivers;
    QSignalSpy* addresses = nullptr;
    QSignalSpy* positions = nullptr;
    kwdTestReceiver* receiver = nullptr;
    qvmWidgetAround* page = nullptr;
    QStringList messages;
};

KWD_TEST_MAIN(TestLocation)
#include "tst_kwdlocation.moc"

#include "conditionview.h"
#include "guidetitle.h"
#include "kwdcheckbonus.h"
#include "kwdchooseha.h"
#include "kwddesktopnotifier.h"
#include "kwdfinder.h"
#include "kwdguidetrail.h"
#include "kwdlocalservice.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdmessageitem.h"
#include "kwdnetworkerror.h"
#include "kwdnewhouses.h"
#include "kwdpublisher.h"
#include "kwdreleasehouse.h"
#include "kwdreleaseload.h"
#include "kwdshowscroll.h"
#include "kwdshowwait.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtestreceiver.h"
#include "kwdtesttable.h"
#include "kwdupdatehandler.h"
#include "mainwindow.h"
#include "qvmaddressentry.h"
#include "qvmgitemimagelist.h"
#include "qvmguiderequest.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmlistitem.h"
#include "qvmnotice.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsystem.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetgpsguide.h"
#include "qvmwidgetsegement.h"
#include "titlebar.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QFile>
#include <QGeoCoordinate>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Short enough that a stalled row ends quickly, long enough for a loaded machine's normal replies.
const int kStallTimeoutMs = 500;
// The huge fault pads a body to 1 MB against this cap, so the test never moves the real sizes.
const qint64 kBodyLimit = 256 * 1024;

// A message a Chinese reader understands: at least one CJK character.
bool readsChinese(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff; });
}

const QStringList kFaults{"refuse", "reset", "500", "stall", "truncate", "malformed", "huge"};
const QGeoCoordinate kGuomao(39.9087, 116.4605);

// The holder's limits for the fault rows: a stall ends quickly and the huge body is over the cap.
void limit(qvmHttpHolder* holder)
{
    holder->setTransferTimeout(kStallTimeoutMs);
    holder->setBodyLimit(kBodyLimit);
}

// One table row per request kind and fault.
void addFaultRows(const QStringList& kinds)
{
    kwdColumns<QString, QString>("kind", "fault");
    for (const QString& kind : kinds)
        for (const QString& fault : kFaults)
            QTest::addRow("%s %s", qPrintable(kind), qPrintable(fault)) << kind << fault;
}

// A request the user waits for on a widget page: what starts it (also the retry), when it has
// ended, what the user reads afterwards, whether it worked, and that the page still offers the retry.
struct Probe
{
    QString path;
    std::function<void()> act;
    std::function<bool()> ended;
    std::function<QString()> shown;
    std::function<bool()> worked;
    // For the checks that fail in silence: nothing on screen stands in the next check's way.
    std::function<bool()> retryOffered = [] { return true; };
    // What a failure must not read as (an empty result, a wait that goes on).
    QStringList notShown;
    // A check the user did not ask for: it fails without a word; its fault is injected by probe().
    bool silent = false;
};

// Debian's tinyproxy on a free loopback port in front of the local service (itself a proxy). start()
// after stop() keeps the port, as a proxy restarted by its administrator does.
class TinyProxy
{
public:
    // Debian installs it in /usr/bin.
    static QString program() { return QStandardPaths::findExecutable(QStringLiteral("tinyproxy")); }

    // Starts the daemon and waits until it accepts connections; false, with `error` saying why, if not.
    bool start(quint16 upstreamPort)
    {
        if (!port) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            port = probe.serverPort();
        }
        QFile conf(dir.filePath(QStringLiteral("tinyproxy.conf")));
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = conf.errorString();
            return false;
        }
        // Via headers off: the requests reach the service as the program sent them.
        conf.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nMaxClients 50\nAllow 127.0.0.1\n"
                                  "Upstream http 127.0.0.1:%2\nDisableViaHeader Yes\nLogFile \"%3\"\n")
                       .arg(port)
                       .arg(upstreamPort)
                       .arg(dir.filePath(QStringLiteral("tinyproxy.log")))
                       .toUtf8());
        conf.close();
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program(), {QStringLiteral("-d"), QStringLiteral("-c"), conf.fileName()});
        const QDeadlineTimer deadline(10000);
        while (process.waitForStarted(10000) && !deadline.hasExpired()) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            if (socket.waitForConnected(200))
                return true;
            QTest::qWait(20);
        }
        error = QStringLiteral("tinyproxy did not listen: ") + process.errorString() + process.readAll();
        return false;
    }

    // Ends the daemon as its administrator does (the destructor of `process` kills what is left).
    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    quint16 port = 0;
    QString error;

private:
    QTemporaryDir dir;
    QProcess process;
};

} // namespace

// Each kind of request the pages make, under each fault the service can inject: what the user is
// left with (a Chinese message and a retry, or silence for background checks, never a spinner),
// and that the same action works once the fault is lifted.
class TestFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Qt hides its NMEA plugin from QtTest processes; the around-me page's receiver is one.
        qunsetenv("QT_QTESTLIB_RUNNING");
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        // The user reads Chinese: the catalogue next to the program turns our texts and Qt's into it.
        QVERIFY(kwdStartup::installCatalogue(qApp));
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void cleanupTestCase()
    {
        kwdMessage::setHook({});
        delete service;
    }

    void init()
    {
        messages.clear();
        QVERIFY(service->clearFaults());
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        store->load();
        store->currentFinder->category = 2;
        store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
        store->setConfig(kwdStore::cfgCity, QStringLiteral("北京"));
        // Every row asks for the districts itself.
        store->cityInfo.remove(QStringLiteral("bj"));
        for (int key : {kwdStore::cfgOnloadName, kwdStore::cfgOnloadPassword, kwdStore::cfgOnloadTel,
                        kwdStore::cfgOnloadUser, kwdStore::loggedIn})
            store->setConfig(key, QString());
        QFile::remove(store->dataFile(QStringLiteral("announced")));
        receiver = nullptr;
    }

    void cleanup()
    {
        delete window;
        window = nullptr;
        delete host;
        host = nullptr;
        view = nullptr;
        delete holder;
        holder = nullptr;
        service->clearFaults();
        kwdStore::destroy();
    }

    void userWaits_data()
    {
        addFaultRows({"list", "detail", "pictures", "district", "street", "city information",
                      "housing-area lookup", "geocoder", "login", "booking", "upload", "prize", "prize count",
                      "update", "notice", "automatic prize", "new listings", "price statistics",
                      "guide compounds"});
        // The real 50 MB body against the default cap.
        QTest::addRow("list huge at its real size") << QStringLiteral("list") << QStringLiteral("real size");
    }

    // Each request the user waits for: the wait ends, the user reads what went wrong in Chinese and is
    // offered the same action again, which works once the fault is lifted. The window's own checks
    // (update, prize draw), the notice panel and the poll of the new-listing subscription fail in
    // silence, leave nothing on screen, and the next check works.
    void userWaits()
    {
        QFETCH(QString, kind);
        QFETCH(QString, fault);
        const Probe p = probe(kind, fault);
        drive(
            p, [&] { return p.silent || inject(p.path, fault); }, [this] { return service->clearFaults(); });
    }

    void realProxy_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"pictures", "upload", "new listings"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }

    // Debian's tinyproxy as the system proxy (http_proxy) in front of the service: a search with a
    // listing's pictures, a publication with its photo and a poll of the subscription go through it and
    // come back whole; a stopped proxy is told as a refused service is, with the same retry, which works
    // once the proxy is back.
    void realProxy()
    {
        QFETCH(QString, kind);
        KWD_REQUIRE_COMPONENT(!TinyProxy::program().isEmpty(), "tinyproxy (Debian package tinyproxy)");
        TinyProxy proxy;
        QVERIFY2(proxy.start(service->port()), qPrintable(proxy.error));
        // The program's own proxy set-up, reading the environment as on a user's desktop.
        qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(proxy.port));
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        const auto restore = qScopeGuard([this] {
            qunsetenv("http_proxy");
            QNetworkProxy::setApplicationProxy(
                QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", service->port()));
        });
        const Probe p = probe(kind);
        const auto* form = host ? host->findChild<kwdReleaseHouse*>() : nullptr;
        const QByteArray photo = form ? form->photoBytes : QByteArray();
        drive(
            p, [&proxy] { return proxy.stop(), true; }, [&] { return proxy.start(service->port()); },
            kwdNetworkError::describe(QNetworkReply::ConnectionRefusedError, QString()));
        // The pictures decoded; the photo's bytes in what reached the service (the body byte for byte
        // is the publishing test's).
        const auto* pictures = kind == QLatin1String("pictures") ? view->topPage() : nullptr;
        QTRY_VERIFY(!pictures ||
                    !static_cast<const qvmGItemImageList*>(pictures)->pictures.first().small.isNull());
        const QByteArray sent = QByteArray::fromBase64(
            service->log(p.path).value(0).value(QStringLiteral("bodyBase64")).toString().toLatin1());
        QVERIFY(logged(p.path) > 0 && (!form || (!photo.isEmpty() && sent.contains(photo))));
    }

private:
    // The probe's action under a fault (`fail` puts it in place), then once `lift` has lifted it. A
    // failure the user is told of reads `expect`.
    void drive(const Probe& p, const std::function<bool()>& fail, const std::function<bool()>& lift,
               const QString& expect = QString())
    {
        QVERIFY(p.act);
        QVERIFY(fail());
        if (!p.silent)
            messages.clear();
        p.act();
        QTRY_VERIFY_WITH_TIMEOUT(p.ended(), 10000);
        const QString text = p.shown();
        QVERIFY2(p.silent ? text.isEmpty() : readsChinese(text) && text.contains(expect), qPrintable(text));
        for (const QString& wrong : std::as_const(p.notShown))
            QVERIFY2(!text.contains(wrong), qPrintable(text));
        QVERIFY(!p.worked());
        QVERIFY(p.retryOffered());
        QVERIFY(!kwdShowWait::instance() || !kwdShowWait::instance()->isSpinning());
        QVERIFY(lift());
        messages.clear();
        p.act();
        QTRY_VERIFY2_WITH_TIMEOUT(p.ended() && p.worked(), qPrintable(p.shown()), 10000);
        QVERIFY(!kwdShowWait::instance() || !kwdShowWait::instance()->isSpinning());
        QVERIFY2(!p.silent || messages.isEmpty(), qPrintable(p.shown()));
    }

    // A sale subscription of the city the service knows, polled every 50 ms, straight to the ticks
    // (which ask the statistics host; the first check would ask the city's list).
    static void pollNewListings(MainWindow& window)
    {
        kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        push->category = 2;
        push->setField(kwdFinder::City, QStringLiteral("北京"));
        push->setField(kwdFinder::PushInterval, QStringLiteral("0"));
        push->setField(kwdFinder::PushFlag, QStringLiteral("1"));
        push->setField(kwdFinder::PushLastSale, QString());
        window.firstNewHouseCheck = false;
        window.pollIntervals[0] = 50;
    }

    qvmResultListItem* openList()
    {
        view->openList(kwdStore::instance()->currentFinder, true, false);
        auto* list = static_cast<qvmResultListItem*>(view->topPage());
        settle();
        return list;
    }

    // A tap on the view's message, where the user sees it.
    void tapMessage() const
    {
        const QPointF centre = view->messageBox()->item->sceneBoundingRect().center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(centre));
    }

    // Waits until no request of the view is pending and no slide runs.
    void settle() const
    {
        QTRY_VERIFY_WITH_TIMEOUT(view->pendingRequests().isEmpty() && !view->isAnimating(), 10000);
    }

    // Opens the page of `kind` for the first row of an open list; the page on top afterwards.
    qvmGraphicsItem* openPage(const QString& kind, qvmResultListItem* list)
    {
        if (kind == QLatin1String("list"))
            return openList();
        qvmListItem* row = list->rows.value(0);
        if (!row)
            return nullptr;
        if (kind == QLatin1String("detail"))
            view->openDetail(2, row);
        else if (kind == QLatin1String("pictures"))
            view->openRelated(qvmListItem::LinkPictures, row, QString());
        else if (kind == QLatin1String("district"))
            view->openRelated(qvmListItem::LinkDistrict, row->district, QString());
        else if (kind == QLatin1String("street"))
            view->openRelated(qvmListItem::LinkStreet, row->street, QString());
        settle();
        return view->topPage();
    }

    // The fault on one path of any host; the huge body is 1 MB, at its real size 50 MB.
    bool inject(const QString& path, const QString& fault)
    {
        const bool real = fault == QLatin1String("real size");
        return service->setFault(QString(), path, real ? QStringLiteral("huge") : fault,
                                 real              ? "bytes=52428800"
                                 : fault == "huge" ? "bytes=1048576"
                                                   : QString());
    }

    QString faultPath(const QString& kind) const
    {
        const kwdStore* store = kwdStore::instance();
        const QString code = view->cityCode();
        if (kind == QLatin1String("list"))
            return QUrl(store->listUrl(2, code, false)).path();
        if (kind == QLatin1String("detail"))
            return QUrl(store->listUrl(2, code, true)).path();
        if (kind == QLatin1String("district"))
            return QUrl(store->listUrl(5, code, true)).path();
        if (kind == QLatin1String("street"))
            return QUrl(store->listUrl(6, code, true)).path();
        return QUrl(QStringLiteral("http://") + code + QLatin1Char('.') +
                    store->config(kwdStore::urlForsaleImages).toString())
            .path();
    }

    bool pageLoaded(const QString& kind, qvmGraphicsItem* page) const
    {
        if (kind == QLatin1String("list"))
            return !static_cast<qvmResultListItem*>(page)->rows.isEmpty();
        if (kind == QLatin1String("pictures"))
            return !static_cast<qvmGItemImageList*>(page)->pictures.isEmpty();
        const qvmListItem* row = static_cast<qvmResultDetailItem*>(page)->row;
        return row && row->complete;
    }

    // The widget pages' own holder and wait box (or the result view), in a window of the handset's size.
    void buildHost(bool widgetPages = true)
    {
        limit(holder = new qvmHttpHolder);
        host = new QWidget;
        host->resize(360, 640);
        if (widgetPages) {
            new kwdShowWait(host);
        } else {
            view = new qvmResultView(host, bar = new TitleBar(host));
            view->setGeometry(0, 60, 360, 580);
        }
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
    }

    // The main window of the handset's size, telling no desktop of new listings.
    bool openWindow()
    {
        window = new MainWindow;
        window->setNotifier(new kwdDesktopNotifier(QDBusConnection(QStringLiteral("none")), window));
        window->resize(360, 640);
        window->show();
        limit(qvmHttpHolder::instance());
        return QTest::qWaitForWindowExposed(window);
    }

    qvmWidgetAround* buildAround()
    {
        buildHost();
        auto* around = new qvmWidgetAround(host);
        around->location()->sourceFactory = [this](QObject* parent) {
            receiver = new kwdTestReceiver(QGeoPositionInfoSource::SatellitePositioningMethods, parent);
            return receiver;
        };
        around->resize(host->size());
        around->show();
        return around;
    }

    int logged(const QString& path) const { return int(service->log(path).size()); }

    Probe probe(const QString& kind, const QString& fault = QString())
    {
        Probe p;
        const auto said = [this] { return messages.join(QLatin1Char('\n')); };
        p.shown = said;
        kwdStore* store = kwdStore::instance();
        const QString prizePath = QStringLiteral("/kwd/webservice/kwdsnprize.php");
        p.silent = QStringList{"update", "notice", "automatic prize", "new listings"}.contains(kind);
        if (p.silent) {
            // An update, a notice and a prize draw to be found; the fault is there before the window starts.
            store->setConfig(kwdStore::cfgUpdateInterval, 1);
            store->setConfig(kwdStore::cfgLastUpdateBuild, 1016);
            store->setConfig(kwdStore::prizeFlag, QStringLiteral("0"));
            p.path = kind == QLatin1String("automatic prize") ? prizePath
                     : kind == QLatin1String("new listings")  ? QStringLiteral("/kwdTT/forsalequery")
                                                              : QString();
            if (!service->setUpdate(1017, "1.2.0", "2026-11-30", "http://www.kwd.test/kwd.exe") ||
                !service->setNotice(QStringLiteral("http://www.kwd.test/notice.html"),
                                    QStringLiteral("true")) ||
                !service->setPrizeStatus(QStringLiteral("true")) ||
                (!fault.isEmpty() && !inject(p.path, fault)))
                return p;
        }
        if (p.silent || kind.startsWith(QLatin1String("prize"))) {
            if (!openWindow())
                return p;
            MainWindow* w = window;
            const auto shown = [](QWidget* panel) { return panel && panel->isVisible(); };
            p.retryOffered = [w, shown] { return !shown(w->bonus) && !shown(w->newHousePopup); };
            if (kind == QLatin1String("update")) {
                p.act = [w, store] {
                    store->setConfig(kwdStore::cfgLastUpdate, QStringLiteral("2000-01-01 00:00:00"));
                    w->check_update(true);
                };
                p.ended = [w] { return w->updateRequest == 0 && w->prizeRequests[0] == 0; };
                p.worked = [w, shown] {
                    return shown(w->updateHandler) && w->updateHandler->lblInfo->text().contains("1.2.0");
                };
            } else if (kind == QLatin1String("notice")) {
                auto* panel = new qvmnotice(w);
                // A new request each time: the failed one left nothing that would spare it.
                const auto id = std::make_shared<int>(0);
                p.act = [panel, id] {
                    panel->check();
                    *id = panel->requestId;
                };
                p.ended = [id] { return *id > 0 && !qvmHttpHolder::instance()->request(*id); };
                p.worked = [panel] { return panel->isVisible(); };
            } else if (kind == QLatin1String("automatic prize")) {
                // A failure keeps the menu's offer as it was.
                p.act = [w] { w->check_prize(true); };
                p.ended = [w] { return w->prizeRequests[0] == 0 && w->prizeRequests[1] == 0; };
                p.worked = [w, store, shown] {
                    return store->config(kwdStore::prizeFlag).toString() == QLatin1String("1") &&
                           !shown(w->bonus);
                };
            } else if (kind == QLatin1String("new listings")) {
                pollNewListings(*w);
                p.act = [w] { w->check_newhouse(); };
                // Long enough for a stalled poll to have given up.
                p.ended = [w] { return w->pollTicks * 50 > kStallTimeoutMs + 250; };
                p.worked = [w, shown] { return !w->newHouseRecords.isEmpty() && shown(w->newHousePopup); };
            } else {
                // The manual check from the system menu: the panel waits, then tells.
                p.path = kind == QLatin1String("prize") ? prizePath
                                                        : QStringLiteral("/kwd/webservice/kwdsnview.php");
                // The press comes while the window's automatic check runs, as it may at start.
                p.act = [w] {
                    w->check_prize(true);
                    w->check_prize(false);
                };
                p.ended = [w] { return w->prizeRequests[0] == 0 && w->prizeRequests[1] == 0; };
                p.shown = [w, shown] { return shown(w->bonus) ? w->bonus->label->text() : QString(); };
                p.worked = [w, shown] { return shown(w->bonus) && w->bonus->btnDetail->isVisible(); };
                p.retryOffered = [w] { return w->bonus->btnBonusOK->isVisible(); };
                p.notShown = QStringList{kwdCheckBonus::tr("Querying...")};
            }
            return p;
        }
        if (QStringList{"list", "detail", "pictures", "district", "street"}.contains(kind)) {
            // A page of the result view, opened for the first row of a list (itself the list's page).
            buildHost(false);
            if (fault == QLatin1String("real size"))
                holder->setBodyLimit(qint64(16) * 1024 * 1024);
            qvmResultListItem* list = kind == QLatin1String("list") ? nullptr : openList();
            if (list && list->rows.isEmpty())
                return p;
            p.path = faultPath(kind);
            const kwdMessageItem* box = view->messageBox()->item;
            // The window keeps answering while a body arrives.
            const auto ticks = std::make_shared<int>(0);
            auto* tick = new QTimer(host);
            connect(tick, &QTimer::timeout, host, [ticks] { ++*ticks; });
            tick->start(10);
            // The retry is a tap on the message, where the user sees it.
            const auto page = std::make_shared<qvmGraphicsItem*>(nullptr);
            p.act = [this, kind, list, page] {
                if (*page)
                    tapMessage();
                else
                    *page = openPage(kind, list);
            };
            // No spinner turns in sight (the row's own pictures may still be arriving).
            p.ended = [box, ticks] { return (!box->isVisible() || !box->animated) && *ticks > 0; };
            p.shown = [box] { return box->isVisible() ? box->text : QString(); };
            p.worked = [this, kind, page] {
                return *page && view->topPage() == *page && pageLoaded(kind, *page);
            };
            p.retryOffered = [this, box, page] {
                return *page && box->isVisible() && readsChinese(box->hint) && messages.isEmpty();
            };
            return p;
        }
        if (kind == QLatin1String("price statistics") || kind == QLatin1String("guide compounds")) {
            // The price guide's two requests per point: a failed figure may stay "Downloading", a failed
            // compound list says so instead of searching on. The retry is the next point.
            store->setConfig(kwdStore::cfgGuideRange, 3000);
            qvmWidgetAround* around = buildAround();
            if (!receiver)
                return p;
            receiver->fix(kGuomao);
            if (!QTest::qWaitFor([around] { return !around->location()->city().isEmpty(); }, 10000))
                return p;
            const bool compounds = kind == QLatin1String("guide compounds");
            p.path = compounds ? QStringLiteral("/webservice/kwdhalist.html")
                               : QStringLiteral("/kwdstat/fst_idata_price.php");
            const QString jm = store->cityCode(around->location()->city());
            const auto points = std::make_shared<int>(0);
            p.act = [this, around, jm, points] {
                if ((*points)++ == 0)
                    around->onUseGPSGuide(jm, 1000, 1);
                else
                    receiver->fix(kGuomao.atDistanceAndAzimuth(600, 0));
            };
            p.ended = [around] {
                const qvmGuideRequest* point = around->guidePage()->trail.newest();
                return point && point->statId == 0 && !qvmHttpHolder::instance()->request(point->listId);
            };
            p.shown = [around] { return around->guidePage()->title->titleText(); };
            p.notShown = QStringList{qvmWidgetGPSGuide::tr("Locating..."),
                                     qvmWidgetGPSGuide::tr("Searching relate HA")};
            p.worked = [around] {
                const qvmWidgetGPSGuide* guide = around->guidePage();
                return !guide->listView->listPage()->rows.isEmpty() && !guide->trail.newest()->pending() &&
                       guide->title->titleText() == qvmWidgetGPSGuide::tr("relate HA");
            };
            // No dialog, no spinner; the compounds are there unless their list failed, the figure waits.
            p.retryOffered = [this, around, compounds] {
                const qvmWidgetGPSGuide* guide = around->guidePage();
                return messages.isEmpty() && guide->listView->listPage()->rows.isEmpty() == compounds &&
                       !guide->listView->messageBox()->item->animated &&
                       (compounds || guide->trail.newest()->pending());
            };
            return p;
        }
        if (kind == QLatin1String("geocoder")) {
            qvmWidgetAround* around = buildAround();
            QLabel* label = around->form()->lblGeoInfo;
            const kwdLocation* location = around->location();
            // The retry is the next fix at the same place: the failed lookup must leave no entry
            // that would answer it and no address that would spare it a lookup.
            p.retryOffered = [location] {
                return location->isRunning() && location->addressValid == 0.0 &&
                       std::none_of(location->addressCache.cbegin(), location->addressCache.cend(),
                                    [](const qvmAddressEntry* e) {
                                        return kGuomao.distanceTo(QGeoCoordinate(e->latitude, e->longitude)) <
                                               200;
                                    });
            };
            p.path = QStringLiteral("/geocoder/rgc/1.0");
            p.act = [this] { receiver->fix(kGuomao); };
            p.ended = [label] {
                return label->text() != qvmWidgetAroundFunction::tr("Locating...") &&
                       label->text() != qvmWidgetAroundFunction::tr("Searching GeoLocation...");
            };
            p.shown = [label] { return label->text(); };
            p.worked = [label] {
                return label->text().startsWith(qvmWidgetAroundFunction::tr("Your Address:"));
            };
            return p;
        }
        buildHost();
        if (kind == QLatin1String("city information") || kind == QLatin1String("housing-area lookup")) {
            auto* form = new ConditionView(host);
            form->resize(host->size());
            record = kwdFinder(QStringLiteral("default"), 2);
            record.setField(kwdFinder::Province, QStringLiteral("北京"));
            record.setField(kwdFinder::City, QStringLiteral("北京"));
            record.setField(kwdFinder::Mode, QStringLiteral("101"));
            form->setCondition(&record);
            form->show();
            if (kind == QLatin1String("city information")) {
                auto* districts = form->findChild<QComboBox*>(QStringLiteral("cboDistrict"));
                p.path = QUrl(QStringLiteral("http://bj.") + store->config(kwdStore::urlCityInfo).toString())
                             .path();
                p.act = [form] { form->onDistrictPopup(0); };
                p.ended = [form] { return form->districtRequestId() == 0; };
                p.worked = [districts] { return districts->count() > 1; };
                // Highlighting the empty list's only entry asks again.
                p.retryOffered = [districts] { return districts->count() < 2; };
            } else {
                form->findChild<qvmWidgetSegement*>(QStringLiteral("segAreaType"))->setValue(1);
                form->findChild<QLineEdit*>(QStringLiteral("editPlaceName"))->setText(QStringLiteral("花园"));
                p.path =
                    QUrl(QStringLiteral("http://bj.") + store->config(kwdStore::urlHaList).toString()).path();
                p.act = [form] { form->on_btnSearch_clicked(); };
                p.ended = [form] { return form->lookupRequestId() == 0; };
                p.worked = [form] { return form->chooser()->count() > 0 && form->chooser()->isVisible(); };
                p.notShown = QStringList{ConditionView::tr("No relate HA Found")};
            }
            return p;
        }
        auto* menu = new qvmSystem(nullptr, nullptr, host);
        menu->resize(host->size());
        menu->show();
        if (kind == QLatin1String("login")) {
            p.path = QStringLiteral("/webservice/login.html");
            p.act = [menu] { kwdPublisher::sendLogin(menu); };
            p.ended = [menu] { return menu->loginPage->loginRequest == 0; };
            p.worked = [menu, store] {
                return menu->releaseForm && menu->releaseForm->isVisible() &&
                       store->config(kwdStore::loggedIn).toString() == QLatin1String("1");
            };
            p.retryOffered = [menu] {
                return menu->loginPage->isVisible() && menu->loginPage->btnOK->isEnabled();
            };
            return p;
        }
        // Booking and upload: a publisher logged in, a valid listing, with a photo for the upload.
        if (!kwdPublisher::logIn(menu) || !kwdPublisher::fillListing(menu->releaseForm))
            return p;
        kwdReleaseHouse* form = menu->releaseForm;
        const bool upload = kind == QLatin1String("upload");
        if (upload) {
            const QString file = files.filePath(QStringLiteral("photo.jpg"));
            QImage picture(320, 240, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            if (!picture.save(file, "JPG") || !form->setPhotoFile(file))
                return p;
        }
        service->clearLog();
        const QString succeeded = kwdReleaseHouse::tr("user release") + QStringLiteral(": ") +
                                  kwdReleaseHouse::tr("release succeed");
        p.path = upload ? QStringLiteral("/webservice/savepropimage.html")
                        : QStringLiteral("/webservice/booking.html");
        p.act = [form] { form->onRelease(); };
        p.ended = [form] { return form->releaseRequest == 0 && form->uploadRequest == 0; };
        // After a failed photo the listing is not posted a second time.
        p.worked = [this, said, succeeded, upload] {
            return said() == succeeded &&
                   (!upload || logged(QStringLiteral("/webservice/booking.html")) == 1);
        };
        p.retryOffered = [form] {
            return form->btnrelease->isEnabled() && !form->housesrc->text().isEmpty();
        };
        return p;
    }

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    QWidget* host = nullptr;
    TitleBar* bar = nullptr;
    qvmResultView* view = nullptr;
    QStringList messages;
    MainWindow* window = nullptr;
    kwdFinder record;
    kwdTestReceiver* receiver = nullptr;
    QTemporaryDir files;
};

KWD_TEST_MAIN(TestFaults)
#include "tst_faults.moc"

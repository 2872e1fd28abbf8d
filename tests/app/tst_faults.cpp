#include "kwdcheckbonus.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdmessage.h"
#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdupdatehandler.h"
#include "mainwindow.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmlistitem.h"
#include "qvmnotice.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "titlebar.h"

#include <QApplication>
#include <QJsonDocument>
#include <QLabel>
#include <QUrl>
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

// The fault kinds as the service names them, with the extra query text each one needs.
QString faultExtra(const QString& fault)
{
    if (fault == QLatin1String("huge"))
        return QStringLiteral("bytes=1048576");
    return QString();
}

} // namespace

// Each kind of request the pages make, under each fault the service can inject: what the user is
// left with (a Chinese message and a retry, or silence for background checks, never a spinner),
// and that the same action works once the fault is lifted.
class TestFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void resultPages_data();
    void resultPages();
    void backgroundChecks_data();
    void backgroundChecks();
    void realSizeList();

private:
    void buildView();
    qvmResultListItem* openList();
    // Opens the page of `kind` for the first row of an open list; the page on top afterwards.
    qvmGraphicsItem* openPage(const QString& kind, qvmResultListItem* list);
    bool pageLoaded(const QString& kind, qvmGraphicsItem* page) const;
    QString faultPath(const QString& kind, qvmResultListItem* list) const;
    void tapMessage();
    void settle() const;

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    QWidget* host = nullptr;
    TitleBar* bar = nullptr;
    qvmResultView* view = nullptr;
    QStringList messages;
};

void TestFaults::initTestCase()
{
    service = new kwdLocalService;
    QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
    // The user reads Chinese: the catalogue next to the program turns our texts and Qt's into it.
    QVERIFY(kwdStartup::installCatalogue(qApp));
    kwdMessage::setHook(
        [this](const QString& title, const QString& text) { messages << title + ": " + text; });
}

void TestFaults::cleanupTestCase()
{
    kwdMessage::setHook({});
    delete service;
}

void TestFaults::init()
{
    messages.clear();
    QVERIFY(service->clearFaults());
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    store->load();
    store->currentFinder->category = 2;
    store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
}

void TestFaults::cleanup()
{
    delete host;
    host = nullptr;
    view = nullptr;
    delete holder;
    holder = nullptr;
    service->clearFaults();
    kwdStore::destroy();
}

void TestFaults::buildView()
{
    holder = new qvmHttpHolder;
    holder->setTransferTimeout(kStallTimeoutMs);
    holder->setBodyLimit(kBodyLimit);
    host = new QWidget;
    host->resize(360, 640);
    bar = new TitleBar(host);
    view = new qvmResultView(host, bar);
    view->setGeometry(0, 60, 360, 580);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

qvmResultListItem* TestFaults::openList()
{
    view->openList(kwdStore::instance()->currentFinder, true, false);
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    settle();
    return list;
}

// Waits until no request of the view is pending and no slide runs.
void TestFaults::settle() const
{
    QTRY_VERIFY_WITH_TIMEOUT(view->pendingRequests().isEmpty() && !view->isAnimating(), 10000);
}

qvmGraphicsItem* TestFaults::openPage(const QString& kind, qvmResultListItem* list)
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

QString TestFaults::faultPath(const QString& kind, qvmResultListItem* list) const
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
    Q_UNUSED(list);
    return QUrl(QStringLiteral("http://") + code + QLatin1Char('.') +
                store->config(kwdStore::urlForsaleImages).toString())
        .path();
}

bool TestFaults::pageLoaded(const QString& kind, qvmGraphicsItem* page) const
{
    if (kind == QLatin1String("list"))
        return !static_cast<qvmResultListItem*>(page)->rows.isEmpty();
    if (kind == QLatin1String("pictures"))
        return !static_cast<qvmGItemImageList*>(page)->pictures.isEmpty();
    const qvmListItem* row = static_cast<qvmResultDetailItem*>(page)->row;
    return row && row->complete;
}

void TestFaults::tapMessage()
{
    const kwdMessageItem* box = view->messageBox()->item;
    QVERIFY(box->isVisible());
    const QPoint p = view->mapFromScene(box->sceneBoundingRect().center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
}

void TestFaults::resultPages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fault");
    const QStringList kinds{"list", "detail", "pictures", "district", "street"};
    const QStringList faults{"refuse", "reset", "500", "stall", "truncate", "malformed", "huge"};
    for (const QString& kind : kinds)
        for (const QString& fault : faults)
            QTest::addRow("%s %s", qPrintable(kind), qPrintable(fault)) << kind << fault;
}

void TestFaults::resultPages()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    buildView();
    qvmResultListItem* list = nullptr;
    if (kind != QLatin1String("list")) {
        list = openList();
        QVERIFY2(list && !list->rows.isEmpty(), qPrintable(QJsonDocument(service->log().value(0)).toJson() +
                                                           view->messageBox()->item->text));
    }
    QVERIFY(service->setFault(QString(), faultPath(kind, list), fault, faultExtra(fault)));
    qvmGraphicsItem* page = openPage(kind, list);
    QVERIFY(page);
    const kwdMessageItem* box = view->messageBox()->item;
    // The user is told in Chinese, no spinner turns (the row's own pictures may still be arriving),
    // and the box offers to try again.
    QTRY_VERIFY2_WITH_TIMEOUT(!box->animated, qPrintable(box->text), 10000);
    QVERIFY2(box->isVisible(), qPrintable(box->text));
    QVERIFY2(readsChinese(box->text), qPrintable(box->text));
    QVERIFY(!box->hint.isEmpty() && readsChinese(box->hint));
    QVERIFY(!pageLoaded(kind, page));
    QVERIFY(messages.isEmpty());
    QVERIFY(service->clearFaults());
    tapMessage();
    QCOMPARE(view->topPage(), page);
    QTRY_VERIFY_WITH_TIMEOUT(pageLoaded(kind, page), 10000);
    settle();
    QVERIFY(!box->isVisible() || !box->animated);
}

void TestFaults::backgroundChecks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fault");
    const QStringList faults{"refuse", "reset", "500", "stall", "truncate", "malformed", "huge"};
    for (const char* kind : {"update", "notice"})
        for (const QString& fault : faults)
            QTest::addRow("%s %s", kind, qPrintable(fault)) << QString::fromLatin1(kind) << fault;
}

// The window's own checks at start (usage report, prize draw, update) and the notice panel: a
// failure leaves nothing on screen and asks nothing of the user.
void TestFaults::backgroundChecks()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    kwdStore* store = kwdStore::instance();
    store->setConfig(kwdStore::cfgUpdateInterval, 1);
    store->setConfig(kwdStore::cfgLastUpdateBuild, 1016);
    store->setConfig(kwdStore::cfgLastUpdate, QStringLiteral("2000-01-01 00:00:00"));
    QVERIFY(service->setUpdate(1017, "1.2.0", "2026-11-30", "http://www.kwd.test/kwd.exe"));
    QVERIFY(service->setNotice(QStringLiteral("http://www.kwd.test/notice.html"), QStringLiteral("true")));
    QVERIFY(service->setFault(QString(), QString(), fault, faultExtra(fault)));
    MainWindow window;
    window.resize(360, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    qvmHttpHolder* h = qvmHttpHolder::instance();
    h->setTransferTimeout(kStallTimeoutMs);
    h->setBodyLimit(kBodyLimit);
    if (kind == QLatin1String("update")) {
        window.check_update(true);
        QTRY_VERIFY_WITH_TIMEOUT(window.updateRequest == 0 && window.prizeRequests[0] == 0, 10000);
        QVERIFY(!window.updateHandler || !window.updateHandler->isVisible());
        QVERIFY(!window.bonus || !window.bonus->isVisible());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(service->clearFaults());
        store->setConfig(kwdStore::cfgLastUpdate, QStringLiteral("2000-01-01 00:00:00"));
        window.check_update(true);
        QTRY_VERIFY_WITH_TIMEOUT(window.updateHandler && window.updateHandler->isVisible(), 10000);
        QVERIFY(window.updateHandler->lblInfo->text().contains("1.2.0"));
    } else {
        qvmnotice panel(&window);
        panel.check();
        const int id = panel.requestId;
        QTRY_VERIFY_WITH_TIMEOUT(id > 0 && !h->request(id), 10000);
        QVERIFY(!panel.isVisible());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(service->clearFaults());
        panel.check();
        QVERIFY(panel.requestId != id);
        QTRY_VERIFY_WITH_TIMEOUT(panel.isVisible(), 10000);
    }
}

// The real 50 MB body against the default cap: the list fails cleanly and the window keeps
// answering while the body arrives.
void TestFaults::realSizeList()
{
    buildView();
    holder->setBodyLimit(qint64(16) * 1024 * 1024);
    QVERIFY(service->setFault(QString(), faultPath("list", nullptr), "huge", "bytes=52428800"));
    view->openList(kwdStore::instance()->currentFinder, true, false);
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
    tick.start(10);
    settle();
    QVERIFY(ticks > 0);
    const kwdMessageItem* box = view->messageBox()->item;
    QVERIFY(box->isVisible() && !box->animated && readsChinese(box->text) && !box->hint.isEmpty());
}

KWD_TEST_MAIN(TestFaults)
#include "tst_faults.moc"

#include "kwdclock.h"
#include "kwddevice.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdmessageitem.h"
#include "kwdnetworkerror.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestdata.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "kwdtesttable.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmprojectitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"
#include "titlebar.h"

#include <QApplication>
#include <QDomDocument>
#include <QScrollBar>
#include <QUrlQuery>
#include <QtTest>

#include <algorithm>

namespace {

const QString kListPath = QStringLiteral("/webservice/kwdforsalelist.html");
const QString kDetailPath = QStringLiteral("/webservice/kwdforsaledetail.html");
const QString kNoMore = QStringLiteral("No more data fetched...");

// One sale record of a result document.
QString saleRecord(const QString& id, double lat = 39.9, double lon = 116.4, const QString& image = QString())
{
    return QStringLiteral(
               "<forsale><id>%1</id><name>House %1</name><location>%2,%3</location><totalprice>120"
               "</totalprice><district id=\"d1\">Chaoyang</district><imageurl>%4</imageurl></forsale>")
        .arg(id, QString::number(lon, 'f', 6), QString::number(lat, 'f', 6), image);
}

QByteArray document(const QString& type, int total, int skip, const QStringList& records)
{
    return QStringLiteral("<root><resultlist type=\"%1\" total=\"%2\" skip=\"%3\">%4</resultlist></root>")
        .arg(type, QString::number(total), QString::number(skip), records.join(QString()))
        .toUtf8();
}

// A sale document of count records "s<first>"... out of total.
QByteArray sales(int total, int skip, int first, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << saleRecord(QStringLiteral("s%1").arg(first + i));
    return document(QStringLiteral("forsale"), total, skip, list);
}

kwdTestHttpServer::Response answer(const QByteArray& body, int delayMs = 0)
{
    kwdTestHttpServer::Response r;
    r.body = body;
    r.delayMs = delayMs;
    return r;
}

// A row of a fixed height and kind.
class FakeRow : public qvmListItem
{
public:
    explicit FakeRow(int h) : rowHeight(h) { id = "f"; }
    int height(int, int) override { return rowHeight; }
    int type() const override { return kind; }

    int rowHeight, kind = qvmListItem::TypeSale;
};

// A page that only counts its activations.
class FakePage : public qvmGraphicsItem
{
public:
    explicit FakePage(int h) : h(h) {}
    QRectF boundingRect() const override { return QRectF(0, 0, 360, h); }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
    void onResponse(int, int) override {}
    void activate(bool) override { ++activations; }
    int h, activations = 0;
};

} // namespace

// The result view and its pages against a test server: paging, late and failed replies, details,
// pictures, related pages, the page stack and the finger's swipes and flicks.
class TestResultView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        server = new kwdTestHttpServer(this);
        QVERIFY(server->listenAsProxy());
    }

    void init()
    {
        kwdFavorites::destroy();
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        store->cities.insert(QStringLiteral("Beijing"), {kwdNameCode{"Beijing", "bj"}});
        finder = new kwdFinder(QStringLiteral("current"), 2);
        finder->setField(kwdFinder::City, QStringLiteral("Beijing"));
        store->finders.append(finder);
        store->currentFinder = finder;
        server->clearRequests();
        server->setDefaultResponse(answer(QByteArray()));
        holder = new qvmHttpHolder;
        host = new QWidget;
        host->resize(360, 640);
        bar = new TitleBar(host);
        view = new qvmResultView(host, bar);
        view->setGeometry(0, 60, 360, 580);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
    }

    void cleanup()
    {
        kwdClock::reset();
        delete host;
        delete holder;
        kwdFavorites::destroy();
        kwdStore::destroy();
    }

    void paging_data()
    {
        // The message of a page without rows: an empty result, or a document of another kind.
        kwdColumns<QByteArray, int, int, bool, QString>("body", "rows", "lastIndex", "more", "message");
        kwdRow("first of three pages", sales(45, 0, 1, 20), 20, 19, true, QString());
        kwdRow("last page reaches total", sales(45, 26, 1, 20), 20, 45, false, QString());
        kwdRow("empty result", sales(0, 0, 1, 0), 0, 0, false, kNoMore);
        kwdRow("wrong type", document("lease", 3, 0, {saleRecord("s1")}), 0, 0, false,
               kwdNetworkError::unreadable());
    }

    void paging()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, rows);
        QFETCH(QString, message);
        qvmResultListItem* list = openSaleList(body);
        QVERIFY(list);
        QCOMPARE(list->rows.size(), rows);
        QTEST(!list->moreRect.isEmpty(), "more");
        // The request is forgotten once answered.
        QVERIFY(view->pendingRequests().isEmpty() && !holder->request(1));
        if (rows > 0)
            QTEST(list->lastIndex, "lastIndex");
        if (rows > 0)
            return;
        QTRY_VERIFY(view->messageBox()->item->isVisible());
        QCOMPARE(view->messageBox()->item->text, message);
        // Coming back to the list does not pretend to download again.
        view->updateTitle();
        QVERIFY(!view->messageBox()->item->animated && view->messageBox()->item->text == message);
    }

    void loadMore_data()
    {
        kwdColumns<int, int, bool, int>("total", "secondPage", "byFinger", "status");
        kwdRow("double tap sends one request", 45, 20, false, 200);
        kwdRow("finger tap on the last row", 25, 5, true, 200);
        kwdRow("server error", 45, 20, false, 500);
    }

    void loadMore()
    {
        QFETCH(int, total);
        QFETCH(int, secondPage);
        QFETCH(int, status);
        qvmResultListItem* list = openSaleList(sales(total, 0, 1, 20));
        QVERIFY(list);
        kwdTestHttpServer::Response next = answer(sales(total, 20, 21, secondPage), 200);
        next.status = status;
        server->setResponse(kListPath, next);
        QScrollBar* sb = view->verticalScrollBar();
        if (QTest::currentDataTag() == QByteArray("finger tap on the last row")) {
            sb->setValue(sb->maximum());
            const QPoint p = view->mapFromScene(list->mapToScene(list->moreRect.center()));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
        } else {
            list->clicked(list->moreRect.center());
            list->clicked(list->moreRect.center());
        }
        const int id = list->listRequest;
        const bool fails = status != 200;
        if (fails) {
            QTRY_COMPARE(list->listRequest, -1);
            // The network layer's own words are shown, not the empty-list message nor the wait message.
            const kwdMessageItem* box = view->messageBox()->item;
            QVERIFY(box->isVisible() && !box->animated);
            QVERIFY(!box->text.isEmpty() && box->text != kNoMore && box->text != "Downloading");
            // The rows already shown stay, the record is gone, and paging can be tried again.
            QVERIFY(list->rows.size() == 20 && id > 0 && !holder->request(id));
            // A tap on the message asks for the page again.
            server->setResponse(kListPath, answer(sales(total, 20, 21, secondPage)));
            tapMessage();
        }
        QTRY_COMPARE(list->rows.size(), 20 + secondPage);
        QCOMPARE(requestsTo(kListPath), fails ? 3 : 2);
        const QUrlQuery second(QString::fromUtf8(server->lastRequest().query));
        QCOMPARE(second.queryItemValue("page") + "/" + second.queryItemValue("percount"), "2/20");
        // The load-more row stays after the last page as long as the last index differs from the total.
        QCOMPARE(list->lastIndex, 19 + secondPage);
        QVERIFY(!list->moreRect.isEmpty());
        // The view scrolls so that the first new row is at the top.
        QTRY_COMPARE(sb->value(), qMin(int(list->rowRect(20).top()), sb->maximum()));
    }

    void lateReply()
    {
        qvmResultListItem* list = openSaleList(sales(3, 0, 1, 3));
        QVERIFY(list);
        // The detail's reply comes late; the page is swiped away before it arrives.
        openDetail(list->rows.first(), 3000);
        const int id = view->pendingRequests().value(0);
        QTRY_COMPARE(requestsTo(kDetailPath), 1);
        view->goBack();
        QTRY_COMPARE(view->pageCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!holder->request(id), 10000);
        QVERIFY(view->pendingRequests().isEmpty() && !list->rows.first()->complete);
        // The view is deleted with the next one in flight: the holder forgets it, nothing is left to call.
        openDetail(list->rows.last(), 3000);
        const int late = view->pendingRequests().value(0);
        QTRY_COMPARE(requestsTo(kDetailPath), 2);
        delete host;
        host = nullptr;
        QVERIFY(late > 0 && !holder->request(late));
        QTRY_COMPARE_WITH_TIMEOUT(server->clientAborts(), 1, 3000);
    }

    void distanceMode()
    {
        finder->setField(kwdFinder::Mode, QStringLiteral("102"));
        finder->setField(kwdFinder::Latitude, QStringLiteral("39.900000"));
        finder->setField(kwdFinder::Longitude, QStringLiteral("116.400000"));
        qvmResultListItem* list = openSaleList(document(
            "forsale", 3, 0, {saleRecord("a", 39.91), saleRecord("b", 0), saleRecord("c", 39.9, 0)}));
        QVERIFY(list && list->distanceMode && list->rows.size() == 3);
        // A hundredth of a degree of latitude is about 1112 metres; rows without both coordinates get none.
        const QString distance = list->rows.at(0)->distance;
        QVERIFY2(distance.toDouble() > 1105 && distance.toDouble() < 1120, qPrintable(distance));
        QVERIFY(list->rows.at(1)->distance.isEmpty() && list->rows.at(2)->distance.isEmpty());
    }

    void detailRequest_data()
    {
        kwdColumns<QString, bool>("type", "complete");
        kwdRow("sale documents, one shared picture", QStringLiteral("forsale"), true);
        kwdRow("lease documents leave the sale rows", QStringLiteral("lease"), false);
    }

    void detailRequest()
    {
        QFETCH(QString, type);
        QFETCH(bool, complete);
        const QString pic = QStringLiteral("http://img.kwd.test/p1.png");
        server->setResponse(QStringLiteral("/p1.png"), answer(kwdImageBytes("PNG", Qt::red), 150));
        const QStringList both = {saleRecord("s1", 39.9, 116.4, pic), saleRecord("s2", 39.9, 116.4, pic)};
        qvmResultListItem* list = openSaleList(document("forsale", 2, 0, both));
        QVERIFY(list);
        const QString record =
            QStringLiteral("<%1><id>%2</id><name>Other</name><imageurl>%3</imageurl></%1>");
        for (qvmListItem* row : std::as_const(list->rows)) {
            server->setResponse(kDetailPath, answer(document(type, 1, 0, {record.arg(type, row->id, pic)})));
            for (int round = 0; round < 2; ++round) {
                view->openDetail(2, row);
                QTRY_VERIFY(!view->isAnimating() && view->pendingRequests().isEmpty());
                QTRY_VERIFY(!complete || row->picture->image);
                view->goBack();
                QTRY_COMPARE(view->pageCount(), 1);
            }
            // A document of another kind is not read into the row.
            QCOMPARE(row->complete, complete);
            QCOMPARE(row->name, complete ? QStringLiteral("Other") : "House " + row->id);
        }
        // A complete row is not asked for again.
        QCOMPARE(requestsTo(kDetailPath), complete ? 2 : 4);
        const QUrlQuery q(QString::fromUtf8(server->lastRequest().query));
        QCOMPARE(q.queryItemValue("id") + " " + q.queryItemValue("sn"), "s2 " + kwdDevice::id());
        // The second listing shows the same picture: it comes from the first download.
        if (complete)
            QCOMPARE(requestsTo(QStringLiteral("/p1.png")), 1);
    }

    void relatedPages()
    {
        qvmResultListItem* list = openSaleList(sales(30, 0, 1, 20));
        QVERIFY(list);
        qvmListItem* row = list->rows.first();
        // A scroll still pending for the list does not move the new page, which starts at its top.
        view->verticalScrollBar()->setValue(100);
        view->scrollLater(400);
        openDetail(row);
        QTRY_VERIFY(!view->isScrollPending());
        QCOMPARE(view->verticalScrollBar()->value(), 0);
        // More sales of the listing's housing area: a list on a record of its own.
        server->setResponse(kListPath, answer(sales(1, 0, 50, 1)));
        view->openRelated(qvmListItem::LinkMoreSales, row, QString());
        auto* more = static_cast<qvmResultListItem*>(view->topPage());
        QVERIFY(view->pageCount() == 3 && more->kind() == qvmGraphicsItem::KindList && more->ownsCondition);
        kwdFinder* record = more->condition;
        QCOMPARE(QStringList({QString::number(record->category), record->field(kwdFinder::Mode),
                              record->field(kwdFinder::HaId), record->field(kwdFinder::HaName),
                              record->field(kwdFinder::City)}),
                 QStringList({"2", "103", row->id, row->name, "Beijing"}));
        QTRY_COMPARE(more->rows.size(), 1);
        // Run again in place (a new sort order), the list keeps its record and still owns it.
        view->openList(record, false, false);
        QVERIFY(view->topPage() == more && more->condition == record && more->ownsCondition);
        QTRY_COMPARE(more->rows.size(), 1);
    }

    void finger_data()
    {
        kwdColumns<int, int, int, bool, bool, bool>("dx", "dy", "ms", "detail", "goesBack", "coasts");
        // The viewport is 360 wide: a third is 120. A flick coasts from 100 pixels on.
        kwdRow("just a third snaps back", 120, 0, 100, true, false, false);
        kwdRow("past a third goes back", 125, 0, 100, true, true, false);
        kwdRow("short drag", 0, 99, 100, false, false, false);
        kwdRow("flick of 100", 0, 100, 200, false, false, true);
    }

    void finger()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, ms);
        QFETCH(bool, detail);
        QFETCH(bool, goesBack);
        qvmResultListItem* list = openSaleList(sales(60, 0, 1, 20));
        QVERIFY(list);
        if (detail)
            openDetail(list->rows.first());
        qvmGraphicsItem* top = view->topPage();
        QScrollBar* sb = view->verticalScrollBar();
        sb->setValue(0);
        const int before = sb->value();
        // A scroll still pending from a reply gives way to the finger.
        view->scrollLater(sb->maximum());
        const QDateTime t0 = QDateTime::currentDateTime();
        kwdClock::setNow(t0);
        const QPoint start(20, 500);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(view->viewport(), start + QPoint(dx * i / 10, -dy * i / 10));
        // The content follows the finger (once past the tap slop), and so does the indicator.
        if (!goesBack)
            QCOMPARE(top->x(), qreal(dx));
        QVERIFY(dy == 0 || (sb->value() != before && qAbs(sb->value() - before) <= qAbs(dy)));
        kwdClock::setNow(t0.addMSecs(ms));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + QPoint(dx, -dy));
        QTEST(view->isCoasting(), "coasts");
        if (view->isCoasting()) {
            QCOMPARE(view->coastVelocity(), dy * 1000.0 / ms);
            const int released = sb->value();
            // Each tick slows the coast until it stops; the content moves on in the flick's direction.
            kwdClock::setNow(t0.addMSecs(ms + 64));
            QTRY_VERIFY(!view->isCoasting());
            QVERIFY(sb->value() > released);
        }
        QTRY_VERIFY(!view->isAnimating());
        QCOMPARE(view->pageCount(), goesBack || !detail ? 1 : 2);
        QCOMPARE(view->topPage(), goesBack ? static_cast<qvmGraphicsItem*>(list) : top);
        QCOMPARE(view->topPage()->pos(), QPointF(0, 0));
        QCOMPARE(list->isVisible(), view->topPage() == list);
    }

    void detailLinks_data()
    {
        kwdColumns<int, int, int>("action", "target", "kind");
        // A link without a target opens the page of the row itself.
        kwdRow("pictures of the row", 0, -1, int(qvmGraphicsItem::KindPlain));
        kwdRow("housing area", 3, 8, int(qvmGraphicsItem::KindDetail));
        kwdRow("more leases", 5, 8, int(qvmGraphicsItem::KindList));
        // The phone line wins over a link beneath it.
        kwdRow("phone line over the link", 0, -2, -1);
    }

    void detailLinks()
    {
        QFETCH(int, action);
        QFETCH(int, target);
        QFETCH(int, kind);
        FakeRow row(400);
        auto* linked = new FakeRow(100);
        linked->kind = target;
        row.children << new qvmListItem << linked;
        row.detailLinks << qvmLink{QRect(10, 100, 80, 20), action, QString(), target < 0 ? nullptr : linked};
        row.complete = true;
        if (target == -2)
            row.contactLinks << qvmLink{QRect(0, 105, 360, 40), -1, QString(), nullptr};
        auto* detail = new qvmResultDetailItem(view, 2, &row);
        view->pushPage(detail);
        // A tap beside the link does nothing; a tap on it opens the page.
        detail->clicked(QPointF(200, 300));
        QCOMPARE(view->pageCount(), 1);
        detail->clicked(QPointF(20, 110));
        QCOMPARE(view->pageCount(), kind < 0 ? 1 : 2);
        QVERIFY(kind < 0 || view->topPage()->kind() == kind);
        // More leases are a lease list, not the sales the same code also opens.
        QVERIFY(kind != qvmGraphicsItem::KindList ||
                static_cast<qvmResultListItem*>(view->topPage())->category == 3);
        view->clear();
    }

    // A related group opens as a list of the housing area's own rows, never paged. The detail reply
    // reads the housing area again while the list is open: the list's rows stay alive (updated where
    // the housing area is still related) and the list paints them.
    void relatedGroupList()
    {
        QDomDocument doc;
        QVERIFY(doc.setContent(
            QStringLiteral("<ha><id>h1</id><name>Main</name><relateha><group type=\"周边小区\">"
                           "<ha><id>h2</id><name>A</name></ha><ha><id>h3</id><name>B</name></ha>"
                           "</group><group type=\"同价位小区\"><ha><id>h4</id><name>C</name></ha>"
                           "</group></relateha></ha>")));
        qvmProjectItem project;
        QVERIFY(project.read(doc.documentElement()));
        view->openRelated(qvmListItem::LinkRelated, &project, "周边小区");
        QTRY_VERIFY(!view->isAnimating());
        auto* open = static_cast<qvmResultListItem*>(view->topPage());
        QVERIFY(open->kind() == qvmGraphicsItem::KindList && open->fixedRows && open->moreRect.isEmpty());
        QVERIFY(doc.setContent(
            QStringLiteral("<ha><id>h1</id><name>Main</name><relateha><group type=\"周边小区\">"
                           "<ha><id>h3</id><name>B2</name></ha><ha><id>h5</id><name>E</name></ha>"
                           "</group></relateha></ha>")));
        QVERIFY(project.read(doc.documentElement()));
        QStringList shown;
        for (const qvmListItem* row : std::as_const(open->rows))
            shown << row->id + ":" + row->name;
        QCOMPARE(shown, QStringList({"h2:A", "h3:B2"}));
        QVERIFY(!view->viewport()->grab().isNull());
        view->clear();
    }

    void showPushReplacesOldPushPage()
    {
        QVERIFY(openSaleList(sales(3, 0, 1, 3)));
        const QList<qvmListItem*> first = {new qvmSaleItem, new qvmSaleItem};
        const QList<qvmListItem*> second = {new qvmSaleItem};
        view->showPush(first, 2);
        QTRY_VERIFY(!view->isAnimating());
        auto* push = static_cast<qvmResultListItem*>(view->topPage());
        QVERIFY(push->moreRect.isEmpty() && push->lastIndex == push->total && push->rows == first);
        // A detail opened from the push page goes with it when new listings replace the old ones.
        openDetail(first.first());
        QCOMPARE(view->pageCount(), 3);
        view->showPush(second, 3);
        QTRY_VERIFY(!view->isAnimating());
        QCOMPARE(view->pageCount(), 2);
        QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindPush));
        QCOMPARE(static_cast<qvmResultListItem*>(view->topPage())->rows, second);
        // Back from the push page shows the list below.
        view->goBack();
        QTRY_COMPARE(view->pageCount(), 1);
        // The pushed rows belong to the caller.
        qDeleteAll(first + second);
    }

    // A push page opens at its top, whatever the list before it was scrolled to; going back still
    // returns to the kept place.
    void newListStartsAtTop_data()
    {
        QTest::addColumn<bool>("cleared");
        kwdRow("push page on a scrolled list", false);
        kwdRow("push page after the stack was cleared", true);
    }

    void newListStartsAtTop()
    {
        const bool cleared = kwdData<bool>("cleared");
        QVERIFY(openSaleList(sales(40, 0, 1, 20)));
        QScrollBar* sb = view->verticalScrollBar();
        sb->setValue(sb->maximum() / 2);
        const int kept = sb->value();
        QVERIFY(kept > 0);
        // As many pushed rows as a poll brings: taller than the view, so no range clamps the scroll.
        QList<qvmListItem*> rows;
        for (int i = 0; i < 30; ++i)
            rows << new qvmSaleItem;
        if (cleared)
            view->clear();
        view->showPush(rows, 2);
        QTRY_VERIFY(!view->isAnimating());
        QCOMPARE(sb->value(), 0);
        if (!cleared) {
            view->goBack();
            QTRY_COMPARE(view->pageCount(), 1);
            QCOMPARE(sb->value(), kept);
        }
        view->clear();
        qDeleteAll(rows);
    }

    void pushDuringSlideLandsEarlierPage()
    {
        auto *a = new FakePage(1000), *b = new FakePage(800), *c = new FakePage(700);
        view->pushPage(a);
        QCOMPARE(a->activations, 1);
        view->pushPage(b);
        QVERIFY(view->isAnimating());
        // The next page arrives before b finished sliding: b is put in place and activated first.
        view->pushPage(c);
        QVERIFY(b->activations == 1 && b->pos() == QPointF(0, 0) && !a->isVisible());
        QTRY_COMPARE(c->activations, 1);
        QVERIFY(c->pos() == QPointF(0, 0) && !b->isVisible());
        QCOMPARE(view->sceneRect(), QRectF(0, 0, 360, 700));
        // Nothing to reuse on top: a search in place still opens, as a new page.
        finder->category = 3;
        view->openList(finder, false, false);
        QCOMPARE(view->pageCount(), 4);
        QCOMPARE(static_cast<qvmResultListItem*>(view->topPage())->category, 3);
        view->clear();
    }

    void ownPicture_data()
    {
        kwdColumns<int, bool>("status", "failed");
        kwdRow("district picture arrives", 200, false);
        kwdRow("district picture missing", 404, true);
    }

    // A district has no picture list: its page shows the district's own picture, or says it failed.
    // A tap enlarges it, and back from the enlarged picture returns to the page, not past it (the taps
    // on a picture list's grid and on the close area are made by the tour).
    void ownPicture()
    {
        QFETCH(int, status);
        kwdTestHttpServer::Response reply = answer(kwdImageBytes("PNG"));
        reply.status = status;
        server->setResponse(QStringLiteral("/pictures/d1.png"), reply);
        FakeRow row(50);
        row.kind = qvmListItem::TypeRegion;
        row.imageCount = 2;
        row.picture = new qvmPictureJob;
        row.picture->url = QStringLiteral("http://bj.img.kwd.test/pictures/d1.png");
        auto* page = new qvmGItemImageList(view, &row);
        view->pushPage(page);
        page->activate(false);
        QCOMPARE(page->pictures.size(), 1);
        QTRY_VERIFY(!page->pictures.at(0).small.isNull() || page->pictures.at(0).failed);
        QTEST(page->pictures.at(0).failed, "failed");
        QCOMPARE(requestsTo(QStringLiteral("/pictures/d1.png")), 1);
        page->clicked(page->pictures.at(0).cell.center());
        QVERIFY(page->enlarged);
        view->goBack();
        QVERIFY(!page->enlarged && !view->isAnimating() && view->topPage() == page);
        view->clear();
    }

private:
    qvmResultListItem* openSaleList(const QByteArray& firstPage)
    {
        server->setResponse(kListPath, answer(firstPage));
        view->openList(finder, true, false);
        auto* list = static_cast<qvmResultListItem*>(view->topPage());
        const bool done =
            QTest::qWaitFor([&] { return list->listRequest == -1 && !view->isAnimating(); }, 5000);
        return done && list->kind() == qvmGraphicsItem::KindList ? list : nullptr;
    }

    // Opens the detail of a row (answered with a sale document of that row) and waits for the slide.
    void openDetail(qvmListItem* row, int delayMs = 0)
    {
        server->setResponse(kDetailPath, answer(document("forsale", 1, 0, {saleRecord(row->id)}), delayMs));
        view->openDetail(2, row);
        QTRY_VERIFY(!view->isAnimating());
    }

    // Taps the result view's message box where the user sees it.
    void tapMessage()
    {
        const kwdMessageItem* box = view->messageBox()->item;
        QVERIFY(box->isVisible());
        const QPoint p = view->mapFromScene(box->sceneBoundingRect().center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
    }

    int requestsTo(const QString& path) const
    {
        const QList<kwdTestHttpServer::Request> all = server->requests();
        return std::count_if(all.begin(), all.end(), [&](const auto& r) { return r.path == path.toUtf8(); });
    }

    kwdTestHttpServer* server = nullptr;
    qvmHttpHolder* holder = nullptr;
    TitleBar* bar = nullptr;
    QWidget* host = nullptr;
    qvmResultView* view = nullptr;
    kwdFinder* finder = nullptr;
};

KWD_TEST_MAIN(TestResultView)
#include "tst_qvmresultview.moc"

#include "kwdclock.h"
#include "kwdfinder.h"
#include "kwdmessageitem.h"
#include "kwdscrollbar.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"
#include "titlebar.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QString kListPath = QStringLiteral("/webservice/kwdforsalelist.html");
const QString kDetailPath = QStringLiteral("/webservice/kwdforsaledetail.html");
const QString kNoMore = QStringLiteral("No more data fetched...");

// One sale record of a result document.
QString saleRecord(const QString& id, double lat = 39.9, double lon = 116.4, const QString& image = QString())
{
    return QStringLiteral("<forsale><id>%1</id><name>House %1</name><location>%2,%3</location>"
                          "<totalprice>120</totalprice><areasize>80</areasize>"
                          "<district id=\"d1\">Chaoyang</district>%4</forsale>")
        .arg(id)
        .arg(lon, 0, 'f', 6)
        .arg(lat, 0, 'f', 6)
        .arg(image.isEmpty() ? QString() : QStringLiteral("<imageurl>%1</imageurl>").arg(image));
}

QByteArray document(const QString& type, int total, int skip, const QStringList& records)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><root><resultlist type=\"%1\" "
                          "total=\"%2\" skip=\"%3\">%4</resultlist></root>")
        .arg(type)
        .arg(total)
        .arg(skip)
        .arg(records.join(QString()))
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
    r.contentType = "text/xml; charset=utf-8";
    r.delayMs = delayMs;
    return r;
}

} // namespace

// The result view against a test server: paging, late and failed replies, details, pictures, the
// title bar per page and the finger's swipes and flicks.
class TestResultView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        server = new kwdTestHttpServer(this);
        QVERIFY(server->listen());
        // Every host of the service goes through the test server, which answers by path.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->port()));
    }

    void init()
    {
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        store->cities.insert(QStringLiteral("Beijing"),
                             {kwdNameCode{QStringLiteral("Beijing"), QStringLiteral("bj")}});
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
        kwdStore::destroy();
    }

    void paging_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastIndex");
        QTest::addColumn<bool>("more");
        QTest::newRow("first of three pages") << sales(45, 0, 1, 20) << 20 << 19 << true;
        QTest::newRow("one short page") << sales(7, 0, 1, 7) << 7 << 6 << true;
        QTest::newRow("last page reaches total") << sales(45, 26, 1, 20) << 20 << 45 << false;
        QTest::newRow("empty result") << sales(0, 0, 1, 0) << 0 << 0 << false;
        QTest::newRow("not xml") << QByteArray("<<<nonsense") << 0 << 0 << false;
        QTest::newRow("no resultlist") << QByteArray("<root><other/></root>") << 0 << 0 << false;
        QTest::newRow("wrong type") << document(QStringLiteral("lease"), 3, 0, {saleRecord("s1")}) << 0 << 0
                                    << false;
        QTest::newRow("records without id")
            << document(QStringLiteral("forsale"), 2, 0, {QStringLiteral("<forsale><id> </id></forsale>")})
            << 0 << 0 << false;
    }

    void paging()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, rows);
        QFETCH(bool, more);
        qvmResultListItem* list = openSaleList(body);
        QVERIFY(list);
        QCOMPARE(list->rows.size(), rows);
        QCOMPARE(!list->moreRect.isEmpty(), more);
        // The request is forgotten once answered.
        QVERIFY(view->pendingRequests().isEmpty() && !holder->request(1));
        if (rows > 0)
            QTEST(list->lastIndex, "lastIndex");
        if (more) {
            QCOMPARE(list->hitTest(list->moreRect.center()), int(qvmResultListItem::MoreRow));
            QCOMPARE(list->boundingRect().height(), list->moreRect.bottom());
        }
        if (rows > 0)
            return;
        QTRY_VERIFY(view->messageBox()->item->isVisible());
        QCOMPARE(view->messageBox()->item->text, kNoMore);
        // Coming back to the empty list does not pretend to download again.
        view->updateTitle();
        QVERIFY(!view->messageBox()->item->animated);
        QCOMPARE(view->messageBox()->item->text, kNoMore);
    }

    void loadMore_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("secondPage");
        QTest::addColumn<bool>("byFinger");
        QTest::newRow("double tap sends one request") << 45 << 20 << false;
        QTest::newRow("finger tap on the last row") << 25 << 5 << true;
    }

    void loadMore()
    {
        QFETCH(int, total);
        QFETCH(int, secondPage);
        QFETCH(bool, byFinger);
        qvmResultListItem* list = openSaleList(sales(total, 0, 1, 20));
        QVERIFY(list);
        server->setResponse(kListPath, answer(sales(total, 20, 21, secondPage), 200));
        QScrollBar* sb = view->verticalScrollBar();
        if (byFinger) {
            sb->setValue(sb->maximum());
            const QPoint p = view->mapFromScene(list->mapToScene(list->moreRect.center()));
            QVERIFY(view->viewport()->rect().contains(p));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
        } else {
            list->clicked(list->moreRect.center());
            list->clicked(list->moreRect.center());
        }
        QTRY_COMPARE(list->rows.size(), 20 + secondPage);
        QCOMPARE(requestsTo(kListPath), 2);
        const QUrlQuery second(QString::fromUtf8(server->lastRequest().query));
        QCOMPARE(second.queryItemValue(QStringLiteral("page")) +
                     second.queryItemValue(QStringLiteral("percount")),
                 QStringLiteral("220"));
        QCOMPARE(list->lastIndex, 19 + secondPage);
        // The load-more row stays after the last page as long as the last index differs from the total.
        QVERIFY(!list->moreRect.isEmpty());
        // The view scrolls so that the first new row is at the top.
        QTRY_COMPARE(sb->value(), qMin(int(list->rowRect(20).top()), sb->maximum()));
    }

    void replyAfterSwipeIsDropped()
    {
        qvmResultListItem* list = openSaleList(sales(3, 0, 1, 3));
        QVERIFY(list);
        // The detail's reply comes late; the page is swiped away before it arrives.
        openDetail(list->rows.first(), 3000);
        QCOMPARE(view->pendingRequests().size(), 1);
        const int id = view->pendingRequests().first();
        QTRY_COMPARE(requestsTo(kDetailPath), 1);
        view->goBack();
        QTRY_COMPARE(view->pageCount(), 1);
        QCOMPARE(holder->request(id)->state, int(qvmHttpRequest::Pending));
        QTRY_VERIFY_WITH_TIMEOUT(!holder->request(id), 10000);
        QVERIFY(view->pendingRequests().isEmpty());
        QVERIFY(!list->rows.first()->complete);
        QCOMPARE(view->topPage(), static_cast<qvmGraphicsItem*>(list));
    }

    void deletedViewIsNeverCalled()
    {
        server->setResponse(kListPath, answer(sales(3, 0, 1, 3), 2000));
        view->openList(finder, true, false);
        QCOMPARE(view->pendingRequests().size(), 1);
        const int id = view->pendingRequests().first();
        QTRY_COMPARE(requestsTo(kListPath), 1);
        QVERIFY(holder->request(id));
        delete host;
        host = nullptr;
        // The holder forgot the request with the view: nothing is left to be called.
        QVERIFY(!holder->request(id));
        QTRY_COMPARE_WITH_TIMEOUT(server->clientAborts(), 1, 3000);
        QVERIFY(!holder->request(id));
    }

    void failureShowsHolderText_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("closeAfter");
        QTest::newRow("server error") << 500 << -1;
        QTest::newRow("not found") << 404 << -1;
        QTest::newRow("cut off") << 200 << 10;
    }

    void failureShowsHolderText()
    {
        QFETCH(int, status);
        QFETCH(int, closeAfter);
        qvmResultListItem* list = openSaleList(sales(45, 0, 1, 20));
        QVERIFY(list);
        kwdTestHttpServer::Response bad = answer(sales(45, 20, 21, 20));
        bad.status = status;
        bad.closeAfter = closeAfter;
        server->setResponse(kListPath, bad);
        list->fetchMore();
        const int id = list->listRequest;
        QVERIFY(id > 0);
        QTRY_COMPARE(list->listRequest, -1);
        // The network layer's own words are shown, not the empty-list message nor the wait message.
        const kwdMessageItem* box = view->messageBox()->item;
        QVERIFY(box->isVisible() && !box->animated);
        QVERIFY(!box->text.isEmpty() && box->text != kNoMore && box->text != QStringLiteral("Downloading"));
        // The rows already shown stay, the record is gone, and paging can be tried again.
        QCOMPARE(list->rows.size(), 20);
        QVERIFY(!holder->request(id));
        server->setResponse(kListPath, answer(sales(45, 20, 21, 20)));
        list->fetchMore();
        QTRY_COMPARE(list->rows.size(), 40);
    }

    void distanceMode()
    {
        finder->setField(kwdFinder::Mode, QStringLiteral("102"));
        finder->setField(kwdFinder::Latitude, QStringLiteral("39.900000"));
        finder->setField(kwdFinder::Longitude, QStringLiteral("116.400000"));
        qvmResultListItem* list = openSaleList(
            document(QStringLiteral("forsale"), 3, 0,
                     {saleRecord("a", 39.91, 116.4), saleRecord("b", 0, 116.4), saleRecord("c", 39.9, 0)}));
        QVERIFY(list && list->distanceMode);
        QCOMPARE(list->rows.size(), 3);
        // A hundredth of a degree of latitude is about 1112 metres; rows without both coordinates get none.
        const double metres = list->rows.at(0)->distance.toDouble();
        QVERIFY2(metres > 1105 && metres < 1120, qPrintable(list->rows.at(0)->distance));
        QCOMPARE(list->rows.at(0)->distance.section(QLatin1Char('.'), 1).size(), 8);
        QVERIFY(list->rows.at(1)->distance.isEmpty() && list->rows.at(2)->distance.isEmpty());
    }

    void detailRequest_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("complete");
        QTest::newRow("sale document is read once") << QStringLiteral("forsale") << true;
        QTest::newRow("lease document leaves the sale row") << QStringLiteral("lease") << false;
    }

    void detailRequest()
    {
        QFETCH(QString, type);
        QFETCH(bool, complete);
        qvmResultListItem* list = openSaleList(sales(3, 0, 1, 3));
        QVERIFY(list);
        qvmListItem* row = list->rows.at(1);
        const QString name = row->name;
        const QString record = QStringLiteral("<%1><id>s2</id><name>Other</name></%1>").arg(type);
        server->setResponse(kDetailPath, answer(document(type, 1, 0, {record})));
        for (int round = 0; round < 2; ++round) {
            view->openDetail(2, row);
            QTRY_VERIFY(!view->isAnimating());
            QTRY_VERIFY(view->pendingRequests().isEmpty());
            view->goBack();
            QTRY_COMPARE(view->pageCount(), 1);
        }
        // A complete row is not asked for again; a document of another kind is not read into it.
        QCOMPARE(requestsTo(kDetailPath), complete ? 1 : 2);
        QCOMPARE(row->complete, complete);
        QCOMPARE(row->name, complete ? QStringLiteral("Other") : name);
        const QUrlQuery q(QString::fromUtf8(server->lastRequest().query));
        QCOMPARE(q.queryItemValue(QStringLiteral("id")), QStringLiteral("s2"));
        QCOMPARE(q.queryItemValue(QStringLiteral("sn")), qvmHttpHolder::deviceId());
    }

    void sharedPictureDownload()
    {
        const QString picture = QStringLiteral("http://img.kwd.test/pic/p1.png");
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QBuffer png;
        QVERIFY(png.open(QIODevice::WriteOnly) && red.save(&png, "PNG"));
        server->setResponse(QStringLiteral("/pic/p1.png"), answer(png.data(), 150));
        qvmResultListItem* list = openSaleList(
            document(QStringLiteral("forsale"), 2, 0,
                     {saleRecord("a", 39.9, 116.4, picture), saleRecord("b", 39.9, 116.4, picture)}));
        QVERIFY(list);
        for (qvmListItem* row : std::as_const(list->rows)) {
            server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0,
                                                             {saleRecord(row->id, 39.9, 116.4, picture)})));
            view->openDetail(2, row);
            QTRY_VERIFY(row->complete && row->picture->image);
            view->goBack();
            QTRY_COMPARE(view->pageCount(), 1);
        }
        // The second listing shows the same picture: it comes from the first download.
        QCOMPARE(requestsTo(QStringLiteral("/pic/p1.png")), 1);
        QCOMPARE(list->rows.at(1)->picture->image->pixelColor(5, 5), QColor(Qt::red));
    }

    void titleBarAndFavorite()
    {
        qvmResultListItem* list = openSaleList(sales(30, 0, 1, 20));
        QVERIFY(list);
        QCOMPARE(barState(), QStringLiteral("二手房 CB"));
        qvmListItem* row = list->rows.first();
        // Only a detail page takes the favourite toggle, and only for the favourite action.
        view->toggleFavorite(2, true);
        openDetail(row);
        QCOMPARE(barState(), QStringLiteral("二手房详细 FB"));
        view->toggleFavorite(0, true);
        QVERIFY(!kwdStore::instance()->isFavorite(row) && !bar->favoriteButton()->isChecked());
        view->toggleFavorite(2, true);
        QVERIFY(kwdStore::instance()->isFavorite(row));
        view->updateTitle();
        QVERIFY(bar->favoriteButton()->isChecked());
        view->toggleFavorite(2, false);
        QVERIFY(!kwdStore::instance()->isFavorite(row));
        // The district of the listing has no favourite toggle.
        view->openRelated(qvmListItem::LinkDistrict, row->district, QString());
        QCOMPARE(barState(), QStringLiteral("行政区详细 B"));
        QTRY_VERIFY(!view->isAnimating());
        view->openRelated(qvmListItem::LinkPictures, row, QString());
        QCOMPARE(barState(), QStringLiteral("图片列表 B"));
    }

    void horizontalSwipe_data()
    {
        QTest::addColumn<bool>("detail");
        QTest::addColumn<int>("distance");
        QTest::addColumn<bool>("goesBack");
        // The viewport is 360 wide: a third is 120.
        QTest::newRow("a quarter snaps back") << true << 90 << false;
        QTest::newRow("just a third snaps back") << true << 120 << false;
        QTest::newRow("past a third goes back") << true << 125 << true;
        QTest::newRow("most of the width goes back") << true << 300 << true;
        QTest::newRow("last page, a quarter") << false << 90 << false;
        QTest::newRow("last page, past a third") << false << 125 << true;
    }

    void horizontalSwipe()
    {
        QFETCH(bool, detail);
        QFETCH(int, distance);
        QFETCH(bool, goesBack);
        QCOMPARE(view->viewport()->width(), 360);
        qvmResultListItem* list = openSaleList(sales(3, 0, 1, 3));
        QVERIFY(list);
        if (detail)
            openDetail(list->rows.first());
        qvmGraphicsItem* top = view->topPage();
        QSignalSpy gotoCondition(view, &qvmResultView::gotoCondition);
        const QPoint start(20, 200);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
        for (int dx = 10; dx < distance; dx += 10)
            QTest::mouseMove(view->viewport(), start + QPoint(dx, 2));
        QTest::mouseMove(view->viewport(), start + QPoint(distance, 2));
        if (!goesBack)
            QCOMPARE(top->x(), qreal(distance));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + QPoint(distance, 2));
        QTRY_VERIFY(!view->isAnimating());
        // The last page is never swiped away: the view asks for the search conditions instead.
        QTRY_COMPARE(gotoCondition.count(), goesBack && !detail ? 1 : 0);
        QCOMPARE(view->pageCount(), goesBack || !detail ? 1 : 2);
        QCOMPARE(view->topPage(), goesBack ? static_cast<qvmGraphicsItem*>(list) : top);
        QCOMPARE(view->topPage()->pos(), QPointF(0, 0));
        QCOMPARE(list->isVisible(), view->topPage() == list);
    }

    void verticalFlick_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("ms");
        QTest::addColumn<bool>("coasts");
        QTest::newRow("short drag") << 99 << 100 << false;
        QTest::newRow("flick of 100") << 100 << 100 << true;
        QTest::newRow("long fast flick") << 300 << 50 << true;
        QTest::newRow("flick downwards") << -150 << 100 << true;
    }

    void verticalFlick()
    {
        QFETCH(int, distance);
        QFETCH(int, ms);
        QVERIFY(openSaleList(sales(60, 0, 1, 20)));
        QScrollBar* sb = view->verticalScrollBar();
        QVERIFY(sb->maximum() > 600);
        sb->setValue(distance < 0 ? 400 : 0);
        const int before = sb->value();
        const QDateTime t0 = QDateTime::currentDateTime();
        kwdClock::setNow(t0);
        const QPoint start(180, distance < 0 ? 100 : 500);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(view->viewport(), start - QPoint(0, distance * i / 10));
        // The drag itself moved the content with the finger (once past the tap slop), with the indicator.
        QVERIFY(sb->value() != before && qAbs(sb->value() - before) <= qAbs(distance));
        QVERIFY(view->scrollIndicator()->isVisible());
        kwdClock::setNow(t0.addMSecs(ms));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start - QPoint(0, distance));
        QVERIFY(!view->scrollIndicator()->isVisible());
        QTEST(view->isCoasting(), "coasts");
        if (!view->isCoasting())
            return;
        QCOMPARE(view->coastVelocity(), qBound(-1000.0, distance * 1000.0 / ms, 1000.0));
        const int released = sb->value();
        // Each tick slows the coast until it stops; the content moves on in the flick's direction.
        kwdClock::setNow(t0.addMSecs(ms + 64));
        QTRY_VERIFY(!view->isCoasting());
        QVERIFY(distance > 0 ? sb->value() > released : sb->value() < released);
    }

    void pendingScrollYieldsToFinger_data()
    {
        QTest::addColumn<bool>("press");
        QTest::addColumn<bool>("push");
        QTest::newRow("left alone") << false << false;
        QTest::newRow("finger down") << true << false;
        QTest::newRow("page pushed") << false << true;
    }

    void pendingScrollYieldsToFinger()
    {
        QFETCH(bool, press);
        QFETCH(bool, push);
        qvmResultListItem* list = openSaleList(sales(60, 0, 1, 20));
        QVERIFY(list);
        QScrollBar* sb = view->verticalScrollBar();
        sb->setValue(100);
        view->scrollLater(400);
        QVERIFY(view->isScrollPending());
        if (press)
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        if (push)
            view->openDetail(2, list->rows.first());
        QTRY_VERIFY(!view->isScrollPending());
        QCOMPARE(sb->value(), press ? 100 : push ? 0 : 400);
        if (!press)
            return;
        // Lifting the finger further down: no tap, and the list stays where the finger left it.
        QTest::mouseMove(view->viewport(), QPoint(100, 120));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(100, 120));
        QCOMPARE(view->pageCount(), 1);
        QVERIFY(sb->value() < 100);
    }

    void openRelatedMoreSales()
    {
        qvmResultListItem* list = openSaleList(sales(3, 0, 1, 3));
        QVERIFY(list);
        qvmListItem* row = list->rows.first();
        server->setResponse(kListPath, answer(sales(1, 0, 50, 1)));
        view->openRelated(qvmListItem::LinkMoreSales, row, QString());
        QCOMPARE(view->pageCount(), 2);
        auto* more = static_cast<qvmResultListItem*>(view->topPage());
        QCOMPARE(more->kind(), int(qvmGraphicsItem::KindList));
        kwdFinder* record = more->condition;
        QVERIFY(more->ownsCondition && record->category == 2);
        QCOMPARE(QStringList({record->field(kwdFinder::Mode), record->field(kwdFinder::HaId),
                              record->field(kwdFinder::HaName), record->field(kwdFinder::City)}),
                 QStringList({QStringLiteral("103"), row->id, row->name, QStringLiteral("Beijing")}));
        QTRY_COMPARE(more->rows.size(), 1);
        // Run again in place (a new sort order), the list keeps its record and still owns it.
        view->openList(record, false, false);
        QCOMPARE(view->topPage(), static_cast<qvmGraphicsItem*>(more));
        QVERIFY(more->condition == record && more->ownsCondition);
        QTRY_COMPARE(more->rows.size(), 1);
        // Unknown actions do nothing.
        view->openRelated(7, row, QString());
        view->openRelated(-1, row, QString());
        QCOMPARE(view->pageCount(), 2);
    }

    void showPushReplacesOldPushPage()
    {
        QVERIFY(openSaleList(sales(3, 0, 1, 3)));
        QWidget pushBar;
        view->setPushBar(&pushBar);
        QList<qvmListItem*> first, second;
        for (int i = 0; i < 3; ++i) {
            auto* row = new qvmSaleItem;
            row->id = QStringLiteral("n%1").arg(i);
            (i < 2 ? first : second) << row;
        }
        view->showPush(first, 2);
        QTRY_VERIFY(!view->isAnimating());
        auto* push = static_cast<qvmResultListItem*>(view->topPage());
        QVERIFY(push->moreRect.isEmpty() && push->lastIndex == push->total && push->rows == first);
        // A push page has the back button and no other.
        QVERIFY(!push->title().isEmpty());
        QCOMPARE(barState(), push->title() + QStringLiteral(" B"));
        // A detail opened from the push page goes with it when new listings replace the old ones.
        openDetail(first.first());
        QCOMPARE(view->pageCount(), 3);
        view->showPush(second, 3);
        QTRY_VERIFY(!view->isAnimating());
        QCOMPARE(view->pageCount(), 2);
        QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindPush));
        QCOMPARE(static_cast<qvmResultListItem*>(view->topPage())->rows, second);
        // Back from the push page shows the list below and the push bar hides.
        pushBar.show();
        view->goBack();
        QTRY_COMPARE(view->pageCount(), 1);
        QVERIFY(!pushBar.isVisible());
        // The pushed rows belong to the caller.
        qDeleteAll(first + second);
    }

private:
    qvmResultListItem* openSaleList(const QByteArray& firstPage)
    {
        server->setResponse(kListPath, answer(firstPage));
        view->openList(finder, true, false);
        auto* list = static_cast<qvmResultListItem*>(view->topPage());
        if (!list || list->kind() != qvmGraphicsItem::KindList)
            return nullptr;
        if (!QTest::qWaitFor([&] { return list->listRequest == -1 && !view->isAnimating(); }, 5000))
            return nullptr;
        return list;
    }

    // Opens the detail of a row (answered with a sale document of that row) and waits for the slide.
    void openDetail(qvmListItem* row, int delayMs = 0)
    {
        server->setResponse(kDetailPath, answer(sales(1, 0, row->id.mid(1).toInt(), 1), delayMs));
        view->openDetail(2, row);
        QTRY_VERIFY(!view->isAnimating());
    }

    int requestsTo(const QString& path) const
    {
        int n = 0;
        for (const kwdTestHttpServer::Request& r : server->requests())
            n += QString::fromUtf8(r.path) == path ? 1 : 0;
        return n;
    }

    // The title bar as one string: the title, then C, F and B for the visible buttons.
    QString barState() const
    {
        return bar->titleText() + QLatin1Char(' ') + (bar->conditionButton()->isVisible() ? "C" : "") +
               (bar->favoriteButton()->isVisible() ? "F" : "") + (bar->backButton()->isVisible() ? "B" : "");
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

#include "kwdclock.h"
#include "kwdfinder.h"
#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmnewhouselistitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"
#include "titlebar.h"

#include <QApplication>
#include <QBuffer>
#include <QGeoCoordinate>
#include <QImage>
#include <QNetworkProxy>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QString kListPath = QStringLiteral("/webservice/kwdforsalelist.html");
const QString kDetailPath = QStringLiteral("/webservice/kwdforsaledetail.html");

// One sale record of a result document.
QString saleRecord(const QString& id, double lat = 39.9, double lon = 116.4, const QString& image = QString())
{
    QString r = QStringLiteral("<forsale><id>%1</id><name>House %1</name>"
                               "<location>%2,%3</location><totalprice>120</totalprice>"
                               "<areasize>80</areasize><district id=\"d1\">Chaoyang</district>")
                    .arg(id)
                    .arg(lon, 0, 'f', 6)
                    .arg(lat, 0, 'f', 6);
    if (!image.isEmpty())
        r += QStringLiteral("<imageurl>%1</imageurl>").arg(image);
    return r + QStringLiteral("</forsale>");
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

QStringList records(int first, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << saleRecord(QStringLiteral("s%1").arg(first + i));
    return list;
}

QByteArray png(const QColor& colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

kwdTestHttpServer::Response answer(const QByteArray& body, int delayMs = 0)
{
    kwdTestHttpServer::Response r;
    r.body = body;
    r.contentType = "text/xml; charset=utf-8";
    r.delayMs = delayMs;
    return r;
}

int countPath(const kwdTestHttpServer& server, const QString& path)
{
    int n = 0;
    for (const kwdTestHttpServer::Request& r : server.requests())
        n += QString::fromUtf8(r.path) == path ? 1 : 0;
    return n;
}

} // namespace

class TestResultView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void firstPageRequest();
    void paging_data();
    void paging();
    void loadMoreTwiceSendsOne();
    void loadMoreByTap();
    void replyAfterSwipeIsDropped();
    void deletedViewIsNeverCalled();
    void failureShowsHolderText_data();
    void failureShowsHolderText();
    void badDocuments_data();
    void badDocuments();
    void distanceMode();
    void detailRequestedOnce();
    void detailOfOtherTypeLeavesRow();
    void sharedPictureDownload();
    void pictureQueueOneAtATime();
    void titleBarPerPage();
    void favoriteToggle();
    void horizontalSwipe_data();
    void horizontalSwipe();
    void lastPageSwipeEmitsGotoCondition();
    void verticalFlick_data();
    void verticalFlick();
    void pendingScrollYieldsToFinger_data();
    void pendingScrollYieldsToFinger();
    void openRelatedMoreSales();
    void showPushReplacesOldPushPage();

private:
    qvmResultListItem* openSaleList(const QByteArray& firstPage);
    QPoint viewportPointOf(const QPointF& scenePoint) const;

    kwdTestHttpServer* server = nullptr;
    qvmHttpHolder* holder = nullptr;
    TitleBar* bar = nullptr;
    QWidget* host = nullptr;
    qvmResultView* view = nullptr;
    kwdFinder* finder = nullptr;
};

void TestResultView::initTestCase()
{
    server = new kwdTestHttpServer(this);
    QVERIFY(server->listen());
    // Every host of the service goes through the test server, which answers by path.
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->port()));
}

void TestResultView::init()
{
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("Beijing"),
                         {kwdNameCode{QStringLiteral("Beijing"), QStringLiteral("bj")}});
    finder = new kwdFinder(QStringLiteral("current"), 2);
    finder->setField(kwdFinder::Province, QStringLiteral("Beijing"));
    finder->setField(kwdFinder::City, QStringLiteral("Beijing"));
    store->finders.append(finder);
    store->currentFinder = finder;

    server->clearRequests();
    server->setDefaultResponse(answer(QByteArray(), 0));
    holder = new qvmHttpHolder;
    host = new QWidget;
    host->resize(360, 640);
    bar = new TitleBar(host);
    view = new qvmResultView(host, bar);
    view->setGeometry(0, 60, 360, 580);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

void TestResultView::cleanup()
{
    kwdClock::reset();
    delete host;
    view = nullptr;
    delete holder;
    holder = nullptr;
    kwdStore::destroy();
}

qvmResultListItem* TestResultView::openSaleList(const QByteArray& firstPage)
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

QPoint TestResultView::viewportPointOf(const QPointF& scenePoint) const
{
    return view->mapFromScene(scenePoint);
}

void TestResultView::firstPageRequest()
{
    finder->setField(kwdFinder::Keyword, QStringLiteral("river"));
    const QString query = finder->buildQuery();
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    QCOMPARE(server->requestCount(), 1);
    const kwdTestHttpServer::Request got = server->lastRequest();
    QCOMPARE(QString::fromUtf8(got.host), QStringLiteral("bj.kwd.test"));
    QCOMPARE(QString::fromUtf8(got.path), kListPath);
    QCOMPARE(QString::fromUtf8(got.query), QStringLiteral("page=1&percount=20&") + query);
    QCOMPARE(list->rows.size(), 3);
    QCOMPARE(list->title(), QStringLiteral("二手房"));
    // The request is forgotten once answered.
    QVERIFY(view->pendingRequests().isEmpty());
    QVERIFY(!holder->request(1));
}

void TestResultView::paging_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastIndex");
    QTest::addColumn<bool>("more");
    QTest::newRow("first of three pages") << 45 << 0 << 20 << 19 << true;
    QTest::newRow("one short page") << 7 << 0 << 7 << 6 << true;
    QTest::newRow("last page reaches total") << 45 << 26 << 20 << 45 << false;
    QTest::newRow("skip counts too") << 30 << 11 << 20 << 30 << false;
    QTest::newRow("empty result") << 0 << 0 << 0 << -1 << false;
}

void TestResultView::paging()
{
    QFETCH(int, total);
    QFETCH(int, skip);
    QFETCH(int, count);
    QFETCH(int, lastIndex);
    QFETCH(bool, more);
    qvmResultListItem* list =
        openSaleList(document(QStringLiteral("forsale"), total, skip, records(1, count)));
    QVERIFY(list);
    QCOMPARE(list->total, total);
    QCOMPARE(list->lastIndex, lastIndex);
    QCOMPARE(list->rows.size(), count);
    QCOMPARE(!list->moreRect.isEmpty(), more);
    if (more) {
        QCOMPARE(list->hitTest(list->moreRect.center()), int(qvmResultListItem::MoreRow));
        QCOMPARE(list->boundingRect().height(), list->moreRect.bottom());
    }
    if (count == 0) {
        QTRY_VERIFY(view->messageBox()->item->isVisible());
        QCOMPARE(view->messageBox()->item->text, QStringLiteral("No more data fetched..."));
    }
}

void TestResultView::loadMoreTwiceSendsOne()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 45, 0, records(1, 20)));
    QVERIFY(list);
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 45, 20, records(21, 20)), 200));
    const QPointF more = list->moreRect.center();
    list->clicked(more);
    list->clicked(more);
    QTRY_COMPARE(list->rows.size(), 40);
    QCOMPARE(countPath(*server, kListPath), 2);
    const QUrlQuery second(QString::fromUtf8(server->lastRequest().query));
    QCOMPARE(second.queryItemValue(QStringLiteral("page")), QStringLiteral("2"));
    QCOMPARE(second.queryItemValue(QStringLiteral("percount")), QStringLiteral("20"));
    QCOMPARE(list->lastIndex, 39);
    // The load-more row stays after the last page as long as the count differs from the total.
    QVERIFY(!list->moreRect.isEmpty());
    // The view scrolls so that the first new row is at the top.
    QTRY_COMPARE(view->verticalScrollBar()->value(),
                 qMin(int(list->rowRect(20).top()), view->verticalScrollBar()->maximum()));
}

void TestResultView::loadMoreByTap()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 25, 0, records(1, 20)));
    QVERIFY(list);
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 25, 20, records(21, 5))));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const QPoint p = viewportPointOf(list->mapToScene(list->moreRect.center()));
    QVERIFY(view->viewport()->rect().contains(p));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
    QTRY_COMPARE(list->rows.size(), 25);
    QCOMPARE(list->lastIndex, 24);
    QVERIFY(!list->moreRect.isEmpty());
    // A tap on a row opens its detail.
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(21, 1))));
    QTRY_VERIFY(!view->isCoasting());
    const QPoint rowPoint = viewportPointOf(list->mapToScene(list->rowRect(22).center()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint);
    QCOMPARE(view->pageCount(), 2);
    QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindDetail));
    QCOMPARE(static_cast<qvmResultDetailItem*>(view->topPage())->row, list->rows.at(22));
    QCOMPARE(list->selected, 22);
}

void TestResultView::replyAfterSwipeIsDropped()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    // The detail's reply comes late; the page is swiped away before it arrives.
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1)), 3000));
    view->openDetail(2, list->rows.first());
    QTRY_VERIFY(!view->isAnimating());
    QCOMPARE(view->pendingRequests().size(), 1);
    const int id = view->pendingRequests().first();
    QTRY_COMPARE(countPath(*server, kDetailPath), 1);
    view->goBack();
    QTRY_COMPARE(view->pageCount(), 1);
    // The page is gone while its reply is still on the way.
    QVERIFY(holder->request(id));
    QCOMPARE(holder->request(id)->state, int(qvmHttpRequest::Pending));
    QTRY_VERIFY_WITH_TIMEOUT(!holder->request(id), 10000);
    QVERIFY(view->pendingRequests().isEmpty());
    QVERIFY(!list->rows.first()->complete);
    QCOMPARE(view->topPage(), static_cast<qvmGraphicsItem*>(list));
}

void TestResultView::deletedViewIsNeverCalled()
{
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 3, 0, records(1, 3)), 2000));
    view->openList(finder, true, false);
    QCOMPARE(view->pendingRequests().size(), 1);
    const int id = view->pendingRequests().first();
    QTRY_COMPARE(countPath(*server, kListPath), 1);
    QVERIFY(holder->request(id));
    delete host;
    host = nullptr;
    view = nullptr;
    // The holder forgot the request with the view: nothing is left to be called.
    QVERIFY(!holder->request(id));
    // Past the moment the answer was due, nothing arrived anywhere.
    QTRY_COMPARE_WITH_TIMEOUT(server->clientAborts(), 1, 3000);
    QVERIFY(!holder->request(id));
}

void TestResultView::failureShowsHolderText_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("closeAfter");
    QTest::newRow("server error") << 500 << -1;
    QTest::newRow("not found") << 404 << -1;
    QTest::newRow("cut off") << 200 << 10;
}

void TestResultView::failureShowsHolderText()
{
    QFETCH(int, status);
    QFETCH(int, closeAfter);
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 45, 0, records(1, 20)));
    QVERIFY(list);
    kwdTestHttpServer::Response bad = answer(document(QStringLiteral("forsale"), 45, 20, records(21, 20)));
    bad.status = status;
    bad.closeAfter = closeAfter;
    server->setResponse(kListPath, bad);

    list->fetchMore();
    const int id = list->listRequest;
    QVERIFY(id > 0);
    QTRY_COMPARE(list->listRequest, -1);
    // The network layer's own words are shown, not the empty-list message nor the wait message.
    QVERIFY(view->messageBox()->item->isVisible());
    QVERIFY(!view->messageBox()->item->animated);
    const QString text = view->messageBox()->item->text;
    QVERIFY(!text.isEmpty());
    QVERIFY(text != QStringLiteral("No more data fetched..."));
    QVERIFY(text != QStringLiteral("Downloading"));
    // The rows already shown stay, and the record is gone.
    QCOMPARE(list->rows.size(), 20);
    QVERIFY(!holder->request(id));
    // Paging can be tried again.
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 45, 20, records(21, 20))));
    list->fetchMore();
    QTRY_COMPARE(list->rows.size(), 40);
}

void TestResultView::badDocuments_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("not xml") << QByteArray("<<<nonsense");
    QTest::newRow("no resultlist") << QByteArray("<root><other/></root>");
    QTest::newRow("wrong type") << document(QStringLiteral("lease"), 3, 0, records(1, 3));
    QTest::newRow("records without id") << document(
        QStringLiteral("forsale"), 2, 0, {QStringLiteral("<forsale><name>x</name><id> </id></forsale>")});
}

void TestResultView::badDocuments()
{
    QFETCH(QByteArray, body);
    qvmResultListItem* list = openSaleList(body);
    QVERIFY(list);
    QVERIFY(list->rows.isEmpty());
    QVERIFY(list->moreRect.isEmpty());
    QTRY_VERIFY(view->messageBox()->item->isVisible());
    QCOMPARE(view->messageBox()->item->text, QStringLiteral("No more data fetched..."));
    // Coming back to the empty list does not pretend to download again.
    view->updateTitle();
    QVERIFY(!view->messageBox()->item->animated);
    QCOMPARE(view->messageBox()->item->text, QStringLiteral("No more data fetched..."));
}

void TestResultView::distanceMode()
{
    auto* around = new kwdFinder(QStringLiteral("around"), 2);
    around->setField(kwdFinder::City, QStringLiteral("Beijing"));
    around->setField(kwdFinder::Mode, QStringLiteral("102"));
    around->setField(kwdFinder::Latitude, QStringLiteral("39.900000"));
    around->setField(kwdFinder::Longitude, QStringLiteral("116.400000"));
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 3, 0,
                                                   {saleRecord(QStringLiteral("a"), 39.91, 116.4),
                                                    saleRecord(QStringLiteral("b"), 0, 116.4),
                                                    saleRecord(QStringLiteral("c"), 39.9, 0)})));
    view->openList(around, true, true);
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    QTRY_COMPARE(list->rows.size(), 3);
    QVERIFY(list->distanceMode);
    // A hundredth of a degree of latitude is about 1112 metres.
    const double metres = list->rows.at(0)->distance.toDouble();
    QVERIFY2(metres > 1105 && metres < 1120, qPrintable(list->rows.at(0)->distance));
    QCOMPARE(list->rows.at(0)->distance.section(QLatin1Char('.'), 1).size(), 8);
    QVERIFY(list->rows.at(1)->distance.isEmpty());
    QVERIFY(list->rows.at(2)->distance.isEmpty());
}

void TestResultView::detailRequestedOnce()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(2, 1))));
    for (int round = 0; round < 2; ++round) {
        view->openDetail(2, list->rows.at(1));
        QTRY_VERIFY(!view->isAnimating());
        QTRY_VERIFY(list->rows.at(1)->complete);
        view->goBack();
        QTRY_COMPARE(view->pageCount(), 1);
    }
    QCOMPARE(countPath(*server, kDetailPath), 1);
    const QUrlQuery q(QString::fromUtf8(server->requests().last().query));
    QCOMPARE(q.queryItemValue(QStringLiteral("id")), QStringLiteral("s2"));
    QCOMPARE(q.queryItemValue(QStringLiteral("sn")), qvmHttpHolder::deviceId());
}

void TestResultView::detailOfOtherTypeLeavesRow()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    qvmListItem* row = list->rows.first();
    const QString name = row->name;
    // A lease document for a sale listing is not read into it.
    QStringList lease = {QStringLiteral("<lease><id>s1</id><name>Other</name></lease>")};
    server->setResponse(kDetailPath, answer(document(QStringLiteral("lease"), 1, 0, lease)));
    view->openDetail(2, row);
    QTRY_COMPARE(countPath(*server, kDetailPath), 1);
    QTRY_VERIFY(view->pendingRequests().isEmpty());
    QVERIFY(!row->complete);
    QCOMPARE(row->name, name);
    QVERIFY(view->topPage()->boundingRect().height() > 0);
}

void TestResultView::sharedPictureDownload()
{
    const QString picture = QStringLiteral("http://img.kwd.test/pic/p1.png");
    server->setResponse(QStringLiteral("/pic/p1.png"), answer(png(Qt::red), 150));
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 2, 0,
                                                   {saleRecord(QStringLiteral("a"), 39.9, 116.4, picture),
                                                    saleRecord(QStringLiteral("b"), 39.9, 116.4, picture)})));
    view->openList(finder, true, false);
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    QTRY_COMPARE(list->rows.size(), 2);
    server->setResponse(kDetailPath,
                        answer(document(QStringLiteral("forsale"), 1, 0,
                                        {saleRecord(QStringLiteral("a"), 39.9, 116.4, picture)})));
    view->openDetail(2, list->rows.at(0));
    QTRY_VERIFY(list->rows.at(0)->picture->image);
    view->goBack();
    QTRY_COMPARE(view->pageCount(), 1);
    // The second listing shows the same picture: it comes from the first download.
    server->setResponse(kDetailPath,
                        answer(document(QStringLiteral("forsale"), 1, 0,
                                        {saleRecord(QStringLiteral("b"), 39.9, 116.4, picture)})));
    view->openDetail(2, list->rows.at(1));
    QTRY_VERIFY(list->rows.at(1)->complete);
    QTRY_VERIFY(list->rows.at(1)->picture->image);
    QCOMPARE(countPath(*server, QStringLiteral("/pic/p1.png")), 1);
    QCOMPARE(list->rows.at(1)->picture->image->pixelColor(5, 5), QColor(Qt::red));
}

void TestResultView::pictureQueueOneAtATime()
{
    QStringList recs;
    for (int i = 0; i < 3; ++i)
        recs << saleRecord(QStringLiteral("q%1").arg(i), 39.9, 116.4,
                           QStringLiteral("http://img.kwd.test/pic/q%1.png").arg(i));
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 6, 0, recs));
    QVERIFY(list);
    for (int i = 0; i < 3; ++i)
        server->setResponse(QStringLiteral("/pic/q%1.png").arg(i), answer(png(QColor(10 * i, 0, 0)), 50));
    for (qvmListItem* row : std::as_const(list->rows))
        list->queuePicture(row);
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 6, 3, records(10, 3))));
    // The queue runs after the next list reply, one download at a time.
    list->fetchMore();
    QTRY_VERIFY(list->rows.at(2)->picture->image);
    QVERIFY(list->rows.at(0)->picture->image);
    QVERIFY(list->imageQueue.isEmpty());
    QStringList order;
    for (const kwdTestHttpServer::Request& r : server->requests()) {
        if (r.path.startsWith("/pic/"))
            order << QString::fromUtf8(r.path);
    }
    QCOMPARE(order, QStringList({QStringLiteral("/pic/q0.png"), QStringLiteral("/pic/q1.png"),
                                 QStringLiteral("/pic/q2.png")}));
}

void TestResultView::titleBarPerPage()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 30, 0, records(1, 20)));
    QVERIFY(list);
    QCOMPARE(bar->titleText(), QStringLiteral("二手房"));
    QVERIFY(bar->conditionButton()->isVisible());
    QVERIFY(!bar->favoriteButton()->isVisible());

    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1))));
    view->openDetail(2, list->rows.first());
    QCOMPARE(bar->titleText(), QStringLiteral("二手房详细"));
    QVERIFY(!bar->conditionButton()->isVisible());
    QVERIFY(bar->favoriteButton()->isVisible());
    QVERIFY(!bar->favoriteButton()->isChecked());
    QTRY_VERIFY(!view->isAnimating());

    // The district of the listing has no favourite toggle.
    view->openRelated(qvmListItem::LinkDistrict, list->rows.first()->district, QString());
    QCOMPARE(bar->titleText(), QStringLiteral("行政区详细"));
    QVERIFY(!bar->favoriteButton()->isVisible());
    QVERIFY(!bar->conditionButton()->isVisible());
    QTRY_VERIFY(!view->isAnimating());

    view->openRelated(qvmListItem::LinkPictures, list->rows.first(), QString());
    QCOMPARE(bar->titleText(), QStringLiteral("图片列表"));
    QVERIFY(!bar->favoriteButton()->isVisible());
    QTRY_VERIFY(!view->isAnimating());

    // A push page: back button, no other buttons.
    QList<qvmListItem*> rows;
    auto* pushed = new qvmSaleItem;
    pushed->id = QStringLiteral("p1");
    rows << pushed;
    view->showPush(rows, 2);
    QVERIFY(bar->backButton()->isVisible());
    QVERIFY(!bar->conditionButton()->isVisible());
    QVERIFY(!bar->favoriteButton()->isVisible());
    QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindPush));
    QVERIFY(!view->topPage()->title().isEmpty());
    QTRY_VERIFY(!view->isAnimating());
    view->clear();
    delete pushed;
}

void TestResultView::favoriteToggle()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1))));
    qvmListItem* row = list->rows.first();
    // Only a detail page takes the toggle.
    view->toggleFavorite(2, true);
    QVERIFY(!kwdStore::instance()->isFavorite(row));
    view->openDetail(2, row);
    view->toggleFavorite(0, true);
    QVERIFY(!kwdStore::instance()->isFavorite(row));
    view->toggleFavorite(2, true);
    QVERIFY(kwdStore::instance()->isFavorite(row));
    view->updateTitle();
    QVERIFY(bar->favoriteButton()->isChecked());
    view->toggleFavorite(2, false);
    QVERIFY(!kwdStore::instance()->isFavorite(row));
}

void TestResultView::horizontalSwipe_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<bool>("goesBack");
    QTest::newRow("a quarter snaps back") << 90 << false;
    QTest::newRow("just a third snaps back") << 120 << false;
    QTest::newRow("past a third goes back") << 125 << true;
    QTest::newRow("most of the width goes back") << 300 << true;
}

void TestResultView::horizontalSwipe()
{
    QFETCH(int, distance);
    QFETCH(bool, goesBack);
    QCOMPARE(view->viewport()->width() / 3, 120);
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1))));
    view->openDetail(2, list->rows.first());
    QTRY_VERIFY(!view->isAnimating());
    qvmGraphicsItem* detail = view->topPage();

    QWidget* vp = view->viewport();
    const QPoint start(20, 200);
    QTest::mousePress(vp, Qt::LeftButton, {}, start);
    for (int dx = 10; dx <= distance; dx += 10)
        QTest::mouseMove(vp, start + QPoint(dx, 2));
    QTest::mouseMove(vp, start + QPoint(distance, 2));
    if (!goesBack) {
        QCOMPARE(detail->x(), qreal(distance));
        QVERIFY(list->isVisible());
    }
    QTest::mouseRelease(vp, Qt::LeftButton, {}, start + QPoint(distance, 2));
    if (goesBack) {
        QTRY_COMPARE(view->pageCount(), 1);
        QCOMPARE(view->topPage(), static_cast<qvmGraphicsItem*>(list));
        QCOMPARE(list->pos(), QPointF(0, 0));
    } else {
        QCOMPARE(view->pageCount(), 2);
        QCOMPARE(detail->pos(), QPointF(0, 0));
        QVERIFY(!list->isVisible());
    }
}

void TestResultView::lastPageSwipeEmitsGotoCondition()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    QSignalSpy spy(view, &qvmResultView::gotoCondition);
    view->goBack();
    QVERIFY(spy.wait(2000));
    QCOMPARE(view->pageCount(), 1);
    QCOMPARE(list->pos(), QPointF(0, 0));
}

void TestResultView::verticalFlick_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("coasts");
    QTest::newRow("short drag") << 99 << 100 << false;
    QTest::newRow("flick of 100") << 100 << 100 << true;
    QTest::newRow("long fast flick") << 300 << 50 << true;
    QTest::newRow("flick downwards") << -150 << 100 << true;
}

void TestResultView::verticalFlick()
{
    QFETCH(int, distance);
    QFETCH(int, ms);
    QFETCH(bool, coasts);
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 60, 0, records(1, 20)));
    QVERIFY(list);
    QScrollBar* sb = view->verticalScrollBar();
    QVERIFY(sb->maximum() > 600);
    sb->setValue(distance < 0 ? 400 : 0);
    const int before = sb->value();

    const QDateTime t0 = QDateTime::currentDateTime();
    kwdClock::setNow(t0);
    QWidget* vp = view->viewport();
    const QPoint start(180, distance < 0 ? 100 : 500);
    QTest::mousePress(vp, Qt::LeftButton, {}, start);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(vp, start - QPoint(0, distance * i / steps));
    // The drag itself moved the content with the finger (once past the tap slop).
    QVERIFY(qAbs(sb->value() - before) > 0);
    QCOMPARE(qAbs(sb->value() - before) <= qAbs(distance), true);
    kwdClock::setNow(t0.addMSecs(ms));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, start - QPoint(0, distance));
    QCOMPARE(view->isCoasting(), coasts);
    if (!coasts)
        return;
    const double expected = qBound(-1000.0, distance * 1000.0 / ms, 1000.0);
    QCOMPARE(view->coastVelocity(), expected);
    const int released = sb->value();
    // Each tick slows the coast until it stops; the content moves on in the flick's direction.
    kwdClock::setNow(t0.addMSecs(ms + 64));
    QTRY_VERIFY(!view->isCoasting());
    QVERIFY(distance > 0 ? sb->value() > released : sb->value() < released);
}

void TestResultView::pendingScrollYieldsToFinger_data()
{
    QTest::addColumn<bool>("press");
    QTest::addColumn<bool>("push");
    QTest::newRow("left alone") << false << false;
    QTest::newRow("finger down") << true << false;
    QTest::newRow("page pushed") << false << true;
}

void TestResultView::pendingScrollYieldsToFinger()
{
    QFETCH(bool, press);
    QFETCH(bool, push);
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 60, 0, records(1, 20)));
    QVERIFY(list);
    QScrollBar* sb = view->verticalScrollBar();
    sb->setValue(100);
    view->scrollLater(400);
    QVERIFY(view->isScrollPending());
    if (press)
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    if (push) {
        server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1))));
        view->openDetail(2, list->rows.first());
    }
    QTRY_VERIFY(!view->isScrollPending());
    if (press) {
        QCOMPARE(sb->value(), 100);
        // Lifting the finger far away: no tap, and the list stays where the finger left it.
        QTest::mouseMove(view->viewport(), QPoint(100, 120));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(100, 120));
        QCOMPARE(view->pageCount(), 1);
        QVERIFY(sb->value() < 100);
    } else if (push)
        QCOMPARE(sb->value(), 0);
    else
        QCOMPARE(sb->value(), 400);
}

void TestResultView::openRelatedMoreSales()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    qvmListItem* row = list->rows.first();
    server->setResponse(kListPath, answer(document(QStringLiteral("forsale"), 1, 0, records(50, 1))));
    view->openRelated(qvmListItem::LinkMoreSales, row, QString());
    QCOMPARE(view->pageCount(), 2);
    auto* more = static_cast<qvmResultListItem*>(view->topPage());
    QCOMPARE(more->kind(), int(qvmGraphicsItem::KindList));
    QVERIFY(more->ownsCondition);
    QCOMPARE(more->condition->category, 2);
    QCOMPARE(more->condition->field(kwdFinder::Mode), QStringLiteral("103"));
    QCOMPARE(more->condition->field(kwdFinder::HaId), row->id);
    QCOMPARE(more->condition->field(kwdFinder::HaName), row->name);
    QCOMPARE(more->condition->field(kwdFinder::City), QStringLiteral("Beijing"));
    QTRY_COMPARE(more->rows.size(), 1);
    // Run again in place (a new sort order), the list keeps its record and still owns it.
    kwdFinder* record = more->condition;
    view->openList(record, false, false);
    QCOMPARE(view->topPage(), static_cast<qvmGraphicsItem*>(more));
    QCOMPARE(more->condition, record);
    QVERIFY(more->ownsCondition);
    QTRY_COMPARE(more->rows.size(), 1);
    // Unknown actions do nothing.
    view->openRelated(7, row, QString());
    view->openRelated(-1, row, QString());
    QCOMPARE(view->pageCount(), 2);
}

void TestResultView::showPushReplacesOldPushPage()
{
    qvmResultListItem* list = openSaleList(document(QStringLiteral("forsale"), 3, 0, records(1, 3)));
    QVERIFY(list);
    QWidget pushBar;
    view->setPushBar(&pushBar);
    QList<qvmListItem*> first;
    QList<qvmListItem*> second;
    for (int i = 0; i < 3; ++i) {
        auto* row = new qvmSaleItem;
        row->id = QStringLiteral("n%1").arg(i);
        (i < 2 ? first : second) << row;
    }
    view->showPush(first, 2);
    QTRY_VERIFY(!view->isAnimating());
    auto* push = static_cast<qvmResultListItem*>(view->topPage());
    QCOMPARE(push->rows.size(), 2);
    QVERIFY(push->moreRect.isEmpty());
    QCOMPARE(push->lastIndex, push->total);
    // A detail opened from the push page goes with it when new listings replace the old ones.
    server->setResponse(kDetailPath, answer(document(QStringLiteral("forsale"), 1, 0, records(1, 1))));
    view->openDetail(2, first.first());
    QTRY_VERIFY(!view->isAnimating());
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
    qDeleteAll(first);
    qDeleteAll(second);
}

KWD_TEST_MAIN(TestResultView)
#include "tst_qvmresultview.moc"

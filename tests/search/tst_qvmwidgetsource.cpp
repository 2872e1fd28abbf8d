#include "conditionview.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmhttpholder.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsource.h"
#include "titlebar.h"

#include <QApplication>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>

class TestWidgetSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void startsOnAreaPage();
    void categorySearchOpensList_data();
    void categorySearchOpensList();
    void backFromEachPage_data();
    void backFromEachPage();
    void conditionRoundTrip();
    void sortAction_data();
    void sortAction();
    void pushConditionBack_data();
    void pushConditionBack();
    void favoriteActionReachesView();
    void swipingLastPageReturnsToArea();

private:
    // Opens a list of the current record's category from the area page and waits for its rows.
    qvmResultListItem* searchCategory(int category);
    QList<QJsonObject> listRequests() const;

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    qvmWidgetSource* page = nullptr;
    kwdFinder* finder = nullptr;
};

void TestWidgetSource::initTestCase()
{
    service = new kwdLocalService;
    QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
}

void TestWidgetSource::cleanupTestCase()
{
    delete service;
}

void TestWidgetSource::init()
{
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("北京"), {kwdNameCode{QStringLiteral("北京"), QStringLiteral("bj")}});
    // No earlier search: the area page does not repeat one on start.
    finder = new kwdFinder(QStringLiteral("current"), -1);
    finder->setField(kwdFinder::Province, QStringLiteral("北京"));
    finder->setField(kwdFinder::City, QStringLiteral("北京"));
    store->finders.append(finder);
    store->currentFinder = finder;
    store->currentNewHouseFinder = new kwdFinder(QStringLiteral("push"), 2);
    store->newHouseFinders.append(store->currentNewHouseFinder);
    holder = new qvmHttpHolder;
    page = new qvmWidgetSource;
    page->resize(360, 600);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QVERIFY(service->clearLog());
    QTest::qWait(20);
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageArea));
}

void TestWidgetSource::cleanup()
{
    delete page;
    page = nullptr;
    delete holder;
    kwdStore::destroy();
}

QList<QJsonObject> TestWidgetSource::listRequests() const
{
    QList<QJsonObject> found;
    for (const QJsonObject& o : service->log()) {
        if (o.value(QStringLiteral("path")).toString().endsWith(QStringLiteral("list.html")))
            found << o;
    }
    return found;
}

qvmResultListItem* TestWidgetSource::searchCategory(int category)
{
    finder->category = category;
    page->onSearchFromAreaView(false);
    qvmResultView* view = page->resultView();
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    if (!list || list->kind() != qvmGraphicsItem::KindList)
        return nullptr;
    if (!QTest::qWaitFor([&] { return list->listRequest == -1 && !view->isAnimating(); }, 10000))
        return nullptr;
    return list;
}

void TestWidgetSource::startsOnAreaPage()
{
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageArea));
    QVERIFY(!page->titleBar()->showsTitle());
    QVERIFY(!page->pushBar()->isVisible());
    QCOMPARE(page->numberLabel()->objectName(), QStringLiteral("number"));
    // Back on the area page does nothing.
    page->onGoBack();
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageArea));
}

void TestWidgetSource::categorySearchOpensList_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("sale") << 2 << QStringLiteral("/webservice/kwdforsalelist.html")
                          << QStringLiteral("二手房");
    QTest::newRow("lease") << 3 << QStringLiteral("/webservice/kwdleaselist.html") << QStringLiteral("租房");
    QTest::newRow("housing areas") << 1 << QStringLiteral("/webservice/kwdhalist.html")
                                   << QStringLiteral("楼盘小区");
}

void TestWidgetSource::categorySearchOpensList()
{
    QFETCH(int, category);
    QFETCH(QString, path);
    QFETCH(QString, title);
    qvmResultListItem* list = searchCategory(category);
    QVERIFY(list);
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
    QVERIFY(!list->rows.isEmpty());
    QCOMPARE(page->titleBar()->titleText(), title);
    QVERIFY(page->titleBar()->conditionButton()->isVisible());
    // The first page as the service saw it.
    const QList<QJsonObject> lists = listRequests();
    QCOMPARE(lists.size(), 1);
    QCOMPARE(QStringLiteral("http://") + lists.first().value(QStringLiteral("host")).toString(),
             kwdLocalService::listingHost(QStringLiteral("bj")));
    QCOMPARE(lists.first().value(QStringLiteral("path")).toString(), path);
    QCOMPARE(lists.first().value(QStringLiteral("query")).toString(),
             QStringLiteral("page=1&percount=20&") + finder->buildQuery());
    QCOMPARE(list->moreRect.isEmpty(), list->lastIndex == list->total);
}

void TestWidgetSource::backFromEachPage_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("expectedPage");
    QTest::addColumn<int>("expectedStack");
    QTest::newRow("list alone goes to the area page") << 1 << int(qvmWidgetSource::PageArea) << 0;
    QTest::newRow("detail goes back to the list") << 2 << int(qvmWidgetSource::PageResults) << 1;
}

void TestWidgetSource::backFromEachPage()
{
    QFETCH(int, pages);
    QFETCH(int, expectedPage);
    QFETCH(int, expectedStack);
    qvmResultListItem* list = searchCategory(2);
    QVERIFY(list);
    qvmResultView* view = page->resultView();
    if (pages == 2) {
        view->openDetail(2, list->rows.first());
        QTRY_VERIFY(!view->isAnimating());
    }
    QCOMPARE(view->pageCount(), pages);
    QTest::mouseClick(page->titleBar()->backButton(), Qt::LeftButton);
    QTRY_COMPARE(view->pageCount(), expectedStack);
    QCOMPARE(page->currentPage(), expectedPage);
    if (expectedPage == qvmWidgetSource::PageArea) {
        QVERIFY(!page->titleBar()->showsTitle());
        QVERIFY(!page->pushBar()->isVisible());
    } else {
        QCOMPARE(page->titleBar()->titleText(), QStringLiteral("二手房"));
    }
}

void TestWidgetSource::conditionRoundTrip()
{
    qvmResultListItem* list = searchCategory(2);
    QVERIFY(list);
    const int before = listRequests().size();
    // The right-hand button opens the condition form on the list's record.
    QTest::mouseClick(page->titleBar()->conditionButton(), Qt::LeftButton);
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageCondition));
    QCOMPARE(page->conditionPage()->view()->record(), finder);
    QCOMPARE(page->titleBar()->titleText(), QStringLiteral("二手房-Set Condition"));
    QVERIFY(!page->titleBar()->conditionButton()->isVisible());

    // Back from the form shows the list again with its button.
    page->onGoBack();
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
    QCOMPARE(page->titleBar()->titleText(), QStringLiteral("二手房"));
    QVERIFY(page->titleBar()->conditionButton()->isVisible());
    QCOMPARE(page->titleBar()->conditionButton()->text(), QStringLiteral("Set Condition"));

    // A search from the form runs in the same list page.
    QTest::mouseClick(page->titleBar()->conditionButton(), Qt::LeftButton);
    finder->setField(kwdFinder::Keyword, QStringLiteral("garden"));
    page->onSearchFromConditionView();
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
    QCOMPARE(page->resultView()->pageCount(), 1);
    QCOMPARE(page->resultView()->topPage(), static_cast<qvmGraphicsItem*>(list));
    QTRY_COMPARE(list->listRequest, -1);
    const QList<QJsonObject> lists = listRequests();
    QCOMPARE(lists.size(), before + 1);
    QVERIFY(lists.last().value(QStringLiteral("query")).toString().contains(QStringLiteral("garden")));
}

void TestWidgetSource::sortAction_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<quint32>("param");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("sale by price up")
        << 2 << quint32(11) << int(kwdFinder::SortHouse) << QStringLiteral("p1");
    QTest::newRow("sale by price down")
        << 2 << quint32(12) << int(kwdFinder::SortHouse) << QStringLiteral("p2");
    QTest::newRow("housing areas, other code")
        << 1 << quint32(7) << int(kwdFinder::SortHa) << QStringLiteral("7");
}

void TestWidgetSource::sortAction()
{
    QFETCH(int, category);
    QFETCH(quint32, param);
    QFETCH(int, field);
    QFETCH(QString, value);
    // Without a page there is nothing to sort.
    page->onTitleBarAction(1, param);
    QVERIFY(finder->field(field).isEmpty());
    qvmResultListItem* list = searchCategory(category);
    QVERIFY(list);
    const int before = listRequests().size();
    emit page->titleBar()->doAction(1, param);
    QCOMPARE(finder->field(field), value);
    QCOMPARE(page->resultView()->topPage(), static_cast<qvmGraphicsItem*>(list));
    QTRY_COMPARE(list->listRequest, -1);
    QCOMPARE(listRequests().size(), before + 1);
}

void TestWidgetSource::pushConditionBack_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("withResults");
    QTest::addColumn<int>("expectedPage");
    QTest::newRow("subscribed with results")
        << QStringLiteral("1") << true << int(qvmWidgetSource::PageResults);
    QTest::newRow("subscribed, nothing shown")
        << QStringLiteral("1") << false << int(qvmWidgetSource::PageArea);
    QTest::newRow("not subscribed") << QStringLiteral("0") << true << int(qvmWidgetSource::PageArea);
}

void TestWidgetSource::pushConditionBack()
{
    QFETCH(QString, flag);
    QFETCH(bool, withResults);
    QFETCH(int, expectedPage);
    kwdStore::instance()->currentNewHouseFinder->setField(kwdFinder::PushFlag, flag);
    if (withResults)
        QVERIFY(searchCategory(2));
    // The bar's button opens the push condition form like the area page's push button.
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("newhouseSet")), Qt::LeftButton);
    QCOMPARE(page->currentPage(), int(qvmWidgetSource::PagePushCondition));
    QCOMPARE(page->titleBar()->titleText(), QStringLiteral("new house condition"));
    QVERIFY(page->titleBar()->backButton()->isVisible());
    QVERIFY(!page->titleBar()->conditionButton()->isVisible());
    page->onGoBack();
    QCOMPARE(page->currentPage(), expectedPage);
    if (expectedPage == qvmWidgetSource::PageArea) {
        QVERIFY(!page->titleBar()->showsTitle());
    } else {
        QCOMPARE(page->titleBar()->titleText(), QStringLiteral("二手房"));
        QVERIFY(page->titleBar()->conditionButton()->isVisible());
    }
}

void TestWidgetSource::favoriteActionReachesView()
{
    qvmResultListItem* list = searchCategory(2);
    QVERIFY(list);
    qvmResultView* view = page->resultView();
    view->openDetail(2, list->rows.first());
    QTRY_VERIFY(!view->isAnimating());
    QVERIFY(page->titleBar()->favoriteButton()->isVisible());
    QTest::mouseClick(page->titleBar()->favoriteButton(), Qt::LeftButton);
    QVERIFY(kwdStore::instance()->isFavorite(list->rows.first()));
    QTest::mouseClick(page->titleBar()->favoriteButton(), Qt::LeftButton);
    QVERIFY(!kwdStore::instance()->isFavorite(list->rows.first()));
}

void TestWidgetSource::swipingLastPageReturnsToArea()
{
    QVERIFY(searchCategory(3));
    qvmResultView* view = page->resultView();
    QWidget* vp = view->viewport();
    const QPoint start(10, 200);
    QTest::mousePress(vp, Qt::LeftButton, {}, start);
    for (int dx = 20; dx <= 200; dx += 20)
        QTest::mouseMove(vp, start + QPoint(dx, 0));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, start + QPoint(200, 0));
    QTRY_COMPARE(page->currentPage(), int(qvmWidgetSource::PageArea));
    QCOMPARE(view->pageCount(), 0);
    QVERIFY(!page->titleBar()->showsTitle());
}

KWD_TEST_MAIN(TestWidgetSource)
#include "tst_qvmwidgetsource.moc"

#include "conditionview.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmhttpholder.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsource.h"
#include "titlebar.h"

#include <QApplication>
#include <QJsonObject>
#include <QPushButton>
#include <QtTest>

// The search page against the local service: category searches and their first request, back from
// every page (push form rule included), the condition form round trip and the favourite toggle.
class TestWidgetSource : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
    }

    void cleanupTestCase() { delete service; }

    void init()
    {
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        store->cities.insert(QStringLiteral("北京"),
                             {kwdNameCode{QStringLiteral("北京"), QStringLiteral("bj")}});
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
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageArea));
    }

    void cleanup()
    {
        delete page;
        delete holder;
        kwdStore::destroy();
    }

    void categorySearchOpensList_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("sale") << 2 << QStringLiteral("/webservice/kwdforsalelist.html")
                              << QStringLiteral("二手房");
        QTest::newRow("lease") << 3 << QStringLiteral("/webservice/kwdleaselist.html")
                               << QStringLiteral("租房");
        QTest::newRow("housing areas")
            << 1 << QStringLiteral("/webservice/kwdhalist.html") << QStringLiteral("楼盘小区");
    }

    void categorySearchOpensList()
    {
        QFETCH(int, category);
        qvmResultListItem* list = searchCategory(category);
        QVERIFY(list && !list->rows.isEmpty());
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
        QTEST(page->titleBar()->titleText(), "title");
        QVERIFY(page->titleBar()->conditionButton()->isVisible());
        // The first page as the service saw it.
        const QList<QJsonObject> lists = listRequests();
        QCOMPARE(lists.size(), 1);
        QCOMPARE(QStringLiteral("http://") + lists.first().value(QStringLiteral("host")).toString(),
                 kwdLocalService::listingHost(QStringLiteral("bj")));
        QTEST(lists.first().value(QStringLiteral("path")).toString(), "path");
        QCOMPARE(lists.first().value(QStringLiteral("query")).toString(),
                 QStringLiteral("page=1&percount=20&") + finder->buildQuery());
        QCOMPARE(list->moreRect.isEmpty(), list->lastIndex == list->total);
    }

    void back_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("pushForm");
        QTest::addColumn<bool>("swipe");
        QTest::addColumn<int>("expected");
        const int area = qvmWidgetSource::PageArea;
        const int results = qvmWidgetSource::PageResults;
        QTest::newRow("area page stays") << 0 << QString() << false << area;
        QTest::newRow("list alone: area page") << 1 << QString() << false << area;
        QTest::newRow("list alone swiped: area page") << 1 << QString() << true << area;
        QTest::newRow("detail, favourite toggled: list") << 2 << QString() << false << results;
        QTest::newRow("push form, subscribed: results") << 1 << QStringLiteral("1") << false << results;
        QTest::newRow("push form, subscribed, no results") << 0 << QStringLiteral("1") << false << area;
        QTest::newRow("push form, not subscribed") << 1 << QStringLiteral("0") << false << area;
    }

    void back()
    {
        QFETCH(int, pages);
        QFETCH(QString, pushForm);
        QFETCH(bool, swipe);
        QFETCH(int, expected);
        qvmResultView* view = page->resultView();
        TitleBar* bar = page->titleBar();
        qvmResultListItem* list = pages > 0 ? searchCategory(2) : nullptr;
        QVERIFY(list || pages == 0);
        if (pages == 2) {
            view->openDetail(2, list->rows.first());
            QTRY_VERIFY(!view->isAnimating());
            QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
            QVERIFY(kwdStore::instance()->isFavorite(list->rows.first()));
            QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
            QVERIFY(!kwdStore::instance()->isFavorite(list->rows.first()));
        }
        if (!pushForm.isEmpty()) {
            kwdStore::instance()->currentNewHouseFinder->setField(kwdFinder::PushFlag, pushForm);
            // The bar's button opens the push condition form like the area page's push button.
            QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("newhouseSet")), Qt::LeftButton);
            QCOMPARE(page->currentPage(), int(qvmWidgetSource::PagePushCondition));
            QCOMPARE(bar->titleText(), QStringLiteral("new house condition"));
            QVERIFY(bar->backButton()->isVisible() && !bar->conditionButton()->isVisible());
        }
        if (swipe) {
            // Swiping the only list away returns to the area page like its back button.
            const QPoint start(10, 200);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, start);
            for (int dx = 20; dx <= 200; dx += 20)
                QTest::mouseMove(view->viewport(), start + QPoint(dx, 0));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, start + QPoint(200, 0));
        } else if (bar->backButton()->isVisible()) {
            QTest::mouseClick(bar->backButton(), Qt::LeftButton);
        } else {
            page->onGoBack();
        }
        QTRY_COMPARE(page->currentPage(), expected);
        if (expected == qvmWidgetSource::PageArea) {
            QVERIFY(!bar->showsTitle() && !page->pushBar()->isVisible());
            if (pushForm.isEmpty())
                QCOMPARE(view->pageCount(), 0);
        } else {
            QTRY_COMPARE(view->pageCount(), 1);
            QCOMPARE(bar->titleText(), QStringLiteral("二手房"));
            QVERIFY(bar->conditionButton()->isVisible());
        }
    }

    void conditionRoundTrip()
    {
        qvmResultListItem* list = searchCategory(2);
        QVERIFY(list);
        TitleBar* bar = page->titleBar();
        const int before = listRequests().size();
        // The right-hand button opens the condition form on the list's record.
        QTest::mouseClick(bar->conditionButton(), Qt::LeftButton);
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageCondition));
        QCOMPARE(page->conditionPage()->view()->record(), finder);
        QCOMPARE(bar->titleText(), QStringLiteral("二手房-Set Condition"));
        QVERIFY(!bar->conditionButton()->isVisible());
        // Back from the form shows the list again with its button.
        page->onGoBack();
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
        QCOMPARE(bar->titleText(), QStringLiteral("二手房"));
        QVERIFY(bar->conditionButton()->isVisible());
        QCOMPARE(bar->conditionButton()->text(), QStringLiteral("Set Condition"));
        // A search from the form runs in the same list page.
        QTest::mouseClick(bar->conditionButton(), Qt::LeftButton);
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

private:
    // Opens a list of the current record's category from the area page and waits for its rows.
    qvmResultListItem* searchCategory(int category)
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

    QList<QJsonObject> listRequests() const
    {
        QList<QJsonObject> found;
        for (const QJsonObject& o : service->log()) {
            if (o.value(QStringLiteral("path")).toString().endsWith(QStringLiteral("list.html")))
                found << o;
        }
        return found;
    }

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    qvmWidgetSource* page = nullptr;
    kwdFinder* finder = nullptr;
};

KWD_TEST_MAIN(TestWidgetSource)
#include "tst_qvmwidgetsource.moc"

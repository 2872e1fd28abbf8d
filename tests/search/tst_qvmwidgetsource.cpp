#include "conditionview.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
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

// The search page against the local service: category searches, their first request and a search
// from the condition form, back from every page (condition and push forms included), the favourite toggle.
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
        kwdFavorites::destroy();
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        store->cities.insert(QStringLiteral("北京"), {kwdNameCode{"北京", "bj"}});
        // No earlier search: the area page does not repeat one on start.
        finder = new kwdFinder(QStringLiteral("current"), -1);
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
    }

    void cleanup()
    {
        delete page;
        delete holder;
        kwdFavorites::destroy();
        kwdStore::destroy();
    }

    void categorySearchOpensList_data()
    {
        kwdColumns<QString, int>("path", "category");
        kwdRow("sale", "/webservice/kwdforsalelist.html", 2);
        kwdRow("lease", "/webservice/kwdleaselist.html", 3);
        kwdRow("housing areas", "/webservice/kwdhalist.html", 1);
    }

    void categorySearchOpensList()
    {
        qvmResultListItem* list = searchCategory(kwdData<int>("category"));
        QVERIFY(list && !list->rows.isEmpty());
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
        // The first page as the service saw it.
        const QList<QJsonObject> lists = listRequests();
        QCOMPARE(lists.size(), 1);
        QCOMPARE("http://" + lists.first().value("host").toString(), kwdLocalService::listingHost("bj"));
        QTEST(lists.first().value("path").toString(), "path");
        QCOMPARE(lists.first().value("query").toString(), "page=1&percount=20&" + finder->buildQuery());
        // A search from the condition form runs again in the same list page.
        QTest::mouseClick(page->titleBar()->conditionButton(), Qt::LeftButton);
        finder->setField(kwdFinder::Keyword, QStringLiteral("garden"));
        page->onSearchFromConditionView();
        QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageResults));
        QVERIFY(page->resultView()->pageCount() == 1 && page->resultView()->topPage() == list);
        QTRY_COMPARE(list->listRequest, -1);
        QCOMPARE(listRequests().size(), 2);
        QVERIFY(listRequests().last().value("query").toString().contains("garden"));
        // The stored keyword narrows the list: one tap on the bar searches without it.
        TitleBar* bar = page->titleBar();
        QVERIFY(bar->clearConditionButton()->isVisible());
        QTest::mouseClick(bar->clearConditionButton(), Qt::LeftButton);
        QTRY_COMPARE(listRequests().size(), 3);
        QTRY_COMPARE(list->listRequest, -1);
        QVERIFY(!listRequests().last().value("query").toString().contains("keyword"));
        QVERIFY(finder->field(kwdFinder::Keyword).isEmpty());
    }

    void back_data()
    {
        kwdColumns<int, QString, int>("pages", "step", "expected");
        const int area = qvmWidgetSource::PageArea;
        const int results = qvmWidgetSource::PageResults;
        kwdRow("area page stays", 0, QString(), area);
        kwdRow("list alone: area page", 1, QString(), area);
        kwdRow("detail, favourite toggled: list", 2, QString(), results);
        kwdRow("condition form: list", 1, QStringLiteral("condition"), results);
        kwdRow("push form, subscribed: results", 1, QStringLiteral("push 1"), results);
        kwdRow("push form, subscribed, no results", 0, QStringLiteral("push 1"), area);
        kwdRow("push form, not subscribed", 1, QStringLiteral("push 0"), area);
    }

    void back()
    {
        QFETCH(int, pages);
        QFETCH(QString, step);
        QFETCH(int, expected);
        qvmResultView* view = page->resultView();
        TitleBar* bar = page->titleBar();
        qvmResultListItem* list = pages > 0 ? searchCategory(2) : nullptr;
        QVERIFY(list || pages == 0);
        if (pages == 2) {
            view->openDetail(2, list->rows.first());
            QTRY_VERIFY(!view->isAnimating());
            QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
            QVERIFY(kwdFavorites::instance()->contains(list->rows.first()));
            QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
            QVERIFY(!kwdFavorites::instance()->contains(list->rows.first()));
        }
        if (step == QStringLiteral("condition")) {
            // The right-hand button opens the condition form on the list's record.
            QTest::mouseClick(bar->conditionButton(), Qt::LeftButton);
            QCOMPARE(page->currentPage(), int(qvmWidgetSource::PageCondition));
            QCOMPARE(page->conditionPage()->view()->record(), finder);
        } else if (step.startsWith(QStringLiteral("push"))) {
            kwdStore::instance()->currentNewHouseFinder->setField(kwdFinder::PushFlag, step.mid(5));
            // The bar's button opens the push condition form like the area page's push button.
            QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("newhouseSet")), Qt::LeftButton);
            QCOMPARE(page->currentPage(), int(qvmWidgetSource::PagePushCondition));
        }
        if (bar->backButton()->isVisible()) {
            QTest::mouseClick(bar->backButton(), Qt::LeftButton);
        } else {
            page->onGoBack();
        }
        QTRY_COMPARE(page->currentPage(), expected);
        if (expected == qvmWidgetSource::PageArea)
            QVERIFY(step.startsWith(QStringLiteral("push")) || view->pageCount() == 0);
        else
            QTRY_COMPARE(view->pageCount(), 1);
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
        QList<QJsonObject> found = service->log();
        found.removeIf(
            [](const QJsonObject& o) { return !o.value("path").toString().endsWith("list.html"); });
        return found;
    }

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    qvmWidgetSource* page = nullptr;
    kwdFinder* finder = nullptr;
};

KWD_TEST_MAIN(TestWidgetSource)
#include "tst_qvmwidgetsource.moc"

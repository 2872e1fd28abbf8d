#include "kwdfinder.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmprojectitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"

#include <QApplication>
#include <QDomDocument>
#include <QImage>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

namespace {

// A row of a fixed height and kind that counts how often it was painted and offers the links it is given.
class FakeRow : public qvmListItem
{
public:
    explicit FakeRow(int h, int* paints = nullptr) : rowHeight(h), paintCount(paints)
    {
        id = QStringLiteral("f");
    }
    int height(int, int) override { return rowHeight; }
    void paint(QPainter*, const QRect&, int) override
    {
        if (paintCount)
            ++*paintCount;
        painted = true;
    }
    QList<qvmLink> links() const override { return fakeLinks; }
    int type() const override { return kind; }

    int rowHeight;
    int* paintCount;
    int kind = qvmListItem::TypeSale;
    bool painted = false;
    QList<qvmLink> fakeLinks;
};

// A page that only records how it was treated.
class FakePage : public qvmGraphicsItem
{
public:
    explicit FakePage(int h) : h(h) {}
    QRectF boundingRect() const override { return QRectF(0, 0, 360, h); }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
    void onResponse(int, int) override {}
    void activate(bool) override { ++activations; }
    int h;
    int activations = 0;
};

QList<qvmListItem*> makeRows(const QList<int>& heights, int* paints = nullptr)
{
    QList<qvmListItem*> rows;
    for (int h : heights)
        rows << new FakeRow(h, paints);
    return rows;
}

} // namespace

// The pages of the result view without a network: row geometry and painting, the picture grid,
// detail links, and the page stack.
class TestResultPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        kwdStore::destroy();
        holder = new qvmHttpHolder;
        view = new qvmResultView(nullptr, nullptr);
        view->resize(360, 600);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }

    void cleanup()
    {
        delete view;
        delete holder;
        kwdStore::destroy();
    }

    void rowAt_data()
    {
        QTest::addColumn<qreal>("y");
        QTest::addColumn<int>("expected");
        // Rows of 40, 60, 10 and 90 pixels.
        QTest::newRow("top of the first row") << 0.0 << 0;
        QTest::newRow("last pixel of the first row") << 39.5 << 0;
        QTest::newRow("top of the second row") << 40.0 << 1;
        QTest::newRow("thin third row") << 105.0 << 2;
        QTest::newRow("bottom edge is the next row") << 110.0 << 3;
        QTest::newRow("below the rows") << 200.0 << -1;
        QTest::newRow("above the rows") << -1.0 << -1;
    }

    void rowAt()
    {
        QFETCH(qreal, y);
        QFETCH(int, expected);
        int paints = 0;
        qvmResultListItem list(view);
        const QList<qvmListItem*> rows = makeRows({40, 60, 10, 90}, &paints);
        list.setRows(rows, 2);
        QCOMPARE(list.hitTest(QPointF(100, y)), expected);
        // Painting a strip half a pixel high at y draws that row alone.
        QImage canvas(360, 10, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        QStyleOptionGraphicsItem option;
        option.exposedRect = QRectF(0, y, 360, 0.5);
        list.paint(&painter, &option, nullptr);
        QCOMPARE(paints, expected < 0 ? 0 : 1);
        QVERIFY(expected < 0 || static_cast<FakeRow*>(rows.at(expected))->painted);
        qDeleteAll(rows);
    }

    void imageGridColumns_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("imageCount");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("gridRows");
        QTest::newRow("narrower than a cell") << 100 << 3 << 0 << 1 << 3;
        QTest::newRow("phone width") << 360 << 7 << 0 << 3 << 3;
        QTest::newRow("count from the listing") << 360 << 2 << 10 << 3 << 4;
        QTest::newRow("wide, many pictures") << 500 << 30 << 0 << 4 << 8;
    }

    void imageGridColumns()
    {
        QFETCH(int, width);
        QFETCH(int, entries);
        QFETCH(int, imageCount);
        view->resize(width, 600);
        QTRY_COMPARE(view->viewport()->width(), width);
        FakeRow row(50);
        row.imageCount = imageCount;
        qvmGItemImageList page(view, &row);
        page.pictures.resize(entries);
        page.relayout();
        QTEST(qvmGItemImageList::columns(width), "columns");
        // Never shorter than the viewport, else rows of 90 pixels and the margins.
        QFETCH(int, gridRows);
        QCOMPARE(page.boundingRect().size().toSize(),
                 QSize(width, qMax(gridRows * 90 + 18, view->viewport()->height())));
        // Every entry has a cell of 90 pixels high, and no two cells overlap.
        for (int i = 0; i < entries; ++i) {
            const QRectF cell = page.pictures.at(i).cell;
            QVERIFY(!cell.isEmpty() && cell.height() == 90.0);
            for (int j = 0; j < i; ++j)
                QVERIFY(!cell.intersects(page.pictures.at(j).cell));
        }
    }

    void enlargeAndClose()
    {
        FakeRow row(50);
        auto* page = new qvmGItemImageList(view, &row);
        for (int i = 0; i < 4; ++i) {
            qvmPictureEntry e;
            e.smallUrl = QStringLiteral("http://img.kwd.test/s%1.png").arg(i);
            e.bigUrl = QStringLiteral("http://img.kwd.test/b%1.png").arg(i);
            page->pictures.append(e);
        }
        view->pushPage(page);
        page->relayout();
        // A tap on the second cell enlarges it; the big picture is asked for.
        page->clicked(page->pictures.at(1).cell.center());
        QVERIFY(page->enlarged && !page->closeRect.isEmpty());
        QCOMPARE(page->enlargedIndex, 1);
        QCOMPARE(holder->request(page->bigRequest)->url, page->pictures.at(1).bigUrl);
        // While enlarged, taps outside the close area change nothing.
        page->clicked(page->pictures.at(2).cell.center());
        QCOMPARE(page->enlargedIndex, 1);
        page->clicked(page->closeRect.center());
        QVERIFY(!page->enlarged && !page->bigImage);
        // Back on the grid a tap enlarges again.
        page->clicked(page->pictures.at(3).cell.center());
        QCOMPARE(page->enlargedIndex, 3);
        view->clear();
    }

    void detailLinks_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        const int detail = qvmGraphicsItem::KindDetail;
        const int list = qvmGraphicsItem::KindList;
        QTest::newRow("pictures") << 0 << -1 << int(qvmGraphicsItem::KindPlain) << QStringLiteral("图片列表");
        QTest::newRow("district") << 1 << 7 << detail << QStringLiteral("行政区详细");
        QTest::newRow("street") << 2 << 6 << detail << QStringLiteral("道路详细");
        QTest::newRow("housing area") << 3 << 8 << detail << QStringLiteral("楼盘小区详细");
        QTest::newRow("more sales") << 4 << 8 << list << QStringLiteral("二手房");
        QTest::newRow("more leases") << 5 << 8 << list << QStringLiteral("租房");
        // The phone line wins over a link beneath it.
        QTest::newRow("phone line over the link") << 0 << -2 << 0 << QString();
    }

    void detailLinks()
    {
        QFETCH(int, action);
        QFETCH(int, target);
        FakeRow row(400);
        auto* linked = new FakeRow(100);
        linked->kind = target;
        linked->id = QStringLiteral("l1");
        row.children << new qvmListItem << linked;
        qvmLink link;
        link.rect = QRect(10, 100, 80, 20);
        link.action = action;
        link.target = target < 0 ? nullptr : linked;
        row.fakeLinks << link;
        row.complete = true;
        if (target == -2)
            row.contactRect = QRect(0, 105, 360, 40);
        auto* detail = new qvmResultDetailItem(view, 2, &row);
        view->pushPage(detail);
        // A tap beside the link does nothing; a tap on it opens the page.
        detail->clicked(QPointF(200, 300));
        QCOMPARE(view->pageCount(), 1);
        detail->clicked(QPointF(20, 110));
        QCOMPARE(view->pageCount(), target == -2 ? 1 : 2);
        if (target != -2) {
            QTEST(view->topPage()->kind(), "kind");
            QTEST(view->topPage()->title(), "title");
        }
        view->clear();
    }

    void pushDuringSlideLandsEarlierPage()
    {
        auto* a = new FakePage(1000);
        auto* b = new FakePage(800);
        auto* c = new FakePage(700);
        view->pushPage(a);
        QCOMPARE(a->activations, 1);
        view->pushPage(b);
        QVERIFY(view->isAnimating());
        // The next page arrives before b finished sliding: b is put in place and activated first.
        view->pushPage(c);
        QCOMPARE(b->activations, 1);
        QCOMPARE(b->pos(), QPointF(0, 0));
        QVERIFY(!a->isVisible());
        QTRY_COMPARE(c->activations, 1);
        QCOMPARE(c->pos(), QPointF(0, 0));
        QVERIFY(!b->isVisible());
        QCOMPARE(view->sceneRect(), QRectF(0, 0, 360, 700));
        view->clear();
        QCOMPARE(view->pageCount(), 0);
    }

    void openListWithoutListOnTop()
    {
        auto* finder = new kwdFinder(QStringLiteral("f"), 3);
        kwdStore::instance()->finders.append(finder);
        kwdStore::instance()->currentFinder = finder;
        view->pushPage(new FakePage(600));
        // Nothing to reuse on top: the search still opens, as a new page.
        view->openList(finder, false, false);
        QCOMPARE(view->pageCount(), 2);
        QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindList));
        QCOMPARE(static_cast<qvmResultListItem*>(view->topPage())->category, 3);
        view->clear();
    }

    void relatedGroupList_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("first group") << QStringLiteral("周边小区") << QStringList({"h2", "h3"});
        QTest::newRow("second group") << QStringLiteral("同价位小区") << QStringList({"h4"});
        QTest::newRow("no such group") << QStringLiteral("other") << QStringList();
    }

    void relatedGroupList()
    {
        QFETCH(QString, group);
        QDomDocument doc;
        QVERIFY(doc.setContent(
            QStringLiteral("<ha><id>h1</id><name>Main</name><relateha>"
                           "<group type=\"周边小区\"><ha><id>h2</id><name>A</name></ha>"
                           "<ha><id>h3</id><name>B</name></ha></group>"
                           "<group type=\"同价位小区\"><ha><id>h4</id><name>C</name></ha></group>"
                           "</relateha></ha>")));
        qvmProjectItem project;
        QVERIFY(project.read(doc.documentElement()));
        view->openRelated(qvmListItem::LinkRelated, &project, group);
        QCOMPARE(view->pageCount(), 1);
        auto* list = static_cast<qvmResultListItem*>(view->topPage());
        QVERIFY(list->kind() == qvmGraphicsItem::KindList && list->fixedRows);
        QCOMPARE(list->title(), group);
        QStringList got;
        for (const qvmListItem* row : std::as_const(list->rows))
            got << row->id;
        QTEST(got, "ids");
        // The rows stay the housing area's: the list never asks for pages of them.
        QVERIFY(list->moreRect.isEmpty() && list->listRequest == -1);
        view->clear();
        QCOMPARE(project.id, QStringLiteral("h1"));
    }

private:
    qvmHttpHolder* holder = nullptr;
    qvmResultView* view = nullptr;
};

KWD_TEST_MAIN(TestResultPages)
#include "tst_qvmresultpages.moc"

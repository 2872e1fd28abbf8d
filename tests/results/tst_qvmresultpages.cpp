#include "kwdfinder.h"
#include "kwdscrollbar.h"
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

// A row of a fixed height that counts how often it was painted and offers the links it is given.
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
    int type() const override { return qvmListItem::TypeSale; }

    int rowHeight;
    int* paintCount;
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

} // namespace

class TestResultPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void hitTest_data();
    void hitTest();
    void paintsOnlyExposedRows_data();
    void paintsOnlyExposedRows();
    void loadMoreRowHeight();
    void imageGridColumns_data();
    void imageGridColumns();
    void enlargeAndClose();
    void detailLinks_data();
    void detailLinks();
    void detailTitle_data();
    void detailTitle();
    void pushDuringSlideLandsEarlierPage();
    void openListWithoutListOnTop();
    void indicatorWhileFingerDown_data();
    void indicatorWhileFingerDown();
    void relatedGroupList_data();
    void relatedGroupList();
    void contactTapOpensNothingYet();

private:
    QList<qvmListItem*> makeRows(const QList<int>& heights, int* paints = nullptr);

    qvmHttpHolder* holder = nullptr;
    qvmResultView* view = nullptr;
};

void TestResultPages::init()
{
    kwdStore::destroy();
    holder = new qvmHttpHolder;
    view = new qvmResultView(nullptr, nullptr);
    view->resize(360, 600);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
}

void TestResultPages::cleanup()
{
    delete view;
    view = nullptr;
    delete holder;
    kwdStore::destroy();
}

QList<qvmListItem*> TestResultPages::makeRows(const QList<int>& heights, int* paints)
{
    QList<qvmListItem*> rows;
    for (int h : heights)
        rows << new FakeRow(h, paints);
    return rows;
}

void TestResultPages::hitTest_data()
{
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<qreal>("y");
    QTest::addColumn<int>("expected");
    const QList<int> mixed = {40, 60, 10, 90};
    QTest::newRow("top of the first row") << mixed << 0.0 << 0;
    QTest::newRow("last pixel of the first row") << mixed << 39.5 << 0;
    QTest::newRow("top of the second row") << mixed << 40.0 << 1;
    QTest::newRow("thin third row") << mixed << 105.0 << 2;
    QTest::newRow("bottom edge is the next row") << mixed << 110.0 << 3;
    QTest::newRow("last pixel") << mixed << 199.9 << 3;
    QTest::newRow("below the rows") << mixed << 200.0 << -1;
    QTest::newRow("above the rows") << mixed << -1.0 << -1;
    QTest::newRow("no rows") << QList<int>() << 10.0 << -1;
}

void TestResultPages::hitTest()
{
    QFETCH(QList<int>, heights);
    QFETCH(qreal, y);
    QFETCH(int, expected);
    auto* list = new qvmResultListItem(view);
    const QList<qvmListItem*> rows = makeRows(heights);
    list->setRows(rows, 2);
    view->pushPage(list);
    QCOMPARE(list->hitTest(QPointF(100, y)), expected);
    view->clear();
    qDeleteAll(rows);
}

void TestResultPages::paintsOnlyExposedRows_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("painted");
    // Rows are 50 pixels high.
    QTest::newRow("first screen of 20") << 20 << 0 << 600 << 12;
    QTest::newRow("first screen of 5000") << 5000 << 0 << 600 << 12;
    QTest::newRow("middle of 5000, aligned") << 5000 << 100000 << 100600 << 12;
    QTest::newRow("middle of 5000, straddling") << 5000 << 100025 << 100625 << 13;
    QTest::newRow("past the end") << 20 << 2000 << 2600 << 0;
    QTest::newRow("one pixel") << 5000 << 4999 << 5000 << 1;
}

void TestResultPages::paintsOnlyExposedRows()
{
    QFETCH(int, rowCount);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, painted);
    int paints = 0;
    auto* list = new qvmResultListItem(view);
    const QList<qvmListItem*> rows = makeRows(QList<int>(rowCount, 50), &paints);
    list->setRows(rows, 2);
    QImage canvas(360, 600, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    painter.translate(0, -top);
    QStyleOptionGraphicsItem option;
    option.exposedRect = QRectF(0, top, 360, bottom - top);
    list->paint(&painter, &option, nullptr);
    QCOMPARE(paints, painted);
    // The painted rows are the ones that meet the exposed rectangle.
    for (int i = 0; i < rowCount; ++i) {
        const bool meets = list->rowRect(i).intersects(option.exposedRect);
        if (static_cast<FakeRow*>(rows.at(i))->painted != meets)
            QFAIL(qPrintable(QStringLiteral("row %1 painted %2").arg(i).arg(!meets)));
    }
    delete list;
    qDeleteAll(rows);
}

void TestResultPages::loadMoreRowHeight()
{
    auto* list = new qvmResultListItem(view);
    const QList<qvmListItem*> rows = makeRows({30, 30});
    list->setRows(rows, 2);
    QVERIFY(list->moreRect.isEmpty());
    // A list that has not reached its total offers a row of 36 points for the next page.
    list->total = 10;
    list->relayout();
    QCOMPARE(list->moreRect, QRectF(0, 60, 360, kwdStore::instance()->pointsToPixels(36)));
    QCOMPARE(list->hitTest(QPointF(10, 61)), int(qvmResultListItem::MoreRow));
    QCOMPARE(list->boundingRect().height(), 60 + list->moreRect.height());
    delete list;
    qDeleteAll(rows);
}

void TestResultPages::imageGridColumns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("imageCount");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("gridRows");
    QTest::newRow("narrower than a cell") << 100 << 3 << 0 << 1 << 3;
    QTest::newRow("phone width") << 360 << 7 << 0 << 3 << 3;
    QTest::newRow("count from the listing") << 360 << 2 << 10 << 3 << 4;
    QTest::newRow("wide") << 500 << 8 << 0 << 4 << 2;
    QTest::newRow("many pictures") << 360 << 30 << 0 << 3 << 10;
}

void TestResultPages::imageGridColumns()
{
    QFETCH(int, width);
    QFETCH(int, entries);
    QFETCH(int, imageCount);
    QFETCH(int, columns);
    QFETCH(int, gridRows);
    view->resize(width, 600);
    QTRY_COMPARE(view->viewport()->width(), width);
    FakeRow row(50);
    row.imageCount = imageCount;
    qvmGItemImageList page(view, &row);
    for (int i = 0; i < entries; ++i)
        page.pictures.append(qvmPictureEntry());
    page.relayout();
    QCOMPARE(qvmGItemImageList::columns(width), columns);
    // Never shorter than the viewport, else rows of 90 pixels and the margins.
    QCOMPARE(int(page.boundingRect().height()), qMax(gridRows * 90 + 18, view->viewport()->height()));
    QCOMPARE(int(page.boundingRect().width()), width);
    // Every entry has a cell; cells of a row share their top, and no two cells overlap.
    for (int i = 0; i < entries; ++i) {
        const QRectF cell = page.pictures.at(i).cell;
        QVERIFY(!cell.isEmpty());
        QCOMPARE(cell.height(), 90.0);
        for (int j = 0; j < i; ++j)
            QVERIFY(!cell.intersects(page.pictures.at(j).cell));
    }
}

void TestResultPages::enlargeAndClose()
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
    QVERIFY(page->enlarged);
    QCOMPARE(page->enlargedIndex, 1);
    QVERIFY(page->bigRequest > 0);
    QCOMPARE(holder->request(page->bigRequest)->url, page->pictures.at(1).bigUrl);
    QVERIFY(!page->closeRect.isEmpty());
    // While enlarged, taps outside the close area change nothing.
    page->clicked(page->pictures.at(2).cell.center());
    QCOMPARE(page->enlargedIndex, 1);
    page->clicked(page->closeRect.center());
    QVERIFY(!page->enlarged);
    QVERIFY(!page->bigImage);
    // Back on the grid a tap enlarges again.
    page->clicked(page->pictures.at(3).cell.center());
    QCOMPARE(page->enlargedIndex, 3);
    view->clear();
}

void TestResultPages::detailLinks_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("pictures") << 0 << int(qvmGraphicsItem::KindPlain) << QStringLiteral("图片列表");
    QTest::newRow("district") << 1 << int(qvmGraphicsItem::KindDetail) << QStringLiteral("行政区详细");
    QTest::newRow("street") << 2 << int(qvmGraphicsItem::KindDetail) << QStringLiteral("道路详细");
    QTest::newRow("housing area") << 3 << int(qvmGraphicsItem::KindDetail) << QStringLiteral("楼盘小区详细");
    QTest::newRow("more sales") << 4 << int(qvmGraphicsItem::KindList) << QStringLiteral("二手房");
    QTest::newRow("more leases") << 5 << int(qvmGraphicsItem::KindList) << QStringLiteral("租房");
}

void TestResultPages::detailLinks()
{
    QFETCH(int, action);
    QFETCH(int, kind);
    QFETCH(QString, title);
    auto* region = new qvmListItem;
    auto* target = new FakeRow(20);
    FakeRow row(400);
    row.children << region << target;
    // The district, street and housing-area links open their own items.
    struct Fake : public qvmListItem
    {
        explicit Fake(int t) : t(t) {}
        int type() const override { return t; }
        int height(int, int) override { return 100; }
        int t;
    };
    const int types[] = {5, 7, 6, 8, 8, 8};
    auto* linked = new Fake(types[action]);
    linked->id = QStringLiteral("l1");
    row.children << linked;
    qvmLink link;
    link.rect = QRect(10, 100, 80, 20);
    link.action = action;
    link.target = action == 0 ? nullptr : linked;
    row.fakeLinks << link;

    auto* detail = new qvmResultDetailItem(view, 2, &row);
    row.complete = true;
    view->pushPage(detail);
    QCOMPARE(view->pageCount(), 1);
    // A tap beside the link does nothing; a tap on it opens the page.
    detail->clicked(QPointF(200, 300));
    QCOMPARE(view->pageCount(), 1);
    detail->clicked(QPointF(20, 110));
    QCOMPARE(view->pageCount(), 2);
    QCOMPARE(view->topPage()->kind(), kind);
    QCOMPARE(view->topPage()->title(), title);
    view->clear();
}

void TestResultPages::detailTitle_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::newRow("sale") << 5 << QStringLiteral("二手房详细");
    QTest::newRow("lease") << 4 << QStringLiteral("租房详细");
    QTest::newRow("housing area") << 8 << QStringLiteral("楼盘小区详细");
    QTest::newRow("district") << 7 << QStringLiteral("行政区详细");
    QTest::newRow("street") << 6 << QStringLiteral("道路详细");
    QTest::newRow("agency") << 1 << QStringLiteral("详细");
}

void TestResultPages::detailTitle()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    struct Typed : public qvmListItem
    {
        explicit Typed(int t) : t(t) {}
        int type() const override { return t; }
        int t;
    } row(type);
    qvmResultDetailItem detail(view, 2, &row);
    QCOMPARE(detail.title(), title);
    QCOMPARE(detail.kind(), int(qvmGraphicsItem::KindDetail));
}

void TestResultPages::pushDuringSlideLandsEarlierPage()
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

void TestResultPages::openListWithoutListOnTop()
{
    auto* finder = new kwdFinder(QStringLiteral("f"), 3);
    kwdStore::instance()->finders.append(finder);
    kwdStore::instance()->currentFinder = finder;
    auto* page = new FakePage(600);
    view->pushPage(page);
    // Nothing to reuse on top: the search still opens, as a new page.
    view->openList(finder, false, false);
    QCOMPARE(view->pageCount(), 2);
    QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindList));
    QCOMPARE(static_cast<qvmResultListItem*>(view->topPage())->category, 3);
    view->clear();
}

void TestResultPages::indicatorWhileFingerDown_data()
{
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<bool>("shown");
    QTest::newRow("longer than the view") << 3000 << true;
    QTest::newRow("fits the view") << 400 << false;
}

void TestResultPages::indicatorWhileFingerDown()
{
    QFETCH(int, pageHeight);
    QFETCH(bool, shown);
    auto* page = new FakePage(pageHeight);
    view->pushPage(page);
    QGraphicsItem* indicator = view->scrollIndicator();
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(100, 300));
    QCOMPARE(indicator->isVisible(), shown);
    if (shown) {
        // Its length is the visible share of the page.
        const int expected =
            int(view->viewport()->height() * double(view->viewport()->height()) / pageHeight);
        QCOMPARE(int(indicator->boundingRect().height()), expected);
    }
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(100, 300));
    QVERIFY(!indicator->isVisible());
    view->clear();
}

void TestResultPages::relatedGroupList_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("first group") << QStringLiteral("周边小区")
                                 << QStringList({QStringLiteral("h2"), QStringLiteral("h3")});
    QTest::newRow("second group") << QStringLiteral("同价位小区") << QStringList({QStringLiteral("h4")});
    QTest::newRow("no such group") << QStringLiteral("other") << QStringList();
}

void TestResultPages::relatedGroupList()
{
    QFETCH(QString, group);
    QFETCH(QStringList, ids);
    QDomDocument doc;
    QVERIFY(
        doc.setContent(QStringLiteral("<ha><id>h1</id><name>Main</name><relateha>"
                                      "<group type=\"周边小区\"><ha><id>h2</id><name>A</name></ha>"
                                      "<ha><id>h3</id><name>B</name></ha></group>"
                                      "<group type=\"同价位小区\"><ha><id>h4</id><name>C</name></ha></group>"
                                      "</relateha></ha>")));
    qvmProjectItem project;
    QVERIFY(project.read(doc.documentElement()));
    view->openRelated(qvmListItem::LinkRelated, &project, group);
    QCOMPARE(view->pageCount(), 1);
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    QCOMPARE(list->kind(), int(qvmGraphicsItem::KindList));
    QVERIFY(list->fixedRows);
    QCOMPARE(list->title(), group);
    QStringList got;
    for (const qvmListItem* row : std::as_const(list->rows))
        got << row->id;
    QCOMPARE(got, ids);
    // The rows stay the housing area's: the list never asks for pages of them.
    QVERIFY(list->moreRect.isEmpty());
    QCOMPARE(list->listRequest, -1);
    view->clear();
    QCOMPARE(project.id, QStringLiteral("h1"));
}

void TestResultPages::contactTapOpensNothingYet()
{
    FakeRow row(400);
    row.complete = true;
    row.contactRect = QRect(0, 300, 360, 40);
    qvmLink link;
    link.rect = QRect(0, 290, 360, 60);
    link.action = qvmListItem::LinkPictures;
    row.fakeLinks << link;
    auto* detail = new qvmResultDetailItem(view, 2, &row);
    view->pushPage(detail);
    // The phone line wins over a link beneath it.
    detail->clicked(QPointF(100, 310));
    QCOMPARE(view->pageCount(), 1);
    detail->clicked(QPointF(100, 295));
    QCOMPARE(view->pageCount(), 2);
    view->clear();
}

KWD_TEST_MAIN(TestResultPages)
#include "tst_qvmresultpages.moc"

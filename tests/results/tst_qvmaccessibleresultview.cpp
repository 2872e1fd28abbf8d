#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmaccessibleresultview.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QScrollBar>
#include <QtTest>

namespace {

QList<qvmListItem*> saleRows(int count)
{
    QList<qvmListItem*> rows;
    for (int i = 0; i < count; ++i) {
        auto* row = new qvmSaleItem;
        row->id = QString::number(i);
        row->name = QStringLiteral("阳光花园 %1").arg(i);
        row->totalPrice = QStringLiteral("120");
        row->areaSize = QStringLiteral("88");
        row->address = QStringLiteral("长江路 %1 号").arg(i);
        row->district = new qvmItemRegion;
        row->district->name = QStringLiteral("朝阳");
        rows << row;
    }
    return rows;
}

} // namespace

// The result view through the keyboard and through a screen reader's eyes: the rows of a list as
// accessible children made on demand, their names, descriptions and actions, the focus the keys move
// and the events that tell of it.
class TestAccessibleResultView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        holder = new qvmHttpHolder;
        view = new qvmResultView(nullptr);
        view->resize(360, 400);
        view->show();
        QVERIFY(QTest::qWaitForWindowActive(view));
    }

    void cleanup()
    {
        delete view;
        delete holder;
    }

    // A whole result: the name says its count, and only asked-for rows are made, so a long list costs
    // its count, not its rows (a paged list, its load-more row and each row's name, description and
    // press action are read through a real reader by the AT-SPI test).
    void children()
    {
        showList(1000);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QVERIFY(dynamic_cast<qvmAccessibleResultView*>(iface));
        QCOMPARE(iface->childCount(), 1000);
        QCOMPARE(iface->text(QAccessible::Name), kwdStore::categoryTitle(2) + QStringLiteral("，共 1000 套"));
        QAccessibleInterface* last = iface->child(999);
        QCOMPARE(last->text(QAccessible::Name), QStringLiteral("阳光花园 999"));
        const QString description = last->text(QAccessible::Description);
        for (const char* part : {"朝阳", "长江路 999 号", "120", "88"})
            QVERIFY2(description.contains(QString::fromUtf8(part)), qPrintable(description));
        // Asked twice, the same child, which knows its place.
        QCOMPARE(iface->child(999), last);
        QVERIFY(last->parent() == iface && iface->indexOfChild(last) == 999);
        QVERIFY(last->state().offscreen && !iface->child(0)->state().offscreen);
    }

    void keys_data()
    {
        kwdColumns<QList<int>, int>("keys", "focus");
        kwdRow("down starts at the first row", QList<int>{Qt::Key_Down}, 0);
        kwdRow("down down", QList<int>{Qt::Key_Down, Qt::Key_Down}, 1);
        kwdRow("up stops at the first row", QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}, 0);
        kwdRow("end reaches load-more", QList<int>{Qt::Key_End}, 30);
        kwdRow("page down moves a page", QList<int>{Qt::Key_Down, Qt::Key_PageDown}, -2);
    }

    void keys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, focus);
        qvmResultListItem* list = showList(30);
        list->total = 100;
        list->relayout();
        for (int key : keys)
            QTest::keyClick(view, Qt::Key(key));
        if (focus == -2) {
            // A page: past the rows the viewport shows at once.
            const int perPage = int(view->viewport()->height() / list->rowRect(0).height());
            QVERIFY2(list->focusEntry >= perPage - 1 && list->focusEntry <= perPage + 1,
                     qPrintable(QString::number(list->focusEntry)));
        } else {
            QCOMPARE(list->focusEntry, focus);
        }
        // The focused row is in view, is the accessible focus, and its move was told.
        const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY(shown.intersects(list->entryRect(list->focusEntry)));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QCOMPARE(iface->focusChild(), iface->child(list->focusEntry));
        QVERIFY(iface->focusChild()->state().focused);
    }

    void openRow_data()
    {
        QTest::addColumn<bool>("byKey");
        kwdRow("return key on the focused row", true);
        kwdRow("the reader's press action", false);
    }

    void openRow()
    {
        qvmResultListItem* list = showList(3);
        QAccessibleInterface* row = QAccessible::queryAccessibleInterface(view)->child(1);
        if (kwdData<bool>("byKey")) {
            QTest::keyClick(view, Qt::Key_Down);
            QTest::keyClick(view, Qt::Key_Down);
            QTest::keyClick(view, Qt::Key_Return);
        } else {
            row->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QCOMPARE(view->pageCount(), 2);
        QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindDetail));
        QCOMPARE(static_cast<qvmResultDetailItem*>(view->topPage())->row, list->rows.at(1));
        // The children of the list are gone with it.
        QVERIFY(!row->isValid() || QAccessible::queryAccessibleInterface(view)->role() != QAccessible::List);
    }

    // A changed page drops the children made for it (the offscreen platform serves no reader, so the
    // events themselves are read end to end only).
    void changesDropChildren()
    {
        qvmResultListItem* list = showList(20);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QAccessibleInterface* before = iface->child(3);
        QVERIFY(before->isValid());
        view->pageChanged(list);
        QVERIFY(!before->isValid());
        QVERIFY(iface->child(3)->isValid());
        QCOMPARE(iface->child(3)->text(QAccessible::Name), QStringLiteral("阳光花园 3"));
    }

private:
    qvmResultListItem* showList(int count)
    {
        auto* list = new qvmResultListItem(view);
        list->adoptRows(saleRows(count), 2);
        view->pushPage(list);
        view->setFocus();
        return list;
    }

    qvmHttpHolder* holder = nullptr;
    qvmResultView* view = nullptr;
};

KWD_TEST_MAIN(TestAccessibleResultView)
#include "tst_qvmaccessibleresultview.moc"

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
        QCOMPARE(iface->childCount(), 1000);
        QCOMPARE(iface->text(QAccessible::Name), kwdStore::categoryTitle(2) + QStringLiteral("，共 1000 套"));
        QAccessibleInterface* last = iface->child(999);
        QCOMPARE(last->text(QAccessible::Name), QStringLiteral("阳光花园 999"));
        const QString description = last->text(QAccessible::Description);
        for (const char* part : {"朝阳", "长江路 999 号", "120", "88"})
            QVERIFY2(description.contains(QString::fromUtf8(part)), qPrintable(description));
        // The child knows its place.
        QVERIFY(last->parent() == iface && iface->indexOfChild(last) == 999);
        QVERIFY(last->state().offscreen && !iface->child(0)->state().offscreen);
    }

    // The keys move the focus; Return, or the reader's press action (0 here), opens the focused row.
    void keys_data()
    {
        kwdColumns<QList<int>, int>("keys", "focus");
        kwdRow("down starts at the first row", QList<int>{Qt::Key_Down}, 0);
        kwdRow("up stops at the first row", QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}, 0);
        kwdRow("end reaches load-more", QList<int>{Qt::Key_End}, 30);
        kwdRow("return key opens the focused row", QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 1);
        kwdRow("the reader's press action opens it", QList<int>{Qt::Key_Down, Qt::Key_Down, 0}, 1);
    }

    void keys()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, focus);
        qvmResultListItem* list = showList(30);
        list->total = 100;
        list->relayout();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QAccessibleInterface* focused = nullptr;
        for (int key : keys) {
            focused = iface->focusChild();
            if (key)
                QTest::keyClick(view, Qt::Key(key));
            else
                focused->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        const bool opens = keys.last() == Qt::Key_Return || keys.last() == 0;
        QCOMPARE(view->pageCount(), opens ? 2 : 1);
        if (opens) {
            QCOMPARE(view->topPage()->kind(), int(qvmGraphicsItem::KindDetail));
            QCOMPARE(static_cast<qvmResultDetailItem*>(view->topPage())->row, list->rows.at(focus));
            // The children of the list are gone with it.
            QVERIFY(!focused->isValid() || iface->role() != QAccessible::List);
            return;
        }
        QCOMPARE(list->focusEntry, focus);
        // The focused row is in view, is the accessible focus, and its move was told.
        const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY(shown.intersects(list->entryRect(list->focusEntry)));
        QCOMPARE(iface->focusChild(), iface->child(list->focusEntry));
        QVERIFY(iface->focusChild()->state().focused);
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

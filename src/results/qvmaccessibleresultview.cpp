#include "qvmaccessibleresultview.h"

#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "qvmaccessibleresultentry.h"
#include "qvmgraphicsitem.h"
#include "qvmresultview.h"

#include <QCoreApplication>
#include <QScrollBar>

namespace {
QAccessibleInterface* resultViewFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("qvmResultView") && object && object->isWidgetType())
        return new qvmAccessibleResultView(static_cast<qvmResultView*>(object));
    return nullptr;
}
} // namespace

qvmAccessibleResultView::qvmAccessibleResultView(qvmResultView* view)
    : QAccessibleWidget(view, QAccessible::List)
{
}

qvmAccessibleResultView::~qvmAccessibleResultView()
{
    for (QAccessible::Id id : std::as_const(made))
        QAccessible::deleteAccessibleInterface(id);
}

void qvmAccessibleResultView::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&resultViewFactory);
}

qvmResultView* qvmAccessibleResultView::view() const
{
    return static_cast<qvmResultView*>(widget());
}

QAccessible::Role qvmAccessibleResultView::role() const
{
    const qvmGraphicsItem* top = view()->topPage();
    return top ? top->accessibleRole() : QAccessible::List;
}

QString qvmAccessibleResultView::text(QAccessible::Text t) const
{
    const qvmGraphicsItem* top = view()->topPage();
    switch (t) {
    case QAccessible::Name:
        if (!view()->accessibleName().isEmpty())
            return view()->accessibleName();
        return top ? top->summary() : QCoreApplication::translate("qvmResultView", "结果");
    case QAccessible::Value:
        return top ? top->summary() : QString();
    default:
        return QAccessibleWidget::text(t);
    }
}

int qvmAccessibleResultView::entryCount() const
{
    const qvmGraphicsItem* top = view()->topPage();
    return top ? top->entryCount() : 0;
}

bool qvmAccessibleResultView::showsMessage() const
{
    const kwdShowScroll* box = view()->messageBox();
    return box && box->item && box->item->isVisible() && !box->item->text.isEmpty();
}

QList<QWidget*> qvmAccessibleResultView::panels() const
{
    QList<QWidget*> list;
    const QList<QWidget*> children = view()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : children) {
        if (w != view()->viewport() && !w->isWindow() && w->isVisibleTo(view()) &&
            !w->objectName().startsWith(QLatin1String("qt_scrollarea")))
            list.append(w);
    }
    return list;
}

void qvmAccessibleResultView::dropStale() const
{
    if (generation == view()->entryGeneration())
        return;
    generation = view()->entryGeneration();
    for (QAccessible::Id id : std::as_const(made))
        QAccessible::deleteAccessibleInterface(id);
    made.clear();
}

int qvmAccessibleResultView::childCount() const
{
    return entryCount() + (showsMessage() ? 1 : 0) + int(panels().size());
}

QAccessibleInterface* qvmAccessibleResultView::child(int index) const
{
    if (index < 0)
        return nullptr;
    const int entries = entryCount();
    const bool message = showsMessage();
    if (index < entries || (message && index == entries)) {
        dropStale();
        const int key = index < entries ? index : int(qvmAccessibleResultEntry::MessageBox);
        if (const QAccessible::Id id = made.value(key, 0))
            return QAccessible::accessibleInterface(id);
        auto* entry = new qvmAccessibleResultEntry(view(), key, generation);
        made.insert(key, QAccessible::registerAccessibleInterface(entry));
        return entry;
    }
    const QList<QWidget*> list = panels();
    const int panel = index - entries - (message ? 1 : 0);
    return panel < list.size() ? QAccessible::queryAccessibleInterface(list.at(panel)) : nullptr;
}

int qvmAccessibleResultView::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    const int entries = entryCount();
    if (!child->object()) {
        const auto* entry = static_cast<const qvmAccessibleResultEntry*>(child);
        if (!entry->isValid())
            return -1;
        if (entry->index() == qvmAccessibleResultEntry::MessageBox)
            return showsMessage() ? entries : -1;
        return entry->index() < entries ? entry->index() : -1;
    }
    const int panel = int(panels().indexOf(qobject_cast<QWidget*>(child->object())));
    return panel < 0 ? -1 : entries + (showsMessage() ? 1 : 0) + panel;
}

QAccessibleInterface* qvmAccessibleResultView::focusChild() const
{
    const qvmGraphicsItem* top = view()->topPage();
    if (!view()->hasFocus() || !top || top->focusEntry < 0 || top->focusEntry >= top->entryCount())
        return nullptr;
    return child(top->focusEntry);
}

QAccessibleInterface* qvmAccessibleResultView::childAt(int x, int y) const
{
    const qvmGraphicsItem* top = view()->topPage();
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!top || !view()->viewport()->rect().contains(local))
        return nullptr;
    const QList<QWidget*> list = panels();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i)->geometry().contains(view()->mapFromGlobal(QPoint(x, y))))
            return child(entryCount() + (showsMessage() ? 1 : 0) + i);
    }
    const QPointF point = top->mapFromScene(view()->mapToScene(local));
    const int n = top->entryCount();
    for (int i = 0; i < n; ++i) {
        if (top->entryRect(i).contains(point))
            return child(i);
    }
    return nullptr;
}

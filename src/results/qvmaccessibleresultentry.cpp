#include "qvmaccessibleresultentry.h"

#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "qvmgraphicsitem.h"
#include "qvmresultview.h"

#include <QWidget>
#include <QWindow>

qvmAccessibleResultEntry::qvmAccessibleResultEntry(qvmResultView* v, int index, int gen)
    : view(v), entryIndex(index), generation(gen)
{
}

namespace {
const kwdMessageItem* shownMessage(const qvmResultView* view)
{
    const kwdShowScroll* box = view->messageBox();
    return box && box->item && box->item->isVisible() ? box->item : nullptr;
}
} // namespace

bool qvmAccessibleResultEntry::isValid() const
{
    if (!view || view->entryGeneration() != generation)
        return false;
    if (entryIndex == MessageBox)
        return shownMessage(view) != nullptr;
    const qvmGraphicsItem* top = view->topPage();
    return top && entryIndex >= 0 && entryIndex < top->entryCount();
}

QObject* qvmAccessibleResultEntry::object() const
{
    return nullptr;
}

QWindow* qvmAccessibleResultEntry::window() const
{
    return view ? view->window()->windowHandle() : nullptr;
}

QAccessibleInterface* qvmAccessibleResultEntry::parent() const
{
    return view ? QAccessible::queryAccessibleInterface(view.data()) : nullptr;
}

QAccessibleInterface* qvmAccessibleResultEntry::child(int) const
{
    return nullptr;
}

int qvmAccessibleResultEntry::childCount() const
{
    return 0;
}

int qvmAccessibleResultEntry::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QAccessibleInterface* qvmAccessibleResultEntry::childAt(int, int) const
{
    return nullptr;
}

QAccessibleInterface* qvmAccessibleResultEntry::focusChild() const
{
    return nullptr;
}

QString qvmAccessibleResultEntry::text(QAccessible::Text t) const
{
    if (!isValid())
        return QString();
    if (entryIndex == MessageBox) {
        const kwdMessageItem* box = shownMessage(view);
        if (t == QAccessible::Name)
            return box->text;
        return t == QAccessible::Description ? box->hint : QString();
    }
    const qvmPageEntry e = view->topPage()->entry(entryIndex);
    switch (t) {
    case QAccessible::Name:
        return e.name;
    case QAccessible::Description:
        return e.description;
    case QAccessible::Value:
        return e.role == qvmPageEntry::Field ? e.description : QString();
    default:
        return QString();
    }
}

void qvmAccessibleResultEntry::setText(QAccessible::Text, const QString&) {}

QRect qvmAccessibleResultEntry::rect() const
{
    if (!isValid())
        return QRect();
    QRectF scene;
    if (entryIndex == MessageBox) {
        const kwdMessageItem* box = shownMessage(view);
        scene = box->mapRectToScene(box->boundingRect());
    } else {
        const qvmGraphicsItem* top = view->topPage();
        scene = top->mapRectToScene(top->entryRect(entryIndex));
    }
    const QRect local = view->mapFromScene(scene).boundingRect();
    return QRect(view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role qvmAccessibleResultEntry::role() const
{
    if (entryIndex == MessageBox) {
        const kwdMessageItem* box = view ? shownMessage(view) : nullptr;
        return box && box->onTap ? QAccessible::Button : QAccessible::StaticText;
    }
    if (!isValid())
        return QAccessible::NoRole;
    switch (view->topPage()->entry(entryIndex).role) {
    case qvmPageEntry::Row:
    case qvmPageEntry::MoreRow:
        return QAccessible::ListItem;
    case qvmPageEntry::Link:
        return QAccessible::Link;
    case qvmPageEntry::Button:
        return QAccessible::Button;
    case qvmPageEntry::Picture:
        return QAccessible::Graphic;
    default:
        return QAccessible::StaticText;
    }
}

QAccessible::State qvmAccessibleResultEntry::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    if (entryIndex == MessageBox)
        return s;
    const qvmGraphicsItem* top = view->topPage();
    const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
    const QRectF r = top->mapRectToScene(top->entryRect(entryIndex));
    if (!r.intersects(shown))
        s.offscreen = true;
    if (top->entryActionable(entryIndex)) {
        s.focusable = true;
        s.focused = view->hasFocus() && top->focusEntry == entryIndex;
        if (top->accessibleRole() == QAccessible::List) {
            s.selectable = true;
            s.selected = top->focusEntry == entryIndex;
        }
    } else {
        s.readOnly = true;
    }
    return s;
}

void* qvmAccessibleResultEntry::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList qvmAccessibleResultEntry::actionNames() const
{
    if (!isValid())
        return QStringList();
    if (entryIndex == MessageBox) {
        const kwdMessageItem* box = shownMessage(view);
        return box->onTap ? QStringList{pressAction()} : QStringList();
    }
    const qvmGraphicsItem* top = view->topPage();
    if (!top->entryActionable(entryIndex))
        return QStringList();
    return {pressAction(), setFocusAction()};
}

void qvmAccessibleResultEntry::doAction(const QString& actionName)
{
    if (!isValid())
        return;
    if (entryIndex == MessageBox) {
        const kwdMessageItem* box = shownMessage(view);
        if (actionName == pressAction() && box->onTap) {
            // The box may go away while its action runs: call a copy.
            const std::function<void()> tap = box->onTap;
            tap();
        }
        return;
    }
    qvmGraphicsItem* top = view->topPage();
    if (!top->entryActionable(entryIndex))
        return;
    if (actionName == setFocusAction()) {
        view->setFocus(Qt::OtherFocusReason);
        view->setFocusEntry(entryIndex);
    } else if (actionName == pressAction()) {
        view->setFocusEntry(entryIndex);
        top->activateEntry(entryIndex);
    }
}

QStringList qvmAccessibleResultEntry::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction())
        return {QStringLiteral("Return")};
    return QStringList();
}

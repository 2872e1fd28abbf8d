#include "qvmgraphicsitem.h"

#include <QGraphicsSceneMouseEvent>

namespace {
// A finger moves a little while tapping; beyond this distance it is a drag, not a tap.
constexpr qreal kTapSlop = 15.0;
} // namespace

qvmGraphicsItem::qvmGraphicsItem(QGraphicsItem* parent) : QGraphicsItem(parent)
{
    // Painting asks for the exposed rectangle so that long pages draw only what is on screen.
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, true);
}

qvmGraphicsItem::~qvmGraphicsItem() = default;

bool qvmGraphicsItem::holdsGestures() const
{
    return false;
}

void qvmGraphicsItem::relayout() {}

void qvmGraphicsItem::activate(bool) {}

void qvmGraphicsItem::clicked(const QPointF&) {}

QString qvmGraphicsItem::title() const
{
    return QString();
}

int qvmGraphicsItem::kind() const
{
    return KindPlain;
}

bool qvmGraphicsItem::pictureReady(int, const QString&)
{
    return false;
}

void qvmGraphicsItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
    pressed = true;
    pressPos = event->pos();
}

void qvmGraphicsItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (pressed && (event->pos() - pressPos).manhattanLength() > kTapSlop)
        pressed = false;
}

void qvmGraphicsItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (!pressed)
        return;
    pressed = false;
    const QPointF pos = event->pos();
    if ((pos - pressPos).manhattanLength() <= kTapSlop)
        clicked((pos + pressPos) / 2);
}

bool qvmGraphicsItem::closeInner()
{
    return false;
}

bool qvmGraphicsItem::retry()
{
    return false;
}

int qvmGraphicsItem::entryCount() const
{
    return 0;
}

qvmPageEntry qvmGraphicsItem::entry(int) const
{
    return qvmPageEntry();
}

QRectF qvmGraphicsItem::entryRect(int index) const
{
    return entry(index).rect;
}

bool qvmGraphicsItem::entryActionable(int index) const
{
    return entry(index).actionable;
}

bool qvmGraphicsItem::activateEntry(int)
{
    return false;
}

bool qvmGraphicsItem::step(int)
{
    return false;
}

QString qvmGraphicsItem::summary() const
{
    return title();
}

QAccessible::Role qvmGraphicsItem::accessibleRole() const
{
    return QAccessible::Pane;
}

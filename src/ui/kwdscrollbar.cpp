#include "kwdscrollbar.h"

#include "kwdstore.h"

#include <QPainter>

kwdScrollBar::kwdScrollBar(QGraphicsItem* parent) : QGraphicsItem(parent)
{
    rect = QRectF(0, 0, barWidth(kwdStore::instance()->screenDpi()), 100.0);
}

int kwdScrollBar::barWidth(int dpi)
{
    return qBound(3, dpi * 3 / 72, 10);
}

void kwdScrollBar::setLength(int h)
{
    if (qreal(h) == rect.height())
        return;
    prepareGeometryChange();
    rect = QRectF(0, 0, rect.width(), h);
}

QRectF kwdScrollBar::boundingRect() const
{
    return rect;
}

void kwdScrollBar::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->fillRect(rect, QColor(0, 0, 0, 175));
}

#include "kwdguidepainting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

QPen kwdGuidePainting::gridPen()
{
    return QPen(grid(), 1, Qt::DashLine);
}

double kwdGuidePainting::drawPair(QPainter* p, const QPointF& topLeft, const QString& first,
                                  const QColor& firstColour, const QString& second,
                                  const QColor& secondColour)
{
    const QFontMetricsF fm(p->font());
    const double ascent = topLeft.y() + fm.ascent();
    p->setPen(firstColour);
    p->drawText(QPointF(topLeft.x(), ascent), first);
    const double gap = first.isEmpty() ? 0 : 2;
    const double firstWidth = fm.horizontalAdvance(first) + gap;
    p->setPen(secondColour);
    p->drawText(QPointF(topLeft.x() + firstWidth, ascent), second);
    return firstWidth + fm.horizontalAdvance(second);
}

QRectF kwdGuidePainting::drawLabel(QPainter* p, const QString& text, double centreX, double top,
                                   const QRectF& bounds, double rightLimit)
{
    const QFontMetricsF fm(p->font());
    const double width = fm.horizontalAdvance(text);
    double left = centreX - width / 2;
    // The right edge wins over the left: the current point's label sits on the right edge.
    left = qMax(left, bounds.left());
    left = qMin(left, bounds.right() - width);
    const QRectF box(left, top, width, fm.height());
    if (box.right() > rightLimit)
        return QRectF();
    p->drawText(QPointF(left, top + fm.ascent()), text);
    return box;
}

#include "kwdguidesupplyline.h"

#include "kwdguidechart.h"
#include "kwdguidepainting.h"

#include <QPainter>

kwdGuideSupplyLine::kwdGuideSupplyLine(const kwdGuideChart& geometry, const QPixmap& image)
    : chart(geometry), dot(image)
{
}

void kwdGuideSupplyLine::paint(QPainter* p, const QRectF&) const
{
    const QList<QPointF>& points = chart.points;
    p->setPen(QPen(kwdGuidePainting::accent(), 2));
    if (points.size() > 1)
        p->drawPolyline(points.constData(), int(points.size()));
    if (dot.isNull())
        return;
    const QPointF half(dot.width() / 2.0, dot.height() / 2.0);
    for (const QPointF& pt : points)
        p->drawPixmap(pt - half, dot);
}

#include "kwdguideverticalscale.h"

#include "kwdguidechart.h"
#include "kwdguidepainting.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double Tick = 3;
constexpr double Gap = 2;

} // namespace

kwdGuideVerticalScale::kwdGuideVerticalScale(const kwdGuideChart& geometry, const QFont& labels)
    : chart(geometry), font(labels)
{
}

QString kwdGuideVerticalScale::levelText(const kwdGuideChart& c, int level)
{
    // Steps are whole numbers (1, 2, 5, 10, ...), so are the levels; no digit grouping, the values
    // share the band's width with the chart.
    return QString::number(c.min + level * c.step, 'f', 0);
}

double kwdGuideVerticalScale::labelWidth(const kwdGuideChart& c, const QFontMetricsF& metrics)
{
    double widest = 0;
    for (int i = 1; i < c.bands; ++i)
        widest = qMax(widest, metrics.horizontalAdvance(levelText(c, i)));
    return Tick + Gap + widest;
}

void kwdGuideVerticalScale::paint(QPainter* p, const QRectF& bounds) const
{
    const QRectF& area = chart.rect();
    p->setFont(font);
    const QFontMetricsF fm(font);
    for (int i = 0; i <= chart.bands; ++i) {
        const double y = area.bottom() - i * chart.bandHeight;
        if (i % 2 == 1)
            p->fillRect(QRectF(area.left(), y, area.width(), chart.bandHeight),
                        QBrush(QColor(224, 224, 224), Qt::Dense7Pattern));
        if (i == 0 || i == chart.bands)
            continue;
        p->setPen(Qt::black);
        p->drawLine(QPointF(area.left() - Tick, y), QPointF(area.left(), y));
        p->setPen(kwdGuidePainting::gridPen());
        p->drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        p->setPen(kwdGuidePainting::label());
        const QString text = levelText(chart, i);
        const double width = fm.horizontalAdvance(text);
        const double left = qMax(bounds.left(), area.left() - Tick - Gap - width);
        p->drawText(QPointF(left, y - fm.height() / 2 + fm.ascent()), text);
    }
}

#include "kwdguidehorizontalscale.h"

#include "kwdguidechart.h"
#include "kwdguidepainting.h"

#include <QCoreApplication>
#include <QPainter>

namespace {

// Least room between two labels of the scale.
constexpr double LabelGap = 2;

} // namespace

kwdGuideHorizontalScale::kwdGuideHorizontalScale(const kwdGuideChart& geometry) : chart(geometry) {}

void kwdGuideHorizontalScale::paint(QPainter* p, const QRectF& bounds) const
{
    const QRectF& area = chart.rect();
    p->setPen(kwdGuidePainting::gridPen());
    for (int c = 0; c <= 5; ++c) {
        const double x = area.right() - c * chart.columnStep;
        p->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    // From the current point leftwards, so that a distance too close to the label on its right
    // gives way instead of overprinting it.
    p->setPen(kwdGuidePainting::label());
    double limit = bounds.right();
    for (int c = chart.column; c <= 5; ++c) {
        const QString label =
            c == chart.column
                ? QCoreApplication::translate("qvmWidgetGPSGuide", "Cur Point")
                : QCoreApplication::translate("qvmWidgetGPSGuide", "%1KM").arg(c - chart.column);
        const QRectF box = kwdGuidePainting::drawLabel(p, label, area.right() - c * chart.columnStep,
                                                       area.bottom() + 1, bounds, limit);
        if (!box.isEmpty())
            limit = box.left() - LabelGap;
    }
}

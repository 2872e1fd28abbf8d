#include "qvmguideheader.h"

#include "kwdguidebackground.h"
#include "kwdguidechart.h"
#include "kwdguidehorizontalscale.h"
#include "kwdguidelocatingcover.h"
#include "kwdguidesupplyline.h"
#include "kwdguidesupplytext.h"
#include "kwdguideverticalscale.h"
#include "kwdtheme.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>

namespace {

// Margin of the content inside the band, and the least room left of the chart for its ticks.
constexpr int Margin = 6;
constexpr double AxisRoom = 6;

} // namespace

int qvmGuideHeader::bandHeight() const
{
    const int text = kwdGuideSupplyText(fonts, nullptr, 1, 0).height();
    const int line = QFontMetrics(fonts.chart).lineSpacing();
    const int desktop = 2 * Margin + text + (kwdGuideFonts::ChartLines + 1) * line;
    return qMax(fonts.handsetBandHeight(), desktop);
}

QRect qvmGuideHeader::paint(QPainter* p, const QRect& band, const QList<qvmGuideRequest*>& trail,
                            int guideType, double speed, bool tracking) const
{
    p->setRenderHint(QPainter::Antialiasing, true);
    kwdGuideBackground().paint(p, band);
    const QRectF content = QRectF(band).adjusted(Margin, Margin, -Margin, -Margin);

    const kwdGuideSupplyText text(fonts, trail.isEmpty() ? nullptr : trail.first(), guideType, speed);
    text.paint(p, content);

    const QFontMetricsF cm(fonts.chart);
    const double top = content.top() + text.height();
    const double height = qMax(1.0, content.bottom() - cm.lineSpacing() - top);
    // The vertical fit depends on the height only, so a first fit tells the room its values need.
    const kwdGuideChart probe(trail, guideType, QRectF(content.left() + AxisRoom, top, 1, height),
                              cm.lineSpacing());
    const double left =
        content.left() + qMax(AxisRoom, kwdGuideVerticalScale::labelWidth(probe, QFontMetricsF(fonts.small)));
    // The current point's label is centred on the right edge when it gets there: half of it
    // stays free on the right.
    const double right =
        content.right() -
        cm.horizontalAdvance(QCoreApplication::translate("qvmWidgetGPSGuide", "Cur Point")) / 2;
    const QRectF area(left, top, qMax(13.0, right - left), height);
    const kwdGuideChart chart(trail, guideType, area, cm.lineSpacing());

    kwdGuideVerticalScale(chart, fonts.small).paint(p, content);
    p->setFont(fonts.chart);
    kwdGuideHorizontalScale(chart).paint(p, content);
    if (trail.isEmpty() && !tracking)
        kwdGuideLocatingCover(fonts.large).paint(p, area);
    else
        kwdGuideSupplyLine(chart, kwdTheme::instance()->image(kwdTheme::SupplyDot)).paint(p, area);
    return text.tapArea(content);
}

#pragma once

#include <QString>

class QFont;
class QFontMetricsF;
class QPainter;
class QRectF;
class kwdGuideChart;

// The chart's vertical scale: shaded bands at odd levels, dashed lines and ticks at the inner
// levels and their values left of the chart. Owns nothing; the geometry is the caller's.
class kwdGuideVerticalScale
{
public:
    kwdGuideVerticalScale(const kwdGuideChart& chart, const QFont& font);

    // Width the values need left of the chart, tick included.
    static double labelWidth(const kwdGuideChart& chart, const QFontMetricsF& metrics);
    static QString levelText(const kwdGuideChart& chart, int level);
    // `bounds` holds the chart and the values left of it, labelled in `font`.
    void paint(QPainter* painter, const QRectF& bounds) const;

private:
    const kwdGuideChart& chart;
    const QFont& font;
};

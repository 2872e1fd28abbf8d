#pragma once

class QPainter;
class QRectF;
class kwdGuideChart;

// The chart's horizontal scale: the dashed 1 km columns and, below the chart, "Cur Point" at the
// current point's column and "%1KM" at every column left of it. Owns nothing.
class kwdGuideHorizontalScale
{
public:
    explicit kwdGuideHorizontalScale(const kwdGuideChart& chart);

    // `bounds` holds the chart and its label line; no label leaves it.
    void paint(QPainter* painter, const QRectF& bounds) const;

private:
    const kwdGuideChart& chart;
};

#pragma once

#include <QPixmap>

class QPainter;
class QRectF;
class kwdGuideChart;

// The plotted supply prices: the points of the chart joined by a line, each marked with the
// skin's supply dot. Owns a copy of the dot image.
class kwdGuideSupplyLine
{
public:
    kwdGuideSupplyLine(const kwdGuideChart& chart, const QPixmap& dot);

    void paint(QPainter* painter, const QRectF& area) const;

private:
    const kwdGuideChart& chart;
    QPixmap dot;
};

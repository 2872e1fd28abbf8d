#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

class qvmGuideRequest;

// The geometry of the guide's price chart for one trail and chart rectangle: the vertical scale
// (range, tick step, bands), the 1 km columns with the current point's column, and the plotted
// points. Pure arithmetic, so the header band only paints what this works out.
class kwdGuideChart
{
public:
    kwdGuideChart(const QList<qvmGuideRequest*>& trail, int guideType, const QRectF& chart,
                  double lineSpacing);

    // The first of 1, 2, 5, 10, 20, 50, ... that splits `span` into bands of at least 1.5 lines.
    static double tickStep(double span, double height, double lineSpacing);
    // Column of the current point (0 the right edge ... 5 the left) after `collected` metres.
    static int currentColumn(double collected);

    const QRectF& rect() const { return area; }

    double max = 0;
    double min = 0;
    double step = 1;
    int bands = 1;
    double bandHeight = 0;
    double columnStep = 0;
    double collected = 0;
    int column = 0;
    // Plotted points, newest first; `plottedEntries` are the trail entries they belong to.
    QList<QPointF> points;
    QList<const qvmGuideRequest*> plottedEntries;

private:
    void fitVertical(const QList<qvmGuideRequest*>& trail, int guideType, double lineSpacing);
    void layOutColumns(const QList<qvmGuideRequest*>& trail);

    QRectF area;
};

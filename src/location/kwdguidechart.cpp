#include "kwdguidechart.h"

#include "qvmguiderequest.h"

#include <cmath>
#include <limits>

namespace {

// Metres of trail used for the scale and for the plot; one column is 1 km.
constexpr double ScaleMetres = 10000;
constexpr double CollectMetres = 6500;
constexpr double PlotMetres = 5200;
constexpr double ColumnMetres = 1000;
constexpr int Columns = 5;

} // namespace

kwdGuideChart::kwdGuideChart(const QList<qvmGuideRequest*>& trail, int guideType, const QRectF& chart,
                             double lineSpacing)
    : area(chart)
{
    fitVertical(trail, guideType, lineSpacing);
    layOutColumns(trail);
}

double kwdGuideChart::tickStep(double span, double height, double lineSpacing)
{
    double limit = lineSpacing > 0 ? height / (1.5 * lineSpacing) : 0;
    // A chart too low for one labelled band still gets one band rather than no step at all.
    if (!(limit > 0))
        limit = 1;
    static const double factors[3] = {1, 2, 5};
    double power = 1;
    for (int k = 0; k < 999; ++k) {
        const double s = power * factors[k % 3];
        if (!std::isfinite(s))
            break;
        if (span / s <= limit)
            return s;
        if (k % 3 == 2)
            power *= 10;
    }
    return span > 0 ? span : 1;
}

int kwdGuideChart::currentColumn(double metres)
{
    if (metres >= Columns * ColumnMetres)
        return 0;
    const qint64 whole = qint64(metres);
    int k = Columns - int(whole / 1000);
    if (whole % 1000 > 200)
        --k;
    return qBound(0, k, Columns);
}

void kwdGuideChart::fitVertical(const QList<qvmGuideRequest*>& trail, int guideType, double lineSpacing)
{
    double hi = 0;
    double lo = 10000000;
    double sum = 0;
    for (const qvmGuideRequest* r : trail) {
        sum += r->step;
        if (sum > ScaleMetres)
            break;
        for (double v : {r->supply, r->demand}) {
            hi = qMax(hi, v);
            if (v > 0)
                lo = qMin(lo, v);
        }
    }
    if (hi <= 0) {
        hi = guideType == 2 ? 50 : 15000;
        lo = hi * 2 / 3;
    } else {
        lo = qMin(lo, hi * 2 / 3);
    }
    lo = qMax(0.0, lo - (hi - lo) / 3);
    step = tickStep(hi - lo, area.height(), lineSpacing);
    const double remainder = std::fmod(hi, step);
    if (remainder > 0)
        hi = hi - remainder + (remainder > step / 2 ? 2 * step : step);
    lo = std::floor(lo / step) * step;
    max = hi;
    min = lo;
    bands = qMax(1, int(std::lround((max - min) / step)));
    bandHeight = area.height() / bands;
}

void kwdGuideChart::layOutColumns(const QList<qvmGuideRequest*>& trail)
{
    columnStep = (area.width() - 12) / Columns;
    const double perMetre = columnStep / ColumnMetres;
    QList<const qvmGuideRequest*> chosen;
    int i = 0;
    while (i < trail.size() && trail.at(i)->supply < 0 && trail.at(i)->demand < 0)
        ++i;
    double sum = 0;
    for (; i < trail.size() && sum <= CollectMetres; ++i) {
        chosen.append(trail.at(i));
        sum += trail.at(i)->step;
    }
    collected = sum;
    column = currentColumn(sum);
    const double x0 = area.right() - column * columnStep;
    const double perValue = step > 0 ? bandHeight / step : 0;
    double newer = 0;
    for (const qvmGuideRequest* r : std::as_const(chosen)) {
        const double x = x0 - newer * perMetre;
        if (newer > PlotMetres || x < area.left())
            break;
        if (r->supply > 0) {
            points.append(QPointF(x, area.bottom() - (r->supply - min) * perValue));
            plottedEntries.append(r);
        }
        newer += r->step;
    }
}

#pragma once

#include <QFont>
#include <QList>
#include <QRect>

class QPainter;
class qvmGuideRequest;

// Paints the price guide's header band: gradient, supply caption and unit, the newest value, the
// speed, the chart's scales and plotted line, and the cover while locating. Owns its three fonts.
class qvmGuideHeader
{
public:
    qvmGuideHeader();

    // Height of the band for these fonts.
    int bandHeight() const;
    // Paints into `band`; returns the rectangle of the value and speed lines (the tap area).
    QRect paint(QPainter* painter, const QRect& band, const QList<qvmGuideRequest*>& trail, int guideType,
                double speed, bool tracking) const;

private:
    QFont large;
    QFont middle;
    QFont small;
};

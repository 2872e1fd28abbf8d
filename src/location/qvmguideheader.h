#pragma once

#include "kwdguidefonts.h"

#include <QList>
#include <QRect>

class QPainter;
class qvmGuideRequest;

// The price guide's header band: lays out and paints its items (background, supply text, the
// chart's two scales, the supply line and the locating cover) over one trail. Owns the fonts.
class qvmGuideHeader
{
public:
    // Height of the band: the text lines over a chart of kwdGuideFonts::ChartLines label lines
    // and the scale's label line.
    int bandHeight() const;
    // Paints into `band`; returns the rectangle of the value and speed lines (the tap area).
    QRect paint(QPainter* painter, const QRect& band, const QList<qvmGuideRequest*>& trail, int guideType,
                double speed, bool tracking) const;

private:
    kwdGuideFonts fonts;
};

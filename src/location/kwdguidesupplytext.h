#pragma once

#include <QRectF>

class QPainter;
class kwdGuideFonts;
class qvmGuideRequest;

// The text lines above the chart: the "Supply" caption with its unit, the newest supply value
// (or "--", or "Downloading" while its reply is out) and the speed. Owns nothing; the fonts and
// the newest request point are the caller's.
class kwdGuideSupplyText
{
public:
    kwdGuideSupplyText(const kwdGuideFonts& fonts, const qvmGuideRequest* newest, int guideType,
                       double speed);

    // Height of the three lines with their spacing.
    int height() const;
    // The value and speed lines inside `rect`: the area a tap reacts to.
    QRect tapArea(const QRectF& rect) const;
    void paint(QPainter* painter, const QRectF& rect) const;

    QString value() const;
    QString speedText() const;

private:
    const kwdGuideFonts& fonts;
    const qvmGuideRequest* newest;
    int guideType;
    double speed;
};

#pragma once

class QPainter;
class QRectF;

// The header band's background: a vertical gradient from white to a light grey. Owns nothing.
class kwdGuideBackground
{
public:
    void paint(QPainter* painter, const QRectF& band) const;
};

#pragma once

#include <QColor>
#include <QRectF>

class QPainter;
class QPen;
class QString;

// Painting helpers shared by the items of the guide's header band: its colours, the dashed grid
// pen, a caption followed by a value in another colour, and a label centred on a point but kept
// inside its bounds. Owns nothing.
class kwdGuidePainting
{
public:
    static QColor accent() { return QColor(251, 78, 1); }
    static QColor caption() { return QColor(94, 94, 94); }
    static QColor grid() { return QColor(199, 199, 199); }
    static QColor label() { return QColor(81, 81, 81); }
    static QPen gridPen();

    // Draws `first` in `firstColour` then `second` in `secondColour` on one line at `topLeft`
    // with the painter's font; returns the width used.
    static double drawPair(QPainter* painter, const QPointF& topLeft, const QString& first,
                           const QColor& firstColour, const QString& second, const QColor& secondColour);
    // Draws `text` with the painter's font centred on `centreX` from `top`, shifted as little as
    // needed to stay inside `bounds` horizontally; returns the rectangle drawn in. A label that
    // would reach `rightLimit` (a label drawn before it) is left out and the rectangle is empty.
    static QRectF drawLabel(QPainter* painter, const QString& text, double centreX, double top,
                            const QRectF& bounds, double rightLimit);
};

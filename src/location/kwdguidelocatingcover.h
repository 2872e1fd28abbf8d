#pragma once

class QFont;
class QPainter;
class QRectF;

// Covers the chart with a translucent grey and "Locating..." until the first position. Owns
// nothing; the font is the caller's.
class kwdGuideLocatingCover
{
public:
    explicit kwdGuideLocatingCover(const QFont& font);

    void paint(QPainter* painter, const QRectF& area) const;

private:
    const QFont& font;
};

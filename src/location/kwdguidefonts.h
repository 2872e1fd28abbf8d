#pragma once

#include <QFont>

// The fonts of the price guide's header band, derived from one large bold font: the value line
// (large), the captions and speed (middle), the spacing unit and the chart's values (small) and
// the chart's distance labels.
// Owns the four fonts and the band height worked out from them.
class kwdGuideFonts
{
public:
    kwdGuideFonts();

    // The band height the old handset layout reserved; its chart is a sliver on a desktop window.
    int handsetBandHeight() const;
    // Line spacing unit of the small font: two thirds of its line spacing.
    int unit() const;
    // Lines of chart the band keeps at least, in scale-label line spacings.
    static constexpr int ChartLines = 7;

    QFont large;
    QFont middle;
    QFont small;
    QFont chart;
};

#include "kwdguidefonts.h"

#include <QFontMetrics>

kwdGuideFonts::kwdGuideFonts()
    : large(QStringLiteral("sans-serif"), 13, QFont::Bold), middle(QStringLiteral("sans-serif")),
      small(QStringLiteral("sans-serif")), chart(QStringLiteral("sans-serif"))
{
    const int ls = QFontMetrics(large).lineSpacing();
    middle.setPixelSize(qMax(1, int(0.6 * ls)));
    small.setPixelSize(qMax(1, int(0.5 * ls)));
    chart.setPointSize(qMax(1, chart.pointSize() - 1));
}

int kwdGuideFonts::unit() const
{
    return (2 * QFontMetrics(small).lineSpacing()) / 3;
}

int kwdGuideFonts::handsetBandHeight() const
{
    const int s = QFontMetrics(small).lineSpacing();
    const int mid = QFontMetrics(middle).lineSpacing();
    const int def = QFontMetrics(QFont()).lineSpacing();
    const int u = unit();
    return 12 + u + s + u / 4 + mid + u / 2 + s + u / 4 + mid + u / 2 + def + 2 + s + u;
}

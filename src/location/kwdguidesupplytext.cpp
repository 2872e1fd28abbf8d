#include "kwdguidesupplytext.h"

#include "kwdguidefonts.h"
#include "kwdguidepainting.h"
#include "qvmformat.h"
#include "qvmguiderequest.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

kwdGuideSupplyText::kwdGuideSupplyText(const kwdGuideFonts& f, const qvmGuideRequest* last, int type,
                                       double kmh)
    : fonts(f), newest(last), guideType(type), speed(kmh)
{
}

int kwdGuideSupplyText::height() const
{
    const int u = fonts.unit();
    const int mid = QFontMetrics(fonts.middle).lineSpacing();
    return u / 2 + mid + u / 4 + QFontMetrics(fonts.large).lineSpacing() + u / 4 + mid + u / 2;
}

QRect kwdGuideSupplyText::tapArea(const QRectF& rect) const
{
    const int u = fonts.unit();
    const int mid = QFontMetrics(fonts.middle).lineSpacing();
    const int top = int(rect.top()) + u / 2 + mid + u / 4;
    const int bottom = top + QFontMetrics(fonts.large).lineSpacing() + u / 4 + mid;
    return QRect(QPoint(int(rect.left()), top), QPoint(int(rect.right()), bottom - 1));
}

QString kwdGuideSupplyText::value() const
{
    if (!newest)
        return QStringLiteral("--");
    if (newest->supply < 0)
        return QCoreApplication::translate("qvmWidgetGPSGuide", "Downloading");
    return qvmFormat::formatNumber(newest->supply, guideType == 2 ? 2 : 0);
}

QString kwdGuideSupplyText::speedText() const
{
    return speed > 0.01 ? QString::number(speed, 'f', 1) + QStringLiteral("km/h") : QStringLiteral("--");
}

void kwdGuideSupplyText::paint(QPainter* p, const QRectF& rect) const
{
    const int u = fonts.unit();
    const int mid = QFontMetrics(fonts.middle).lineSpacing();
    double y = rect.top() + u / 2;
    const QString unit = guideType == 2 ? QCoreApplication::translate("qvmWidgetGPSGuide", "yuan/yue/m2")
                                        : QCoreApplication::translate("qvmWidgetGPSGuide", "yuan/m2");
    p->setFont(fonts.middle);
    kwdGuidePainting::drawPair(p, QPointF(rect.left(), y),
                               QCoreApplication::translate("qvmWidgetGPSGuide", "Supply"),
                               kwdGuidePainting::accent(), QStringLiteral("(") + unit + QStringLiteral(")"),
                               kwdGuidePainting::caption());
    y += mid + u / 4;
    p->setFont(fonts.large);
    kwdGuidePainting::drawPair(p, QPointF(rect.left(), y), QString(), kwdGuidePainting::accent(), value(),
                               kwdGuidePainting::accent());
    y += QFontMetrics(fonts.large).lineSpacing() + u / 4;
    p->setFont(fonts.middle);
    kwdGuidePainting::drawPair(p, QPointF(rect.left(), y),
                               QCoreApplication::translate("qvmWidgetGPSGuide", "Speed:"), QColor(0, 2, 1),
                               speedText(), kwdGuidePainting::accent());
}

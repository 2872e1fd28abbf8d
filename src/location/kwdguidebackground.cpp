#include "kwdguidebackground.h"

#include <QLinearGradient>
#include <QPainter>

void kwdGuideBackground::paint(QPainter* p, const QRectF& band) const
{
    QLinearGradient gradient(band.topLeft(), band.bottomLeft());
    gradient.setColorAt(0, QColor(255, 255, 255));
    gradient.setColorAt(1, QColor(234, 235, 237));
    p->fillRect(band, gradient);
}

#include "kwdguidelocatingcover.h"

#include <QCoreApplication>
#include <QPainter>

kwdGuideLocatingCover::kwdGuideLocatingCover(const QFont& large) : font(large) {}

void kwdGuideLocatingCover::paint(QPainter* p, const QRectF& area) const
{
    p->fillRect(area, QColor(199, 199, 199, 200));
    p->setFont(font);
    p->setPen(Qt::black);
    p->drawText(area, Qt::AlignCenter, QCoreApplication::translate("qvmWidgetGPSGuide", "Locating..."));
}

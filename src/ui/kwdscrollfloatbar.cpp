#include "kwdscrollfloatbar.h"

#include "kwdstore.h"

#include <QPainter>

kwdScrollFloatBar::kwdScrollFloatBar(QWidget* parent) : QWidget(parent)
{
    // Five points wide once the screen DPI is known; 10 pixels until then.
    const int dpi = kwdStore::instance()->dpi;
    if (dpi > 0)
        barWidth = dpi * 5 / 72;
    resize(barWidth, height());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void kwdScrollFloatBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.fillRect(rect(), QColor(0, 0, 0, 175));
}

#include "kwdpopuppanel.h"

#include <QPainter>
#include <QPropertyAnimation>
#include <QWidget>

void kwdPopupPanel::fitToWindow(QWidget* panel)
{
    const QWidget* window = panel->parentWidget();
    QSize size = panel->sizeHint();
    if (window)
        size.setWidth(qMin(size.width(), window->width() * 3 / 4));
    // A word-wrapping label grows taller when the width is limited.
    if (panel->hasHeightForWidth())
        size.setHeight(qMax(size.height(), panel->heightForWidth(size.width())));
    panel->resize(size);
}

QPoint kwdPopupPanel::slidePoint(const QWidget* panel, qreal p)
{
    const QWidget* window = panel->parentWidget();
    if (!window)
        return panel->pos();
    const int x = (window->width() - panel->width()) / 2;
    const int y = window->height() - 1 - int(panel->height() * p) - 9;
    return QPoint(x, y);
}

void kwdPopupPanel::popUp(QWidget* panel, QPropertyAnimation* slide)
{
    fitToWindow(panel);
    if (const QWidget* window = panel->parentWidget())
        panel->move((window->width() - panel->width()) / 2, window->height() * 3 / 2);
    panel->show();
    panel->setFocus();
    panel->raise();
    slide->stop();
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);
    slide->start();
}

void kwdPopupPanel::paintFrame(QWidget* panel)
{
    QPainter painter(panel);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 160, 164), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(panel->rect().adjusted(1, 1, -1, -1), 5, 5);
}

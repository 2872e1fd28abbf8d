#include "qvmscrollarea.h"

#include "kwdscrollfloatbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

qvmScrollArea::qvmScrollArea(QWidget* parent) : QScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    floatBar = new kwdScrollFloatBar(this);
    floatBar->hide();
}

void qvmScrollArea::placeFloatBar()
{
    const int maximum = verticalScrollBar()->maximum();
    const float h = float(contentsRect().height());
    const float ratio = h / (float(maximum) + h);
    floatBar->resize(floatBar->barWidth, int(h * ratio));
    floatBar->move(width() - floatBar->barWidth * 3 / 2, int(float(verticalScrollBar()->value()) * ratio));
}

void qvmScrollArea::mousePressEvent(QMouseEvent* event)
{
    dragging = true;
    pressPoint = lastPoint = event->position().toPoint();
    if (verticalScrollBar()->maximum() > 0) {
        floatBar->show();
        floatBar->raise();
        placeFloatBar();
    }
}

void qvmScrollArea::mouseMoveEvent(QMouseEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (!dragging || bar->maximum() <= 0)
        return;
    const QPoint pos = event->position().toPoint();
    const QPoint fromPress = pos - pressPoint;
    const int step = pos.y() - lastPoint.y();
    // Only a mainly vertical drag scrolls; a sideways drag leaves the form where it is.
    if (qAbs(fromPress.y()) <= qAbs(fromPress.x()) || step == 0)
        return;
    bar->setValue(qBound(0, bar->value() - step, bar->maximum()));
    placeFloatBar();
    lastPoint = pos;
}

void qvmScrollArea::mouseReleaseEvent(QMouseEvent*)
{
    if (!dragging)
        return;
    floatBar->hide();
    dragging = false;
}

void qvmScrollArea::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (event->key() == Qt::Key_Context1) {
        if (widget())
            widget()->setFocus();
        event->accept();
        return;
    }
    if (bar->maximum() > 0 && (event->key() == Qt::Key_3 || event->key() == Qt::Key_6)) {
        if (event->key() == Qt::Key_3 && bar->value() >= 1)
            bar->setValue(qMax(0, bar->value() - 100));
        else if (event->key() == Qt::Key_6 && bar->value() < bar->maximum())
            bar->setValue(qMin(bar->maximum(), bar->value() + 100));
        event->accept();
        return;
    }
    event->ignore();
}

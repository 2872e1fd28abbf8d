#include "kwdshowscroll.h"

#include "kwdmessageitem.h"

#include <QGraphicsScene>
#include <QGraphicsView>

kwdShowScroll::kwdShowScroll(QGraphicsView* view, QObject* parent) : QObject(parent), view(view)
{
    item = new kwdMessageItem(view);
    item->setZValue(1000);
    item->hide();
    if (view && view->scene()) {
        scene = view->scene();
        scene->addItem(item);
        inScene = true;
    }
    timer.setInterval(200);
    connect(&timer, &QTimer::timeout, this, &kwdShowScroll::onTimer);
}

kwdShowScroll::~kwdShowScroll()
{
    // A scene deletes its items with itself; otherwise the item is still ours to delete.
    if (!inScene || scene)
        delete item;
}

void kwdShowScroll::showWait(const QString& text, bool offScreen)
{
    item->onTap = nullptr;
    item->hint.clear();
    item->text = text;
    item->animated = true;
    item->show();
    timer.start(200);
    place(offScreen);
}

void kwdShowScroll::showMessage(const QString& text, const std::function<void()>& retry)
{
    timer.stop();
    item->onTap = retry;
    item->hint = retry ? tr("Tap here to try again") : QString();
    item->text = text;
    item->animated = false;
    item->show();
    place(false);
}

void kwdShowScroll::hide()
{
    timer.stop();
    item->onTap = nullptr;
    item->hint.clear();
    item->hide();
}

void kwdShowScroll::onTimer()
{
    if (!item->isVisible()) {
        timer.stop();
        return;
    }
    ++item->frame;
    item->update();
}

void kwdShowScroll::place(bool offScreen)
{
    item->updateSize();
    if (!view) {
        item->update();
        return;
    }
    const int vw = view->viewport()->width();
    const int vh = view->viewport()->height();
    const QRectF box = item->boundingRect();
    const int y = int((vh - box.height()) / 3);
    const int x = offScreen ? vw : int((vw - box.width()) / 2);
    item->setPos(view->mapToScene(QPoint(x, y)));
    item->update();
}

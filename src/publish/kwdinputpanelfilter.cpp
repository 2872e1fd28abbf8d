#include "kwdinputpanelfilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>

kwdInputPanelFilter::kwdInputPanelFilter(QObject* parent) : QObject(parent) {}

void kwdInputPanelFilter::install(QObject* page, const QList<QObject*>& edits)
{
    auto* filter = new kwdInputPanelFilter(page);
    for (QObject* e : edits)
        e->installEventFilter(filter);
}

bool kwdInputPanelFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Qt 6 no longer acts on the request events by itself, so the input method is asked directly too.
    if (event->type() == QEvent::FocusIn) {
        QCoreApplication::postEvent(watched, new QEvent(QEvent::RequestSoftwareInputPanel));
        QGuiApplication::inputMethod()->show();
    } else if (event->type() == QEvent::FocusOut) {
        QCoreApplication::postEvent(watched, new QEvent(QEvent::CloseSoftwareInputPanel));
        QGuiApplication::inputMethod()->hide();
    }
    return false;
}

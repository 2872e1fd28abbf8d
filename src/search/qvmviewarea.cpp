#include "qvmviewarea.h"

#include "kwdwidgetarea.h"

qvmViewArea::qvmViewArea(QWidget* parent) : qvmScrollArea(parent)
{
    // Made in the viewport that setWidget() moves it to, so that it is not styled twice.
    page = new kwdWidgetArea(viewport());
    page->setGeometry(0, 0, 100, 100);
    setWidget(page);
}

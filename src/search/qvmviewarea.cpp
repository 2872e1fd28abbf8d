#include "qvmviewarea.h"

#include "kwdwidgetarea.h"

qvmViewArea::qvmViewArea(QWidget* parent) : qvmScrollArea(parent)
{
    page = new kwdWidgetArea(this);
    page->setGeometry(0, 0, 100, 100);
    setWidget(page);
}

#include "qvmviewaroundfunction.h"

#include "qvmwidgetaroundfunction.h"

qvmViewAroundFunction::qvmViewAroundFunction(QWidget* parent) : qvmScrollArea(parent)
{
    function = new qvmWidgetAroundFunction(this);
    function->setGeometry(0, 0, 100, 100);
    setWidget(function);
}

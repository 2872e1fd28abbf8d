#include "qvmsetcondition.h"

#include "conditionview.h"

qvmSetCondition::qvmSetCondition(QWidget* parent) : qvmScrollArea(parent)
{
    form = new ConditionView(this);
    form->setGeometry(0, 0, 100, 100);
    setWidget(form);
}

#pragma once

#include "qvmscrollarea.h"

class ConditionView;

// The scroll area that shows the condition form; owns the one form.
class qvmSetCondition : public qvmScrollArea
{
    Q_OBJECT
public:
    explicit qvmSetCondition(QWidget* parent = nullptr);

    ConditionView* view() const { return form; }

private:
    ConditionView* form = nullptr;
};

#pragma once

#include "qvmscrollarea.h"

class qvmWidgetAroundFunction;

// The scroll area that shows the around-me form; owns the one form.
class qvmViewAroundFunction : public qvmScrollArea
{
    Q_OBJECT
public:
    explicit qvmViewAroundFunction(QWidget* parent = nullptr);

    qvmWidgetAroundFunction* form() const { return function; }

private:
    qvmWidgetAroundFunction* function = nullptr;
};

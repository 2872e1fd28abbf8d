#pragma once

#include "qvmscrollarea.h"

class kwdWidgetArea;

// The scroll area that shows the area chooser as page 0 of the search stack; owns the one page.
class qvmViewArea : public qvmScrollArea
{
    Q_OBJECT
public:
    explicit qvmViewArea(QWidget* parent = nullptr);

    kwdWidgetArea* area() const { return page; }

private:
    kwdWidgetArea* page = nullptr;
};

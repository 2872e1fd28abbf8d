#pragma once

#include <QWidget>

// The floating drag indicator of a form scroll area: a translucent black bar, shown while dragging.
class kwdScrollFloatBar : public QWidget
{
    Q_OBJECT
public:
    explicit kwdScrollFloatBar(QWidget* parent = nullptr);

    int barWidth = 10;

protected:
    void paintEvent(QPaintEvent* event) override;
};

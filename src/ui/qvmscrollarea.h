#pragma once

#include <QPoint>
#include <QScrollArea>

class kwdScrollFloatBar;

// A scroll area for forms that scrolls by dragging and shows a floating indicator while dragging;
// keys "3" and "6" page up and down. Forms derive from it and set their widget.
class qvmScrollArea : public QScrollArea
{
    Q_OBJECT
public:
    explicit qvmScrollArea(QWidget* parent = nullptr);

    kwdScrollFloatBar* floatBar = nullptr;
    QPoint pressPoint;
    QPoint lastPoint;
    bool dragging = false;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeFloatBar();
};

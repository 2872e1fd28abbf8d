#pragma once

#include <QWidget>

class TitleBar;
class qvmScrollArea;
class qvmSystem;

// Main window page 3: a title bar above a scroll area holding the system menu. Owns all three.
class qvmWidgetSystem : public QWidget
{
    Q_OBJECT
public:
    explicit qvmWidgetSystem(QWidget* parent = nullptr);

    TitleBar* bar = nullptr;
    qvmScrollArea* scroll = nullptr;
    qvmSystem* menu = nullptr;
};

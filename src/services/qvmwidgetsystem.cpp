#include "qvmwidgetsystem.h"

#include "qvmscrollarea.h"
#include "qvmsystem.h"
#include "titlebar.h"

#include <QVBoxLayout>

qvmWidgetSystem::qvmWidgetSystem(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("qvmWidgetSystem"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar = new TitleBar(this);
    layout->addWidget(bar);
    scroll = new qvmScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    menu = new qvmSystem(bar, scroll);
    scroll->setWidget(menu);
    layout->addWidget(scroll, 1);
    connect(bar, &TitleBar::goBack, menu, &qvmSystem::onGoBack);
    bar->setTitle(QString());
}

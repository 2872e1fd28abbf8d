#include "kwdlazypage.h"

#include <QShowEvent>
#include <QVBoxLayout>

kwdLazyPage::kwdLazyPage(Factory factory, QWidget* parent) : QWidget(parent), factory(std::move(factory))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

QWidget* kwdLazyPage::content()
{
    if (page || !factory)
        return page;
    // Released before the call: a factory that asks for the content again must not recurse.
    Factory make = std::move(factory);
    factory = nullptr;
    page = make(this);
    if (!page)
        return nullptr;
    layout()->addWidget(page);
    // Built from showEvent, after Qt has shown the children: it would otherwise stay hidden.
    page->show();
    Q_EMIT built(page);
    return page;
}

void kwdLazyPage::showEvent(QShowEvent* event)
{
    content();
    QWidget::showEvent(event);
}

#include "kwdmessage.h"

#include <QMessageBox>

kwdMessage::Hook& kwdMessage::hook()
{
    static Hook h;
    return h;
}

void kwdMessage::information(const QString& title, const QString& text)
{
    if (hook()) {
        hook()(title, text);
        return;
    }
    QMessageBox::information(nullptr, title, text);
}

void kwdMessage::setHook(const Hook& h)
{
    hook() = h;
}

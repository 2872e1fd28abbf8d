#include "kwdmessage.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

kwdMessage::Hook& kwdMessage::hook()
{
    static Hook h;
    return h;
}

// A box without a parent opens at the screen's centre, far from a small window: give it the
// window the user is looking at, so that Qt centres it there.
QWidget* kwdMessage::ownerWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* fallback = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
            continue;
        if (qobject_cast<QMainWindow*>(w))
            return w;
        if (!fallback)
            fallback = w;
    }
    return fallback;
}

// Texts can carry what the service sent (names, addresses, its error text): shown as written,
// never read as markup.
static void showBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, kwdMessage::ownerWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void kwdMessage::information(const QString& title, const QString& text)
{
    if (hook()) {
        hook()(title, text);
        return;
    }
    showBox(QMessageBox::Information, title, text);
}

void kwdMessage::critical(const QString& title, const QString& text)
{
    if (hook()) {
        hook()(title, text);
        return;
    }
    showBox(QMessageBox::Critical, title, text);
}

void kwdMessage::setHook(const Hook& h)
{
    hook() = h;
}

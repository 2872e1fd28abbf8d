#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one way pages show a message box (information, single OK button), centred over the window
// the user is looking at. Tests replace the hook to capture the box instead of blocking on it.
class kwdMessage
{
public:
    using Hook = std::function<void(const QString& title, const QString& text)>;

    static void information(const QString& title, const QString& text);
    // The same as a critical box; the hook receives it like an information box.
    static void critical(const QString& title, const QString& text);
    // Installs a replacement for the box; an empty hook restores the real one.
    static void setHook(const Hook& hook);
    // The window a box belongs to: the active one, else the visible main window.
    static QWidget* ownerWindow();

private:
    static Hook& hook();
};

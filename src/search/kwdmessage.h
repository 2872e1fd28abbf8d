#pragma once

#include <QString>

#include <functional>

// The one way search pages show a message box (information, single OK button, no parent). Tests
// replace the hook to capture the box instead of blocking on it.
class kwdMessage
{
public:
    using Hook = std::function<void(const QString& title, const QString& text)>;

    static void information(const QString& title, const QString& text);
    // Installs a replacement for the box; an empty hook restores the real one.
    static void setHook(const Hook& hook);

private:
    static Hook& hook();
};

#pragma once

#include <functional>

class QRect;
class QString;
class QWidget;

// What a result view asks of a contact panel: offer a listing's numbers over an area of the view,
// and go when the view moves on. The panel itself lives above the results; the program says which
// one to make, so the results never include it.
class qvmContactPanel
{
public:
    // Makes a panel as a child widget of the view (which then owns it).
    using Factory = std::function<qvmContactPanel*(QWidget* view)>;

    virtual ~qvmContactPanel();

    // Shows the numbers in `area` (the view's coordinates); fromBottom: anchored at the area's
    // bottom and `title` is the listing spoken of, else `title` is the whole message.
    virtual void offer(const QString& contact, const QString& phones, const QRect& area, const QString& title,
                       bool fromBottom) = 0;
    virtual void dismiss() = 0;
    // Whether the numbers are on screen now.
    virtual bool isShown() const = 0;

    // The factory of every result view's panel; without one a phone block opens nothing.
    static void setFactory(Factory factory);
    static qvmContactPanel* make(QWidget* view);
};

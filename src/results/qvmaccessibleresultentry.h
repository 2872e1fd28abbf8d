#pragma once

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QPointer>

class qvmResultView;

// One entry of the result view's top page for a screen reader (a row, the load-more row, a field, a
// link, a picture) or, at index -1, the message box. Holds only the view and the index; everything
// it says is read from the page when asked, and it turns invalid once the page has changed.
class qvmAccessibleResultEntry : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    enum
    {
        MessageBox = -1
    };

    qvmAccessibleResultEntry(qvmResultView* view, int index, int generation);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    int index() const { return entryIndex; }

private:
    QPointer<qvmResultView> view;
    int entryIndex;
    int generation;
};

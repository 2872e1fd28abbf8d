#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>

class qvmResultView;

// The result view as a screen reader sees it: a list (or the detail document) whose children are the
// entries of the page on top, made one by one as they are asked for and dropped when the page
// changes, then the message box and the panels over the view. Owns the children it made.
class qvmAccessibleResultView : public QAccessibleWidget
{
public:
    explicit qvmAccessibleResultView(qvmResultView* view);
    ~qvmAccessibleResultView() override;

    // Makes Qt use this interface for every result view; once per run.
    static void install();

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    qvmResultView* view() const;
    // Entries of the top page, the message box when it shows, then the visible panels.
    int entryCount() const;
    bool showsMessage() const;

private:
    QList<QWidget*> panels() const;
    // Forgets the children made for an earlier state of the page.
    void dropStale() const;

    mutable QHash<int, QAccessible::Id> made;
    mutable int generation = -1;
};

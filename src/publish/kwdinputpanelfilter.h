#pragma once

#include <QObject>

class QEvent;

// Asks for the on-screen keyboard when an edit gets the focus and closes it when the focus leaves.
// Installed on the edits of the publication pages; owned by the page that installs it; it never
// consumes an event.
class kwdInputPanelFilter : public QObject
{
    Q_OBJECT
public:
    explicit kwdInputPanelFilter(QObject* parent = nullptr);

    // Installs one filter, owned by page, on every edit given.
    static void install(QObject* page, const QList<QObject*>& edits);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

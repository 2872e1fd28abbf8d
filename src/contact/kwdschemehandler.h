#pragma once

#include <QObject>
#include <QUrl>

class QProcess;

// Hands a URI to the program the desktop registered for its scheme (x-scheme-handler/<scheme>),
// but only when one is registered: the desktop's opener reports success even when nothing takes
// the URI. Answers asynchronously. Owns the query process while it runs.
class kwdSchemeHandler : public QObject
{
    Q_OBJECT
public:
    explicit kwdSchemeHandler(QObject* parent = nullptr);

    // False (and no signal) when a hand-off is still running.
    bool open(const QUrl& uri);
    bool isBusy() const { return busy; }
    // Whether the tool that knows the registered handlers is installed at all.
    static bool canQuery();

Q_SIGNALS:
    void finished(bool handed);

private:
    void onQueryFinished();
    void finish(bool handed);

    QProcess* query = nullptr;
    QUrl pending;
    bool busy = false;
};

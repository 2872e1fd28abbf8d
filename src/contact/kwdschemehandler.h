#pragma once

#include <QObject>
#include <QUrl>

class QProcess;
class QTimer;

// Hands a URI to the program the desktop registered for its scheme (x-scheme-handler/<scheme>),
// but only when one is registered: the desktop's opener reports success even when nothing takes
// the URI. Answers asynchronously, within timeLimit. Owns the query process while it runs.
class kwdSchemeHandler : public QObject
{
    Q_OBJECT
public:
    explicit kwdSchemeHandler(QObject* parent = nullptr);

    // False (and no signal) when a hand-off is still running.
    bool open(const QUrl& uri);
    bool isBusy() const { return busy; }
    // Ends a running hand-off without an answer; its helper is stopped.
    void cancel();
    // Whether the last answer came because the helper ran out of time.
    bool timedOut() const { return expired; }
    // Whether the tool that knows the registered handlers is installed at all.
    static bool canQuery();

    // How long a desktop helper of the contact hand-offs (xdg-mime, kdeconnect-cli) may run, in
    // milliseconds: a hung one must not hold the panel.
    static int timeLimit;

Q_SIGNALS:
    void finished(bool handed);

private:
    void onQueryFinished();
    void finish(bool handed);
    void stopQuery();

    QProcess* query = nullptr;
    QTimer* timer = nullptr;
    QUrl pending;
    bool busy = false;
    bool expired = false;
};

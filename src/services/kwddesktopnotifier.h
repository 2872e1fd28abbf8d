#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// Posts the new-listing announcement to the desktop's notification service (the freedesktop
// interface on the session bus) for a user whose window is hidden or minimised. Keeps one
// notification: later announcements replace it. Without a bus or a service nothing happens.
// Owns the connection it talks on and the identifier of its notification.
class kwdDesktopNotifier : public QObject
{
    Q_OBJECT
public:
    // Talks on the session bus.
    explicit kwdDesktopNotifier(QObject* parent = nullptr);
    // Talks on the given connection (a private bus in tests).
    kwdDesktopNotifier(const QDBusConnection& bus, QObject* parent);

    bool isAvailable() const;
    // Posts or updates the one notification.
    void notify(const QString& summary, const QString& body);
    // Takes the notification away (the user looked at the listings another way).
    void withdraw();
    uint notificationId() const { return currentId; }

    static const char* const desktopEntry;

Q_SIGNALS:
    // The user chose the notification's default action.
    void activated();
    // The service answered a post with the notification's identifier.
    void posted(uint id);
    // The service could not be reached or refused the post.
    void failed(const QString& error);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& key);
    void onNotificationClosed(uint id, uint reason);

private:
    void send();
    void onReply(QDBusPendingCallWatcher* watcher);

    QDBusConnection bus;
    bool listening = false;
    uint currentId = 0;
    bool inFlight = false;
    bool queued = false;
    // Withdrawn while its post was still on the way: closed as soon as its identifier is known.
    bool withdrawn = false;
    QString summaryText;
    QString bodyText;
};

#include "kwddesktopnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");
} // namespace

const char* const kwdDesktopNotifier::desktopEntry = "example.kwdpersonal.client";

kwdDesktopNotifier::kwdDesktopNotifier(QObject* parent)
    : kwdDesktopNotifier(QDBusConnection::sessionBus(), parent)
{
}

kwdDesktopNotifier::kwdDesktopNotifier(const QDBusConnection& connection, QObject* parent)
    : QObject(parent), bus(connection)
{
    if (!bus.isConnected())
        return;
    // QtDBus offers signal connections by signature only.
    listening = bus.connect(service, objectPath, interfaceName, QStringLiteral("ActionInvoked"), this,
                            SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, objectPath, interfaceName, QStringLiteral("NotificationClosed"), this,
                SLOT(onNotificationClosed(uint, uint)));
}

bool kwdDesktopNotifier::isAvailable() const
{
    return bus.isConnected();
}

void kwdDesktopNotifier::notify(const QString& summary, const QString& body)
{
    if (!bus.isConnected())
        return;
    summaryText = summary;
    bodyText = body;
    withdrawn = false;
    // A post still waiting for its identifier: the next one must replace it, not stand beside it.
    if (inFlight) {
        queued = true;
        return;
    }
    send();
}

void kwdDesktopNotifier::send()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, objectPath, interfaceName, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(desktopEntry));
    call << QStringLiteral("kwdpersonal") << currentId << QStringLiteral("kwdpersonal") << summaryText
         << bodyText << QStringList{QStringLiteral("default"), tr("Look")} << hints << qint32(-1);
    inFlight = true;
    queued = false;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &kwdDesktopNotifier::onReply);
}

void kwdDesktopNotifier::onReply(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    inFlight = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        Q_EMIT failed(reply.error().message());
    } else {
        currentId = reply.value();
        Q_EMIT posted(currentId);
    }
    if (withdrawn) {
        withdrawn = false;
        withdraw();
    } else if (queued) {
        send();
    }
}

void kwdDesktopNotifier::withdraw()
{
    if (!bus.isConnected())
        return;
    // The user looked at the listings before the service answered: without this the notification
    // would stay up, announcing what was already seen.
    if (inFlight) {
        withdrawn = true;
        queued = false;
        return;
    }
    if (currentId == 0)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, interfaceName,
                                                       QStringLiteral("CloseNotification"));
    call << currentId;
    bus.asyncCall(call);
    currentId = 0;
}

void kwdDesktopNotifier::onActionInvoked(uint id, const QString& key)
{
    if (id != 0 && id == currentId && key == QLatin1String("default"))
        Q_EMIT activated();
}

void kwdDesktopNotifier::onNotificationClosed(uint id, uint)
{
    // A closed notification cannot be updated; the next announcement posts a new one.
    if (id != 0 && id == currentId)
        currentId = 0;
}

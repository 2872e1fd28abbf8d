#include "kwddesktopnotifier.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "mainwindow.h"
#include "qvmwidgetsource.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

namespace {
const QString notifications = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

// The desktop notification of new listings on a private session bus, posted to python3-dbusmock's
// notification daemon (an implementation not ours, which checks each call against its signature):
// posted with the desktop entry and a default action, later posts replace the first, looking at the
// listings withdraws it, the default action comes back, and a bus without the service changes nothing.
class TestDesktopNotifier : public QObject
{
    Q_OBJECT
    QProcess bus;
    QProcess daemon;
    QString address;

private Q_SLOTS:
    void initTestCase()
    {
        const QString dbus = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        KWD_REQUIRE_COMPONENT(!dbus.isEmpty(), "dbus-daemon (Debian package dbus-daemon)");
        // Debian's module lives with Debian's interpreter, whatever python3 comes first on PATH.
        KWD_REQUIRE_COMPONENT(QProcess::execute(python, {"-c", "import dbusmock"}) == 0,
                              "python3-dbusmock (Debian package python3-dbusmock)");
        bus.start(dbus, {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
    }

    void cleanupTestCase()
    {
        for (QProcess* p : {&daemon, &bus}) {
            p->terminate();
            p->waitForFinished(5000);
        }
    }

    // One notifier through its life: a failed post, a burst, a later poll, the default action and
    // two ways of withdrawing.
    void notify()
    {
        kwdDesktopNotifier notifier(QDBusConnection::connectToBus(address, QStringLiteral("client")),
                                    nullptr);
        QSignalSpy posted(&notifier, &kwdDesktopNotifier::posted);
        QSignalSpy failed(&notifier, &kwdDesktopNotifier::failed);
        QSignalSpy activated(&notifier, &kwdDesktopNotifier::activated);
        // A bus without the service: nothing is kept, and the next post goes out.
        notifier.notify(QStringLiteral("new 0"), QString());
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(startDaemon());

        // Posts made while one waits for its identifier collapse into one, the latest, which replaces
        // the first; so does the next poll's.
        for (int i = 1; i <= 3; ++i)
            notifier.notify(QStringLiteral("new %1").arg(i), QString());
        QTRY_COMPARE(posted.count(), 2);
        const uint id = notifier.notificationId();
        QVERIFY(id != 0);
        notifier.notify(QStringLiteral("new 4"), QString());
        QTRY_COMPARE(posted.count(), 3);
        // Notify(app, replaces, icon, summary, body, actions, hints, timeout)
        const QList<QVariantList> notified = logged("Notify");
        QCOMPARE(notified.size(), 3);
        for (const QVariantList& c : notified) {
            QCOMPARE(c.value(1).toUInt(), &c == &notified.first() ? 0u : id);
            QCOMPARE(qdbus_cast<QStringList>(c.value(5)).value(0), QStringLiteral("default"));
            QCOMPARE(qdbus_cast<QVariantMap>(c.value(6)).value("desktop-entry").toString(),
                     QString::fromLatin1(kwdDesktopNotifier::desktopEntry));
        }
        QCOMPARE(notified.at(1).value(3).toString(), QStringLiteral("new 3"));
        // Another program's notification is not ours.
        invokeDefault(id + 1);
        invokeDefault(id);
        QVERIFY(activated.wait(5000));
        QCOMPARE(activated.count(), 1);

        notifier.withdraw();
        QTRY_COMPARE(logged("CloseNotification").size(), 1);
        QCOMPARE(logged("CloseNotification").first().value(0).toUInt(), id);
        QCOMPARE(notifier.notificationId(), 0u);
        // Looked at before the service answered: the notification is closed once its identifier comes.
        notifier.notify(QStringLiteral("new 5"), QString());
        notifier.withdraw();
        QTRY_COMPARE(posted.count(), 4);
        QTRY_COMPARE(logged("CloseNotification").size(), 2);
        QCOMPARE(logged("CloseNotification").last().value(0).toUInt(), posted.last().at(0).toUInt());
        QCOMPARE(notifier.notificationId(), 0u);
    }

    // New listings for a hidden window reach the desktop; its default action opens them.
    void hiddenWindow()
    {
        kwdLocalService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorText()));
        QVERIFY(startDaemon());
        kwdStore::instance()->load();
        kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        push->category = 2;
        push->setField(kwdFinder::PushFlag, QStringLiteral("1"));
        MainWindow window;
        window.setNotifier(new kwdDesktopNotifier(QDBusConnection::connectToBus(address, "window"), &window));
        window.check_newhouse();
        QTRY_COMPARE(logged("Notify").size(), 1);
        const QVariantList call = logged("Notify").first();
        QVERIFY(call.value(4).toString().startsWith(QString::number(window.newHouseRecords.size())));
        QTRY_VERIFY(window.notifier->notificationId() != 0);
        invokeDefault(window.notifier->notificationId());
        QTRY_VERIFY(window.isVisible());
        auto* source = static_cast<qvmWidgetSource*>(window.pageContent(0));
        QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageResults));
    }

private:
    const QString python = QStringLiteral("/usr/bin/python3");

    QDBusConnection peer() { return QDBusConnection::connectToBus(address, QStringLiteral("peer")); }

    bool registered() { return peer().interface()->isServiceRegistered(notifications).value(); }

    // A call of the daemon's own interface (its log of calls, its signals).
    QDBusMessage mock(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(notifications, objectPath, "org.freedesktop.DBus.Mock", method);
        call.setArguments(arguments);
        return peer().call(call);
    }

    // Starts the daemon unless it runs, and empties its log of calls.
    bool startDaemon()
    {
        if (daemon.state() == QProcess::NotRunning) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
            daemon.setProcessEnvironment(env);
            daemon.start(python, {"-m", "dbusmock", "--template", "notification_daemon"});
        }
        return QTest::qWaitFor([this] { return registered(); }, 20000) &&
               mock("ClearCalls", {}).type() == QDBusMessage::ReplyMessage;
    }

    // The arguments of each call of a method the daemon logged.
    QList<QVariantList> logged(const QString& method)
    {
        const QDBusArgument log =
            mock("GetMethodCalls", {method}).arguments().value(0).value<QDBusArgument>();
        QList<QVariantList> calls;
        log.beginArray();
        while (!log.atEnd()) {
            qulonglong time = 0;
            QVariantList arguments;
            log.beginStructure();
            log >> time >> arguments;
            log.endStructure();
            calls.append(arguments);
        }
        log.endArray();
        return calls;
    }

    void invokeDefault(uint id)
    {
        const QVariantList arguments = {id, QStringLiteral("default")};
        mock("EmitSignal", {QString(), "ActionInvoked", "us", QVariant::fromValue(arguments)});
    }
};

KWD_TEST_MAIN(TestDesktopNotifier)
#include "tst_kwddesktopnotifier.moc"

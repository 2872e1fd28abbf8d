#include "kwddesktopnotifier.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "mainwindow.h"
#include "qvmwidgetsource.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The notification service on the private bus: answers Notify as the freedesktop interface does (a
// new identifier, or the replaced one) and keeps every call.
class MockNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call
    {
        uint replacesId;
        QString summary;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;
    QList<uint> closed;
    uint lastId = 0;

public Q_SLOTS:
    uint Notify(const QString&, uint replacesId, const QString&, const QString& summary, const QString&,
                const QStringList& actions, const QVariantMap& hints, int)
    {
        calls.append({replacesId, summary, actions, hints});
        return replacesId ? replacesId : ++lastId;
    }
    void CloseNotification(uint id) { closed.append(id); }
};

// The desktop notification of new listings on a private session bus: posted with the desktop
// entry and a default action, later posts replace the first, the default action comes back, and
// a bus without the service changes nothing.
class TestDesktopNotifier : public QObject
{
    Q_OBJECT
    QProcess bus;
    QString address;
    MockNotifications mock;
    int connections = 0;

private Q_SLOTS:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        KWD_REQUIRE_COMPONENT(!daemon.isEmpty(), "dbus-daemon (Debian package dbus-daemon)");
        bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());
    }

    void cleanupTestCase()
    {
        stopService();
        if (bus.state() != QProcess::NotRunning) {
            bus.terminate();
            bus.waitForFinished(5000);
        }
    }

    void notify_data()
    {
        // waitEach false: posted back to back; calls: Notify calls the service gets (0: no service);
        // withdraw: when the listings are looked at, "posted" or "posting".
        kwdColumns<int, bool, int, QString>("posts", "waitEach", "calls", "withdraw");
        kwdRow("one post, its default action", 1, true, 1, "");
        kwdRow("second poll replaces", 2, true, 2, "");
        // Posts made while one waits for its identifier collapse into one, the latest.
        kwdRow("burst", 3, false, 2, "");
        kwdRow("withdrawn once posted", 1, true, 1, "posted");
        // Looked at before the service answered: the notification is closed once its identifier comes.
        kwdRow("withdrawn while posting", 1, false, 1, "posting");
        kwdRow("no service", 1, true, 0, "");
    }

    void notify()
    {
        QFETCH(int, posts);
        QFETCH(int, calls);
        QFETCH(QString, withdraw);
        if (calls)
            QVERIFY(startService());
        const auto cleanup = qScopeGuard([this] { stopService(); });
        kwdDesktopNotifier notifier(
            QDBusConnection::connectToBus(address, QStringLiteral("client%1").arg(++connections)), nullptr);
        QVERIFY(notifier.isAvailable());
        QSignalSpy posted(&notifier, &kwdDesktopNotifier::posted);
        QSignalSpy failed(&notifier, &kwdDesktopNotifier::failed);
        QSignalSpy activated(&notifier, &kwdDesktopNotifier::activated);
        for (int i = 1; i <= posts; ++i) {
            notifier.notify(QStringLiteral("new %1").arg(i), QString());
            if (i == posts && withdraw == QLatin1String("posting"))
                notifier.withdraw();
            if (kwdData<bool>("waitEach"))
                QTRY_COMPARE(posted.count() + failed.count(), i);
        }
        QTRY_COMPARE(posted.count() + failed.count(), qMax(calls, 1));
        QCOMPARE(failed.count(), int(!calls));
        if (!calls) {
            QCOMPARE(notifier.notificationId(), 0u);
            return;
        }
        QTRY_COMPARE(int(mock.calls.size()), calls);
        const uint id = posted.last().at(0).toUInt();
        QVERIFY(id != 0);
        if (withdraw == QLatin1String("posted"))
            notifier.withdraw();
        if (!withdraw.isEmpty())
            QTRY_COMPARE(mock.closed, QList<uint>{id});
        QCOMPARE(notifier.notificationId(), withdraw.isEmpty() ? id : 0u);
        for (const MockNotifications::Call& c : std::as_const(mock.calls)) {
            QCOMPARE(c.replacesId, &c == &mock.calls.first() ? 0u : id);
            QCOMPARE(c.actions.value(0), QStringLiteral("default"));
            QCOMPARE(c.hints.value("desktop-entry").toString(),
                     QString::fromLatin1(kwdDesktopNotifier::desktopEntry));
        }
        QCOMPARE(mock.calls.last().summary, QStringLiteral("new %1").arg(posts));
        if (withdraw.isEmpty()) {
            // Another program's notification is not ours.
            invokeDefault(id + 1);
            invokeDefault(id);
            QVERIFY(activated.wait(5000));
            QCOMPARE(activated.count(), 1);
        }
    }

    // New listings for a hidden window reach the desktop; its default action opens them.
    void hiddenWindow()
    {
        kwdLocalService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorText()));
        QVERIFY(startService());
        const auto cleanup = qScopeGuard([this] { stopService(); });
        kwdStore::instance()->load();
        kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        push->category = 2;
        push->setField(kwdFinder::PushFlag, QStringLiteral("1"));
        MainWindow window;
        window.setNotifier(new kwdDesktopNotifier(QDBusConnection::connectToBus(address, "window"), &window));
        window.check_newhouse();
        QTRY_COMPARE(int(mock.calls.size()), 1);
        QVERIFY(!window.newHouseRecords.isEmpty());
        QVERIFY(mock.calls.first().summary.contains(QStringLiteral("：")));
        QTRY_VERIFY(window.notifier->notificationId() != 0);
        invokeDefault(window.notifier->notificationId());
        QTRY_VERIFY(window.isVisible());
        auto* source = static_cast<qvmWidgetSource*>(window.pageContent(0));
        QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageResults));
    }

    // The same posts against an implementation that is not ours (python3-dbusmock's notification
    // daemon, which checks the call's signature): accepted, the second replaces the first, every call logged.
    void independentDaemon()
    {
        // Debian's module lives with Debian's interpreter, whatever python3 comes first on PATH.
        const QString python = QStringLiteral("/usr/bin/python3");
        KWD_REQUIRE_COMPONENT(QProcess::execute(python, {"-c", "import dbusmock"}) == 0,
                              "python3-dbusmock (Debian package python3-dbusmock)");
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("calls.log"));
        QProcess daemon;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        daemon.setProcessEnvironment(env);
        daemon.start(python, {"-m", "dbusmock", "--template", "notification_daemon", "-l", log});
        QVERIFY(daemon.waitForStarted());
        const auto stop = qScopeGuard([&daemon] {
            daemon.terminate();
            daemon.waitForFinished(5000);
        });
        QDBusConnection probe = QDBusConnection::connectToBus(address, QStringLiteral("probe"));
        QTRY_VERIFY_WITH_TIMEOUT(
            probe.interface()->isServiceRegistered("org.freedesktop.Notifications").value(), 20000);
        kwdDesktopNotifier notifier(QDBusConnection::connectToBus(address, QStringLiteral("independent")),
                                    nullptr);
        QSignalSpy posted(&notifier, &kwdDesktopNotifier::posted);
        QSignalSpy failed(&notifier, &kwdDesktopNotifier::failed);
        notifier.notify(QStringLiteral("new 1"), QStringLiteral("first"));
        QTRY_COMPARE(posted.count() + failed.count(), 1);
        const uint first = notifier.notificationId();
        notifier.notify(QStringLiteral("new 2"), QStringLiteral("second"));
        QTRY_COMPARE(posted.count() + failed.count(), 2);
        QCOMPARE(failed.count(), 0);
        QVERIFY(first != 0);
        QCOMPARE(notifier.notificationId(), first);
        const auto logged = [&log] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_COMPARE(logged().count("Notify"), 2);
        const QByteArray calls = logged();
        QVERIFY2(calls.contains("desktop-entry") && calls.contains(kwdDesktopNotifier::desktopEntry),
                 calls.constData());
    }

private:
    bool startService()
    {
        QDBusConnection c = QDBusConnection::connectToBus(address, QStringLiteral("mock"));
        if (!c.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &mock,
                              QDBusConnection::ExportAllSlots) ||
            !c.registerService(QStringLiteral("org.freedesktop.Notifications")))
            return false;
        QDBusConnection probe = QDBusConnection::connectToBus(address, QStringLiteral("probe"));
        return QTest::qWaitFor(
            [&] { return probe.interface()->isServiceRegistered("org.freedesktop.Notifications").value(); },
            10000);
    }

    void stopService()
    {
        if (address.isEmpty())
            return;
        mock.calls.clear();
        mock.closed.clear();
        QDBusConnection c = QDBusConnection::connectToBus(address, QStringLiteral("mock"));
        c.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        c.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    }

    void invokeDefault(uint id)
    {
        QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                         "org.freedesktop.Notifications", "ActionInvoked");
        signal << id << QStringLiteral("default");
        QDBusConnection::connectToBus(address, QStringLiteral("mock")).send(signal);
    }
};

KWD_TEST_MAIN(TestDesktopNotifier)
#include "tst_kwddesktopnotifier.moc"

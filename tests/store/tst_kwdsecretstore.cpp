#include "kwdsecretstore.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QDBusConnectionInterface>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QUuid>
#include <QtTest>

#include <sys/stat.h>

// The publisher's digest never stays in the settings: with a secret service (GNOME Keyring on a
// private bus) it goes there and no file holds it; without one it goes to a file only the user can
// read; an earlier version's digest leaves the settings at the next start; a logout removes it.
// Every case is one child process, as every run of the program is: the bus libraries keep their
// first connection for the whole process.
class TestSecretStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("KWD_SECRET_STEPS"))
            return;
        QStringList tools;
        for (const char* tool : {"dbus-daemon", "gnome-keyring-daemon", "secret-tool"}) {
            tools << QStandardPaths::findExecutable(QLatin1String(tool));
            if (tools.last().isEmpty())
                missing += QLatin1String(tool) + QLatin1Char(' ');
        }
        if (!missing.isEmpty())
            return;
        bus.start(tools.at(0), {"--session", "--nofork", "--print-address=1"});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(bus.canReadLine());
        address = QString::fromLatin1(bus.readLine()).trimmed();
        busEnv.insert("DBUS_SESSION_BUS_ADDRESS", address);
        daemon.setProcessEnvironment(busEnv);
        // Unlocked with a password given on its input, as a desktop's login does.
        daemon.start(tools.at(1), {"--foreground", "--unlock", "--components=secrets"});
        QVERIFY(daemon.waitForStarted());
        daemon.write("test-password");
        daemon.closeWriteChannel();
        QDBusConnection probe = QDBusConnection::connectToBus(address, QStringLiteral("probe"));
        QTRY_VERIFY_WITH_TIMEOUT(probe.interface()->isServiceRegistered("org.freedesktop.secrets").value(),
                                 20000);
    }

    void cleanupTestCase()
    {
        for (QProcess* p : {&daemon, &bus}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                p->waitForFinished(5000);
            }
        }
    }

    void kept_data()
    {
        // earlier: the settings of an earlier version hold the digest
        kwdColumns<bool, bool, QString, int>("service", "earlier", "steps", "place");
        const int keychain = kwdSecretStore::Keychain, file = kwdSecretStore::File,
                  none = kwdSecretStore::Nowhere;
        QTest::newRow("keyring") << true << false << "login" << keychain;
        QTest::newRow("keyring, logout") << true << false << "login logout" << none;
        QTest::newRow("keyring, earlier version") << true << true << "start" << keychain;
        QTest::newRow("no service") << false << false << "login" << file;
        QTest::newRow("no service, logout") << false << false << "login logout" << none;
        QTest::newRow("no service, earlier version") << false << true << "start" << file;
    }

    void kept()
    {
        QFETCH(bool, service);
        QFETCH(bool, earlier);
        QFETCH(QString, steps);
        QFETCH(int, place);
        if (service)
            KWD_REQUIRE_COMPONENT(missing.isEmpty(), "dbus-daemon, gnome-keyring-daemon or secret-tool");
        const QString home = QDir::homePath();
        const QString settings = home + "/.config/Nordal/personal.conf";
        const QString secretFile = home + "/kwdpersonal/publisher.secret";
        QDir(home + "/kwdpersonal").removeRecursively();
        QFile::remove(settings);
        if (service)
            keyring({"clear"});
        const QByteArray digest = QUuid::createUuid().toByteArray(QUuid::Id128);
        if (earlier) {
            QDir().mkpath(QFileInfo(settings).path());
            QFile old(settings);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("[%General]\ncfgOnloadName=demo\ncfgOnloadPassword=" + digest + "\n");
        }

        QStringList variables{"KWD_SECRET_STEPS=" + steps, "KWD_SECRET_DIGEST=" + QString::fromLatin1(digest),
                              "KWD_SECRET_PLACE=" + QString::number(place)};
        if (service)
            variables << "DBUS_SESSION_BUS_ADDRESS=" + address;
        const QString failed = kwdTestEnvironment::runChild(variables);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));

        if (service)
            QCOMPARE(keyring({"lookup"}),
                     place == kwdSecretStore::Keychain ? QString::fromLatin1(digest) : QString());
        // No file holds the digest but the private one of a desktop without secret service.
        QStringList holding;
        for (QDirIterator it(home, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(digest))
                holding << f.fileName();
        }
        QCOMPARE(holding, place == kwdSecretStore::File ? QStringList{secretFile} : QStringList());
        struct stat st = {};
        QVERIFY(place != kwdSecretStore::File ||
                (::stat(QFile::encodeName(secretFile).constData(), &st) == 0 && (st.st_mode & 0777) == 0600));
        QFile conf(settings);
        QVERIFY(!conf.open(QIODevice::ReadOnly) || !conf.readAll().contains("cfgOnloadPassword"));
    }

    void childRun()
    {
        const QStringList steps = qEnvironmentVariable("KWD_SECRET_STEPS").split(' ', Qt::SkipEmptyParts);
        if (steps.isEmpty())
            QSKIP("run as a child process only");
        const QString digest = qEnvironmentVariable("KWD_SECRET_DIGEST");
        const int place = qEnvironmentVariableIntValue("KWD_SECRET_PLACE");
        kwdStore* store = kwdStore::instance();
        for (const QString& step : steps) {
            if (step == "start")
                store->load();
            else
                store->setConfig(kwdStore::cfgOnloadPassword, step == "login" ? digest : QString());
        }
        QVERIFY(store->secrets()->settle(20000));
        QCOMPARE(int(store->secrets()->place()), place);
        kwdStore::destroy();
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnloadPassword).toString(),
                 place == kwdSecretStore::Nowhere ? QString() : digest);
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnloadName).toString(),
                 steps.contains("start") ? QStringLiteral("demo") : QString());
    }

private:
    QString keyring(const QStringList& args)
    {
        QProcess tool;
        tool.setProcessEnvironment(busEnv);
        tool.start(QStandardPaths::findExecutable("secret-tool"),
                   args + QStringList{"server", "Nordal/personal", "user", "cfgOnloadPassword"});
        return tool.waitForFinished(20000) ? QString::fromUtf8(tool.readAllStandardOutput())
                                           : QStringLiteral("?");
    }

    QString missing;
    QProcess bus;
    QProcess daemon;
    QString address;
    QProcessEnvironment busEnv = QProcessEnvironment::systemEnvironment();
};

// The child's half of kept: one run of the program, then the next one reads what it left.
KWD_TEST_MAIN(TestSecretStore)
#include "tst_kwdsecretstore.moc"

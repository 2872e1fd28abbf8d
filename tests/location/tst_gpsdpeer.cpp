#include "kwdlocation.h"
#include "kwdnmeasentence.h"
#include "kwdpositionsource.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QGeoPositionInfoSource>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

struct Fix
{
    QDateTime time;
    QGeoCoordinate at;
    double speed;
};

const QGeoCoordinate Start(39.9087, 116.4605);
constexpr int Steps = 15;
constexpr int StepMs = 200;

QByteArray sentences(const Fix& f)
{
    return kwdNmeaSentence::rmc(f.time, f.at.latitude(), f.at.longitude(), f.speed, 0) +
           kwdNmeaSentence::gga(f.time, f.at.latitude(), f.at.longitude(), 40);
}

} // namespace

// Our receiver against Debian's gpsd, which reads the drive from a pseudo terminal as from a
// receiver's serial line, and when the daemon goes away and comes back.
class TestGpsdPeer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Qt's NMEA plugin hides itself from processes QtTest runs; here it is what is tested.
        qunsetenv("QT_QTESTLIB_RUNNING");
        gpsd = QStandardPaths::findExecutable(QStringLiteral("gpsd"));
        if (gpsd.isEmpty())
            gpsd = QStandardPaths::findExecutable(QStringLiteral("gpsd"), {"/usr/sbin", "/usr/local/sbin"});
        KWD_REQUIRE_COMPONENT(!gpsd.isEmpty(), "Debian's gpsd (package gpsd)");
        char name[128] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        // gpsd is down for a while in one test: what is written then must not block the test.
        QVERIFY(fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK) == 0);
        line = QString::fromLocal8Bit(name);
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
        choice = QStringLiteral("gpsd://127.0.0.1:%1").arg(port);
    }

    void cleanup()
    {
        spy.reset();
        source.reset();
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    void cleanupTestCase()
    {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }

    // A drive read by gpsd from the receiver's line reaches our receiver fix by fix: it speeds up and
    // turns, one fix every StepMs.
    void drive()
    {
        QVERIFY(startReceiver());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QList<Fix> fixes;
        QByteArray bytes;
        QGeoCoordinate at = Start;
        for (int i = 0; i < Steps; ++i) {
            const double speed = 4.0 + 0.75 * i;
            fixes.append({now.addMSecs(qint64(i) * StepMs - now.time().msec()), at, speed});
            bytes += sentences(fixes.last());
            at = at.atDistanceAndAzimuth(speed * StepMs / 1000.0, 15.0 * i);
        }
        QCOMPARE(::write(master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        // The last fix is complete only when the next one begins.
        QTRY_VERIFY_WITH_TIMEOUT(since(fixes.first().time).size() >= Steps - 1, 15000);
        const QList<QGeoPositionInfo> got = since(fixes.first().time);
        QVERIFY(got.size() <= Steps);
        for (int i = 0; i < got.size(); ++i) {
            const QGeoPositionInfo& info = got.at(i);
            QCOMPARE(info.timestamp(), fixes.at(i).time);
            QVERIFY2(info.coordinate().distanceTo(fixes.at(i).at) < 0.5, qPrintable(QString::number(i)));
            QVERIFY(info.hasAttribute(QGeoPositionInfo::GroundSpeed));
            QVERIFY(qAbs(info.attribute(QGeoPositionInfo::GroundSpeed) - fixes.at(i).speed) < 0.03);
        }
    }

    void daemonRestart()
    {
        QVERIFY(startReceiver());
        daemon.terminate();
        QVERIFY(daemon.waitForFinished(5000));
        // A receiver started now on the deserted port tells the user so within seconds.
        kwdLocation fresh;
        fresh.sourceFactory = [this](QObject* parent) { return kwdPositionSource::create(choice, parent); };
        QSignalSpy failed(&fresh, &kwdLocation::positionChange);
        QVERIFY(fresh.start());
        QVERIFY(failed.wait(3000));
        QCOMPARE(failed.first(), (QList<QVariant>{0.0, 0.0}));

        // The daemon back: the receiver that kept running finds it again by itself.
        const QDateTime back = QDateTime::currentDateTimeUtc();
        QVERIFY(startDaemon());
        QVERIFY(feedUntilFix(back));
    }

private:
    // The fixes our receiver reported from `from` on (the standing fixes of a warm-up came before).
    QList<QGeoPositionInfo> since(const QDateTime& from) const
    {
        QList<QGeoPositionInfo> fixes;
        for (const QList<QVariant>& args : *spy) {
            const QGeoPositionInfo info = args.at(0).value<QGeoPositionInfo>();
            if (info.timestamp() >= from)
                fixes << info;
        }
        return fixes;
    }

    bool startDaemon()
    {
        // -n reads the receiver before any client asks, -b never writes to it.
        daemon.start(gpsd, {"-N", "-n", "-b", "-S", QString::number(port), line});
        if (!daemon.waitForStarted(5000))
            return false;
        return QTest::qWaitFor(
            [&] {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, port);
                return probe.waitForConnected(200);
            },
            10000);
    }

    // gpsd up and our receiver started on it. gpsd takes a few sentences to recognise the receiver and
    // passes on nothing before our watch is set up: the car stands at the start until a fix comes through.
    bool startReceiver()
    {
        if (!startDaemon())
            return false;
        source.reset(kwdPositionSource::create(choice, nullptr));
        if (!source)
            return false;
        spy.reset(new QSignalSpy(source.data(), &QGeoPositionInfoSource::positionUpdated));
        source->startUpdates();
        return feedUntilFix(QDateTime::currentDateTimeUtc().addSecs(-60));
    }

    // Writes one standing fix after another, timed from `from` on, until our receiver reports one.
    bool feedUntilFix(const QDateTime& from)
    {
        int written = 0;
        QTimer feed;
        connect(&feed, &QTimer::timeout, this, [&] {
            const QByteArray fix = sentences({from.addMSecs(qint64(written++) * StepMs), Start, 0.0});
            if (::write(master, fix.constData(), size_t(fix.size())) < 0)
                qWarning() << "the receiver's line is full";
        });
        feed.start(100);
        return QTest::qWaitFor([&] { return !since(from).isEmpty(); }, 20000);
    }

    QString gpsd;
    QString line;
    QString choice;
    quint16 port = 0;
    int master = -1;
    int slave = -1;
    QProcess daemon;
    QScopedPointer<QGeoPositionInfoSource> source;
    QScopedPointer<QSignalSpy> spy;
};

KWD_TEST_MAIN(TestGpsdPeer)
#include "tst_gpsdpeer.moc"

#include "kwdgpsddevice.h"
#include "kwdlocalservice.h"
#include "kwdlocation.h"
#include "kwdnmeasentence.h"
#include "kwdpositionsource.h"
#include "kwdserviceconfig.h"
#include "kwdtestdata.h"
#include "kwdtestenvironment.h"
#include "kwdtestreceiver.h"
#include "kwdtesttable.h"
#include "qvmaddressentry.h"
#include "qvmhttpholder.h"
#include "xqgeosearchmanager.h"

#include <QApplication>
#include <QGeoCoordinate>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QtTest>

#include <pty.h>
#include <unistd.h>

namespace {

const QGeoCoordinate Guomao(39.9087, 116.4605);

} // namespace

// The position source: which fixes count, when the address is asked again, the cache and the
// replies of the geocoder (the local service's), and the receivers chosen by configuration.
class TestLocation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Qt's NMEA plugin declares itself untestable and is hidden from processes QtTest runs; these
        // tests feed it their own sentences, so it is wanted here.
        qunsetenv("QT_QTESTLIB_RUNNING");
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        holder = new qvmHttpHolder(this);
    }

    void init()
    {
        service->clearFaults();
        service->clearLog();
        receivers.clear();
        location = new kwdLocation;
        addresses = new QSignalSpy(location, &kwdLocation::addressChange);
        positions = new QSignalSpy(location, &kwdLocation::positionChange);
    }

    void cleanup()
    {
        delete addresses;
        delete positions;
        delete location;
        location = nullptr;
    }

    void lookupThreshold_data()
    {
        QTest::addColumn<bool>("satellite");
        QTest::addColumn<double>("metres");
        QTest::addColumn<int>("lookups");
        kwdRow("satellite at 500 m", true, 500.0, 2);
        kwdRow("satellite at 499.9 m", true, 499.9, 1);
        kwdRow("cell at 1000 m", false, 1000.0, 2);
        kwdRow("cell at 999.9 m", false, 999.9, 1);
        kwdRow("cell at 500 m", false, 500.0, 1);
    }

    void lookupThreshold()
    {
        QFETCH(bool, satellite);
        QFETCH(double, metres);
        QFETCH(int, lookups);
        startWith(satellite ? QGeoPositionInfoSource::SatellitePositioningMethods
                            : QGeoPositionInfoSource::NonSatellitePositioningMethods);
        kwdTestReceiver* r = satellite ? receivers.first() : receivers.last();
        QVERIFY(receivers.size() == (satellite ? 1 : 2));

        r->fix(Guomao, 8.5);
        QVERIFY(addressed(1));
        QCOMPARE(addresses->first().at(1).toString(), QStringLiteral("北京"));
        QCOMPARE(location->groundSpeed(), 8.5f);
        double lon = 0, lat = 0;
        QVERIFY(location->position(&lon, &lat));
        QCOMPARE(lon, Guomao.longitude());
        QCOMPARE(lat, Guomao.latitude());

        r->fix(kwdNorthOf(Guomao, metres));
        QCOMPARE(location->addressCache.size(), lookups);
        QVERIFY(addressed(lookups));
    }

    void cellAfterSatellite()
    {
        startWith(QGeoPositionInfoSource::AllPositioningMethods);
        QCOMPARE(receivers.size(), 2);
        receivers.last()->fix(Guomao);
        QCOMPARE(positions->size(), 1);
        receivers.first()->fix(kwdNorthOf(Guomao, 50));
        QCOMPARE(positions->size(), 2);
        // From the first satellite fix on, the cell receiver is not listened to at all.
        receivers.last()->fix(kwdNorthOf(Guomao, 3000), 20);
        QCOMPARE(positions->size(), 2);
        QCOMPARE(location->groundSpeed(), 20.0f);
        QCOMPARE(location->latitude, kwdNorthOf(Guomao, 50).latitude());
    }

    void pendingAndLateReplies()
    {
        startWith(QGeoPositionInfoSource::SatellitePositioningMethods);
        kwdTestReceiver* r = receivers.first();
        service->setFault(QString(), QStringLiteral("/geocoder/*"), QStringLiteral("stall"),
                          QStringLiteral("ms=300"));
        r->fix(Guomao);
        // Within 200 m of a lookup still under way: no second request, nothing announced.
        r->fix(kwdNorthOf(Guomao, 150));
        QCOMPARE(location->addressCache.size(), 1);
        QVERIFY(location->addressCache.first()->pending);
        // 400 m on, the first answer is for a place the user has left.
        const QGeoCoordinate moved = kwdNorthOf(Guomao, 400);
        r->fix(moved);
        QCOMPARE(location->addressCache.size(), 2);
        QVERIFY(addressed(1));
        QTRY_VERIFY(!location->addressCache.first()->pending && !location->addressCache.last()->pending);
        QCOMPARE(addresses->size(), 1);
        QCOMPARE(location->addressLatitude, moved.latitude());
        // Back near the first point its cached address is announced without asking again.
        r->fix(Guomao.atDistanceAndAzimuth(150, 180));
        QVERIFY(addressed(2));
        QCOMPARE(location->addressLatitude, Guomao.latitude());
        QCOMPARE(service->log().size(), 2);
    }

    // Out at sea there is no address: none is announced or kept, and the next fix asks again (the
    // service's faults are the fault table's).
    void noPlaceThere()
    {
        const QGeoCoordinate sea(20.0, 125.0);
        startWith(QGeoPositionInfoSource::SatellitePositioningMethods);
        receivers.first()->fix(sea);
        QVERIFY(addressed(1));
        QVERIFY(addresses->first().at(0).toString().isEmpty() &&
                addresses->first().at(1).toString().isEmpty());
        QVERIFY(location->addressCache.isEmpty());
        QCOMPARE(location->addressValid, 0.0);
        receivers.first()->fix(kwdNorthOf(sea, 10));
        QCOMPARE(location->addressCache.size(), 1);
    }

    void usersAndStop_data()
    {
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("stops");
        QTest::addColumn<int>("users");
        kwdRow("balanced", 2, 2, 0);
        kwdRow("one left", 3, 2, 1);
        kwdRow("more stops than starts", 1, 4, 0);
    }

    void usersAndStop()
    {
        QFETCH(int, starts);
        QFETCH(int, stops);
        QFETCH(int, users);
        startWith(QGeoPositionInfoSource::SatellitePositioningMethods);
        for (int i = 1; i < starts; ++i)
            QVERIFY(location->start());
        receivers.first()->fix(Guomao);
        for (int i = 0; i < stops; ++i)
            location->stop();
        QCOMPARE(location->userCount(), users);
        QCOMPARE(location->isRunning(), users > 0);
        QCOMPARE(location->position(nullptr, nullptr), users > 0);
        // A fix still queued when the receiver was told to rest changes nothing.
        receivers.first()->fix(kwdNorthOf(Guomao, 900));
        QCOMPARE(positions->size(), users > 0 ? 2 : 1);
        // The next start runs the same receiver again, from a clean state.
        QVERIFY(location->start());
        QCOMPARE(receivers.size(), 1);
        QCOMPARE(location->userCount(), users + 1);
    }

    void deletedWhileAsking()
    {
        service->setFault(QString(), QStringLiteral("/geocoder/*"), QStringLiteral("stall"),
                          QStringLiteral("ms=200"));
        startWith(QGeoPositionInfoSource::SatellitePositioningMethods);
        receivers.first()->fix(Guomao);
        QCOMPARE(location->searchManager->pendingCount(), 1);
        const QString url = location->searchManager->requestUrl(Guomao);
        QVERIFY(holder->requestByUrl(url));
        delete addresses;
        addresses = nullptr;
        delete location;
        location = nullptr;
        // The request is forgotten with its manager, so its late answer has nowhere to go.
        QVERIFY(!holder->requestByUrl(url));
    }

    void configuredReceivers_data()
    {
        QTest::addColumn<QString>("kind");
        kwdRow("replayed log", "log");
        kwdRow("NMEA socket", "socket");
        kwdRow("gpsd", "gpsd");
        kwdRow("serial at 9600 baud", "serial");
        kwdRow("refused socket", "refused");
        kwdRow("unreachable gpsd", "gpsd refused");
    }

    void configuredReceivers()
    {
        QFETCH(QString, kind);
        const QDateTime t = QDateTime::currentDateTimeUtc();
        const QByteArray fix =
            kwdNmeaSentence::rmc(t, Guomao.latitude(), Guomao.longitude(), 10, 0) +
            kwdNmeaSentence::gga(t, Guomao.latitude(), Guomao.longitude(), 40) +
            kwdNmeaSentence::rmc(t.addSecs(1), Guomao.latitude(), Guomao.longitude(), 10, 0);
        QTemporaryFile log;
        QTcpServer server;
        QByteArray heard;
        int master = -1, slave = -1;
        char pty[128] = {};
        QString choice;
        if (kind == QLatin1String("log")) {
            QVERIFY(log.open());
            log.write(fix);
            log.close();
            choice = log.fileName();
        } else if (kind == QLatin1String("serial")) {
            // A pseudo terminal stands in for the receiver's serial line.
            QVERIFY(openpty(&master, &slave, pty, nullptr, nullptr) == 0);
            choice = QStringLiteral("serial:%1@9600").arg(QString::fromLocal8Bit(pty));
        } else {
            QVERIFY(server.listen(QHostAddress::LocalHost));
            choice = QStringLiteral("%1://127.0.0.1:%2")
                         .arg(kind.startsWith("gpsd") ? "gpsd" : "socket")
                         .arg(server.serverPort());
            if (kind.endsWith(QLatin1String("refused")))
                server.close();
            // gpsd answers with reports of its own and sends NMEA only once asked to watch.
            connect(&server, &QTcpServer::newConnection, this, [&] {
                QTcpSocket* s = server.nextPendingConnection();
                s->write(kind == "gpsd" ? QByteArray("{\"class\":\"VERSION\",\"release\":\"3.22\"}\r\n")
                                        : fix);
                connect(s, &QTcpSocket::readyRead, s, [&, s] {
                    heard += s->readAll();
                    if (heard == kwdGpsdDevice::watchCommand())
                        s->write("{\"class\":\"WATCH\",\"enable\":true}\r\n" + fix);
                });
            });
        }
        location->sourceFactory = [choice](QObject* parent) {
            return kwdPositionSource::create(choice, parent);
        };
        QVERIFY(location->start());
        if (master >= 0)
            QCOMPARE(::write(master, fix.constData(), size_t(fix.size())), ssize_t(fix.size()));
        const bool fixed = positions->wait(5000);
        if (master >= 0) {
            ::close(master);
            ::close(slave);
        }
        QVERIFY(fixed);
        if (kind.endsWith(QLatin1String("refused"))) {
            // Without a fix the receiver's failure is announced, so nobody waits for ever.
            QCOMPARE(positions->first(), (QList<QVariant>{0.0, 0.0}));
            return;
        }
        QVERIFY(QGeoCoordinate(location->latitude, location->longitude).distanceTo(Guomao) < 1.0);
        QCOMPARE(qRound(location->groundSpeed() * 10), 100);
        QVERIFY(addressed(1));
        QCOMPARE(addresses->first().at(1).toString(), QStringLiteral("北京"));
        QVERIFY(addresses->first().at(2).toString().startsWith(QStringLiteral("北京市")));
        const kwdServiceConfig& config = kwdServiceConfig::instance();
        const QJsonObject request = service->log().value(0);
        QCOMPARE(request.value(QStringLiteral("host")).toString(), config.geocoderHost);
        QCOMPARE(request.value(QStringLiteral("path")).toString(), QStringLiteral("/geocoder/rgc/1.0"));
        QCOMPARE(request.value(QStringLiteral("query")).toString(),
                 QStringLiteral("referer=qtlocationapi&token=%1&long=116.4605&lat=39.9087&lg=chi")
                     .arg(config.geocoderToken));
    }

    void cleanupTestCase() { delete service; }

private:
    // Starts a location whose receivers offer `methods`; the first is the satellite one.
    void startWith(QGeoPositionInfoSource::PositioningMethods methods)
    {
        location->sourceFactory = [this, methods](QObject* parent) {
            auto* r = new kwdTestReceiver(methods, parent);
            receivers << r;
            return r;
        };
        QVERIFY(location->start());
    }

    bool addressed(int count)
    {
        return QTest::qWaitFor([&] { return addresses->size() >= count; }, 10000) &&
               addresses->size() == count;
    }

    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    kwdLocation* location = nullptr;
    QList<kwdTestReceiver*> receivers;
    QSignalSpy* addresses = nullptr;
    QSignalSpy* positions = nullptr;
};

KWD_TEST_MAIN(TestLocation)
#include "tst_kwdlocation.moc"

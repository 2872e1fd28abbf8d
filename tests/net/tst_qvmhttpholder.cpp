#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "qvmhttpholder.h"

#include <QApplication>
#include <QFile>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

namespace {

// What a receiver saw of its record at the moment it was called.
struct Seen
{
    int id = 0;
    int err = 0;
    bool hadRecord = false;
    int state = -1;
    QByteArray body;
    bool hasBody = false;
    QString text;
    bool fileStillOpen = false;
    QByteArray fileContent;
};

int callsOfAllReceivers = 0;

QByteArray randomBytes(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(QRandomGenerator::global()->bounded(256));
    return data;
}

} // namespace

// A page as the holder sees it: keeps what it was told and gives the record back (unless told not to).
class Receiver : public QObject
{
    Q_OBJECT
public:
    QList<Seen> seen;
    bool removeInSlot = true;
    QString followUpUrl; // a request to start from inside the completion
    int followUpId = 0;

public Q_SLOTS:
    void onHttpResponse(int id, int err)
    {
        ++callsOfAllReceivers;
        qvmHttpHolder* holder = qvmHttpHolder::instance();
        Seen s;
        s.id = id;
        s.err = err;
        if (qvmHttpRequest* r = holder->request(id)) {
            s.hadRecord = true;
            s.state = r->state;
            s.hasBody = r->body != nullptr;
            if (r->body)
                s.body = *r->body;
            s.text = r->text;
            s.fileStillOpen = r->file != nullptr;
            if (r->toFile && err == 0) {
                QFile f(r->text);
                if (f.open(QIODevice::ReadOnly))
                    s.fileContent = f.readAll();
            }
        }
        seen.append(s);
        if (!followUpUrl.isEmpty()) {
            const QString next = followUpUrl;
            followUpUrl.clear();
            followUpId = holder->get(next, this);
        }
        if (removeInSlot)
            holder->remove(id);
        emit responded();
    }

Q_SIGNALS:
    void responded();
};

// An object that asks for a reply but has no completion slot.
class Deaf : public QObject
{
    Q_OBJECT
};

class TestHttpHolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void deviceIdFormat();
    void identifiers_data();
    void identifiers();
    void requestsAsReceived_data();
    void requestsAsReceived();
    void postWithoutUsableData_data();
    void postWithoutUsableData();
    void recordStaysUntilRemoved();
    void unattendedRequests_data();
    void unattendedRequests();
    void receiverDestroyedMidRequest();
    void removeWhileRunning();
    void newRequestInsideCompletion();
    void requestByUrlSharesPending();
    void downloadToFile_data();
    void downloadToFile();
    void redirectedDownload_data();
    void redirectedDownload();
    void networkFailure_data();
    void networkFailure();
    void holderDestroyedInFlight_data();
    void holderDestroyedInFlight();
    void loginQuery_data();
    void loginQuery();

private:
    // Starts a fast request and waits for it: everything the holder was to report before is reported.
    void barrier(Receiver& r);

    std::unique_ptr<kwdTestHttpServer> server;
    std::unique_ptr<qvmHttpHolder> holder;
};

void TestHttpHolder::initTestCase()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestHttpHolder::init()
{
    server = std::make_unique<kwdTestHttpServer>();
    QVERIFY(server->listen());
    kwdTestHttpServer::Response fast;
    fast.body = "fast";
    server->setResponse(QStringLiteral("/fast"), fast);
    holder = std::make_unique<qvmHttpHolder>();
    QCOMPARE(qvmHttpHolder::instance(), holder.get());
}

void TestHttpHolder::cleanup()
{
    holder.reset();
    server.reset();
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    kwdStore::destroy();
}

void TestHttpHolder::barrier(Receiver& r)
{
    QSignalSpy spy(&r, &Receiver::responded);
    const int id = holder->get(server->url(QStringLiteral("/fast")), &r);
    QVERIFY(id > 0);
    QTRY_VERIFY(!r.seen.isEmpty() && r.seen.last().id == id);
}

void TestHttpHolder::deviceIdFormat()
{
    // Reported once, when first computed.
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^IMEI:\\S+$")));
    const QString id = qvmHttpHolder::deviceId();
    QCOMPARE(qvmHttpHolder::deviceId(), id);
    if (id == QLatin1String("invalidsymbiansn"))
        return;
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-Fa-f]{12}$")).match(id).hasMatch(), qPrintable(id));
    bool found = false;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (i.type() == QNetworkInterface::Ethernet && (i.flags() & QNetworkInterface::IsUp) &&
            !(i.flags() & QNetworkInterface::IsLoopBack) && i.hardwareAddress().remove(':') == id)
            found = true;
    }
    QVERIFY2(found, "the identifier is the address of an up Ethernet interface");
}

void TestHttpHolder::identifiers_data()
{
    // Which attempts can start (a download to file cannot while the data directory is missing).
    QTest::addColumn<QList<bool>>("startable");
    QTest::newRow("all start") << QList<bool>{true, true, true};
    QTest::newRow("first fails") << QList<bool>{false, true, true};
    QTest::newRow("middle fails") << QList<bool>{true, false, true};
    QTest::newRow("two fail") << QList<bool>{false, false, true, true};
}

void TestHttpHolder::identifiers()
{
    QFETCH(QList<bool>, startable);
    Receiver r;
    const QString goodDir = kwdStore::instance()->dataPath();
    const QString missingDir = QDir::homePath() + QStringLiteral("/no/such/dir");
    QList<int> ids;
    for (bool ok : startable) {
        kwdStore::instance()->dataDir = ok ? goodDir : missingDir;
        ids.append(holder->get(server->url(QStringLiteral("/fast")), &r, true));
    }
    kwdStore::instance()->dataDir = goodDir;
    for (int i = 0; i < startable.size(); ++i) {
        // The n-th attempt has number n whether or not it started; one that did not start gives 0.
        QCOMPARE(ids.at(i), startable.at(i) ? i + 1 : 0);
        QCOMPARE(holder->request(i + 1) != nullptr, bool(startable.at(i)));
    }
    QVERIFY(!holder->request(0));
    holder->remove(0);
    holder->remove(4711);
    const int started = int(startable.count(true));
    QTRY_COMPARE(r.seen.size(), started);
    QCOMPARE(server->requestCount(), started);
    QCOMPARE(holder->get(server->url(QStringLiteral("/fast")), &r), int(startable.size()) + 1);
}

void TestHttpHolder::requestsAsReceived_data()
{
    QTest::addColumn<QString>("kind"); // "get", "post4", "post5"
    QTest::addColumn<QString>("pathAndQuery");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("get") << "get"
                         << "/webservice/kwdhalist.html?page=1&percount=20" << QByteArray() << QString()
                         << QByteArray("<resultlist/>");
    QTest::newRow("get large binary answer")
        << "get"
        << "/pic.jpg" << QByteArray() << QString() << randomBytes(300000);
    QTest::newRow("post form") << "post4"
                               << "/webservice/login.html" << QByteArray("user=a&pass=b") << QString()
                               << QByteArray("<ok/>");
    QTest::newRow("post empty") << "post4"
                                << "/webservice/booking.html" << QByteArray() << QString()
                                << QByteArray("done");
    QTest::newRow("post binary typed")
        << "post5"
        << "/webservice/savepropimage.html" << QByteArray("\x00\xff\x10zz\x00", 6)
        << "multipart/form-data; boundary=xyz" << QByteArray("saved");
    QTest::newRow("post large typed")
        << "post5"
        << "/upload" << randomBytes(100000) << "application/octet-stream" << QByteArray("ok");
}

void TestHttpHolder::requestsAsReceived()
{
    QFETCH(QString, kind);
    QFETCH(QString, pathAndQuery);
    QFETCH(QByteArray, payload);
    QFETCH(QString, contentType);
    QFETCH(QByteArray, answer);

    const QString path = pathAndQuery.section(QLatin1Char('?'), 0, 0);
    kwdTestHttpServer::Response response;
    response.body = answer;
    server->setResponse(path, response);

    Receiver r;
    const QString url = server->url(pathAndQuery);
    int id = 0;
    if (kind == QLatin1String("get"))
        id = holder->get(url, &r);
    else if (kind == QLatin1String("post4"))
        id = holder->post(url, &r, payload.constData(), int(payload.size()));
    else
        id = holder->post(url, &r, payload.constData(), int(payload.size()), contentType);
    QCOMPARE(id, 1);
    QTRY_COMPARE(r.seen.size(), 1);

    const Seen& s = r.seen.first();
    QCOMPARE(s.id, id);
    QCOMPARE(s.err, 0);
    QVERIFY(s.hadRecord);
    QCOMPARE(s.state, int(qvmHttpRequest::Done));
    QVERIFY(s.hasBody);
    QCOMPARE(s.body, answer);
    QVERIFY(!holder->request(id)); // the receiver gave it back

    QCOMPARE(server->requestCount(), 1);
    const kwdTestHttpServer::Request got = server->lastRequest();
    QCOMPARE(got.method, kind == QLatin1String("get") ? QByteArray("GET") : QByteArray("POST"));
    QCOMPARE(QString::fromUtf8(got.path), path);
    QCOMPARE(QString::fromUtf8(got.query), pathAndQuery.section(QLatin1Char('?'), 1));
    QCOMPARE(got.body, payload);
    if (kind == QLatin1String("post5")) {
        QCOMPARE(QString::fromUtf8(got.header("Content-Type")), contentType);
        QCOMPARE(got.header("Content-Length"), QByteArray::number(payload.size()));
    } else if (kind == QLatin1String("post4")) {
        // We set no type; at most the network layer's own default appears.
        const QByteArray type = got.header("Content-Type");
        QVERIFY2(type.isEmpty() || type == "application/x-www-form-urlencoded", type.constData());
    }
}

void TestHttpHolder::postWithoutUsableData_data()
{
    QTest::addColumn<bool>("nullData");
    QTest::addColumn<int>("size");
    QTest::newRow("null data with a size") << true << 64;
    QTest::newRow("negative size") << false << -5;
}

void TestHttpHolder::postWithoutUsableData()
{
    QFETCH(bool, nullData);
    QFETCH(int, size);
    // A caller's slip must not read memory that is not there: the post goes out empty.
    const char* data = nullData ? nullptr : "abc";
    Receiver r;
    const int id = holder->post(server->url(QStringLiteral("/fast")), &r, data, size);
    QVERIFY(id > 0);
    QTRY_COMPARE(r.seen.size(), 1);
    QCOMPARE(server->lastRequest().method, QByteArray("POST"));
    QCOMPARE(server->lastRequest().body, QByteArray());
    QCOMPARE(server->lastRequest().header("Content-Length"), QByteArray("0"));
}

void TestHttpHolder::recordStaysUntilRemoved()
{
    kwdTestHttpServer::Response response;
    response.body = "kept body";
    server->setResponse(QStringLiteral("/doc"), response);
    Receiver r;
    r.removeInSlot = false;
    const int inMemory = holder->get(server->url(QStringLiteral("/doc")), &r);
    const int toFile = holder->get(server->url(QStringLiteral("/doc")), &r, true);
    QTRY_COMPARE(r.seen.size(), 2);

    qvmHttpRequest* mem = holder->request(inMemory);
    QVERIFY(mem);
    QCOMPARE(mem->state, int(qvmHttpRequest::Done));
    QVERIFY(!mem->reply);
    QCOMPARE(*mem->body, QByteArray("kept body"));

    qvmHttpRequest* file = holder->request(toFile);
    QVERIFY(file);
    QVERIFY(!file->body);
    const QString path = file->text;
    QCOMPARE(path, kwdStore::instance()->dataPath() + QStringLiteral("/qvmstat%1.tmp").arg(toFile));
    QVERIFY(QFile::exists(path));

    holder->remove(toFile);
    QVERIFY(!holder->request(toFile));
    QVERIFY2(!QFile::exists(path), "the temporary file goes with its record");
    holder->remove(inMemory);
    QVERIFY(!holder->request(inMemory));
}

void TestHttpHolder::unattendedRequests_data()
{
    QTest::addColumn<QString>("who"); // "null" or "deaf"
    QTest::addColumn<bool>("toFile");
    QTest::newRow("null receiver") << "null" << false;
    QTest::newRow("null receiver to file") << "null" << true;
    QTest::newRow("receiver without slot") << "deaf" << false;
    QTest::newRow("receiver without slot to file") << "deaf" << true;
}

void TestHttpHolder::unattendedRequests()
{
    QFETCH(QString, who);
    QFETCH(bool, toFile);
    kwdTestHttpServer::Response response;
    response.body = "nobody reads this";
    response.delayMs = 50;
    server->setResponse(QStringLiteral("/lost"), response);
    Deaf deaf;
    QObject* receiver = who == QLatin1String("deaf") ? &deaf : nullptr;
    const int id = holder->get(server->url(QStringLiteral("/lost")), receiver, toFile);
    QVERIFY(id > 0);
    const QString path = holder->request(id)->text;
    QCOMPARE(holder->request(id)->state, int(qvmHttpRequest::Pending));
    QTRY_VERIFY(!holder->request(id)); // destroyed at completion
    QCOMPARE(server->requestCount(), 1);
    if (toFile)
        QVERIFY2(!QFile::exists(path), "nobody can fetch it any more");
}

void TestHttpHolder::receiverDestroyedMidRequest()
{
    kwdTestHttpServer::Response slow;
    slow.body = "late";
    slow.delayMs = 200;
    server->setResponse(QStringLiteral("/slow"), slow);
    const int before = callsOfAllReceivers;
    auto* page = new Receiver;
    const int id = holder->get(server->url(QStringLiteral("/slow")), page);
    QVERIFY(id > 0);
    delete page;
    // The record is freed at completion and nobody is called.
    QTRY_VERIFY(!holder->request(id));
    QCOMPARE(server->requestCount(), 1);
    QCOMPARE(callsOfAllReceivers, before);
}

void TestHttpHolder::removeWhileRunning()
{
    kwdTestHttpServer::Response held;
    held.hold = true;
    server->setResponse(QStringLiteral("/held"), held);
    Receiver r;
    QSignalSpy arrived(server.get(), &kwdTestHttpServer::requestReceived);
    const int id = holder->get(server->url(QStringLiteral("/held")), &r, true);
    QVERIFY(arrived.wait());
    const QString path = holder->request(id)->text;
    holder->remove(id);
    QVERIFY(!holder->request(id));
    QTRY_COMPARE(server->clientAborts(), 1); // the reply was aborted
    barrier(r);
    QCOMPARE(r.seen.size(), 1); // only the barrier's completion
    QVERIFY(r.seen.first().id != id);
    QVERIFY(!QFile::exists(path));
}

void TestHttpHolder::newRequestInsideCompletion()
{
    Receiver r;
    r.followUpUrl = server->url(QStringLiteral("/fast?second"));
    const int first = holder->get(server->url(QStringLiteral("/fast?first")), &r);
    QTRY_COMPARE(r.seen.size(), 2);
    QCOMPARE(r.seen.at(0).id, first);
    QCOMPARE(r.followUpId, first + 1);
    QCOMPARE(r.seen.at(1).id, r.followUpId);
    QCOMPARE(r.seen.at(1).body, QByteArray("fast"));
    QCOMPARE(server->lastRequest().query, QByteArray("second"));
}

void TestHttpHolder::requestByUrlSharesPending()
{
    kwdTestHttpServer::Response picture;
    picture.body = randomBytes(5000);
    picture.delayMs = 150;
    server->setResponse(QStringLiteral("/pic/a.jpg"), picture);
    const QString url = server->url(QStringLiteral("/pic/a.jpg"));
    Receiver r;
    r.removeInSlot = false;

    QVERIFY(!holder->requestByUrl(url));
    const int id = holder->get(url, &r, true);
    const int other = holder->get(url + QStringLiteral("?v=2"), &r, true);
    qvmHttpRequest* pending = holder->requestByUrl(url);
    QVERIFY(pending);
    QCOMPARE(pending->id, id);
    QCOMPARE(pending->state, int(qvmHttpRequest::Pending));
    QCOMPARE(holder->requestByUrl(url + QStringLiteral("?v=2"))->id, other);
    QVERIFY(!holder->requestByUrl(url.toUpper()));          // exact, case-sensitive
    QVERIFY(!holder->requestByUrl(url + QLatin1Char('/'))); // no prefix matches

    QTRY_COMPARE(r.seen.size(), 2);
    QCOMPARE(holder->requestByUrl(url)->state, int(qvmHttpRequest::Done));
    // With two records of one address, the older one answers.
    const int again = holder->get(url, &r, true);
    QCOMPARE(holder->requestByUrl(url)->id, id);
    holder->remove(id);
    QCOMPARE(holder->requestByUrl(url)->id, again);
    QTRY_COMPARE(r.seen.size(), 3);
}

void TestHttpHolder::downloadToFile_data()
{
    QTest::addColumn<int>("framing");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pieceSize");
    QTest::addColumn<int>("pieceInterval");
    QTest::addColumn<bool>("compressed"); // sent deflated: the length on the wire is not the file's

    const int length = kwdTestHttpServer::ContentLength;
    const int unframed = kwdTestHttpServer::CloseDelimited;
    QTest::newRow("length, at once") << length << 200000 << 0 << 0 << false;
    QTest::newRow("length, slow pieces") << length << 60000 << 7000 << 10 << false;
    QTest::newRow("length, empty") << length << 0 << 0 << 0 << false;
    QTest::newRow("chunked") << int(kwdTestHttpServer::Chunked) << 150000 << 16384 << 5 << false;
    QTest::newRow("no length") << unframed << 120000 << 0 << 0 << false;
    QTest::newRow("no length, slow pieces") << unframed << 50000 << 4000 << 10 << false;
    QTest::newRow("deflated, length") << length << 90000 << 0 << 0 << true;
    QTest::newRow("deflated, slow pieces") << length << 90000 << 100 << 5 << true;
    QTest::newRow("deflated, no length") << unframed << 90000 << 0 << 0 << true;
}

void TestHttpHolder::downloadToFile()
{
    QFETCH(int, framing);
    QFETCH(int, size);
    QFETCH(int, pieceSize);
    QFETCH(int, pieceInterval);
    QFETCH(bool, compressed);
    // Text compresses, so the deflated body is much shorter than the file it makes.
    const QByteArray content =
        compressed ? QByteArray("<price val=\"1\">x</price>").repeated(size / 25) : randomBytes(size);
    kwdTestHttpServer::Response response;
    response.body = content;
    if (compressed) {
        response.body = qCompress(content).mid(4); // a zlib stream without Qt's length prefix
        response.headers.append(kwdTestHttpServer::Header("Content-Encoding", "deflate"));
    }
    response.framing = kwdTestHttpServer::Framing(framing);
    response.pieceSize = pieceSize;
    response.pieceIntervalMs = pieceInterval;
    response.contentType = "image/jpeg";
    server->setResponse(QStringLiteral("/pic.jpg"), response);

    Receiver r;
    r.removeInSlot = false;
    const int id = holder->get(server->url(QStringLiteral("/pic.jpg")), &r, true);
    QVERIFY(id > 0);
    const QString path = kwdStore::instance()->dataPath() + QStringLiteral("/qvmstat%1.tmp").arg(id);
    QCOMPARE(holder->request(id)->text, path);
    QTRY_COMPARE(r.seen.size(), 1);

    const Seen& s = r.seen.first();
    QCOMPARE(s.err, 0);
    QCOMPARE(s.state, int(qvmHttpRequest::Done));
    QCOMPARE(s.text, path);
    QVERIFY(!s.hasBody); // nothing kept in memory
    QVERIFY2(!s.fileStillOpen, "the file is closed before the receiver is called");
    QCOMPARE(s.fileContent.size(), content.size());
    QVERIFY(s.fileContent == content);
    holder->remove(id);
    QVERIFY(!QFile::exists(path));
}

void TestHttpHolder::redirectedDownload_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::newRow("in memory") << false;
    QTest::newRow("to file") << true;
}

void TestHttpHolder::redirectedDownload()
{
    QFETCH(bool, toFile);
    // The moved notice has a body of its own; only the document it points to may reach the receiver.
    kwdTestHttpServer::Response moved;
    moved.status = 302;
    moved.body = "moved to /pic.jpg";
    moved.headers.append(
        kwdTestHttpServer::Header("Location", server->url(QStringLiteral("/pic.jpg")).toUtf8()));
    server->setResponse(QStringLiteral("/old.jpg"), moved);
    kwdTestHttpServer::Response picture;
    picture.body = randomBytes(40000);
    picture.pieceSize = 8000;
    picture.pieceIntervalMs = 5;
    server->setResponse(QStringLiteral("/pic.jpg"), picture);

    Receiver r;
    r.removeInSlot = false;
    const int id = holder->get(server->url(QStringLiteral("/old.jpg")), &r, toFile);
    QTRY_COMPARE(r.seen.size(), 1);
    const Seen& s = r.seen.first();
    QCOMPARE(s.err, 0);
    QVERIFY(!s.fileStillOpen);
    QVERIFY((toFile ? s.fileContent : s.body) == picture.body);
    QCOMPARE(server->requestCount(), 2);
    holder->remove(id);
}

void TestHttpHolder::networkFailure_data()
{
    QTest::addColumn<QString>("failure"); // "refused", "cut", "404"
    QTest::addColumn<bool>("toFile");
    QTest::newRow("refused") << "refused" << false;
    QTest::newRow("refused to file") << "refused" << true;
    QTest::newRow("cut mid-body") << "cut" << false;
    QTest::newRow("cut mid-body to file") << "cut" << true;
    QTest::newRow("not found") << "404" << false;
    QTest::newRow("not found to file") << "404" << true;
}

void TestHttpHolder::networkFailure()
{
    QFETCH(QString, failure);
    QFETCH(bool, toFile);
    QString url;
    if (failure == QLatin1String("refused")) {
        QTcpServer probe; // a port that was free a moment ago and has nobody listening now
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        url = QStringLiteral("http://127.0.0.1:%1/x").arg(probe.serverPort());
        probe.close();
    } else {
        kwdTestHttpServer::Response response;
        response.body = randomBytes(80000);
        if (failure == QLatin1String("cut")) {
            response.pieceSize = 10000;
            response.pieceIntervalMs = 5;
            response.closeAfter = 30000;
        } else {
            response.status = 404;
        }
        server->setResponse(QStringLiteral("/bad"), response);
        url = server->url(QStringLiteral("/bad"));
    }

    Receiver r;
    r.removeInSlot = false;
    const int id = holder->get(url, &r, toFile);
    QVERIFY(id > 0);
    const QString path = holder->request(id)->text;
    QTRY_COMPARE(r.seen.size(), 1);
    const Seen& s = r.seen.first();
    QCOMPARE(s.id, id);
    QCOMPARE(s.err, -1);
    QCOMPARE(s.state, int(qvmHttpRequest::Failed));
    QVERIFY(!s.hasBody);
    QVERIFY(!s.fileStillOpen);
    QVERIFY(!s.text.isEmpty());
    QVERIFY2(!s.text.endsWith(QLatin1String(".tmp")), "the text is the network layer's error, not a path");
    if (failure == QLatin1String("404"))
        QVERIFY2(s.text.contains(QLatin1String("Not Found")), qPrintable(s.text));
    if (toFile)
        QVERIFY2(!QFile::exists(path), "a partial file nobody can find any more is not left behind");
    holder->remove(id);
    QVERIFY(!holder->request(id));
}

void TestHttpHolder::holderDestroyedInFlight_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::newRow("in memory") << false;
    QTest::newRow("to file") << true;
}

void TestHttpHolder::holderDestroyedInFlight()
{
    QFETCH(bool, toFile);
    kwdTestHttpServer::Response held;
    held.hold = true;
    server->setResponse(QStringLiteral("/held"), held);
    Receiver r;
    QSignalSpy arrived(server.get(), &kwdTestHttpServer::requestReceived);
    const int first = holder->get(server->url(QStringLiteral("/held")), &r, toFile);
    const int second = holder->get(server->url(QStringLiteral("/held")), &r, toFile);
    QVERIFY(first > 0 && second > 0);
    QTRY_COMPARE(arrived.size(), 2);
    const QString path = holder->request(first)->text;
    holder.reset();
    QVERIFY(!qvmHttpHolder::instance());
    QTRY_COMPARE(server->clientAborts(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(r.seen.size(), 0);
    if (toFile)
        QVERIFY(!QFile::exists(path));
}

void TestHttpHolder::loginQuery_data()
{
    QTest::addColumn<QString>("sn");
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QByteArray>("query");

    QTest::newRow("no uid") << "00163E0A1B2C" << QString()
                            << QByteArray("sn=00163E0A1B2C&flag=1&remark=symbian&version=1016");
    QTest::newRow("with uid") << "invalidsymbiansn"
                              << "u42"
                              << QByteArray("sn=invalidsymbiansn&uid=u42&flag=1&remark=symbian&version=1016");
    QTest::newRow("hostile values") << "a&uid=evil"
                                    << "x y#z?=%"
                                    << QByteArray("sn=a%26uid%3Devil&uid=x%20y%23z%3F%3D%25&flag=1"
                                                  "&remark=symbian&version=1016");
    QTest::newRow("non-ascii") << QString::fromUtf8("设备") << QString()
                               << QByteArray("sn=%E8%AE%BE%E5%A4%87&flag=1&remark=symbian&version=1016");
}

void TestHttpHolder::loginQuery()
{
    QFETCH(QString, sn);
    QFETCH(QString, uid);
    QFETCH(QByteArray, query);
    // The statistics host is a name of the deployment; the test server stands in for it as proxy.
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->port()));
    kwdTestHttpServer::Response ok;
    ok.body = "1";
    server->setResponse(QStringLiteral("/kwd/webservice/kwd_login.php"), ok);

    Receiver r;
    const int id = holder->login(sn, uid, &r);
    QCOMPARE(id, 1);
    QTRY_COMPARE(r.seen.size(), 1);
    QCOMPARE(r.seen.first().err, 0);
    QCOMPARE(r.seen.first().body, QByteArray("1"));

    const kwdTestHttpServer::Request got = server->lastRequest();
    QCOMPARE(got.method, QByteArray("GET"));
    QCOMPARE(QString::fromUtf8(got.host),
             kwdServiceConfig::instance().statisticsHost + QStringLiteral(":8081"));
    QCOMPARE(got.path, QByteArray("/kwd/webservice/kwd_login.php"));
    QCOMPARE(got.query, query);
    // Whatever the values hold, the service reads back exactly what was sent.
    const QUrlQuery parsed(QString::fromLatin1(got.query));
    QCOMPARE(parsed.queryItemValue(QStringLiteral("sn"), QUrl::FullyDecoded), sn);
    QCOMPARE(parsed.queryItemValue(QStringLiteral("uid"), QUrl::FullyDecoded), uid);
    QCOMPARE(parsed.queryItemValue(QStringLiteral("version")), QStringLiteral("1016"));
}

KWD_TEST_MAIN(TestHttpHolder)
#include "tst_qvmhttpholder.moc"

#include "kwddevice.h"
#include "kwdnetworkerror.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "kwdtesttable.h"
#include "qvmhttpholder.h"

#include <QApplication>
#include <QFile>
#include <QNetworkProxy>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

// What a receiver saw of its record at the moment it was called.
struct Seen
{
    int id = 0;
    int err = 0;
    int state = -1; // -1: there was no record
    bool hasBody = false;
    QByteArray body; // the body kept in memory, or the file's content
    QString text;
    bool fileStillOpen = false;
};

int callsOfAllReceivers = 0;

QByteArray randomBytes(int size)
{
    QList<quint32> words(size / 4); // every size here is a multiple of four
    QRandomGenerator::global()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.constData()), size);
}

using Response = kwdTestHttpServer::Response;

Response answer(const QByteArray& body, int delayMs = 0)
{
    Response r;
    r.body = body;
    r.delayMs = delayMs;
    return r;
}

} // namespace

// A page as the holder sees it: keeps what it was told and gives the record back (unless told not to).
class Receiver : public QObject
{
    Q_OBJECT
public:
    QList<Seen> seen;
    bool removeInSlot = true;

public Q_SLOTS:
    void onHttpResponse(int id, int err)
    {
        ++callsOfAllReceivers;
        qvmHttpHolder* holder = qvmHttpHolder::instance();
        Seen s{id, err, -1, false, {}, {}, false};
        if (qvmHttpRequest* r = holder->request(id)) {
            s.state = r->state;
            s.hasBody = r->body != nullptr;
            s.text = r->text;
            s.fileStillOpen = r->file != nullptr;
            QFile f(r->text);
            s.body = r->body                                    ? *r->body
                     : r->toFile && f.open(QIODevice::ReadOnly) ? f.readAll()
                                                                : QByteArray();
        }
        seen.append(s);
        if (removeInSlot)
            holder->remove(id);
    }
};

// A fresh request holder per test against a loopback server: records, bodies, files and failures.
class TestHttpHolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        server = std::make_unique<kwdTestHttpServer>();
        QVERIFY(server->listen());
        server->setResponse(QStringLiteral("/fast"), answer("fast"));
        holder = std::make_unique<qvmHttpHolder>();
        QCOMPARE(qvmHttpHolder::instance(), holder.get());
    }

    void cleanup()
    {
        holder.reset();
        server.reset();
        kwdStore::destroy();
    }

    void deviceIdFormat()
    {
        const QString id = kwdDevice::id();
        QCOMPARE(kwdDevice::id(), id);
        // A hardware address without ":", or the fixed text when there is none.
        QVERIFY2(
            QRegularExpression(QStringLiteral("^([0-9A-Fa-f]{12}|invalidsymbiansn)$")).match(id).hasMatch(),
            qPrintable(id));
    }

    // Requests are numbered by attempt and found by their exact address until they are given back.
    void records()
    {
        const QString url = server->url(QStringLiteral("/pic/a.jpg"));
        server->setResponse(QStringLiteral("/pic/a.jpg"), answer(randomBytes(5000), 150));
        Receiver r;
        r.removeInSlot = false;
        // A download to file cannot start while the data directory is missing: it gives 0, yet it counts.
        const QString goodDir = kwdStore::instance()->dataPath();
        kwdStore::instance()->dataDir = QDir::homePath() + QStringLiteral("/no/such/dir");
        QCOMPARE(holder->get(url, &r, true), 0);
        kwdStore::instance()->dataDir = goodDir;
        QVERIFY(!holder->requestByUrl(url) && !holder->request(0) && !holder->request(1));
        QCOMPARE(holder->get(url, &r, true), 2);
        QCOMPARE(holder->get(url + QStringLiteral("?v=2"), &r), 3);
        QCOMPARE(holder->requestByUrl(url)->state, int(qvmHttpRequest::Pending));
        QCOMPARE(holder->requestByUrl(url)->id, 2);
        QCOMPARE(holder->requestByUrl(url + QStringLiteral("?v=2"))->id, 3);
        // Exact and case-sensitive: no prefix matches.
        QVERIFY(!holder->requestByUrl(url.toUpper()) && !holder->requestByUrl(url + QLatin1Char('/')));
        holder->remove(0);
        holder->remove(4711);
        QTRY_COMPARE(r.seen.size(), 2);
        QCOMPARE(server->requestCount(), 2);
        QCOMPARE(holder->requestByUrl(url)->state, int(qvmHttpRequest::Done));
        holder->remove(2);
        QVERIFY(!holder->requestByUrl(url) && holder->request(3));
    }

    void requestsAsReceived_data()
    {
        // kind: 0 get, 4 post without a type of ours, 5 post with a type; payload and size: as the caller
        // gives
        kwdColumns<int, QString, QByteArray, int, QString>("kind", "pathAndQuery", "payload", "size",
                                                           "contentType");
        kwdRow("get", 0, "/webservice/kwdhalist.html?page=1&percount=20", QByteArray(), 0, QString());
        kwdRow("post form", 4, "/login.html?a=1", QByteArray("user=a&pass=b"), 13, QString());
        kwdRow("post typed", 5, "/upload?x", randomBytes(100000), 100000,
               "multipart/form-data; boundary=xyz");
        // A caller's slip must not read memory that is not there: the post goes out empty.
        kwdRow("post null data with a size", 4, "/null?x", QByteArray(), 64, QString());
        kwdRow("post negative size", 4, "/negative?x", QByteArray("abc"), -5, QString());
    }

    void requestsAsReceived()
    {
        QFETCH(int, kind);
        QFETCH(QString, pathAndQuery);
        QFETCH(QByteArray, payload);
        QFETCH(int, size);
        QFETCH(QString, contentType);
        const QString path = pathAndQuery.section(QLatin1Char('?'), 0, 0);
        const QByteArray reply = randomBytes(300000); // a large binary answer
        server->setResponse(path, answer(reply));
        Receiver r;
        const QString url = server->url(pathAndQuery);
        const char* data = payload.isNull() ? nullptr : payload.constData();
        const int id = kind == 0   ? holder->get(url, &r)
                       : kind == 4 ? holder->post(url, &r, data, size)
                                   : holder->post(url, &r, data, size, contentType);
        QTRY_COMPARE(r.seen.size(), 1);
        const Seen& s = r.seen.first();
        QCOMPARE(QList<int>({s.id, s.err, s.state, int(s.hasBody)}),
                 QList<int>({id, 0, qvmHttpRequest::Done, 1}));
        QVERIFY(s.body == reply);

        QCOMPARE(server->requestCount(), 1);
        const kwdTestHttpServer::Request got = server->lastRequest();
        QCOMPARE(QString::fromUtf8(got.method + ' ' + got.path + '?' + got.query),
                 (kind ? "POST " : "GET ") + pathAndQuery);
        const QByteArray sent = size > 0 ? payload : QByteArray();
        QVERIFY(got.body == sent);
        if (kind)
            QCOMPARE(got.header("Content-Length"), QByteArray::number(sent.size()));
        // We set no type on the four-argument post; at most the network layer's own default appears.
        const QByteArray type = got.header("Content-Type");
        QVERIFY2(kind == 5 ? type == contentType.toUtf8()
                           : type.isEmpty() || type == "application/x-www-form-urlencoded",
                 type.constData());
    }

    void unattendedRequests_data()
    {
        // "null" receiver, "deaf" (no completion slot), receiver "destroyed" mid-request, record "removed"
        // while running, "holder" destroyed with the request in flight.
        kwdColumns<QString, bool>("what", "toFile");
        for (const char* what : {"null", "deaf", "destroyed", "removed", "holder"}) {
            QTest::addRow("%s", what) << what << false;
            QTest::addRow("%s to file", what) << what << true;
        }
    }

    void unattendedRequests()
    {
        QFETCH(QString, what);
        QFETCH(bool, toFile);
        const bool held = what == "removed" || what == "holder";
        Response response = answer("nobody reads this", 150);
        response.hold = held;
        server->setResponse(QStringLiteral("/lost"), response);
        QSignalSpy arrived(server.get(), &kwdTestHttpServer::requestReceived);
        const int before = callsOfAllReceivers;
        QObject deaf; // asks for a reply but has no completion slot
        auto page = std::make_unique<Receiver>();
        QObject* receiver = what == "null" ? nullptr : what == "deaf" ? &deaf : page.get();
        const int id = holder->get(server->url(QStringLiteral("/lost")), receiver, toFile);
        const QString path = holder->request(id)->text;
        if (what == "destroyed")
            page.reset();
        QTRY_COMPARE(arrived.size(), 1);
        if (what == "removed")
            holder->remove(id);
        if (what == "holder")
            holder.reset();
        // A running reply is aborted; a finished one frees its record. Nobody is called either way.
        if (held)
            QTRY_COMPARE(server->clientAborts(), 1);
        else
            QTRY_VERIFY(!holder->request(id));
        if (what == "removed") {
            // A later request completes, and only that one reaches the receiver.
            QCOMPARE(holder->get(server->url(QStringLiteral("/fast")), page.get()), id + 1);
            QTRY_COMPARE(page->seen.size(), 1);
            QCOMPARE(page->seen.first().id, id + 1);
        }
        QVERIFY(!holder || !holder->request(id));
        const int later = what == "removed" ? 1 : 0;
        QCOMPARE(QList<int>({server->requestCount(), callsOfAllReceivers}),
                 QList<int>({1 + later, before + later}));
        QVERIFY2(!toFile || !QFile::exists(path), "nobody could fetch the file any more");
    }

    void download_data()
    {
        // "", "refused", "cut" mid-body, "stalled" after a piece, "too large" (with or without length)
        // compressed: sent deflated, the length on the wire is not the file's; redirected: the moved notice
        // has a body of its own that must not arrive
        kwdColumns<QString, int, int, int, bool, bool, bool>("failure", "framing", "size", "pieceSize",
                                                             "compressed", "redirected", "toFile");
        const int length = kwdTestHttpServer::ContentLength;
        const int unframed = kwdTestHttpServer::CloseDelimited;
        kwdRow("length, slow pieces", "", length, 60000, 7000, false, false, true);
        kwdRow("length, empty", "", length, 0, 0, false, false, true);
        kwdRow("chunked", "", int(kwdTestHttpServer::Chunked), 150000, 16384, false, false, true);
        kwdRow("no length", "", unframed, 120000, 0, false, false, true);
        kwdRow("deflated, slow pieces", "", length, 90000, 100, true, false, true);
        kwdRow("redirected", "", length, 40000, 8000, false, true, true);
        for (const char* failure : {"refused", "cut", "stalled", "too large"}) {
            QTest::addRow("%s", failure) << failure << length << 80000 << 10000 << false << false << false;
            QTest::addRow("%s to file", failure)
                << failure << length << 80000 << 10000 << false << false << true;
        }
        kwdRow("too large, no length", "too large", unframed, 80000, 10000, false, false, false);
    }

    void download()
    {
        QFETCH(QString, failure);
        QFETCH(int, size);
        QFETCH(bool, compressed);
        QFETCH(bool, toFile);
        QFETCH(bool, redirected);
        // Text compresses, so the deflated body is much shorter than the file it makes.
        const QByteArray content =
            compressed ? QByteArray("<price val=\"1\">x</price>").repeated(size / 25) : randomBytes(size);
        Response response =
            answer(compressed ? qCompress(content).mid(4) : content); // zlib, no Qt length prefix
        if (compressed)
            response.headers.append(kwdTestHttpServer::Header("Content-Encoding", "deflate"));
        QFETCH(int, pieceSize);
        response.framing = kwdTestHttpServer::Framing(kwdData<int>("framing"));
        response.pieceSize = pieceSize;
        response.pieceIntervalMs = pieceSize ? 5 : 0;
        response.closeAfter = failure == "cut" ? 30000 : -1;
        if (failure == "stalled") {
            response.pieceIntervalMs = 60000; // one piece, then nothing for longer than the test runs
            holder->setTransferTimeout(300);
        }
        if (failure == "too large")
            holder->setBodyLimit(size / 2);
        server->setResponse(QStringLiteral("/pic.jpg"), response);
        Response moved = answer("moved to /pic.jpg");
        moved.status = 302;
        moved.headers.append(
            kwdTestHttpServer::Header("Location", server->url(QStringLiteral("/pic.jpg")).toUtf8()));
        server->setResponse(QStringLiteral("/old.jpg"), moved);
        QString url = server->url(redirected ? QStringLiteral("/old.jpg") : QStringLiteral("/pic.jpg"));
        if (failure == "refused") {
            QTcpServer probe; // a port that was free a moment ago and has nobody listening now
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(probe.serverPort());
        }

        Receiver r;
        r.removeInSlot = false;
        const int id = holder->get(url, &r, toFile);
        const QString path = kwdStore::instance()->dataPath() + QStringLiteral("/qvmstat%1.tmp").arg(id);
        QCOMPARE(holder->request(id)->text, toFile ? path : QString());
        QTRY_COMPARE(r.seen.size(), 1);
        const Seen& s = r.seen.first();
        QVERIFY2(!s.fileStillOpen, "the file is complete and closed before the receiver is called");
        const bool ok = failure.isEmpty();
        const int state = ok ? qvmHttpRequest::Done : qvmHttpRequest::Failed;
        QCOMPARE(QList<int>({s.err, s.state, int(s.hasBody)}),
                 QList<int>({ok ? 0 : -1, state, int(ok && !toFile)}));
        if (ok) {
            QVERIFY(s.body == content);
            QCOMPARE(server->requestCount(), redirected ? 2 : 1);
        } else {
            // The text is the network layer's error, not a path; a partial file is not left behind.
            QVERIFY2(!s.text.isEmpty() && !s.text.endsWith(QLatin1String(".tmp")), qPrintable(s.text));
            QVERIFY(!QFile::exists(path));
            // The user reads the sentence for this kind of failure, with the network layer's text after it.
            const int expected = failure == "refused"   ? QNetworkReply::ConnectionRefusedError
                                 : failure == "cut"     ? QNetworkReply::RemoteHostClosedError
                                 : failure == "stalled" ? QNetworkReply::TimeoutError
                                                        : qvmHttpRequest::ReplyTooLarge;
            const QString shown = kwdNetworkError::describe(holder->request(id));
            QCOMPARE(shown, kwdNetworkError::describe(expected, QString()) + "\n(" + s.text + ")");
            QVERIFY(shown != kwdNetworkError::describe(-1, QString()));
        }
        // The record stays until the receiver gives it back, and its file goes with it.
        QVERIFY(holder->request(id) && !holder->request(id)->reply);
        holder->remove(id);
        QVERIFY(!holder->request(id) && !QFile::exists(path));
    }

    // Values that need encoding; the plain query is checked where the window sends its usage report.
    void loginQuery()
    {
        // The statistics host is a name of the deployment; the test server stands in for it as proxy.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->port()));
        server->setResponse(QStringLiteral("/kwd/webservice/kwd_login.php"), answer("1"));
        Receiver r;
        QCOMPARE(holder->login("a&uid=evil", QStringLiteral("x y#z?=%"), &r), 1);
        QTRY_COMPARE(r.seen.size(), 1);
        QCOMPARE(QString::number(r.seen.first().err) + r.seen.first().body, QStringLiteral("01"));

        const kwdTestHttpServer::Request got = server->lastRequest();
        QCOMPARE(QString::fromUtf8("GET " + got.host + got.path),
                 "GET " + kwdServiceConfig::instance().statisticsHost + ":8081/kwd/webservice/kwd_login.php");
        QCOMPARE(got.query,
                 QByteArray("sn=a%26uid%3Devil&uid=x%20y%23z%3F%3D%25&flag=1&remark=symbian&version=1016"));
    }

private:
    std::unique_ptr<kwdTestHttpServer> server;
    std::unique_ptr<qvmHttpHolder> holder;
};

KWD_TEST_MAIN(TestHttpHolder)
#include "tst_qvmhttpholder.moc"

#include "kwdfaultplan.h"
#include "kwdformfields.h"
#include "kwdhttprequestparser.h"
#include "kwdmultipartparser.h"
#include "kwdservicerouter.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QtTest>

// Reading what clients send: request framing, form fields, multipart uploads, fault rules, and
// the shape of the login reply the client cuts apart by position.
class TestHttpParsing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requests_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<bool>("byteByByte");
        QTest::addColumn<int>("failure");      // 0: parses
        QTest::addColumn<QString>("expected"); // host|port|path|query|body
        QTest::newRow("proxy form")
            << QByteArray(
                   "GET http://bj.kwd.test/webservice/kwdcity.html?a=1 HTTP/1.1\r\nHost: bj.kwd.test\r\n\r\n")
            << false << 0 << "bj.kwd.test|80|/webservice/kwdcity.html|a=1|";
        QTest::newRow("proxy form with port")
            << QByteArray("GET http://Stat.KWD.test:8081/kwd/x.php?sn=1 HTTP/1.1\r\n\r\n") << true << 0
            << "stat.kwd.test|8081|/kwd/x.php|sn=1|";
        QTest::newRow("origin form")
            << QByteArray("POST /webservice/login.html HTTP/1.1\r\nHost: bj.m.kwd.test:80\r\n"
                          "Content-Length: 11\r\n\r\nuid=a&pwd=b")
            << true << 0 << "bj.m.kwd.test|80|/webservice/login.html||uid=a&pwd=b";
        QTest::newRow("chunked")
            << QByteArray("POST http://h.kwd.test/p HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"
                          "4\r\nWiki\r\n6;ext=1\r\npedia \r\nE\r\nin \r\n\r\nchunks.\r\n0\r\n\r\n")
            << true << 0 << "h.kwd.test|80|/p||Wikipedia in \r\n\r\nchunks.";
        QTest::newRow("percent-encoded path") << QByteArray("GET http://h.kwd.test/a%20b HTTP/1.1\r\n\r\n")
                                              << false << 0 << "h.kwd.test|80|/a b||";
        QTest::newRow("too large")
            << QByteArray("POST http://h.kwd.test/p HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n") << false
            << 413 << "";
        QTest::newRow("chunks too large") << QByteArray("POST http://h.kwd.test/p HTTP/1.1\r\n"
                                                        "Transfer-Encoding: chunked\r\n\r\n8000000\r\n")
                                          << false << 413 << "";
        QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << false << 400 << "";
        QTest::newRow("no host") << QByteArray("GET /x HTTP/1.1\r\n\r\n") << false << 400 << "";
        QTest::newRow("bad length") << QByteArray("POST http://h/p HTTP/1.1\r\nContent-Length: -3\r\n\r\n")
                                    << false << 400 << "";
        QTest::newRow("bad chunk")
            << QByteArray("POST http://h/p HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n") << false
            << 400 << "";
    }

    void requests()
    {
        QFETCH(QByteArray, raw);
        QFETCH(bool, byteByByte);
        QFETCH(int, failure);
        kwdHttpRequestParser parser(1024 * 1024);
        kwdHttpRequestParser::State state = kwdHttpRequestParser::NeedMore;
        for (int i = 0; i < raw.size() && state == kwdHttpRequestParser::NeedMore;
             i += byteByByte ? 1 : raw.size()) {
            parser.feed(raw.mid(i, byteByByte ? 1 : raw.size()));
            state = parser.parse();
        }
        QCOMPARE(state, failure ? kwdHttpRequestParser::Failed : kwdHttpRequestParser::Ready);
        if (failure) {
            QCOMPARE(parser.status(), failure);
            return;
        }
        const kwdHttpRequest r = parser.take();
        const QStringList got{r.host, QString::number(r.port), r.path, r.rawQuery, QString::fromUtf8(r.body)};
        QTEST(got.join('|'), "expected");
    }

    void pipelined()
    {
        kwdHttpRequestParser parser;
        parser.feed("GET http://a.kwd.test/1 HTTP/1.1\r\n\r\nPOST http://b.kwd.test/2 "
                    "HTTP/1.1\r\nContent-Length: 3\r\n"
                    "Connection: close\r\n\r\nxyzGET http://c");
        QCOMPARE(parser.parse(), kwdHttpRequestParser::Ready);
        const kwdHttpRequest first = parser.take();
        QCOMPARE(parser.parse(), kwdHttpRequestParser::Ready);
        const kwdHttpRequest second = parser.take();
        QCOMPARE(parser.parse(), kwdHttpRequestParser::NeedMore);
        QCOMPARE(first.host, QStringLiteral("a.kwd.test"));
        QCOMPARE(second.body, QByteArray("xyz"));
        QVERIFY(first.keepAlive() && !second.keepAlive());
    }

    void formFields()
    {
        const kwdFormFields f =
            kwdFormFields::parse("keyword=%E8%8A%B1%E5%9B%AD&a=1+2&empty=&flag&location=1%7C2%7C3&a=9");
        QCOMPARE(f.value(QStringLiteral("keyword")), QStringLiteral("花园"));
        QCOMPARE(f.value(QStringLiteral("a")), QStringLiteral("1 2"));
        QCOMPARE(f.value(QStringLiteral("location")), QStringLiteral("1|2|3"));
        QVERIFY(f.has(QStringLiteral("empty")) && f.has(QStringLiteral("flag")) &&
                !f.has(QStringLiteral("missing")));
        QCOMPARE(f.items().size(), 6);
    }

    void multipart_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("names"); // empty: refused
        QTest::addColumn<QByteArray>("lastData");
        // The client's upload, byte for byte: five text fields, then the photo.
        const QByteArray b = "-----------------------------7d6bb34502ce";
        static const char photoBytes[] = "\xFF\xD8\r\n--not-a-boundary\r\n\x00\xFF\xD9";
        const QByteArray photo(photoBytes, sizeof photoBytes - 1);
        QByteArray client;
        for (const char* field : {"Filename", "RelPathName", "dealcode", "uid", "pwd"})
            client += "--" + b + "\r\nContent-Disposition: form-data; name=\"" + field + "\"\r\n\r\nv-" +
                      field + "\r\n";
        client += "--" + b +
                  "\r\nContent-Disposition: form-data; name=\"photo\"; filename=\"C:\\fotos\\a b.jpg\"\r\n"
                  "Content-Type: application/octet-stream\r\n\r\n" +
                  photo + "\r\n--" + b + "--\r\n";
        QTest::newRow("client upload")
            << "multipart/form-data; boundary=" + b << client
            << QStringList{"Filename", "RelPathName", "dealcode", "uid", "pwd", "photo"} << photo;
        QTest::newRow("quoted boundary, preamble")
            << QByteArray("multipart/form-data; charset=utf-8; boundary=\"xy z\"")
            << QByteArray("preamble\r\n--xy z\r\nContent-Disposition: form-data; name=a\r\n\r\n1\r\n--xy z--")
            << QStringList{"a"} << QByteArray("1");
        const QByteArray q = "multipart/form-data; boundary=q";
        QTest::newRow("no closing delimiter")
            << q << QByteArray("--q\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1") << QStringList()
            << QByteArray();
        QTest::newRow("part without name")
            << q << QByteArray("--q\r\nContent-Type: text/plain\r\n\r\n1\r\n--q--") << QStringList()
            << QByteArray();
        QTest::newRow("not multipart") << QByteArray("application/x-www-form-urlencoded") << QByteArray("a=1")
                                       << QStringList() << QByteArray();
    }

    void multipart()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, names);
        QList<kwdMultipartParser::Part> parts;
        QString error;
        const bool ok =
            kwdMultipartParser::parse(body, kwdMultipartParser::boundaryOf(contentType), &parts, &error);
        QCOMPARE(ok, !names.isEmpty());
        if (!ok) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QStringList got;
        for (const auto& p : parts)
            got.append(p.name);
        QCOMPARE(got, names);
        QTEST(parts.last().data, "lastData");
        if (const kwdMultipartParser::Part* uid = kwdMultipartParser::find(parts, QStringLiteral("uid")))
            QCOMPARE(uid->data, QByteArray("v-uid"));
        if (const kwdMultipartParser::Part* photo =
                kwdMultipartParser::find(parts, QStringLiteral("photo"))) {
            QVERIFY(photo->hasFileName);
            QCOMPARE(photo->fileName, QStringLiteral("C:\\fotos\\a b.jpg"));
            QCOMPARE(photo->contentType, QByteArray("application/octet-stream"));
        }
    }

    void faultRules_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("kind"); // -1: refused
        QTest::addColumn<int>("status");
        QTest::newRow("reset") << "kind=reset" << int(kwdFaultPlan::Reset) << 500;
        QTest::newRow("status") << "kind=503" << int(kwdFaultPlan::Status) << 503;
        QTest::newRow("stall") << "kind=stall&ms=250" << int(kwdFaultPlan::Stall) << 500;
        QTest::newRow("huge") << "kind=huge&bytes=1000" << int(kwdFaultPlan::Huge) << 500;
        QTest::newRow("unknown kind") << "kind=explode" << -1 << 0;
        QTest::newRow("status out of range") << "kind=99" << -1 << 0;
        QTest::newRow("negative delay") << "kind=stall&ms=-1" << -1 << 0;
        QTest::newRow("zero times") << "kind=reset&times=0" << -1 << 0;
    }

    void faultRules()
    {
        QFETCH(QString, query);
        QFETCH(int, kind);
        kwdFaultPlan::Fault fault;
        QString error;
        QCOMPARE(kwdFaultPlan::parse(kwdFormFields::parse(query.toUtf8()), &fault, &error), kind >= 0);
        QCOMPARE(error.isEmpty(), kind >= 0);
        if (kind >= 0) {
            QCOMPARE(int(fault.kind), kind);
            QTEST(fault.status, "status");
        }
    }

    void faultUses()
    {
        kwdFaultPlan plan;
        kwdFaultPlan::Fault f;
        QString error;
        QVERIFY(kwdFaultPlan::parse(
            kwdFormFields::parse("host=BJ.kwd.test&path=/webservice/*&kind=500&times=2"), &f, &error));
        plan.add(f);
        // Host compared without case, the path by its prefix, used up after the given times.
        QList<int> kinds;
        for (const char* where : {"sh.kwd.test/webservice/a", "bj.kwd.test/pic/a", "bj.kwd.test/webservice/a",
                                  "bj.kwd.test/webservice/b", "bj.kwd.test/webservice/c"}) {
            const QString url = QString::fromLatin1(where);
            const int slash = url.indexOf('/');
            kinds << plan.take(url.left(slash), url.mid(slash)).kind;
        }
        const int none = kwdFaultPlan::None, status = kwdFaultPlan::Status;
        QCOMPARE(kinds, (QList<int>{none, none, status, status, none}));
        QVERIFY(plan.isEmpty());
    }

    void loginReply_data()
    {
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("name");
        QTest::newRow("sample publisher")
            << kwdServiceRouter::publisherPhone() << kwdServiceRouter::publisherName();
        QTest::newRow("landline and long name") << "010-62345678"
                                                << "北京阳光房产经纪有限公司";
    }

    void loginReply()
    {
        QFETCH(QString, phone);
        QFETCH(QString, name);
        // The client accepts a reply whose first "=" stands at index 1 and cuts it by position.
        const QString reply = kwdServiceRouter::loginReply(phone, name);
        QCOMPARE(reply.indexOf(QLatin1Char('=')), 1);
        const int comma = reply.indexOf(QLatin1Char(','));
        QCOMPARE(reply.mid(10, comma - 10), phone);
        QCOMPARE(reply.mid(comma + 10), name);
    }
};

KWD_TEST_MAIN(TestHttpParsing)
#include "tst_kwdhttpparsing.moc"

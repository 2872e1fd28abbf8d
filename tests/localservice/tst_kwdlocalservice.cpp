#include "kwdlocalservice.h"
#include "kwdserviceconfig.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDomDocument>
#include <QGeoCoordinate>
#include <QGeoPositionInfo>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNmeaPositionInfoSource>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

namespace {

const QByteArray boundary = "-----------------------------7d6bb34502ce";

QString md5(const QString& s)
{
    return QString::fromLatin1(QCryptographicHash::hash(s.toUtf8(), QCryptographicHash::Md5).toHex());
}

// The photo upload exactly as the client builds it.
QByteArray uploadBody(const QString& dealCode, const QString& uid, const QString& pwd,
                      const QByteArray& photo)
{
    QByteArray body;
    const QString path = QStringLiteral("/home/user/photo.jpg");
    const QList<QPair<QByteArray, QString>> fields = {
        {"Filename", path}, {"RelPathName", path}, {"dealcode", dealCode}, {"uid", uid}, {"pwd", pwd}};
    for (const auto& f : fields)
        body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + f.first + "\"\r\n\r\n" +
                f.second.toUtf8() + "\r\n";
    body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"photo\"; filename=\"" +
            path.toUtf8() + "\"\r\nContent-Type: application/octet-stream\r\n\r\n" + photo + "\r\n--" +
            boundary + "--\r\n";
    return body;
}

QByteArray jpegOf(const QColor& colour)
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

QDomDocument parse(const QByteArray& xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    return doc;
}

// The first element of that name below the node, in document order.
template <typename Node> QDomElement first(const Node& node, const QString& tag)
{
    return node.elementsByTagName(tag).at(0).toElement();
}

} // namespace

// The running service, reached as the HTTP proxy the way the client reaches it.
class TestLocalService : public QObject
{
    Q_OBJECT
    kwdLocalService* service = nullptr;
    QNetworkProxy::ProxyType proxyBefore = QNetworkProxy::DefaultProxy;
    const QString stat = kwdLocalService::statisticsBase();
    const QByteArray multipartType = "multipart/form-data; boundary=" + boundary;

    QDomDocument getXml(const QString& url) { return parse(service->get(url).body); }
    // A form posted to the mobile host of Hangzhou, as the publishing pages post it.
    QByteArray post(const QString& path, const QByteArray& body, const QByteArray& type = QByteArray())
    {
        const QByteArray form = "application/x-www-form-urlencoded";
        return service->post(kwdLocalService::mobileHost("hz") + path, body, type.isEmpty() ? form : type)
            .body;
    }

private Q_SLOTS:
    void initTestCase()
    {
        proxyBefore = QNetworkProxy::applicationProxy().type();
        service = new kwdLocalService({"--seed", "5", "--fresh-interval", "0"});
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        QCOMPARE(QNetworkProxy::applicationProxy().port(), service->port());
    }

    void cleanupTestCase()
    {
        delete service;
        QCOMPARE(QNetworkProxy::applicationProxy().type(), proxyBefore);
    }

    void init() { QVERIFY(service->clearFaults() && service->clearLog()); }

    void hostsAndPaths_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("root");
        const QString bj = kwdLocalService::listingHost(QStringLiteral("bj"));
        const QString report = stat + "/kwd/webservice/kwd_login.php?sn=x&flag=1&remark=symbian&version=1016";
        kwdRow("city information", bj + "/webservice/kwdcity.html", 200, "kwdcity");
        kwdRow("district", bj + "/webservice/kwddistrict.html?id=bj03&sn=x", 200, "resultlist");
        kwdRow("compound lookup", bj + "/webservice/kwdhalist.html?keyword=%E5%9B%AD", 200, "resultlist");
        kwdRow("unknown detail", bj + "/webservice/kwdforsaledetail.html?id=nope", 200, "resultlist");
        kwdRow("usage report", report, 200, "");
        kwdRow("update", stat + "/update/kwdpersonal_win32.xml", 200, "kwdupdate");
        kwdRow("unknown path", bj + "/webservice/nothing.html", 404, "");
        kwdRow("unknown city", kwdLocalService::listingHost("zzq") + "/webservice/kwdcity.html", 502, "");
        kwdRow("foreign host", "http://example.org/", 502, "");
        kwdRow("login by GET", kwdLocalService::mobileHost("bj") + "/webservice/login.html", 405, "");
    }

    void hostsAndPaths()
    {
        QFETCH(QString, url);
        QFETCH(QString, root);
        const kwdLocalService::Reply r = service->get(url);
        QTEST(r.status, "status");
        if (!root.isEmpty())
            QCOMPARE(parse(r.body).documentElement().tagName(), root);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<bool>("networkError");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("parses");
        kwdRow("server error", "500", "", true, 500, false);
        kwdRow("reset", "reset", "", true, 0, false);
        kwdRow("closed without answer", "refuse", "", true, 0, false);
        kwdRow("truncated", "truncate", "", true, 200, false);
        kwdRow("malformed", "malformed", "", false, 200, false);
        kwdRow("slow", "stall", "ms=300", false, 200, true);
        kwdRow("huge", "huge", "bytes=3000000", false, 200, true);
    }

    void faults()
    {
        QFETCH(QString, kind);
        QFETCH(QString, extra);
        const QString gz = kwdLocalService::listingHost(QStringLiteral("gz"));
        // No use limit: Qt resends a request once when a kept-alive connection closes unanswered.
        QVERIFY(service->setFault("gz." + kwdServiceConfig::instance().listingDomain,
                                  "/webservice/kwdcity.html", kind, extra));
        // Another path of the same host is not affected.
        QCOMPARE(service->get(gz + "/webservice/kwddistrict.html?id=gz01").status, 200);
        const kwdLocalService::Reply r = service->get(gz + "/webservice/kwdcity.html");
        QTEST(!r.error.isEmpty(), "networkError");
        QTEST(r.status, "status");
        QDomDocument doc;
        QTEST(bool(doc.setContent(r.body)), "parses");
        QVERIFY(kind != QLatin1String("huge") || r.body.size() >= 3000000);
        // Without the fault the same request is answered normally.
        QVERIFY(service->clearFaults());
        const kwdLocalService::Reply again = service->get(gz + "/webservice/kwdcity.html");
        QVERIFY(again.status == 200 && again.error.isEmpty());
    }

    void publication()
    {
        const QByteArray pwd = md5(QStringLiteral("demo123")).toLatin1();
        // The login reply's form is checked with the request parsing; a wrong password is refused.
        QVERIFY(post("/webservice/login.html", "uid=demo&pwd=" + md5("wrong").toLatin1()).indexOf('=') != 1);
        const QString headline = QStringLiteral("西湖边精装两居室");
        const QByteArray booked =
            post("/webservice/booking.html",
                 "param=forsale&uid=demo&pwd=" + pwd +
                     "&dist_code=hz03&headline=" + QUrl::toPercentEncoding(headline) +
                     "&haname=x&street_name=%E6%9B%99%E5%85%89%E8%B7%AF&stno=12&proptype=11"
                     "&price=420&u=wan&bldgarea=88&br=2&lr=1&ba=1&floor=5&bheight=18&face=10");
        QVERIFY2(booked.startsWith("1=") && booked.size() > 2, booked.constData());
        const QByteArray multipart = uploadBody(booked.mid(2), "demo", pwd, jpegOf(QColor(200, 30, 40)));
        QCOMPARE(post("/webservice/savepropimage.html", multipart, multipartType), QByteArray("1"));

        // The posted listing is now searchable, with the uploaded photo as its picture.
        const QDomElement record =
            first(getXml(kwdLocalService::listingHost("hz") +
                         "/webservice/kwdforsalelist.html?page=1&percount=20&keyword=" +
                         QUrl::toPercentEncoding(headline)),
                  "forsale");
        QCOMPARE(first(record, "name").text() + first(record, "totalprice").text(), headline + "420");
        const QImage shown = QImage::fromData(service->get(first(record, "imageurl").text()).body);
        QCOMPARE(shown.size(), QSize(160, 120));
        QVERIFY(qRed(shown.pixel(80, 60)) > 150 && qGreen(shown.pixel(80, 60)) < 90);

        const QList<QJsonObject> log = service->log();
        QVERIFY(log.size() >= 3 && log[0]["body"].toString().contains(QStringLiteral("uid=demo")));
        // The binary upload is logged as base64, whole at this size.
        QCOMPARE(log[2]["path"].toString(), QStringLiteral("/webservice/savepropimage.html"));
        QCOMPARE(log[2]["bodySize"].toInt(), multipart.size());
        QCOMPARE(QByteArray::fromBase64(log[2]["bodyBase64"].toString().toLatin1()), multipart);
    }

    void rejectedUploads_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("photoBytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("answer");
        kwdRow("bad password", "nope", 0, 200, QByteArray("uid or pwd is error"));
        kwdRow("unknown deal", "demo123", 0, 200, QByteArray("dealcode is error"));
        kwdRow("oversized", "demo123", 6 * 1024 * 1024, 413, QByteArray());
    }

    void rejectedUploads()
    {
        QFETCH(QString, password);
        QFETCH(int, photoBytes);
        QFETCH(QByteArray, answer);
        const QByteArray photo = photoBytes ? QByteArray(photoBytes, 'x') : jpegOf(Qt::blue);
        const kwdLocalService::Reply r =
            service->post(kwdLocalService::mobileHost("bj") + "/webservice/savepropimage.html",
                          uploadBody("D0", "demo", md5(password), photo), multipartType);
        QTEST(r.status, "status");
        QVERIFY(answer.isEmpty() || r.body == answer);
    }

    void newListingsNewestFirst()
    {
        const QStringList sales = service->addListings(QStringLiteral("cd"), QStringLiteral("forsale"), 2);
        const QStringList leases = service->addListings(QStringLiteral("cd"), QStringLiteral("lease"), 1);
        QVERIFY(sales.size() == 2 && leases.size() == 1);
        const QDomNodeList records = getXml(stat + "/kwdTT/forsalequery?city=cd&page=1&percount=50&sn=x")
                                         .elementsByTagName(QStringLiteral("forsale"));
        QCOMPARE(records.size(), 50);
        // Both new listings lead the list (same publication second: either order).
        const QStringList firstTwo{first(records.at(0).toElement(), "id").text(),
                                   first(records.at(1).toElement(), "id").text()};
        QVERIFY(firstTwo.contains(sales[0]) && firstTwo.contains(sales[1]));
        // The push list and the city's default list ("默认(更新时间)") go newest update first, which is
        // the time the rows' ages are read from.
        const QDomNodeList defaultList =
            getXml(kwdLocalService::listingHost("cd") + "/webservice/kwdforsalelist.html?page=1&percount=50")
                .elementsByTagName(QStringLiteral("forsale"));
        QCOMPARE(defaultList.size(), 50);
        for (const QDomNodeList& list : {records, defaultList}) {
            for (int i = 1; i < list.size(); ++i)
                QVERIFY(first(list.at(i - 1).toElement(), "publish").text() >=
                        first(list.at(i).toElement(), "publish").text());
        }
        // The lease push document carries its records as "forlease".
        const QDomDocument leaseDoc = getXml(stat + "/kwdTT/leasequery?city=cd&page=1&percount=5");
        QCOMPARE(first(first(leaseDoc, "forlease"), "id").text(), leases[0]);
    }

    // The update, notice and prize documents the control host sets are read by the background checks.
    void controlledDocuments()
    {
        // Counts follow the device's requests seen today: a prize check and the count itself.
        QCOMPARE(service->get(stat + "/kwd/webservice/kwdsnprize.php?sn=00AA11BB22CC").status, 200);
        const QDomDocument counts = getXml(stat + "/kwd/webservice/kwdsnview.php?sn=00AA11BB22CC");
        QCOMPARE(first(counts, "todayview").text(), QStringLiteral("2"));

        // District prices near a point: sale and rent, "a|b" each; rents are monthly per square metre.
        const QString price =
            stat + "/kwdstat/fst_idata_price.php?city=bj&location=39.904200|116.407400|1000";
        const QStringList sale = QString::fromUtf8(service->get(price).body).split('|');
        const QStringList rent = QString::fromUtf8(service->get(price + "&flag=2").body).split('|');
        QVERIFY(sale.size() == 2 && sale[0].toDouble() > 10000 && sale[1].toDouble() > 10000);
        QVERIFY(rent.size() == 2 && rent[0].toDouble() > 10 && rent[0].toDouble() < sale[0].toDouble() / 100);
    }

    void driveClock_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("advanced");
        QTest::newRow("fast-forward a stopped clock") << "rate=0&advance=60" << 200 << 60.0;
        QTest::newRow("a stopped clock stays") << "rate=0" << 200 << 0.0;
        QTest::newRow("negative rate") << "rate=-1&advance=60" << 400 << 0.0;
        QTest::newRow("advance not a number") << "advance=soon" << 400 << 0.0;
        QTest::newRow("more than a day") << "advance=90000" << 400 << 0.0;
    }

    // The drive's clock: a fast-forward moves the car at once and its fix reaches a receiver; a
    // bad request changes nothing.
    void driveClock()
    {
        QFETCH(QString, query);
        QFETCH(int, status);
        QFETCH(double, advanced);
        const QString drive = kwdLocalService::controlHost() + "/drive";
        const auto field = [](const QByteArray& body, const char* key) {
            for (const QByteArray& line : body.split('\n'))
                if (line.startsWith(QByteArray(key) + '='))
                    return line.mid(int(qstrlen(key)) + 1).toDouble();
            return -1.0;
        };
        const kwdLocalService::Reply stopped = service->get(drive + "?rate=0");
        QCOMPARE(stopped.status, 200);
        QTcpSocket socket;
        QNmeaPositionInfoSource receiver(QNmeaPositionInfoSource::RealTimeMode);
        receiver.setDevice(&socket);
        QGeoCoordinate seen;
        connect(&receiver, &QGeoPositionInfoSource::positionUpdated,
                [&seen](const QGeoPositionInfo& info) { seen = info.coordinate(); });
        socket.connectToHost(QHostAddress::LocalHost, service->nmeaPort());
        QVERIFY(socket.waitForConnected(5000));
        receiver.startUpdates();

        const kwdLocalService::Reply changed = service->get(drive + "?" + query);
        QCOMPARE(changed.status, status);
        const kwdLocalService::Reply after = service->get(drive);
        QCOMPARE(after.status, 200);
        QVERIFY(qAbs(field(after.body, "seconds") - field(stopped.body, "seconds") - advanced) < 0.01);
        QCOMPARE(field(after.body, "rate"), 0.0);
        const QGeoCoordinate at(field(after.body, "latitude"), field(after.body, "longitude"));
        QTRY_VERIFY_WITH_TIMEOUT(seen.isValid() && seen.distanceTo(at) < 2, 5000);
        const QGeoCoordinate from(field(stopped.body, "latitude"), field(stopped.body, "longitude"));
        // Along the road at 11 m/s; a corner can only make the straight line shorter.
        QVERIFY(from.distanceTo(at) <= advanced * 11 + 1);
        QCOMPARE(from.distanceTo(at) > 100, advanced > 0);
    }

    void geocoder_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("position"); // long=...&lat=...
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("city"); // empty: no place
        const QString token = kwdServiceConfig::instance().geocoderToken;
        const QString place = "long=116.4074&lat=39.9042";
        kwdRow("Beijing", token, place, 200, "北京市");
        kwdRow("padded Xi'an", token, "long=108.9398&lat= 34.3416", 200, "西安市");
        kwdRow("open sea", token, "long=150.0000&lat=10.0000", 200, "");
        kwdRow("wrong token", "0123", place, 403, "");
        kwdRow("not a number", token, "long=east&lat=39.9", 400, "");
    }

    void geocoder()
    {
        QFETCH(QString, token);
        QFETCH(QString, position);
        QFETCH(int, status);
        QFETCH(QString, city);
        const kwdLocalService::Reply r =
            service->get(QStringLiteral("http://%1/geocoder/rgc/1.0?referer=qtlocationapi&token=%2&%3&lg=chi")
                             .arg(kwdServiceConfig::instance().geocoderHost, token, position));
        QCOMPARE(r.status, status);
        if (status != 200)
            return;
        const QDomElement place = first(first(parse(r.body), "places"), "place");
        QCOMPARE(place.isNull(), city.isEmpty());
        if (city.isEmpty())
            return;
        const QDomElement address = first(place, "address");
        QCOMPARE(first(address, "city").text(), city);
        QVERIFY(!first(address, "district").text().isEmpty());
        const QDomElement road = first(place, "thoroughfare");
        QVERIFY(!first(road, "name").text().isEmpty());
        QVERIFY(first(road, "number").text().endsWith(QStringLiteral("号")));
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("tag");
        kwdRow("compound", "kwdhalist", "ha");
        kwdRow("sale", "kwdforsalelist", "forsale");
        kwdRow("lease", "kwdleaselist", "lease");
    }

    void pictures()
    {
        QFETCH(QString, list);
        QFETCH(QString, tag);
        const QString host = kwdLocalService::listingHost(QStringLiteral("wh"));
        const QDomDocument doc = getXml(host + "/webservice/" + list + ".html?page=1&percount=1");
        const QString id = first(first(doc, tag), "id").text();
        const QString images = QString(list).replace(QStringLiteral("list"), QStringLiteral("images"));
        const QDomNodeList items = getXml(host + "/webservice/" + images + ".html?id=" + id)
                                       .elementsByTagName(QStringLiteral("items"));
        QVERIFY(items.size() >= 1);
        for (int i = 0; i < items.size(); ++i) {
            QMap<QString, QSize> sizes;
            for (QDomElement e = items.at(i).firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
                sizes[e.attribute("name")] = QImage::fromData(service->get(e.text()).body, "JPEG").size();
            QCOMPARE(sizes.value("small"), QSize(160, 120));
            QCOMPARE(sizes.value("big"), QSize(640, 480));
        }
        // One picture past the count does not exist.
        QCOMPARE(service->get(host + QStringLiteral("/pic/%1/%2/%3_s.jpg").arg(tag, id).arg(items.size() + 1))
                     .status,
                 404);
    }
};

KWD_TEST_MAIN(TestLocalService)
#include "tst_kwdlocalservice.moc"

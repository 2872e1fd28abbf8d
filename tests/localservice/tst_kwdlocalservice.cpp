#include "kwdlocalservice.h"
#include "kwdserviceconfig.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDomDocument>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

// The running service, reached as the HTTP proxy the way the client reaches it.
class TestLocalService : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void throughApplicationProxy();
    void hostsAndPaths_data();
    void hostsAndPaths();
    void faults_data();
    void faults();
    void publication();
    void rejectedUploads_data();
    void rejectedUploads();
    void newListingsNewestFirst();
    void controlledDocuments();
    void geocoder_data();
    void geocoder();
    void pictures_data();
    void pictures();
    void sameSeedSameData();

private:
    QDomDocument parse(const QByteArray& xml);
    kwdLocalService* service = nullptr;
    QNetworkProxy::ProxyType proxyBefore = QNetworkProxy::DefaultProxy;
};

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
            path.toUtf8() + "\"\r\nContent-Type: application/octet-stream\r\n\r\n" + photo + "\r\n";
    body += "--" + boundary + "--\r\n";
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
} // namespace

QDomDocument TestLocalService::parse(const QByteArray& xml)
{
    QDomDocument doc;
    doc.setContent(xml);
    return doc;
}

void TestLocalService::initTestCase()
{
    proxyBefore = QNetworkProxy::applicationProxy().type();
    service = new kwdLocalService({QStringLiteral("--seed"), QStringLiteral("5"),
                                   QStringLiteral("--fresh-interval"), QStringLiteral("0")});
    QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
    QCOMPARE(QNetworkProxy::applicationProxy().port(), service->port());
}

void TestLocalService::cleanupTestCase()
{
    delete service;
    QCOMPARE(QNetworkProxy::applicationProxy().type(), proxyBefore);
}

void TestLocalService::init()
{
    QVERIFY(service->clearFaults());
    QVERIFY(service->clearLog());
}

void TestLocalService::throughApplicationProxy()
{
    // A plain network manager, as the client's request holder has, goes through the service.
    QNetworkAccessManager manager;
    const QString url = kwdLocalService::listingHost(QStringLiteral("sh")) +
                        QStringLiteral("/webservice/kwdleaselist.html?page=2&percount=20&br=2&sn=0011AABB");
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(url)));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(20000));
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    const QDomDocument doc = parse(reply->readAll());
    reply->deleteLater();
    const QDomElement list = doc.documentElement();
    QCOMPARE(list.tagName(), QStringLiteral("resultlist"));
    QCOMPARE(list.attribute(QStringLiteral("type")), QStringLiteral("lease"));
    QCOMPARE(list.attribute(QStringLiteral("skip")), QStringLiteral("21"));
    QCOMPARE(list.elementsByTagName(QStringLiteral("lease")).size(), 20);

    const QList<QJsonObject> log = service->log();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].value(QStringLiteral("method")).toString(), QStringLiteral("GET"));
    QCOMPARE(log[0].value(QStringLiteral("host")).toString(),
             QStringLiteral("sh.") + kwdServiceConfig::instance().listingDomain);
    QCOMPARE(log[0].value(QStringLiteral("path")).toString(),
             QStringLiteral("/webservice/kwdleaselist.html"));
    QVERIFY(log[0].value(QStringLiteral("query")).toString().contains(QStringLiteral("sn=0011AABB")));
    QCOMPARE(log[0].value(QStringLiteral("status")).toInt(), 200);
}

void TestLocalService::hostsAndPaths_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("root");
    const QString bj = kwdLocalService::listingHost(QStringLiteral("bj"));
    const QString stat = kwdLocalService::statisticsBase();
    QTest::newRow("city information") << bj + "/webservice/kwdcity.html" << 200 << "kwdcity";
    QTest::newRow("district") << bj + "/webservice/kwddistrict.html?id=bj03&sn=x" << 200 << "resultlist";
    QTest::newRow("compound lookup") << bj + "/webservice/kwdhalist.html?keyword=%E5%9B%AD" << 200
                                     << "resultlist";
    QTest::newRow("unknown detail") << bj + "/webservice/kwdforsaledetail.html?id=nope" << 200
                                    << "resultlist";
    QTest::newRow("usage report")
        << stat + "/kwd/webservice/kwd_login.php?sn=x&flag=1&remark=symbian&version=1016" << 200 << "";
    QTest::newRow("update") << stat + "/update/kwdpersonal_win32.xml" << 200 << "kwdupdate";
    QTest::newRow("unknown path") << bj + "/webservice/nothing.html" << 404 << "";
    QTest::newRow("unknown city") << kwdLocalService::listingHost(QStringLiteral("zzq")) +
                                         "/webservice/kwdcity.html"
                                  << 502 << "";
    QTest::newRow("foreign host") << "http://example.org/" << 502 << "";
    QTest::newRow("login by GET") << kwdLocalService::mobileHost(QStringLiteral("bj")) +
                                         "/webservice/login.html"
                                  << 405 << "";
}

void TestLocalService::hostsAndPaths()
{
    QFETCH(QString, url);
    QFETCH(int, status);
    QFETCH(QString, root);
    const kwdLocalService::Reply r = service->get(url);
    QCOMPARE(r.status, status);
    if (!root.isEmpty())
        QCOMPARE(parse(r.body).documentElement().tagName(), root);
}

void TestLocalService::faults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<bool>("networkError");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("parses");
    QTest::newRow("server error") << "500"
                                  << "" << true << 500 << false;
    QTest::newRow("reset") << "reset"
                           << "" << true << 0 << false;
    QTest::newRow("closed without answer") << "refuse"
                                           << "" << true << 0 << false;
    QTest::newRow("truncated") << "truncate"
                               << "" << true << 200 << false;
    QTest::newRow("malformed") << "malformed"
                               << "" << false << 200 << false;
    QTest::newRow("slow") << "stall"
                          << "ms=300" << false << 200 << true;
    QTest::newRow("huge") << "huge"
                          << "bytes=3000000" << false << 200 << true;
}

void TestLocalService::faults()
{
    QFETCH(QString, kind);
    QFETCH(QString, extra);
    QFETCH(bool, networkError);
    QFETCH(int, status);
    QFETCH(bool, parses);
    const QString host = QStringLiteral("gz.") + kwdServiceConfig::instance().listingDomain;
    // No use limit: Qt resends a request once when a kept-alive connection closes unanswered.
    QVERIFY(service->setFault(host, QStringLiteral("/webservice/kwdcity.html"), kind, extra));
    const QString url =
        kwdLocalService::listingHost(QStringLiteral("gz")) + QStringLiteral("/webservice/kwdcity.html");
    // Another path of the same host is not affected.
    QCOMPARE(
        service
            ->get(kwdLocalService::listingHost(QStringLiteral("gz")) + "/webservice/kwddistrict.html?id=gz01")
            .status,
        200);
    const kwdLocalService::Reply r = service->get(url);
    QCOMPARE(!r.error.isEmpty(), networkError);
    QCOMPARE(r.status, status);
    QDomDocument doc;
    QCOMPARE(bool(doc.setContent(r.body)), parses);
    if (kind == QLatin1String("huge"))
        QVERIFY(r.body.size() >= 3000000);
    // Without the fault the same request is answered normally.
    QVERIFY(service->clearFaults());
    const kwdLocalService::Reply again = service->get(url);
    QCOMPARE(again.status, 200);
    QVERIFY(again.error.isEmpty());
}

void TestLocalService::publication()
{
    const QString mobile = kwdLocalService::mobileHost(QStringLiteral("hz"));
    const QByteArray form = "application/x-www-form-urlencoded";
    const QString pwd = md5(QStringLiteral("demo123"));

    const kwdLocalService::Reply login =
        service->post(mobile + "/webservice/login.html", "uid=demo&pwd=" + pwd.toLatin1(), form);
    const QString reply = QString::fromUtf8(login.body);
    QCOMPARE(reply.indexOf(QLatin1Char('=')), 1);
    const int comma = reply.indexOf(QLatin1Char(','));
    QVERIFY(comma > 10);
    QVERIFY(!reply.mid(10, comma - 10).isEmpty());
    QVERIFY(!reply.mid(comma + 10).isEmpty());
    const kwdLocalService::Reply refused =
        service->post(mobile + "/webservice/login.html", "uid=demo&pwd=" + md5("wrong").toLatin1(), form);
    QVERIFY(refused.body.indexOf('=') != 1);

    const QString headline = QStringLiteral("西湖边精装两居室");
    const QByteArray listing =
        "param=forsale&uid=demo&pwd=" + pwd.toLatin1() +
        "&dist_code=hz03&headline=" + QUrl::toPercentEncoding(headline) +
        "&haname=x&street_name=%E6%9B%99%E5%85%89%E8%B7%AF&stno=12&proptype=11&price=420&u=wan"
        "&bldgarea=88&br=2&lr=1&ba=1&floor=5&bheight=18&face=10";
    const kwdLocalService::Reply booked = service->post(mobile + "/webservice/booking.html", listing, form);
    QVERIFY2(booked.body.startsWith("1="), booked.body.constData());
    const QString dealCode = QString::fromUtf8(booked.body.mid(2));
    QVERIFY(!dealCode.isEmpty());

    const QByteArray photo = jpegOf(QColor(200, 30, 40));
    const QByteArray multipart = uploadBody(dealCode, "demo", pwd, photo);
    const kwdLocalService::Reply uploaded = service->post(
        mobile + "/webservice/savepropimage.html", multipart, "multipart/form-data; boundary=" + boundary);
    QCOMPARE(uploaded.body, QByteArray("1"));

    // The posted listing is now searchable, with the uploaded photo as its picture.
    const kwdLocalService::Reply found = service->get(
        kwdLocalService::listingHost(QStringLiteral("hz")) +
        "/webservice/kwdforsalelist.html?page=1&percount=20&keyword=" + QUrl::toPercentEncoding(headline));
    const QDomElement record =
        parse(found.body).documentElement().firstChildElement(QStringLiteral("forsale"));
    QCOMPARE(record.firstChildElement(QStringLiteral("name")).text(), headline);
    QCOMPARE(record.firstChildElement(QStringLiteral("totalprice")).text(), QStringLiteral("420"));
    const QString picture = record.firstChildElement(QStringLiteral("imageurl")).text();
    const QImage shown = QImage::fromData(service->get(picture).body);
    QCOMPARE(shown.size(), QSize(160, 120));
    QVERIFY(qRed(shown.pixel(80, 60)) > 150 && qGreen(shown.pixel(80, 60)) < 90);

    const QList<QJsonObject> log = service->log();
    QVERIFY(log.size() >= 4);
    QVERIFY(log[0].value(QStringLiteral("body")).toString().contains(QStringLiteral("uid=demo")));
    // The binary upload is logged as base64, whole at this size.
    QCOMPARE(log[3].value(QStringLiteral("path")).toString(),
             QStringLiteral("/webservice/savepropimage.html"));
    QCOMPARE(log[3].value(QStringLiteral("bodySize")).toInt(), multipart.size());
    QCOMPARE(QByteArray::fromBase64(log[3].value(QStringLiteral("bodyBase64")).toString().toLatin1()),
             multipart);
}

void TestLocalService::rejectedUploads_data()
{
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("photoBytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("bad password") << "demo"
                                  << "nope" << 0 << 200 << QByteArray("uid or pwd is error");
    QTest::newRow("unknown deal") << "demo"
                                  << "demo123" << 0 << 200 << QByteArray("dealcode is error");
    QTest::newRow("oversized") << "demo"
                               << "demo123" << 6 * 1024 * 1024 << 413 << QByteArray();
}

void TestLocalService::rejectedUploads()
{
    QFETCH(QString, uid);
    QFETCH(QString, password);
    QFETCH(int, photoBytes);
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    const QByteArray photo = photoBytes ? QByteArray(photoBytes, 'x') : jpegOf(Qt::blue);
    const kwdLocalService::Reply r =
        service->post(kwdLocalService::mobileHost(QStringLiteral("bj")) + "/webservice/savepropimage.html",
                      uploadBody(QStringLiteral("D0"), uid, md5(password), photo),
                      "multipart/form-data; boundary=" + boundary);
    QCOMPARE(r.status, status);
    if (!answer.isEmpty())
        QCOMPARE(r.body, answer);
}

void TestLocalService::newListingsNewestFirst()
{
    const QStringList sales = service->addListings(QStringLiteral("cd"), QStringLiteral("forsale"), 2);
    const QStringList leases = service->addListings(QStringLiteral("cd"), QStringLiteral("lease"), 1);
    QCOMPARE(sales.size(), 2);
    QCOMPARE(leases.size(), 1);
    const QString stat = kwdLocalService::statisticsBase();
    const QDomDocument saleDoc =
        parse(service->get(stat + "/kwdTT/forsalequery?city=cd&page=1&percount=50&sn=x").body);
    const QDomNodeList saleRecords = saleDoc.elementsByTagName(QStringLiteral("forsale"));
    QCOMPARE(saleRecords.size(), 50);
    // Both new listings lead the list (same publication second: either order).
    const QStringList firstTwo{saleRecords.at(0).firstChildElement(QStringLiteral("id")).text(),
                               saleRecords.at(1).firstChildElement(QStringLiteral("id")).text()};
    QVERIFY(firstTwo.contains(sales[0]) && firstTwo.contains(sales[1]));
    for (int i = 1; i < saleRecords.size(); ++i)
        QVERIFY(saleRecords.at(i - 1).firstChildElement(QStringLiteral("publish")).text() >=
                saleRecords.at(i).firstChildElement(QStringLiteral("publish")).text());
    // The lease push document carries its records as "forlease".
    const QDomDocument leaseDoc =
        parse(service->get(stat + "/kwdTT/leasequery?city=cd&page=1&percount=5").body);
    QCOMPARE(leaseDoc.elementsByTagName(QStringLiteral("forlease"))
                 .at(0)
                 .firstChildElement(QStringLiteral("id"))
                 .text(),
             leases[0]);
}

void TestLocalService::controlledDocuments()
{
    const QString stat = kwdLocalService::statisticsBase();
    QVERIFY(service->setUpdate(1020, QStringLiteral("1.2.0"), QStringLiteral("2012-06-01 10:00:00"),
                               QStringLiteral("http://www.kwd.test/get/1.2.0")));
    QDomDocument update = parse(service->get(stat + "/update/kwdpersonal_win32.xml").body);
    const QDomElement kwd = update.elementsByTagName(QStringLiteral("kwd")).at(0).toElement();
    QCOMPARE(kwd.firstChildElement(QStringLiteral("build")).text(), QStringLiteral("1020"));
    QCOMPARE(kwd.firstChildElement(QStringLiteral("updateurl")).text(),
             QStringLiteral("http://www.kwd.test/get/1.2.0"));
    QVERIFY(service->setUpdate(1016, QStringLiteral("1.1.6"), QString(), QString()));

    QDomDocument notice = parse(service->get(stat + "/kwd/webservice/kwdnotice.php").body);
    QCOMPARE(notice.firstChildElement(QStringLiteral("resultlist"))
                 .firstChildElement(QStringLiteral("ishave"))
                 .text(),
             QStringLiteral("false"));
    QVERIFY(service->setNotice(QStringLiteral("http://www.kwd.test/notice/1.html")));
    notice = parse(service->get(stat + "/kwd/webservice/kwdnotice.php").body);
    const QDomElement list = notice.firstChildElement(QStringLiteral("resultlist"));
    QVERIFY(list.firstChildElement(QStringLiteral("ishave")).text() != QLatin1String("false"));
    QCOMPARE(list.firstChildElement(QStringLiteral("noticelink")).text(),
             QStringLiteral("http://www.kwd.test/notice/1.html"));

    QVERIFY(service->setPrize(QStringLiteral("00AA11BB22CC"), QStringLiteral("手机一部"),
                              QStringLiteral("K-77"), QStringLiteral("FALSE")));
    const QDomDocument prize =
        parse(service->get(stat + "/kwd/webservice/kwdsnprize.php?sn=00AA11BB22CC").body);
    const QDomElement result = prize.documentElement();
    QCOMPARE(result.attribute(QStringLiteral("status")), QStringLiteral("true"));
    QCOMPARE(result.elementsByTagName(QStringLiteral("prizetype")).at(0).toElement().text(),
             QStringLiteral("手机一部"));
    QCOMPARE(result.elementsByTagName(QStringLiteral("key")).at(0).toElement().text(),
             QStringLiteral("K-77"));

    // Counts follow the device's requests seen today: the prize check and the count itself.
    const QDomDocument counts =
        parse(service->get(stat + "/kwd/webservice/kwdsnview.php?sn=00AA11BB22CC").body);
    QCOMPARE(counts.elementsByTagName(QStringLiteral("todayview")).at(0).toElement().text(),
             QStringLiteral("2"));

    const QString price = QString::fromUtf8(
        service->get(stat + "/kwdstat/fst_idata_price.php?city=bj&location=39.904200|116.407400|1000").body);
    const QStringList parts = price.split(QLatin1Char('|'));
    QCOMPARE(parts.size(), 2);
    QVERIFY(parts[0].toDouble() > 10000 && parts[1].toDouble() > 10000);
    const QStringList rents =
        QString::fromUtf8(service
                              ->get(stat + "/kwdstat/fst_idata_price.php?city=bj&location="
                                           "39.904200|116.407400|1000&flag=2")
                              .body)
            .split(QLatin1Char('|'));
    QCOMPARE(rents.size(), 2);
    QVERIFY(rents[0].toDouble() > 10 && rents[0].toDouble() < parts[0].toDouble() / 100);
}

void TestLocalService::geocoder_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("city");
    const QString token = kwdServiceConfig::instance().geocoderToken;
    QTest::newRow("Beijing") << token << "116.4074"
                             << "39.9042" << 200 << QStringLiteral("北京市");
    QTest::newRow("padded Xi'an") << token << "108.9398"
                                  << " 34.3416" << 200 << QStringLiteral("西安市");
    QTest::newRow("open sea") << token << "150.0000"
                              << "10.0000" << 200 << QString();
    QTest::newRow("wrong token") << "0123"
                                 << "116.4074"
                                 << "39.9042" << 403 << QString();
    QTest::newRow("not a number") << token << "east"
                                  << "39.9" << 400 << QString();
}

void TestLocalService::geocoder()
{
    QFETCH(QString, token);
    QFETCH(QString, lon);
    QFETCH(QString, lat);
    QFETCH(int, status);
    QFETCH(QString, city);
    const QString url =
        QStringLiteral("http://%1/geocoder/rgc/1.0?referer=qtlocationapi&token=%2&long=%3&lat=%4&lg=chi")
            .arg(kwdServiceConfig::instance().geocoderHost, token, lon, lat);
    const kwdLocalService::Reply r = service->get(url);
    QCOMPARE(r.status, status);
    if (status != 200)
        return;
    const QDomDocument doc = parse(r.body);
    const QDomElement place = doc.elementsByTagName(QStringLiteral("places"))
                                  .at(0)
                                  .toElement()
                                  .elementsByTagName(QStringLiteral("place"))
                                  .at(0)
                                  .toElement();
    if (city.isEmpty()) {
        QVERIFY(place.isNull());
        return;
    }
    const QDomElement address = place.elementsByTagName(QStringLiteral("address")).at(0).toElement();
    QCOMPARE(address.elementsByTagName(QStringLiteral("city")).at(0).toElement().text(), city);
    QVERIFY(!address.elementsByTagName(QStringLiteral("district")).at(0).toElement().text().isEmpty());
    const QDomElement road = place.elementsByTagName(QStringLiteral("thoroughfare")).at(0).toElement();
    QVERIFY(!road.elementsByTagName(QStringLiteral("name")).at(0).toElement().text().isEmpty());
    QVERIFY(road.elementsByTagName(QStringLiteral("number"))
                .at(0)
                .toElement()
                .text()
                .endsWith(QStringLiteral("号")));
}

void TestLocalService::pictures_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("tag");
    QTest::newRow("compound") << "kwdhalist"
                              << "ha";
    QTest::newRow("sale") << "kwdforsalelist"
                          << "forsale";
    QTest::newRow("lease") << "kwdleaselist"
                           << "lease";
}

void TestLocalService::pictures()
{
    QFETCH(QString, list);
    QFETCH(QString, tag);
    const QString host = kwdLocalService::listingHost(QStringLiteral("wh"));
    const QDomDocument doc =
        parse(service->get(host + "/webservice/" + list + ".html?page=1&percount=1").body);
    const QString id = doc.elementsByTagName(tag).at(0).firstChildElement(QStringLiteral("id")).text();
    const QString images = QString(list).replace(QStringLiteral("list"), QStringLiteral("images"));
    const QDomDocument pics = parse(service->get(host + "/webservice/" + images + ".html?id=" + id).body);
    const QDomNodeList items = pics.elementsByTagName(QStringLiteral("items"));
    QVERIFY(items.size() >= 1);
    for (int i = 0; i < items.size(); ++i) {
        QString small, big;
        for (QDomElement e = items.at(i).firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (e.attribute(QStringLiteral("name")) == QLatin1String("small"))
                small = e.text();
            else if (e.attribute(QStringLiteral("name")) == QLatin1String("big"))
                big = e.text();
        }
        QCOMPARE(QImage::fromData(service->get(small).body, "JPEG").size(), QSize(160, 120));
        QCOMPARE(QImage::fromData(service->get(big).body, "JPEG").size(), QSize(640, 480));
    }
    // One picture past the count does not exist.
    QCOMPARE(
        service->get(host + QStringLiteral("/pic/%1/%2/%3_s.jpg").arg(tag, id).arg(items.size() + 1)).status,
        404);
}

void TestLocalService::sameSeedSameData()
{
    const QString url = kwdLocalService::listingHost(QStringLiteral("xa")) +
                        QStringLiteral("/webservice/kwdhalist.html?page=1&percount=30&ob=p2");
    const QByteArray first = service->get(url).body;
    kwdLocalService other({QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("--fresh-interval"),
                           QStringLiteral("0")});
    QVERIFY(other.isRunning());
    QCOMPARE(other.get(url).body, first);
    kwdLocalService different({QStringLiteral("--seed"), QStringLiteral("6")});
    QVERIFY(different.isRunning());
    QVERIFY(different.get(url).body != first);
    // The helper that started last owns the application proxy until it stops.
    QCOMPARE(QNetworkProxy::applicationProxy().port(), different.port());
}

KWD_TEST_MAIN(TestLocalService)
#include "tst_kwdlocalservice.moc"

#include "conditionview.h"
#include "kwdchooseha.h"
#include "kwdfinder.h"
#include "kwdmessage.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "qvmhttpholder.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsegement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

// The condition form's two requests, the district list and the housing-area lookup, against a
// loopback server that stands in for the city hosts.
class TestConditionRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void districtsOnDemand_data();
    void districtsOnDemand();
    void districtFailure_data();
    void districtFailure();
    void lookup_data();
    void lookup();
    void lookupThenChoose();
    void staleLookupIgnored();

private:
    void load(const QString& city, const QStringList& fields);
    void typeNameAndSearch(const QString& name);
    template <typename T> T* w(const char* name) const { return view->findChild<T*>(QLatin1String(name)); }

    kwdTestHttpServer server;
    qvmHttpHolder* holder = nullptr;
    QWidget* host = nullptr;
    kwdShowWait* wait = nullptr;
    qvmSetCondition* area = nullptr;
    ConditionView* view = nullptr;
    kwdFinder record;
    QList<QPair<QString, QString>> messages;
};

namespace {

const QByteArray cityInfoXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><city>"
                               "<areas><area jm=\"cy\">朝阳</area><area jm=\"hd\">海淀</area></areas>"
                               "<saleprice><price val=\"1\">1万</price></saleprice>"
                               "<totalprice><price val=\"2\">2万</price></totalprice>"
                               "<leaseprice><price val=\"3\">3千</price></leaseprice></city>";

kwdTestHttpServer::Response reply(const QByteArray& body, int status = 200, int delayMs = 0)
{
    kwdTestHttpServer::Response r;
    r.status = status;
    r.body = body;
    r.contentType = "text/xml; charset=utf-8";
    r.delayMs = delayMs;
    return r;
}

QByteArray haList(const QList<QStringList>& entries, const QByteArray& type = "ha")
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><resultlist type=\"" + type + "\">";
    for (const QStringList& e : entries)
        xml += "<ha><id> " + e.at(0).toUtf8() + " </id><name>" + e.at(1).toUtf8() + "</name><address>" +
               e.at(2).toUtf8() + "</address><district>" + e.at(3).toUtf8() + "</district></ha>";
    return xml + "</resultlist>";
}

} // namespace

void TestConditionRequests::initTestCase()
{
    QVERIFY(server.listen());
    // Every city host is reached through the loopback server.
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server.port()));
    holder = new qvmHttpHolder(this);
    QCOMPARE(qvmHttpHolder::instance(), holder);
    kwdMessage::setHook([this](const QString& title, const QString& text) {
        messages.append({title, text});
    });

    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("北京"), {{QStringLiteral("北京"), QStringLiteral("bj")}});
    store->cities.insert(QStringLiteral("上海"), {{QStringLiteral("上海"), QStringLiteral("sh")}});
    auto* current = new kwdFinder(QStringLiteral("default"), 2);
    current->setField(kwdFinder::City, QStringLiteral("北京"));
    store->finders.append(current);
    store->currentFinder = current;
}

void TestConditionRequests::init()
{
    messages.clear();
    server.clearRequests();
    kwdStore::instance()->cityInfo.clear();
    host = new QWidget;
    host->resize(360, 640);
    wait = new kwdShowWait(host);
    area = new qvmSetCondition(host);
    area->setGeometry(0, 0, 360, 640);
    view = area->view();
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

void TestConditionRequests::cleanup()
{
    delete host;
    host = nullptr;
    wait = nullptr;
    area = nullptr;
    view = nullptr;
}

void TestConditionRequests::load(const QString& city, const QStringList& fields)
{
    record = kwdFinder(QStringLiteral("edited"), 2);
    record.setField(kwdFinder::City, city);
    record.setField(kwdFinder::Mode, QStringLiteral("101"));
    for (const QString& pair : fields) {
        const int eq = pair.indexOf(QLatin1Char('='));
        record.setField(pair.left(eq).toInt(), pair.mid(eq + 1));
    }
    view->setCondition(&record);
}

void TestConditionRequests::typeNameAndSearch(const QString& name)
{
    w<qvmWidgetSegement>("segAreaType")->setValue(1);
    w<QLineEdit>("editPlaceName")->setText(name);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
}

void TestConditionRequests::districtsOnDemand_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("code");

    QTest::newRow("current search's city") << QStringLiteral("北京") << "bj";
    // A form editing another record (the push conditions) asks for that record's city.
    QTest::newRow("another record's city") << QStringLiteral("上海") << "sh";
}

void TestConditionRequests::districtsOnDemand()
{
    QFETCH(QString, city);
    QFETCH(QString, code);

    server.setResponse(QStringLiteral("/webservice/kwdcity.html"), reply(cityInfoXml, 200, 150));
    load(city, {});
    QComboBox* districts = w<QComboBox>("cboDistrict");
    QCOMPARE(districts->count(), 1);

    view->onDistrictPopup(1); // only the "UnSpecified" entry asks
    QCOMPARE(view->districtRequestId(), 0);
    // Opening the list highlights its only entry, which asks for the districts.
    districts->showPopup();
    const int id = view->districtRequestId();
    QVERIFY(id != 0);
    QVERIFY(wait->isVisible());
    view->onDistrictPopup(0); // not again while one is pending
    QCOMPARE(view->districtRequestId(), id);

    QTRY_COMPARE(districts->count(), 3);
    QVERIFY(districts->view()->isVisible());
    districts->hidePopup();
    QCOMPARE(districts->itemText(1), QStringLiteral("朝阳"));
    QCOMPARE(districts->itemText(2), QStringLiteral("海淀"));
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.lastRequest().host, code.toLatin1() + ".kwd.test");
    QCOMPARE(server.lastRequest().path, QByteArray("/webservice/kwdcity.html"));
    QCOMPARE(view->districtRequestId(), 0);
    QVERIFY(!holder->request(id));
    QVERIFY(!wait->isVisible());
    QCOMPARE(kwdStore::instance()->districtCode(code, QStringLiteral("海淀")), QStringLiteral("hd"));
    const QString other = code == QLatin1String("bj") ? QStringLiteral("sh") : QStringLiteral("bj");
    QVERIFY(!kwdStore::instance()->cityInfoOf(other));
    QVERIFY(messages.isEmpty());

    // Once the list is there, highlighting sends nothing more.
    view->onDistrictPopup(0);
    QCOMPARE(view->districtRequestId(), 0);

    // The chosen district is what the search writes.
    districts->setCurrentIndex(2);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(record.field(kwdFinder::District), QStringLiteral("海淀"));
    QCOMPARE(record.buildQuery().section(QLatin1Char('&'), 0, 0), QStringLiteral("distcode=hd"));
}

void TestConditionRequests::districtFailure_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("message");

    QTest::newRow("not found") << 404 << QByteArray("gone") << true;
    QTest::newRow("unreadable document") << 200 << QByteArray("<areas><area jm=") << false;
    QTest::newRow("document without districts") << 200 << QByteArray("<city><areas/></city>") << false;
}

void TestConditionRequests::districtFailure()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, message);

    server.setResponse(QStringLiteral("/webservice/kwdcity.html"), reply(body, status));
    load(QStringLiteral("北京"), {});
    w<QComboBox>("cboDistrict")->showPopup();
    const int id = view->districtRequestId();
    QVERIFY(id != 0);
    QTRY_COMPARE(view->districtRequestId(), 0);
    QVERIFY(!holder->request(id));
    QCOMPARE(w<QComboBox>("cboDistrict")->count(), 1);
    QVERIFY(!kwdStore::instance()->cityInfoOf(QStringLiteral("bj")));
    if (message) {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).first, QStringLiteral("error"));
        QVERIFY(!messages.at(0).second.isEmpty());
    } else {
        QVERIFY(messages.isEmpty());
    }
    // The user may ask again.
    view->onDistrictPopup(0);
    QVERIFY(view->districtRequestId() > id);
    QTRY_COMPARE(view->districtRequestId(), 0);
}

void TestConditionRequests::lookup_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("entries"); // display text, then data text
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("two usable entries")
        << 200
        << haList({{"11", QStringLiteral("望京花园"), QStringLiteral("望京路1号"), QStringLiteral("朝阳")},
                   {"", "NoId", "a", "b"},
                   {"12", "", "a", "b"},
                   {"13", "Garden", "Road 2", "Haidian"}})
        << QStringList{QStringLiteral("望京花园 (朝阳 望京路1号)"), QStringLiteral("望京花园(11)"),
                       "Garden (Haidian Road 2)", "Garden(13)"}
        << QString() << QString();
    QTest::newRow("nothing found") << 200 << haList({}) << QStringList{} << "info"
                                   << "No relate HA Found";
    QTest::newRow("another kind of list")
        << 200 << haList({{"1", "A", "B", "C"}}, "forsale") << QStringList{} << "info"
        << "No relate HA Found";
    QTest::newRow("unreadable") << 200 << QByteArray("<resultlist type=\"ha\"><ha>") << QStringList{}
                                << "info"
                                << "No relate HA Found";
    QTest::newRow("server error") << 500 << QByteArray("oops") << QStringList{} << "Error"
                                  << "Failed to get ha list";
}

void TestConditionRequests::lookup()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, entries);
    QFETCH(QString, title);
    QFETCH(QString, text);

    server.setResponse(QStringLiteral("/webservice/kwdhalist.html"), reply(body, status));
    load(QStringLiteral("北京"), {});
    const kwdFinder before = record;
    QSignalSpy search(view, &ConditionView::doSearch);
    const QString name = QStringLiteral("A&B=C 花园#1+2%");
    typeNameAndSearch(QStringLiteral("  ") + name + QStringLiteral(" "));
    const int id = view->lookupRequestId();
    QVERIFY(id != 0);
    QTRY_COMPARE(view->lookupRequestId(), 0);
    QVERIFY(!holder->request(id));

    const kwdTestHttpServer::Request request = server.lastRequest();
    QCOMPARE(request.host, QByteArray("bj.kwd.test"));
    QCOMPARE(request.path, QByteArray("/webservice/kwdhalist.html"));
    const QUrlQuery query(QString::fromLatin1(request.query));
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("keyword"), QUrl::FullyDecoded), name);

    kwdChooseHA* chooser = view->chooser();
    QCOMPARE(chooser->count(), entries.size() / 2);
    for (int i = 0; i < chooser->count(); ++i) {
        QCOMPARE(chooser->list()->item(i)->text(), entries.at(2 * i));
        QCOMPARE(chooser->list()->item(i)->data(Qt::UserRole).toString(), entries.at(2 * i + 1));
    }
    QCOMPARE(search.count(), 0);
    QVERIFY(record == before);
    if (entries.isEmpty()) {
        QVERIFY(chooser->isHidden());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).first, title);
        QCOMPARE(messages.at(0).second, text);
        return;
    }
    QVERIFY(messages.isEmpty());
    QVERIFY(chooser->isVisible());
    // Over the lower three quarters of the form, one pixel in from the sides.
    const int h = view->height() * 3 / 4;
    QCOMPARE(chooser->geometry(), QRect(1, view->height() - h - 2, view->width() - 2, h));
    const QImage image = host->grab().toImage();
    QVERIFY(
        image.save(kwdTestEnvironment::outputDir(QStringLiteral("search")) + QStringLiteral("/chooser.png")));
}

void TestConditionRequests::lookupThenChoose()
{
    server.setResponse(
        QStringLiteral("/webservice/kwdhalist.html"),
        reply(haList({{"11", QStringLiteral("望京花园"), QStringLiteral("望京路1号"), QStringLiteral("朝阳")},
                      {"13", "Garden", "Road 2", "Haidian"}})));
    load(QStringLiteral("北京"), {"7=2000"});
    QSignalSpy search(view, &ConditionView::doSearch);
    typeNameAndSearch(QStringLiteral("花园"));
    kwdChooseHA* chooser = view->chooser();
    QTRY_VERIFY(chooser->isVisible());

    QListWidget* list = chooser->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(chooser->isHidden());
    QCOMPARE(search.count(), 1);
    QCOMPARE(record.field(kwdFinder::Mode), QStringLiteral("103"));
    QCOMPARE(record.field(kwdFinder::HaId), QStringLiteral("11"));
    QCOMPARE(record.field(kwdFinder::HaName), QStringLiteral("望京花园"));
    QCOMPARE(record.field(kwdFinder::PlaceRange), QStringLiteral("2000"));
    QCOMPARE(w<QLineEdit>("editPlaceName")->text(), QStringLiteral("望京花园"));
    QCOMPARE(server.requestCount(), 1);

    // The same name again searches at once.
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(search.count(), 2);
    QCOMPARE(view->lookupRequestId(), 0);
    QCOMPARE(server.requestCount(), 1);
}

void TestConditionRequests::staleLookupIgnored()
{
    load(QStringLiteral("北京"), {});
    // The first lookup is answered late, after the second one.
    server.setResponse(QStringLiteral("/webservice/kwdhalist.html"),
                       reply(haList({{"1", "Old", "a", "b"}, {"2", "Older", "a", "b"}}), 200, 400));
    QSignalSpy arrived(&server, &kwdTestHttpServer::requestReceived);
    typeNameAndSearch(QStringLiteral("old"));
    const int first = view->lookupRequestId();
    QVERIFY(first != 0);
    QVERIFY(arrived.wait(3000));

    server.setResponse(QStringLiteral("/webservice/kwdhalist.html"), reply(haList({{"3", "New", "a", "b"}})));
    typeNameAndSearch(QStringLiteral("new"));
    const int second = view->lookupRequestId();
    QVERIFY(second > first);
    QTRY_COMPARE(view->lookupRequestId(), 0);
    QCOMPARE(view->chooser()->count(), 1);
    QVERIFY(view->chooser()->isVisible());

    // The late answer is dropped unseen, and its record is freed.
    QTRY_VERIFY(!holder->request(first));
    QCOMPARE(view->chooser()->count(), 1);
    QCOMPARE(view->chooser()->list()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("New(3)"));
    QVERIFY(messages.isEmpty());
    QCOMPARE(server.requestCount(), 2);
}

KWD_TEST_MAIN(TestConditionRequests)
#include "tst_conditionrequests.moc"

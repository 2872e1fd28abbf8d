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
    void districts_data();
    void districts();
    void lookup_data();
    void lookup();
    void lateLookupIgnored();

private:
    void load(const QString& city, const QString& range = QString());
    void lookUp(const QString& name);
    template <typename T> T* w(const char* name) const { return view->findChild<T*>(QLatin1String(name)); }

    kwdTestHttpServer server;
    qvmHttpHolder* holder = nullptr;
    QWidget* host = nullptr;
    kwdShowWait* wait = nullptr;
    ConditionView* view = nullptr;
    kwdFinder record;
    QStringList messages; // "title: text"
};

namespace {

const QString districtPath = QStringLiteral("/webservice/kwdcity.html");
const QString lookupPath = QStringLiteral("/webservice/kwdhalist.html");
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

// Entries of "id|name|address|district;..."
QByteArray haList(const QString& entries, const QByteArray& type = "ha")
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><resultlist type=\"" + type + "\">";
    for (const QString& e : entries.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = e.split(QLatin1Char('|'));
        xml += "<ha><id> " + f.at(0).toUtf8() + " </id><name>" + f.at(1).toUtf8() + "</name><address>" +
               f.at(2).toUtf8() + "</address><district>" + f.at(3).toUtf8() + "</district></ha>";
    }
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
    kwdMessage::setHook(
        [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    kwdStore* store = kwdStore::instance();
    store->cities.insert("北京", {{"北京", "bj"}});
    store->cities.insert("上海", {{"上海", "sh"}});
    store->currentFinder = new kwdFinder(QStringLiteral("default"), 2);
    store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
    store->finders.append(store->currentFinder);
}

void TestConditionRequests::init()
{
    messages.clear();
    server.clearRequests();
    kwdStore::instance()->cityInfo.clear();
    host = new QWidget;
    host->resize(360, 640);
    wait = new kwdShowWait(host);
    auto* area = new qvmSetCondition(host);
    area->setGeometry(0, 0, 360, 640);
    view = area->view();
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));
}

void TestConditionRequests::cleanup()
{
    delete host;
}

void TestConditionRequests::load(const QString& city, const QString& range)
{
    record = kwdFinder(QStringLiteral("edited"), 2);
    record.setField(kwdFinder::City, city);
    record.setField(kwdFinder::Mode, QStringLiteral("101"));
    record.setField(kwdFinder::PlaceRange, range);
    view->setCondition(&record);
}

void TestConditionRequests::lookUp(const QString& name)
{
    w<qvmWidgetSegement>("segAreaType")->setValue(1);
    w<QLineEdit>("editPlaceName")->setText(name);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
}

void TestConditionRequests::districts_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");   // a failure's title; empty: none
    QTest::addColumn<QString>("districts"); // as listed after the reply; empty: none

    QTest::newRow("current search's city") << "北京" << 200 << cityInfoXml << ""
                                           << "朝阳 海淀";
    // A form editing another record (the push conditions) asks for that record's city.
    QTest::newRow("another record's city") << "上海" << 200 << cityInfoXml << ""
                                           << "朝阳 海淀";
    QTest::newRow("not found") << "北京" << 404 << QByteArray("gone") << "error"
                               << "";
    QTest::newRow("unreadable document") << "北京" << 200 << QByteArray("<areas><area jm=") << ""
                                         << "";
    // Must not ask again by itself, over and over.
    QTest::newRow("document without districts") << "北京" << 200 << QByteArray("<city><areas/></city>") << ""
                                                << "";
}

void TestConditionRequests::districts()
{
    QFETCH(QString, city);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    QFETCH(QString, districts);

    server.setResponse(districtPath, reply(body, status, 150));
    load(city);
    const QString code = kwdStore::instance()->cityCode(city);
    QComboBox* combo = w<QComboBox>("cboDistrict");
    view->onDistrictPopup(1); // only the "UnSpecified" entry asks
    QCOMPARE(view->districtRequestId(), 0);
    // Opening the list highlights its only entry, which asks for the districts, once.
    combo->showPopup();
    const int id = view->districtRequestId();
    QVERIFY(id != 0);
    QVERIFY(wait->isVisible());
    view->onDistrictPopup(0);
    QCOMPARE(view->districtRequestId(), id);
    QTRY_COMPARE(view->districtRequestId(), 0);
    combo->hidePopup();
    QVERIFY(!holder->request(id));
    QVERIFY(!wait->isVisible());
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.lastRequest().host, code.toLatin1() + ".kwd.test");
    QCOMPARE(messages.size(), int(!message.isEmpty()));
    if (!message.isEmpty())
        QVERIFY(messages.at(0).startsWith(message + ": ") && messages.at(0).size() > message.size() + 2);

    QStringList listed;
    for (int i = 1; i < combo->count(); ++i)
        listed << combo->itemText(i);
    QCOMPARE(listed.join(QLatin1Char(' ')), districts);
    if (districts.isEmpty()) {
        // Nothing filed and nothing retried by itself; the user may ask again.
        QVERIFY(!kwdStore::instance()->cityInfoOf(code));
        view->onDistrictPopup(0);
        QVERIFY(view->districtRequestId() > id);
        QTRY_COMPARE(view->districtRequestId(), 0);
        QCOMPARE(server.requestCount(), 2);
        return;
    }
    QCOMPARE(kwdStore::instance()->cityInfo.keys(), QStringList{code});
    view->onDistrictPopup(0); // the list is there: nothing more is sent
    QCOMPARE(view->districtRequestId(), 0);
    // The chosen district is what the search writes.
    combo->setCurrentIndex(2);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(record.buildQuery().section(QLatin1Char('&'), 0, 0), QStringLiteral("distcode=hd"));
}

void TestConditionRequests::lookup_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("entries"); // display text|data;...
    QTest::addColumn<QString>("message");

    QTest::newRow("two usable entries")
        << 200 << haList("11|望京花园|望京路1号|朝阳;|NoId|a|b;12||a|b;13|Garden|Road 2|Haidian")
        << "望京花园 (朝阳 望京路1号)|望京花园(11);Garden (Haidian Road 2)|Garden(13)"
        << "";
    const char* none = "info: No relate HA Found";
    QTest::newRow("nothing found") << 200 << haList("") << "" << none;
    QTest::newRow("another kind of list") << 200 << haList("1|A|B|C", "forsale") << "" << none;
    QTest::newRow("unreadable") << 200 << QByteArray("<resultlist type=\"ha\"><ha>") << "" << none;
    QTest::newRow("server error") << 500 << QByteArray("oops") << ""
                                  << "Error: Failed to get ha list";
}

void TestConditionRequests::lookup()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, entries);
    QFETCH(QString, message);

    server.setResponse(lookupPath, reply(body, status));
    load(QStringLiteral("北京"), QStringLiteral("2000"));
    const kwdFinder before = record;
    QSignalSpy search(view, &ConditionView::doSearch);
    // The name goes out trimmed and escaped.
    const QString name = QStringLiteral("A&B=C 花园#1+2%");
    lookUp(QStringLiteral("  ") + name + QStringLiteral(" "));
    const int id = view->lookupRequestId();
    QVERIFY(id != 0);
    QTRY_COMPARE(view->lookupRequestId(), 0);
    QVERIFY(!holder->request(id));
    const kwdTestHttpServer::Request request = server.lastRequest();
    QCOMPARE(request.host + request.path, QByteArray("bj.kwd.test") + lookupPath.toLatin1());
    const QUrlQuery query(QString::fromLatin1(request.query));
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("keyword"), QUrl::FullyDecoded), name);

    kwdChooseHA* chooser = view->chooser();
    QListWidget* list = chooser->list();
    QStringList shown;
    for (int i = 0; i < chooser->count(); ++i)
        shown << list->item(i)->text() + '|' + list->item(i)->data(Qt::UserRole).toString();
    QCOMPARE(shown.join(QLatin1Char(';')), entries);
    QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(search.count(), 0);
    QVERIFY(record == before);
    QCOMPARE(chooser->isVisible(), !entries.isEmpty());
    if (entries.isEmpty())
        return;

    // Over the lower three quarters of the form, one pixel in from the sides.
    const int h = view->height() * 3 / 4;
    QCOMPARE(chooser->geometry(), QRect(1, view->height() - h - 2, view->width() - 2, h));
    QVERIFY(host->grab().toImage().save(kwdTestEnvironment::outputDir("search") +
                                        QStringLiteral("/chooser.png")));
    // Choosing searches that housing area, keeping the range.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(chooser->isHidden());
    QCOMPARE(search.count(), 1);
    QCOMPARE(record.field(kwdFinder::Mode) + record.field(kwdFinder::HaId) + record.field(kwdFinder::HaName) +
                 record.field(kwdFinder::PlaceRange),
             QStringLiteral("10311望京花园2000"));
    QCOMPARE(w<QLineEdit>("editPlaceName")->text(), QStringLiteral("望京花园"));
    // The same name again searches at once.
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(search.count(), 2);
    QCOMPARE(server.requestCount(), 1);
}

void TestConditionRequests::lateLookupIgnored()
{
    load(QStringLiteral("北京"));
    // The first lookup is answered late, after the second one.
    server.setResponse(lookupPath, reply(haList("1|Old|a|b;2|Older|a|b"), 200, 400));
    QSignalSpy arrived(&server, &kwdTestHttpServer::requestReceived);
    lookUp(QStringLiteral("old"));
    const int first = view->lookupRequestId();
    QVERIFY(arrived.wait(3000));
    server.setResponse(lookupPath, reply(haList("3|New|a|b")));
    lookUp(QStringLiteral("new"));
    QVERIFY(view->lookupRequestId() > first);
    QTRY_COMPARE(view->lookupRequestId(), 0);
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

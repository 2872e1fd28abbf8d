#include "conditionview.h"
#include "kwdchooseha.h"
#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdnewhousecondition.h"
#include "kwdreleasehouse.h"
#include "kwdshowwait.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "kwdtesttable.h"
#include "kwdtheme.h"
#include "qvmhttpholder.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsegement.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDataStream>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkProxy>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QString districtPath = QStringLiteral("/webservice/kwdcity.html");
const QString lookupPath = QStringLiteral("/webservice/kwdhalist.html");
const QByteArray cityInfoXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><city>"
                               "<areas><area jm=\"cy\">朝阳</area><area jm=\"hd\">海淀</area></areas>"
                               "<saleprice><price val=\"1\">1万</price></saleprice>"
                               "<totalprice><price val=\"2\">2万</price></totalprice>"
                               "<leaseprice><price val=\"3\">3千</price></leaseprice></city>";

// "name=value;name=value", the form the tables below write widgets and record fields in.
QList<QPair<QString, QString>> pairs(const QString& text)
{
    QList<QPair<QString, QString>> out;
    for (const QString& p : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.append({p.section(QLatin1Char('='), 0, 0), p.section(QLatin1Char('='), 1)});
    return out;
}

// Edits take text, combo boxes an index, check boxes 0 or 1.
void enter(QObject* o, const QString& value)
{
    QVERIFY(o);
    if (auto* s = qobject_cast<qvmWidgetSegement*>(o))
        return s->setValue(value.toInt());
    QVERIFY(o->setProperty(qobject_cast<QLineEdit*>(o) ? "text"
                           : o->inherits("QComboBox")  ? "currentIndex"
                                                       : "checked",
                           value));
}

kwdTestHttpServer::Response reply(const QByteArray& body, int status = 200, int delayMs = 0)
{
    kwdTestHttpServer::Response r{status, body, "text/xml; charset=utf-8", {}};
    r.delayMs = delayMs;
    return r;
}

// Entries of "id|name|address|district;..."
QByteArray haList(const QString& entries, const QByteArray& type = "ha")
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><resultlist type=\"" + type + "\">";
    for (const QString& e : entries.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = e.split(QLatin1Char('|'));
        xml += QString("<ha><id> %1 </id><name>%2</name><address>%3</address><district>%4</district></ha>")
                   .arg(f[0], f[1], f[2], f[3])
                   .toUtf8();
    }
    return xml + "</resultlist>";
}

// Beijing with one district, and one whose code needs escaping.
void queryCity()
{
    kwdStore::instance()->cityInfo = {{"bj", {{{"朝阳", "cy"}, {"坏区", "x&y=1"}}, {}, {}, {}}}};
}

kwdFinder makeFinder(int category, const QStringList& fields)
{
    kwdFinder f(QStringLiteral("default"), category);
    for (const QString& pair : fields)
        f.setField(pair.section(QLatin1Char('='), 0, 0).toInt(), pair.section(QLatin1Char('='), 1));
    return f;
}

QString withSn(const QString& pairs)
{
    const QString sn = QStringLiteral("sn=") + kwdDevice::id();
    return pairs.isEmpty() ? sn : pairs + QLatin1Char('&') + sn;
}

} // namespace

// The condition form: show and hide, validation, number inputs, writing the record, the housing-area
// choice, and its district and lookup requests against a loopback server that stands in for the city
// hosts; the list query string built from a search record, and the record's stream form.
class TestConditionView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { delete host; }
    void initTestCase()
    {
        QVERIFY(server.listenAsProxy());
        holder = new qvmHttpHolder(this);
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
        kwdStore::instance()->cities = {{"北京", {{"北京", "bj"}}}, {"上海", {{"上海", "sh"}}}};
    }

    void init()
    {
        messages.clear();
        server.clearRequests();
        kwdStore::instance()->cityInfo = {{"bj", {{{"朝阳", "cy"}, {"海淀", "hd"}}, {}, {}, {}}}};
        host = new QWidget;
        host->resize(360, 640);
        wait = new kwdShowWait(host);
        auto* area = new qvmSetCondition(host);
        area->setGeometry(0, 0, 360, 640);
        view = area->view();
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
    }

    void showHideAndRender_data()
    {
        kwdColumns<int, QString>("category", "mode");
        // Area frame, then type, price, area, rooms, shared rent, floor, source; the price caption.
        QTest::addColumn<QString>("shown");

        kwdRow("housing areas", 1, "101", "11100000 Price:yuan/m2");
        kwdRow("sale", 2, "101", "11111011 Total:(wan yuan)");
        kwdRow("lease", 3, "103", "11111111 Price:(yuan/yue)");
        kwdRow("agencies", 4, "101", "10000000");
        kwdRow("around me", 2, "102", "01111011 Total:(wan yuan)");
    }

    void showHideAndRender()
    {
        QFETCH(int, category);
        QFETCH(QString, mode);
        const char* const containers[] = {"frame_Area",  "wg_HouseType", "wg_Price", "wg_AreaSize",
                                          "wg_RoomType", "wg_ShareRent", "wg_Floor", "wg_Origin"};
        // A lease form first, so every container starts visible and must really be hidden.
        load(3, {});
        load(category, "8=" + mode);
        QString actual;
        for (const char* name : containers)
            actual += w<QWidget>(name)->isVisibleTo(view) ? QLatin1Char('1') : QLatin1Char('0');
        if (w<QWidget>("wg_Price")->isVisibleTo(view))
            actual += ' ' + w<QLabel>("lblPrice")->text() + w<QLabel>("lblPriceUnit")->text();
        QTEST(actual, "shown");
    }

    void search_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>(
            "fields"); // loaded on top of "keep" in fields 2, 7, 9, 10, 20, 21 and "5-9" in 11 to 14
        // input: widget=value, combo boxes by index
        // written: field=value; "=": the fields; "!error": refused, untouched
        kwdColumns<QString, QString>("input", "written");

        kwdRow("sale", 2, "",
               "cboDistrict=2;cboHouseType=1;editprice1=100;editprice2=200;editarea1=50;editarea2=;"
               "cboRoomType=5;cboFloor=8;cboOrigin=1;editSearch=  big garden ;cboSort=7",
               "8=101;2=海淀;10=11;12=100-200;14=50-;15=5;16=0;18=8;19=1;17=big garden;21=9;"
               "9=keep;11=5-9;13=5-9;20=keep");
        kwdRow("lease, nothing chosen", 3, "",
               "cboDistrict=0;cboHouseType=0;editprice1=;editprice2=;editarea1=0;editarea2=0;cboRoomType=0;"
               "cboFloor=0;cboOrigin=0;editSearch=;cboSort=0;chkShareRent=1",
               "8=101;2=;10=;13=;14=;15=0;16=1;18=;19=;17=;21=;12=5-9");
        kwdRow("lease, sort shifts by one", 3, "", "cboSort=1;editprice1=0;editprice2=800", "21=2;13=0-800");
        kwdRow("housing areas", 1, "", "cboHouseType=11;cboSort=1;editprice1=3000;editprice2=",
               "9=ot;20=p1;11=3000-;14=5-9;10=keep;21=keep;12=5-9");
        kwdRow("agencies", 4, "", "editprice1=5;editSearch=co",
               "17=co;10=;11=5-9;12=5-9;13=5-9;14=5-9;20=keep;21=keep");
        kwdRow("by housing area, fixed range", 2, "5=77;6=花园",
               "segAreaType=1;editPlaceName=花园;chkOnlyPlace=0;segPlaceRange=2",
               "8=103;7=5000;5=77;6=花园;2=keep");
        kwdRow("by housing area, only this one", 2, "5=77;6=花园",
               "segAreaType=1;editPlaceName= 花园 ;chkOnlyPlace=1", "8=103;7=;5=77");
        kwdRow("around me", 2, "8=102;2=朝阳", "editSearch=school", "8=102;2=朝阳;17=school");
        // What the form loads it writes back (an empty low price as 0); an unreadable range is dropped.
        kwdRow("sale, loaded", 2, "2=海淀;10=21;12=100-200;14=50-;15=4;17=garden;18=8;19=2;21=9", "", "=");
        kwdRow("housing areas, loaded", 1, "9=ot;11=3000-;20=p2;8=103;5=77;6=花园;7=", "", "=");
        kwdRow("lease, loaded", 3, "8=103;5=77;6=花园;13=-800;16=1;21=3;7=2000", "",
               "8=103;5=77;6=花园;13=0-800;16=1;21=3;7=2000");
        kwdRow("unreadable range", 2, "12=1-2-3;14=7", "", "12=;14=7-");
        kwdRow("equal prices", 2, "", "editprice1=300;editprice2=300", "12=300-300");
        kwdRow("empty name", 2, "8=103;5=77;6=花园;7=", "editPlaceName=   ", "!Input a Ha Name please");
        for (const char* input : {"editprice1=200;editprice2=100", "editprice1=-1;editprice2=",
                                  "editprice1=;editprice2=-5", "editarea1=90;editarea2=50", "editarea1=-3"})
            kwdRow(input, 2, "", input,
                   QString(input).startsWith("editprice") ? "!Not a valid Price" : "!Not a valid Area");
    }

    void search()
    {
        QFETCH(QString, fields);
        QFETCH(QString, written);

        load(kwdData<int>("category"),
             "2=keep;7=keep;9=keep;10=keep;11=5-9;12=5-9;13=5-9;14=5-9;20=keep;21=keep;" + fields);
        const kwdFinder before = record;
        for (const auto& [name, value] : pairs(kwdData<QString>("input")))
            enter(view->findChild<QObject*>(name), value);
        QSignalSpy search(view, &ConditionView::doSearch);
        clickSearch();
        const bool refused = written.startsWith(QLatin1Char('!'));
        QCOMPARE(messages, refused ? QStringList{"Error: " + written.mid(1)} : QStringList());
        QCOMPARE(search.count(), int(!refused));
        QVERIFY(!refused || record == before);
        for (const auto& [key, value] : pairs(refused ? QString() : written == "=" ? fields : written))
            QCOMPARE(key + '=' + record.field(key.toInt()), key + '=' + value);
    }

    void numberInputs_data()
    {
        // typed: ASCII as keys, the rest committed by an input method, "paste:" pasted; other: set
        // beforehand; result (the condition form's search): the field written, or "!message" refused
        // with the input marked and focused.
        kwdColumns<QString, QString, QString, QString, QString>("edit", "typed", "shown", "other", "result");
        kwdRow("letters", "editprice1", "abc", "", "", "12=");
        kwdRow("letter after digits", "editprice2", "12x", "12", "", "12=0-12");
        kwdRow("full-width", "editprice1", "１２０", "120", "editprice2=300", "12=120-300");
        kwdRow("pasted", "editarea1", "paste:５0", "50", "", "14=50-");
        kwdRow("pasted letters", "editprice2", "paste:8a", "", "", "12=");
        kwdRow("beyond a number", "editarea2", "99999999999", "99999999999", "", "!Not a valid Area");
        kwdRow("stored letters", "editarea1", "", "5x", "editarea1=5x", "!Not a valid Area");
        // The push and publication forms' inputs take the same (a listing's price and area a point too).
        kwdRow("push letters", "push:pricestart", "5a0", "50", "", "");
        kwdRow("push full-width", "push:areaend", "１２０", "120", "", "");
        kwdRow("release price", "release:value", "12万5", "125", "", "");
        kwdRow("release area points", "release:area", "89..5", "89.5", "", "");
        kwdRow("release full-width", "release:area", "８９．５", "89.5", "", "");
        kwdRow("release rooms", "release:room", "3.间", "3", "", "");
    }

    void numberInputs()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        load(2, {});
        QScopedPointer<QWidget> form;
        if (edit.startsWith("push:"))
            form.reset(new kwdNewHouseCondition);
        else if (edit.startsWith("release:"))
            form.reset(new kwdReleaseHouse);
        QWidget* page = form ? form.data() : host;
        page->show();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page));
        auto* input = page->findChild<QLineEdit*>(edit.section(QLatin1Char(':'), -1));
        input->clear();
        const QString other = kwdData<QString>("other");
        if (!other.isEmpty())
            page->findChild<QLineEdit*>(other.section('=', 0, 0))->setText(other.section('=', 1));
        if (typed.startsWith("paste:")) {
            QGuiApplication::clipboard()->setText(typed.mid(6));
            input->paste();
        }
        for (QChar c : typed.startsWith("paste:") ? QString() : typed) {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            if (c.unicode() < 0x80)
                QTest::keyClick(input, c.toLatin1());
            else
                QCoreApplication::sendEvent(input, &commit);
        }
        QTEST(input->text(), "shown");
        if (form)
            return;
        QSignalSpy search(view, &ConditionView::doSearch);
        clickSearch();
        const bool refused = result.startsWith('!');
        QCOMPARE(search.count(), int(!refused));
        QCOMPARE(messages, refused ? QStringList{"Error: " + result.mid(1)} : QStringList());
        if (refused) {
            QVERIFY(!input->styleSheet().isEmpty());
            QTRY_VERIFY(input->hasFocus());
        } else {
            QCOMPARE(result.section('=', 0, 0) + '=' + record.field(result.section('=', 0, 0).toInt()),
                     result);
        }
    }

    void chooseHousingArea_data()
    {
        // text: as the lookup shows it: name (district address)
        // data: name(id)
        // written: "id:name"; empty: nothing happens
        kwdColumns<QString, QString, QString>("text", "data", "written");

        kwdRow("name with district and address", "望京花园 (朝阳 望京路1号)", "望京花园(1234)",
               "1234:望京花园");
        kwdRow("no bracket", "  Garden  ", "Garden(1)", "1:Garden");
        kwdRow("bracket first", "(x) Garden", "Garden(1)", "1:(x) Garden");
        kwdRow("last brackets hold the id", "A", "A(b)(99)", "99:A");
        kwdRow("cancel", "A (b c)", "A(1)", "");
    }

    void chooseHousingArea()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);

        load(2, "5=old;6=old");
        w<qvmWidgetSegement>("segAreaType")->setValue(1);
        kwdChooseHA* chooser = view->chooser();
        chooser->addEntry(QStringLiteral("other"), QStringLiteral("other(0)"));
        chooser->addEntry(text, kwdData<QString>("data"));
        chooser->show();
        QSignalSpy search(view, &ConditionView::doSearch);
        QListWidget* list = chooser->list();
        const bool cancel = QTest::currentDataTag() == QByteArray("cancel");
        QWidget* target = cancel ? chooser->findChild<QWidget*>("btnCancelChoose") : list->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {},
                          cancel ? target->rect().center() : list->visualItemRect(list->item(1)).center());
        QVERIFY(chooser->isHidden());
        QCOMPARE(search.count(), int(!written.isEmpty()));
        QCOMPARE(record.field(kwdFinder::Mode) + ' ' + record.field(kwdFinder::HaId) + ':' +
                     record.field(kwdFinder::HaName),
                 written.isEmpty() ? QStringLiteral("101 old:old") : "103 " + written);
        if (!written.isEmpty())
            QCOMPARE(w<QLineEdit>("editPlaceName")->text(), written.section(QLatin1Char(':'), 1));
    }

    void districts_data()
    {
        // districts: as listed after the reply (failures: the fault table)
        kwdColumns<QString, QByteArray, QString>("city", "body", "districts");

        kwdRow("current search's city", QString("北京"), cityInfoXml, QString("朝阳 海淀"));
        // A form editing another record (the push conditions) asks for that record's city.
        kwdRow("another record's city", QString("上海"), cityInfoXml, QString("朝阳 海淀"));
        // Must not ask again by itself, over and over.
        kwdRow("document without districts", "北京", QByteArray("<city><areas/></city>"), "");
    }

    void districts()
    {
        QFETCH(QString, city);
        QFETCH(QString, districts);

        kwdStore* store = kwdStore::instance();
        store->cityInfo.clear();
        server.setResponse(districtPath, reply(kwdData<QByteArray>("body"), 200, 150));
        load(2, "1=" + city);
        const QString code = store->cityCode(city);
        QComboBox* combo = w<QComboBox>("cboDistrict");
        // Opening the list highlights its only entry, which asks for the districts, once.
        combo->showPopup();
        const int id = view->districtRequestId();
        QVERIFY(id != 0 && wait->isVisible());
        view->onDistrictPopup(0);
        QCOMPARE(view->districtRequestId(), id);
        QTRY_COMPARE(view->districtRequestId(), 0);
        combo->hidePopup();
        QVERIFY(!holder->request(id) && !wait->isVisible());
        QCOMPARE(server.requestCount(), 1);
        QCOMPARE(server.lastRequest().host, code.toLatin1() + ".kwd.test");
        QVERIFY(messages.isEmpty());
        QStringList listed;
        for (int i = 1; i < combo->count(); ++i)
            listed << combo->itemText(i);
        QCOMPARE(listed.join(QLatin1Char(' ')), districts);
        if (listed.isEmpty()) {
            // Nothing filed and nothing retried by itself; the user may ask again.
            QVERIFY(!store->cityInfoOf(code));
            view->onDistrictPopup(0);
            QVERIFY(view->districtRequestId() > id);
            QTRY_COMPARE(view->districtRequestId(), 0);
            QCOMPARE(server.requestCount(), 2);
            return;
        }
        QCOMPARE(store->cityInfo.keys(), QStringList{code});
        view->onDistrictPopup(0); // the list is there: nothing more is sent
        QCOMPARE(view->districtRequestId(), 0);
    }

    void lookup_data()
    {
        // shown: display text|data;...; "!message": none shown, this said
        kwdColumns<int, QByteArray, QString>("status", "body", "shown");

        kwdRow("two usable entries", 200,
               haList("11|望京花园|望京路1号|朝阳;|NoId|a|b;12||a|b;13|Garden|Road 2|Haidian"),
               QString("望京花园 (朝阳 望京路1号)|望京花园(11);Garden (Haidian Road 2)|Garden(13)"));
        kwdRow("nested record", 200,
               QByteArray(
                   "<resultlist type=\"ha\"><ha><relateha><ha><id>9</id><name>Inner</name></ha></relateha>"
                   "<id>11</id><name>Garden</name><district>Haidian</district><address>Road 2</address>"
                   "</ha></resultlist>"),
               QString("Garden (Haidian Road 2)|Garden(11)"));
        kwdRow("nothing found", 200, haList(""), "!info: No relate HA Found");
        // A reply that is no housing-area list failed; it did not find nothing.
        kwdRow("another kind of list", 200, haList("1|A|B|C", "forsale"), "!Error: Failed to get ha list");
    }

    void lookup()
    {
        QFETCH(QString, shown);

        server.setResponse(lookupPath, reply(kwdData<QByteArray>("body"), kwdData<int>("status")));
        load(2, "7=2000");
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
        QCOMPARE(query.queryItemValue(QStringLiteral("keyword"), QUrl::FullyDecoded), name);

        kwdChooseHA* chooser = view->chooser();
        QListWidget* list = chooser->list();
        QStringList entries;
        for (int i = 0; i < chooser->count(); ++i)
            entries << list->item(i)->text() + '|' + list->item(i)->data(Qt::UserRole).toString();
        const bool none = shown.startsWith(QLatin1Char('!'));
        QCOMPARE(entries.join(QLatin1Char(';')), none ? QString() : shown);
        QCOMPARE(messages, none ? QStringList{shown.mid(1)} : QStringList());
        QCOMPARE(search.count(), 0);
        QVERIFY(record == before);
        QCOMPARE(chooser->isVisible(), !none);
        if (none)
            return;

        // Choosing searches that housing area, keeping the range; the same name again searches at once.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(record.field(kwdFinder::Mode) + record.field(kwdFinder::HaId) +
                     record.field(kwdFinder::PlaceRange),
                 QStringLiteral("103112000"));
        clickSearch();
        QCOMPARE(search.count(), 2);
        QCOMPARE(server.requestCount(), 1);
    }

    void lateLookupIgnored()
    {
        load(2, {});
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

        // The late answer is dropped unseen, and its record is freed.
        QTRY_VERIFY(!holder->request(first));
        QCOMPARE(view->chooser()->count(), 1);
        QCOMPARE(view->chooser()->list()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("New(3)"));
        QVERIFY(messages.isEmpty());
        QCOMPARE(server.requestCount(), 2);
    }

    void query_data()
    {
        kwdColumns<int, QStringList, QString>("category", "fields", "expected");
        // Conditions that narrow the list (what the list page counts and one tap clears).
        QTest::addColumn<int>("conditions");

        const QString city = QStringLiteral("1=北京");
        kwdRow("sale by district", 2, QStringList{city, "8=101", QStringLiteral("2=朝阳")}, "distcode=cy", 1);
        kwdRow("unknown district", 2, QStringList{city, "8=101", QStringLiteral("2=海淀")}, "", 0);
        kwdRow("unknown city", 2, QStringList{"1=x", "8=101", QStringLiteral("2=朝阳")}, "", 0);
        kwdRow("unknown mode", 2, QStringList{city, "8=999", QStringLiteral("2=朝阳")}, "", 0);
        kwdRow("lease example", 3, QStringList{city, "8=101", "15=2", "16=1", "13=1000-2000", "21=2"},
               "br=2&leasecode=1&price1=1000&price2=2000&ob=2", 3);
        kwdRow("open upper price", 2, QStringList{"12=500-"}, "price1=500&price2=", 1);
        kwdRow("equal price bounds", 2, QStringList{"12=500-500"}, "", 0);
        kwdRow("empty low price", 2, QStringList{"12=-800"}, "price1=0&price2=800", 1);
        kwdRow("lease price field", 3, QStringList{"12=1-2", "13=3-4"}, "price1=3&price2=4", 1);
        kwdRow("top floor", 2, QStringList{"18=8"}, "f1=8&f2=", 1);
        kwdRow("third floor", 3, QStringList{"18=3"}, "f1=3&f2=3", 1);
        kwdRow("villa", 2, QStringList{"15=5"}, "bldgcode=21", 1);
        kwdRow("shared rent off", 3, QStringList{"16=0"}, "", 0);
        kwdRow("developer source", 3, QStringList{"19=3"}, "offer=2", 1);

        const QStringList all{city,    "8=103",        "5=777",      "7=2000",   "17=garden", "9=pa",
                              "10=11", "11=3000-5000", "12=100-200", "13=10-20", "14=50-90",  "15=3",
                              "16=1",  "18=8",         "19=1",       "20=p1",    "21=9"};
        kwdRow("housing areas", 1, all,
               "location=777|2000&keyword=garden&haclcode=pa&price1=3000&price2=5000&ob=p1", 3);
        kwdRow("sale, every pair in order", 2, all,
               "location=777|2000&keyword=garden&proptype=11&br=3&bldgarea1=50&bldgarea2=90"
               "&price1=100&price2=200&f1=8&f2=&offer=0&ob=9",
               7);
        kwdRow("agencies", 4, all, "location=777|2000&keyword=garden", 1);
        kwdRow("only this housing area", 2, QStringList{"8=103", "5=777", "7="}, "ha=777", 0);
        kwdRow("housing area without id", 2, QStringList{"8=103", "7=1000"}, "", 0);

        // Separators in user or server text must not start new pairs.
        kwdRow("keyword escaped", 2, QStringList{"17=a&b=c#d+e%f"}, "keyword=a%26b%3Dc%23d%2Be%25f", 1);
        kwdRow("keyword text kept", 2, QStringList{QStringLiteral("17=朝阳 公园/东")},
               QStringLiteral("keyword=朝阳 公园/东"), 1);
        kwdRow("housing area id escaped", 2, QStringList{"8=103", "5=1&sn=evil"}, "ha=1%26sn%3Devil", 0);
        kwdRow("location id escaped", 1, QStringList{"8=103", "5=9#1", "7=5000"}, "location=9%231|5000", 0);
        kwdRow("district code escaped", 2, QStringList{city, "8=101", QStringLiteral("2=坏区")},
               "distcode=x%26y%3D1", 1);
    }

    void query()
    {
        QFETCH(QString, expected);
        queryCity();
        kwdFinder finder = makeFinder(kwdData<int>("category"), kwdData<QStringList>("fields"));
        QCOMPARE(finder.buildQuery(), withSn(expected));
        QTEST(finder.activeConditions(), "conditions");
        // Cleared, the record keeps its place, housing area and sort, and narrows nothing.
        finder.clearConditions();
        QCOMPARE(finder.activeConditions(), 0);
        for (const char* kept : {"location=", "ha=", "ob="})
            QCOMPARE(finder.buildQuery().contains(kept), expected.contains(kept));
    }

    void aroundMe_data()
    {
        kwdColumns<bool, bool, QString, QString>("haveSource", "hasPosition", "radius", "expected");

        kwdRow("with position", true, true, "1000", "location=116.397128|39.916527|1000");
        kwdRow("no position source", false, false, "1000", "");
        kwdRow("no fix yet", true, false, "1000", "");
        kwdRow("zero radius", true, true, "0", "");
    }

    void aroundMe()
    {
        QFETCH(bool, hasPosition);
        QFETCH(QString, expected);

        QScopedPointer<kwdLocation> source;
        if (kwdData<bool>("haveSource")) {
            source.reset(new kwdLocation);
            source->longitude = 116.397128;
            source->latitude = 39.916527;
            source->hasPosition = hasPosition;
        }
        kwdFinder f = makeFinder(
            2, {"8=102", "4=" + kwdData<QString>("radius"), "22=old-lat", "23=old-lon", "2=ignored"});
        QCOMPARE(f.buildQuery(), withSn(expected));
        // The position sent is remembered with eight decimals; without one the old stays.
        const bool sent = !expected.isEmpty();
        QCOMPARE(f.field(kwdFinder::Latitude),
                 sent ? QStringLiteral("39.91652700") : QStringLiteral("old-lat"));
        QCOMPARE(f.field(kwdFinder::Longitude),
                 sent ? QStringLiteral("116.39712800") : QStringLiteral("old-lon"));
    }

    void stream()
    {
        // Layout written by hand: name, category, count, then key and value pairs.
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << QStringLiteral("push") << qint32(3) << qint32(2) << qint32(1) << QStringLiteral("上海")
                << qint32(24) << QStringLiteral("1");
        }
        kwdFinder f = makeFinder(2, {"17=old"});
        QDataStream in(bytes);
        QVERIFY(f.read(in));
        QCOMPARE(f.name, QStringLiteral("push"));
        QCOMPARE(f.fields, (QMap<int, QString>{{1, QStringLiteral("上海")}, {24, QStringLiteral("1")}}));
        QCOMPARE(f.category, 3);
        QByteArray written;
        {
            QDataStream out(&written, QIODevice::WriteOnly);
            f.write(out);
        }
        QCOMPARE(written, bytes);

        // A stream that runs dry leaves the record as it was.
        QDataStream shortIn(bytes.left(bytes.size() - 3));
        kwdFinder g = makeFinder(2, {"17=keep"});
        QVERIFY(!g.read(shortIn));
        QCOMPARE(g.field(kwdFinder::Keyword), QStringLiteral("keep"));
    }

private:
    void load(int category, const QString& fields)
    {
        record = kwdFinder(QStringLiteral("default"), category);
        for (const auto& [key, value] : pairs("0=北京;1=北京;8=101;" + fields))
            record.setField(key.toInt(), value);
        view->setCondition(&record);
    }

    void lookUp(const QString& name)
    {
        w<qvmWidgetSegement>("segAreaType")->setValue(1);
        w<QLineEdit>("editPlaceName")->setText(name);
        clickSearch();
    }
    template <typename T> T* w(const char* name) const { return view->findChild<T*>(QLatin1String(name)); }
    void clickSearch() { QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton); }

    kwdTestHttpServer server;
    qvmHttpHolder* holder = nullptr;
    QWidget* host = nullptr;
    kwdShowWait* wait = nullptr;
    ConditionView* view = nullptr;
    kwdFinder record;
    QStringList messages; // "title: text"
};

KWD_TEST_MAIN(TestConditionView)
#include "tst_conditionview.moc"

#include "conditionview.h"
#include "kwdbytelayout.h"
#include "kwdchooseha.h"
#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdreleasehouse.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "kwdtesttable.h"
#include "qvmhttpholder.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsegement.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDataStream>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
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

// Typed into an emptied input: ASCII as keys, the rest committed by an input method.
void typeInto(QLineEdit* input, const QString& keys)
{
    input->clear();
    for (QChar c : keys) {
        QInputMethodEvent commit;
        commit.setCommitString(c);
        if (c.unicode() < 0x80)
            QTest::keyClick(input, c.toLatin1());
        else
            QCoreApplication::sendEvent(input, &commit);
    }
}

// Edits take text ("type:" typed, "paste:" pasted into it emptied), combo boxes an index, check boxes 0
// or 1.
void enter(QObject* o, const QString& value)
{
    QVERIFY(o);
    auto* edit = qobject_cast<QLineEdit*>(o);
    if (auto* s = qobject_cast<qvmWidgetSegement*>(o))
        return s->setValue(value.toInt());
    if (edit && value.startsWith("type:"))
        return typeInto(edit, value.mid(5));
    if (edit && value.startsWith("paste:")) {
        edit->clear();
        QGuiApplication::clipboard()->setText(value.mid(6));
        return edit->paste();
    }
    QVERIFY(o->setProperty(edit ? "text" : o->inherits("QComboBox") ? "currentIndex" : "checked", value));
}

kwdTestHttpServer::Response reply(const QByteArray& body, int delayMs = 0)
{
    return {200, body, "text/xml; charset=utf-8", {}, kwdTestHttpServer::ContentLength, delayMs};
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

kwdFinder makeFinder(int category, const QString& fields)
{
    kwdFinder f(QStringLiteral("default"), category);
    for (const auto& [key, value] : pairs(fields))
        f.setField(key.toInt(), value);
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
        host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host));
    }

    void search_data()
    {
        // fields: loaded on top of "keep" in fields 2, 7, 9, 10, 20, 21 and "5-9" in 11 to 14
        // input: widget=value, combo boxes by index
        // written: field=value, "shown=" the containers shown (see shown()); "=": the fields; "!error":
        // refused, the record untouched
        kwdColumns<int, QString, QString, QString>("category", "fields", "input", "written");

        kwdRow("sale", 2, "",
               "cboDistrict=2;cboHouseType=1;editprice1=100;editprice2=200;editarea1=50;editarea2=;"
               "cboRoomType=5;cboFloor=8;cboOrigin=1;editSearch=  big garden ;cboSort=7",
               "8=101;2=海淀;10=11;12=100-200;14=50-;15=5;16=0;18=8;19=1;17=big garden;21=9;"
               "9=keep;11=5-9;13=5-9;20=keep;shown=11111011");
        kwdRow("lease, nothing chosen", 3, "",
               "cboDistrict=0;cboHouseType=0;editprice1=;editprice2=;editarea1=0;editarea2=0;cboRoomType=0;"
               "cboFloor=0;cboOrigin=0;editSearch=;cboSort=0;chkShareRent=1",
               "8=101;2=;10=;13=;14=;15=0;16=1;18=;19=;17=;21=;12=5-9;shown=11111111");
        kwdRow("housing areas", 1, "", "cboHouseType=11;cboSort=1;editprice1=3000;editprice2=",
               "9=ot;20=p1;11=3000-;14=5-9;10=keep;21=keep;12=5-9;shown=11100000");
        kwdRow("agencies", 4, "", "editprice1=5;editSearch=co",
               "17=co;10=;11=5-9;12=5-9;13=5-9;14=5-9;20=keep;21=keep;shown=10000000");
        kwdRow("by housing area, fixed range", 2, "5=77;6=花园",
               "segAreaType=1;editPlaceName=花园;chkOnlyPlace=0;segPlaceRange=2",
               "8=103;7=5000;5=77;6=花园;2=keep");
        kwdRow("by housing area, only this one", 2, "5=77;6=花园",
               "segAreaType=1;editPlaceName= 花园 ;chkOnlyPlace=1", "8=103;7=;5=77");
        kwdRow("around me", 2, "8=102;2=朝阳", "editSearch=school", "8=102;2=朝阳;17=school;shown=01111011");
        // What the form loads it writes back (an empty low price as 0); an unreadable range is dropped.
        kwdRow("sale, loaded", 2, "2=海淀;10=21;12=100-200;14=50-;15=4;17=garden;18=8;19=2;21=9", "", "=");
        kwdRow("housing areas, loaded", 1, "9=ot;11=3000-;20=p2;8=103;5=77;6=花园;7=", "", "=");
        kwdRow("lease, loaded", 3, "8=103;5=77;6=花园;13=-800;16=1;21=3;7=2000", "",
               "8=103;5=77;6=花园;13=0-800;16=1;21=3;7=2000");
        kwdRow("unreadable range", 2, "12=1-2-3;14=7", "", "12=;14=7-");
        kwdRow("empty name", 2, "8=103;5=77;6=花园;7=", "editPlaceName=   ", "!Input a Ha Name please");
        for (const char* input :
             {"editprice1=200;editprice2=100", "editprice2=;editprice1=-1", "editarea1=90;editarea2=50"})
            kwdRow(input, 2, "", input,
                   QString(input).startsWith("editprice") ? "!Not a valid Price" : "!Not a valid Area");
        // Number inputs take digits only, full-width ones folded, whether typed or pasted.
        kwdRow("typed letter after digits", 2, "", "editprice1=;editprice2=type:12x", "12=0-12");
        kwdRow("pasted full-width", 2, "", "editarea2=;editarea1=paste:５0", "14=50-");
        kwdRow("typed beyond a number", 2, "", "editarea2=type:99999999999", "!Not a valid Area");
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
        if (refused) {
            QVERIFY(record == before);
            return;
        }
        for (const auto& [key, value] : pairs(written == "=" ? fields : written))
            QCOMPARE(key + '=' + (key == "shown" ? shown() : record.field(key.toInt())), key + '=' + value);
    }

    void releaseAreaInput_data()
    {
        // The publication form's area takes digits too, and one point (a full-width one folded).
        kwdColumns<QString, QString>("typed", "shown");
        kwdRow("second point", "89..5", "89.5");
        kwdRow("full-width", "８９．５", "89.5");
    }

    void releaseAreaInput()
    {
        kwdReleaseHouse form;
        form.show();
        auto* input = form.findChild<QLineEdit*>(QStringLiteral("area"));
        typeInto(input, kwdData<QString>("typed"));
        QTEST(input->text(), "shown");
    }

    void districts_data()
    {
        // districts: as listed after the reply (failures: the fault table)
        kwdColumns<QString, QByteArray, QString>("city", "body", "districts");

        // A form editing another record than the current search (the push conditions) asks for that
        // record's city.
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
        server.setResponse(districtPath, reply(kwdData<QByteArray>("body"), 150));
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
        // Nothing filed for an empty document (and nothing retried by itself: one request above).
        QCOMPARE(store->cityInfoOf(code) != nullptr, !listed.isEmpty());
        if (listed.isEmpty())
            return;
        QCOMPARE(store->cityInfo.keys(), QStringList{code});
        view->onDistrictPopup(0); // the list is there: nothing more is sent
        QCOMPARE(view->districtRequestId(), 0);
    }

    void lookup_data()
    {
        // shown: display text|data;...; "!message": none shown, this said
        // chosen: "id:name" the first entry tapped searches; empty: the chooser is cancelled
        kwdColumns<QByteArray, QString, QString>("body", "shown", "chosen");

        const QByteArray two =
            haList("11|望京花园|望京路1号|朝阳;|NoId|a|b;12||a|b;13|Garden|Road 2|Haidian");
        const QString twoShown("望京花园 (朝阳 望京路1号)|望京花园(11);Garden (Haidian Road 2)|Garden(13)");
        kwdRow("two usable entries", two, twoShown, QString("11:望京花园"));
        kwdRow("cancelled", two, twoShown, QString());
        // A housing area nested in a record is not an entry of its own.
        const QByteArray inner = "<ha><relateha><ha><id>9</id><name>Inner</name></ha></relateha><id>";
        kwdRow("nested record", haList("11|Garden|Road 2|Haidian").replace("<ha><id>", inner),
               QString("Garden (Haidian Road 2)|Garden(11)"), QString("11:Garden"));
        // The name ends at its first bracket; the id is in the last brackets.
        kwdRow("brackets in the name", haList("99|A(b)|R|D"), QString("A(b) (D R)|A(b)(99)"),
               QString("99:A"));
        kwdRow("nothing found", haList(""), QString("!info: No relate HA Found"), QString());
        // A reply that is no housing-area list failed; it did not find nothing.
        kwdRow("another kind of list", haList("1|A|B|C", "forsale"), QString("!Error: Failed to get ha list"),
               QString());
    }

    void lookup()
    {
        QFETCH(QString, shown);
        QFETCH(QString, chosen);

        server.setResponse(lookupPath, reply(kwdData<QByteArray>("body")));
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
        if (chosen.isEmpty())
            QTest::mouseClick(chooser->findChild<QWidget*>("btnCancelChoose"), Qt::LeftButton);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
        QVERIFY(chooser->isHidden());
        QCOMPARE(search.count(), int(!chosen.isEmpty()));
        QVERIFY(!chosen.isEmpty() || record == before);
        if (chosen.isEmpty())
            return;
        QCOMPARE(record.field(kwdFinder::Mode) + ' ' + record.field(kwdFinder::HaId) + ':' +
                     record.field(kwdFinder::HaName) + ' ' + record.field(kwdFinder::PlaceRange),
                 "103 " + chosen + " 2000");
        QCOMPARE(w<QLineEdit>("editPlaceName")->text(), chosen.section(QLatin1Char(':'), 1));
        clickSearch();
        QCOMPARE(search.count(), 2);
        QCOMPARE(server.requestCount(), 1);
    }

    void lateLookupIgnored()
    {
        load(2, {});
        // The first lookup is answered late, after the second one.
        server.setResponse(lookupPath, reply(haList("1|Old|a|b;2|Older|a|b"), 400));
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
        // fields: "key=value;..."
        kwdColumns<int, QString, QString>("category", "fields", "expected");
        // Conditions that narrow the list (what the list page counts and one tap clears).
        QTest::addColumn<int>("conditions");

        kwdRow("sale by district", 2, QString("1=北京;8=101;2=朝阳"), "distcode=cy", 1);
        kwdRow("unknown district", 2, QString("1=北京;8=101;2=海淀"), "", 0);
        kwdRow("unknown city", 2, QString("1=x;8=101;2=朝阳"), "", 0);
        kwdRow("unknown mode", 2, QString("1=北京;8=999;2=朝阳"), "", 0);
        kwdRow("lease example", 3, QString("1=北京;8=101;15=2;16=1;13=1000-2000;21=2"),
               "br=2&leasecode=1&price1=1000&price2=2000&ob=2", 3);
        kwdRow("open upper price", 2, "12=500-", "price1=500&price2=", 1);
        kwdRow("equal price bounds", 2, "12=500-500", "", 0);
        kwdRow("empty low price", 2, "12=-800", "price1=0&price2=800", 1);
        kwdRow("lease price field", 3, "12=1-2;13=3-4", "price1=3&price2=4", 1);
        kwdRow("top floor", 2, "18=8", "f1=8&f2=", 1);
        kwdRow("third floor", 3, "18=3", "f1=3&f2=3", 1);
        kwdRow("villa", 2, "15=5", "bldgcode=21", 1);
        kwdRow("shared rent off", 3, "16=0", "", 0);
        kwdRow("developer source", 3, "19=3", "offer=2", 1);

        const QString all("1=北京;8=103;5=777;7=2000;17=garden;9=pa;10=11;11=3000-5000;12=100-200;13=10-20;"
                          "14=50-90;15=3;16=1;18=8;19=1;20=p1;21=9");
        kwdRow("housing areas", 1, all,
               "location=777|2000&keyword=garden&haclcode=pa&price1=3000&price2=5000&ob=p1", 3);
        kwdRow("sale, every pair in order", 2, all,
               "location=777|2000&keyword=garden&proptype=11&br=3&bldgarea1=50&bldgarea2=90"
               "&price1=100&price2=200&f1=8&f2=&offer=0&ob=9",
               7);
        kwdRow("agencies", 4, all, "location=777|2000&keyword=garden", 1);
        kwdRow("only this housing area", 2, "8=103;5=777;7=", "ha=777", 0);
        kwdRow("housing area without id", 2, "8=103;7=1000", "", 0);

        // Separators in user or server text must not start new pairs.
        kwdRow("keyword escaped", 2, "17=a&b=c#d+e%f", "keyword=a%26b%3Dc%23d%2Be%25f", 1);
        kwdRow("keyword text kept", 2, QString("17=朝阳 公园/东"), QString("keyword=朝阳 公园/东"), 1);
        kwdRow("housing area id escaped", 2, "8=103;5=1&sn=evil", "ha=1%26sn%3Devil", 0);
        kwdRow("location id escaped", 1, "8=103;5=9#1;7=5000", "location=9%231|5000", 0);
        kwdRow("district code escaped", 2, QString("1=北京;8=101;2=坏区"), "distcode=x%26y%3D1", 1);

        // Around me ("gps=fix": a position source with a fix, "gps=none": one without); the district goes.
        const QString around("8=102;22=old-lat;23=old-lon;2=ignored;4=");
        kwdRow("around me", 2, around + "1000;gps=fix", "location=116.397128|39.916527|1000", 0);
        kwdRow("around me, no position source", 2, around + "1000", "", 0);
        kwdRow("around me, no fix yet", 2, around + "1000;gps=none", "", 0);
        kwdRow("around me, zero radius", 2, around + "0;gps=fix", "", 0);
    }

    void query()
    {
        QFETCH(QString, fields);
        QFETCH(QString, expected);
        // Beijing with one district, and one whose code needs escaping.
        kwdStore::instance()->cityInfo = {{"bj", {{{"朝阳", "cy"}, {"坏区", "x&y=1"}}, {}, {}, {}}}};
        QScopedPointer<kwdLocation> source;
        if (fields.contains(";gps=")) {
            source.reset(new kwdLocation);
            source->longitude = 116.397128;
            source->latitude = 39.916527;
            source->hasPosition = fields.endsWith("gps=fix");
        }
        kwdFinder finder = makeFinder(kwdData<int>("category"), fields.section(";gps=", 0, 0));
        QCOMPARE(finder.buildQuery(), withSn(expected));
        // The position sent is remembered with eight decimals; without one the old stays.
        if (fields.contains("22=old-lat"))
            QCOMPARE(finder.field(kwdFinder::Latitude) + ' ' + finder.field(kwdFinder::Longitude),
                     expected.isEmpty() ? "old-lat old-lon" : "39.91652700 116.39712800");
        QTEST(finder.activeConditions(), "conditions");
        // Cleared, the record keeps its place, housing area and sort, and narrows nothing.
        finder.clearConditions();
        QCOMPARE(finder.activeConditions(), 0);
        for (const char* kept : {"location=", "ha=", "ob="})
            QCOMPARE(finder.buildQuery().contains(kept), expected.contains(kept));
    }

    void stream()
    {
        // Layout written by hand: name, category, count, then key and value pairs.
        kwdByteLayout layout;
        layout.str("push").i32(3).i32(2);
        layout.i32(1).str(QStringLiteral("上海")).i32(24).str("1");
        const QByteArray bytes = layout.bytes;
        kwdFinder f = makeFinder(2, "17=old");
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
        kwdFinder g = makeFinder(2, "17=keep");
        QVERIFY(!g.read(shortIn));
        QCOMPARE(g.field(kwdFinder::Keyword), QStringLiteral("keep"));
    }

private:
    void load(int category, const QString& fields)
    {
        record = makeFinder(category, "0=北京;1=北京;8=101;" + fields);
        view->setCondition(&record);
    }

    void lookUp(const QString& name)
    {
        w<qvmWidgetSegement>("segAreaType")->setValue(1);
        w<QLineEdit>("editPlaceName")->setText(name);
        clickSearch();
    }
    // Area frame, then type, price, area, rooms, shared rent, floor, source: 1 shown, 0 hidden.
    QString shown() const
    {
        QString out;
        for (const char* name : {"frame_Area", "wg_HouseType", "wg_Price", "wg_AreaSize", "wg_RoomType",
                                 "wg_ShareRent", "wg_Floor", "wg_Origin"})
            out += w<QWidget>(name)->isVisibleTo(view) ? QLatin1Char('1') : QLatin1Char('0');
        return out;
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

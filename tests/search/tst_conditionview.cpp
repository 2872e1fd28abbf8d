#include "conditionview.h"
#include "kwdchooseha.h"
#include "kwdfinder.h"
#include "kwdmessage.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"
#include "qvmsetcondition.h"
#include "qvmwidgetsegement.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The condition form without the network: loading a record, show and hide per category,
// validation, writing the record on search, the housing-area choice.
class TestConditionView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void showHideAndRender_data();
    void showHideAndRender();
    void search_data();
    void search();
    void chooseHousingArea_data();
    void chooseHousingArea();
    void inputPanelEvents();

private:
    template <typename T> T* w(const char* name) const { return view->findChild<T*>(QLatin1String(name)); }
    void load(int category, const QString& fields);

    QStringList messages; // "title: text"
    qvmSetCondition* area = nullptr;
    ConditionView* view = nullptr;
    kwdFinder record;
};

namespace {

// One table row, a value per column, on one line.
template <typename... T> void row(const char* tag, const T&... values)
{
    (QTest::newRow(tag) << ... << values);
}

// "name=value;name=value", the form the tables below write widgets and record fields in.
QList<QPair<QString, QString>> pairs(const QString& text)
{
    QList<QPair<QString, QString>> out;
    for (const QString& p : text.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out.append({p.section(QLatin1Char('='), 0, 0), p.section(QLatin1Char('='), 1)});
    return out;
}

void enter(QObject* o, const QString& value)
{
    if (auto* e = qobject_cast<QLineEdit*>(o))
        e->setText(value);
    else if (auto* c = qobject_cast<QComboBox*>(o))
        c->setCurrentIndex(value.toInt());
    else if (auto* b = qobject_cast<QCheckBox*>(o))
        b->setChecked(value == QLatin1String("1"));
    else if (auto* s = qobject_cast<qvmWidgetSegement*>(o))
        s->setValue(value.toInt());
    else
        QFAIL("no such widget");
}

} // namespace

void TestConditionView::initTestCase()
{
    kwdMessage::setHook(
        [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    kwdStore* store = kwdStore::instance();
    store->cities.insert("北京", {{"北京", "bj"}});
    store->cityInfo.insert("bj", {{{"朝阳", "cy"}, {"海淀", "hd"}}, {}, {}, {}});
}

void TestConditionView::init()
{
    messages.clear();
    area = new qvmSetCondition;
    area->resize(360, 640);
    view = area->view();
    QCOMPARE(area->widget(), view);
}

void TestConditionView::cleanup()
{
    delete area;
}

void TestConditionView::load(int category, const QString& fields)
{
    record = kwdFinder(QStringLiteral("default"), category);
    for (const auto& [key, value] : pairs("0=北京;1=北京;8=101;" + fields))
        record.setField(key.toInt(), value);
    view->setCondition(&record);
    QCOMPARE(view->record(), &record);
}

void TestConditionView::showHideAndRender_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("mode");
    // Area frame, then type, price, area, rooms, shared rent, floor, source; the price caption.
    QTest::addColumn<QString>("shown");

    row("housing areas", 1, "101", "11100000 Price:yuan/m2");
    row("sale", 2, "101", "11111011 Total:(wan yuan)");
    row("lease", 3, "103", "11111111 Price:(yuan/yue)");
    row("agencies", 4, "101", "10000000");
    row("around me", 2, "102", "01111011 Total:(wan yuan)");
}

void TestConditionView::showHideAndRender()
{
    QFETCH(int, category);
    QFETCH(QString, mode);
    QFETCH(QString, shown);
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
    QCOMPARE(actual, shown);
    QVERIFY(w<QWidget>("wg_KeyWord")->isVisibleTo(view) && w<QWidget>("wg_Sort")->isVisibleTo(view));

    // Drawn as the program shows it, with the skin's style sheet.
    QVERIFY(kwdStartup::installStyleSheet(qApp, kwdTheme::instance()->skinDir()));
    auto resetStyle = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    load(category, "8=" + mode + ";12=100-200;13=1000-;7=2000;6=望京花园");
    area->show();
    QVERIFY(QTest::qWaitForWindowExposed(area));
    const QString file = QStringLiteral("/condition-%1-%2.png").arg(category).arg(mode);
    QVERIFY(area->grab().toImage().save(kwdTestEnvironment::outputDir(QStringLiteral("search")) + file));
}

void TestConditionView::search_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("fields");  // loaded on top of "keep" in fields 2, 7 and 9 to 14, 20, 21
    QTest::addColumn<QString>("input");   // widget=value, combo boxes by index
    QTest::addColumn<QString>("written"); // field=value
    QTest::addColumn<QString>("message"); // refused with this error, the record untouched

    row("sale", 2, "",
        "cboDistrict=2;cboHouseType=1;editprice1=100;editprice2=200;editarea1=50;editarea2=;cboRoomType=5;"
        "cboFloor=8;cboOrigin=1;editSearch=  big garden ;cboSort=7",
        "8=101;2=海淀;10=11;12=100-200;14=50-;15=5;16=0;18=8;19=1;17=big garden;21=9;"
        "9=keep;11=keep;13=keep;20=keep",
        "");
    row("lease, nothing chosen", 3, "",
        "cboDistrict=0;cboHouseType=0;editprice1=;editprice2=;editarea1=0;editarea2=0;cboRoomType=0;"
        "cboFloor=0;cboOrigin=0;editSearch=;cboSort=0;chkShareRent=1",
        "8=101;2=;10=;13=;14=;15=0;16=1;18=;19=;17=;21=;12=keep", "");
    row("lease, sort positions shift by one", 3, "", "cboSort=1;editprice1=0;editprice2=800", "21=2;13=0-800",
        "");
    row("housing areas", 1, "", "cboHouseType=11;cboSort=1;editprice1=3000;editprice2=",
        "9=ot;20=p1;11=3000-;14=keep;10=keep;21=keep;12=keep", "");
    row("agencies", 4, "", "editprice1=5;editSearch=co",
        "17=co;10=;11=keep;12=keep;13=keep;14=keep;20=keep;21=keep", "");
    row("by housing area, fixed range", 2, "5=77;6=花园",
        "segAreaType=1;editPlaceName=花园;chkOnlyPlace=0;segPlaceRange=2", "8=103;7=5000;5=77;6=花园;2=keep",
        "");
    row("by housing area, only this one", 2, "5=77;6=花园",
        "segAreaType=1;editPlaceName= 花园 ;chkOnlyPlace=1", "8=103;7=;5=77", "");
    row("around me keeps mode and district", 2, "8=102;2=朝阳", "editSearch=school", "8=102;2=朝阳;17=school",
        "");
    // What the form loads it writes back (an empty low price as 0); an unreadable range is dropped.
    row("sale, loaded", 2, "2=海淀;10=21;12=100-200;14=50-;15=4;17=garden;18=8;19=2;21=9", "",
        "2=海淀;10=21;12=100-200;14=50-;15=4;17=garden;18=8;19=2;21=9", "");
    row("lease, loaded", 3, "8=103;5=77;6=花园;13=-800;16=1;21=3;7=2000", "",
        "8=103;5=77;6=花园;13=0-800;16=1;21=3;7=2000", "");
    row("housing areas, loaded", 1, "9=ot;11=3000-;20=p2;8=103;5=77;6=花园;7=", "",
        "9=ot;11=3000-;20=p2;8=103;5=77;6=花园;7=", "");
    row("unreadable range", 2, "12=1-2-3;14=7", "", "12=;14=7-", "");
    row("equal prices", 2, "", "editprice1=300;editprice2=300", "12=300-300", "");
    row("not numbers read 0", 2, "", "editprice1=abc;editprice2=x", "", "");
    row("empty name", 2, "8=103;5=77;6=花园;7=", "editPlaceName=   ", "", "Input a Ha Name please");
    const char* invalid = "Not a valid Price";
    row("reversed price", 2, "", "editprice1=200;editprice2=100", "", invalid);
    row("negative low price", 2, "", "editprice1=-1;editprice2=", "", invalid);
    row("negative high price", 2, "", "editprice1=;editprice2=-5", "", invalid);
    row("reversed area", 2, "", "editarea1=90;editarea2=50", "", invalid);
    row("negative area", 2, "", "editarea1=-3", "", invalid);
}

void TestConditionView::search()
{
    QFETCH(int, category);
    QFETCH(QString, fields);
    QFETCH(QString, input);
    QFETCH(QString, written);
    QFETCH(QString, message);

    load(category, "2=keep;7=keep;9=keep;10=keep;11=keep;12=keep;13=keep;14=keep;20=keep;21=keep;" + fields);
    const kwdFinder before = record;
    for (const auto& [name, value] : pairs(input))
        enter(view->findChild<QObject*>(name), value);
    QSignalSpy search(view, &ConditionView::doSearch);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);

    QCOMPARE(view->lookupRequestId(), 0);
    if (!message.isEmpty()) {
        QCOMPARE(messages, QStringList{"Error: " + message});
        QCOMPARE(search.count(), 0);
        QVERIFY(record == before);
        return;
    }
    QCOMPARE(messages, QStringList());
    QCOMPARE(search.count(), 1);
    for (const auto& [key, value] : pairs(written))
        QCOMPARE(key + '=' + record.field(key.toInt()), key + '=' + value);
}

void TestConditionView::chooseHousingArea_data()
{
    QTest::addColumn<QString>("text"); // as the lookup shows it: name (district address)
    QTest::addColumn<QString>("data"); // name(id); empty: the user cancels
    QTest::addColumn<QString>("name"); // written with the id; empty: nothing happens
    QTest::addColumn<QString>("haId");

    row("name with district and address", "望京花园 (朝阳 望京路1号)", "望京花园(1234)", "望京花园", "1234");
    row("no bracket", "  Garden  ", "Garden(1)", "Garden", "1");
    row("bracket first", "(x) Garden", "Garden(1)", "(x) Garden", "1");
    row("last brackets hold the id", "A", "A(b)(99)", "A", "99");
    row("no brackets", "A", "A 99", "", "");
    row("closing before opening", "A", "A)99(", "", "");
    row("no closing bracket", "A", "A(99", "", "");
    row("empty identifier", "A", "A()", "", "");
    row("empty name", "", "A(99)", "", "");
    row("empty data", "A", "", "", "");
    row("cancel", "A (b c)", "A(1)", "", "");
}

void TestConditionView::chooseHousingArea()
{
    QFETCH(QString, text);
    QFETCH(QString, data);
    QFETCH(QString, name);
    QFETCH(QString, haId);

    load(2, "5=old;6=old");
    w<qvmWidgetSegement>("segAreaType")->setValue(1);
    kwdChooseHA* chooser = view->chooser();
    chooser->addEntry(QStringLiteral("other"), QStringLiteral("other(0)"));
    chooser->addEntry(text, data);
    area->show();
    chooser->show();
    QSignalSpy search(view, &ConditionView::doSearch);
    QListWidget* list = chooser->list();
    if (QTest::currentDataTag() == QByteArray("cancel"))
        QTest::mouseClick(chooser->findChild<QPushButton*>(QStringLiteral("btnCancelChoose")),
                          Qt::LeftButton);
    else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QVERIFY(chooser->isHidden());
    const bool chosen = !haId.isEmpty();
    QCOMPARE(search.count(), int(chosen));
    QCOMPARE(record.field(kwdFinder::Mode), chosen ? QStringLiteral("103") : QStringLiteral("101"));
    QCOMPARE(record.field(kwdFinder::HaId), chosen ? haId : QStringLiteral("old"));
    QCOMPARE(record.field(kwdFinder::HaName), chosen ? name : QStringLiteral("old"));
    if (chosen)
        QCOMPARE(w<QLineEdit>("editPlaceName")->text(), name);
}

void TestConditionView::inputPanelEvents()
{
    // The form watches its six edits for the on-screen keyboard; the edits must still see their focus
    // changes: a line edit selects its text when tabbed into and drops the selection when left.
    load(3, "8=103");
    area->show();
    QVERIFY(QTest::qWaitForWindowActive(area));
    QLineEdit* previous = nullptr;
    for (const char* name :
         {"editPlaceName", "editprice1", "editprice2", "editarea1", "editarea2", "editSearch"}) {
        QLineEdit* edit = w<QLineEdit>(name);
        edit->setText(QStringLiteral("123"));
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), QStringLiteral("123"));
        QVERIFY(!previous || !previous->hasSelectedText());
        previous = edit;
    }
}

KWD_TEST_MAIN(TestConditionView)
#include "tst_conditionview.moc"

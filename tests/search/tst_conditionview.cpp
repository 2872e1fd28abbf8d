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
    void objectNames();
    void showHide_data();
    void showHide();
    void loadRecord_data();
    void loadRecord();
    void validation_data();
    void validation();
    void writeRecord_data();
    void writeRecord();
    void aroundMeKeepsMode();
    void housingAreaName_data();
    void housingAreaName();
    void haSelected_data();
    void haSelected();
    void chooserClick_data();
    void chooserClick();
    void chooserCancel();
    void inputPanelEvents();
    void render_data();
    void render();

private:
    template <typename T> T* w(const char* name) const
    {
        T* widget = view->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void load(int category, const QStringList& fields);

    QList<QPair<QString, QString>> messages;
    qvmSetCondition* area = nullptr;
    ConditionView* view = nullptr;
    kwdFinder record;
};

void TestConditionView::initTestCase()
{
    kwdMessage::setHook([this](const QString& title, const QString& text) {
        messages.append({title, text});
    });
    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("北京"), {{QStringLiteral("北京"), QStringLiteral("bj")}});
    store->cityInfo.insert(QStringLiteral("bj"), {{{QStringLiteral("朝阳"), QStringLiteral("cy")},
                                                   {QStringLiteral("海淀"), QStringLiteral("hd")}},
                                                  {},
                                                  {},
                                                  {}});
}

void TestConditionView::init()
{
    messages.clear();
    area = new qvmSetCondition;
    area->resize(360, 640);
    view = area->view();
    QVERIFY(view);
    QCOMPARE(area->widget(), view);
}

void TestConditionView::cleanup()
{
    delete area;
    area = nullptr;
    view = nullptr;
}

void TestConditionView::load(int category, const QStringList& fields)
{
    record = kwdFinder(QStringLiteral("default"), category);
    record.setField(kwdFinder::Province, QStringLiteral("北京"));
    record.setField(kwdFinder::City, QStringLiteral("北京"));
    record.setField(kwdFinder::Mode, QStringLiteral("101"));
    for (const QString& pair : fields) {
        const int eq = pair.indexOf(QLatin1Char('='));
        record.setField(pair.left(eq).toInt(), pair.mid(eq + 1));
    }
    view->setCondition(&record);
    QCOMPARE(view->record(), &record);
}

void TestConditionView::objectNames()
{
    load(2, {});
    const char* const names[] = {
        "frame_Area",      "wg_AreaType",   "wg_District",  "wg_Place",     "label_7",     "label_10",
        "label_3",         "lblPrice",      "label",        "lblPriceUnit", "label_4",     "label_2",
        "lblAreaSizeUnit", "label_5",       "label_9",      "lblFloor",     "label_8",     "label_6",
        "label_11",        "lblPlaceRange", "wg_HouseType", "wg_Price",     "wg_AreaSize", "wg_RoomType",
        "wg_ShareRent",    "wg_Floor",      "wg_Origin",    "wg_KeyWord",   "wg_Sort"};
    for (const char* name : names)
        QVERIFY2(view->findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(view->objectName(), QStringLiteral("qvmSetConditionClass"));
    QCOMPARE(w<QPushButton>("btnSearch")->text(), QStringLiteral("搜索"));
    QCOMPARE(w<QLabel>("label_9")->text(), QStringLiteral("合　租： "));
    QCOMPARE(w<qvmWidgetSegement>("segAreaType")->count(), 2);
    QCOMPARE(w<qvmWidgetSegement>("segPlaceRange")->count(), 3);
    QCOMPARE(w<QComboBox>("cboRoomType")->count(), 6);
    QCOMPARE(w<QComboBox>("cboRoomType")->itemText(5), QStringLiteral("bie shu"));
    QCOMPARE(w<QComboBox>("cboFloor")->count(), 9);
    QCOMPARE(w<QComboBox>("cboFloor")->itemText(3), QStringLiteral("3lou"));
    QCOMPARE(w<QComboBox>("cboFloor")->itemText(8), QStringLiteral("7lou +"));
    QCOMPARE(w<QComboBox>("cboOrigin")->itemText(3), QStringLiteral("Developer"));
    QCOMPARE(w<QComboBox>("cboSort")->count(), 8);
    QCOMPARE(w<QComboBox>("cboSort")->itemText(7), QStringLiteral("Fa bu shi jian"));
    QCOMPARE(w<QComboBox>("cboHouseType")->itemText(3), QStringLiteral("Xie Zi Lou"));
    QVERIFY(view->chooser());
    QVERIFY(view->chooser()->isHidden());
}

void TestConditionView::showHide_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("shown");

    // Containers in order: type, price, area, rooms, shared rent, floor, source.
    QTest::newRow("housing areas") << 1 << "1100000";
    QTest::newRow("sale") << 2 << "1111011";
    QTest::newRow("lease") << 3 << "1111111";
    QTest::newRow("agencies") << 4 << "0000000";
}

void TestConditionView::showHide()
{
    QFETCH(int, category);
    QFETCH(QString, shown);
    const char* const containers[] = {"wg_HouseType", "wg_Price", "wg_AreaSize", "wg_RoomType",
                                      "wg_ShareRent", "wg_Floor", "wg_Origin"};
    // A lease form first, so every container starts visible and must really be hidden.
    load(3, {});
    load(category, {});
    for (int i = 0; i < 7; ++i)
        QVERIFY2(w<QWidget>(containers[i])->isVisibleTo(view) == (shown.at(i) == QLatin1Char('1')),
                 containers[i]);
    QVERIFY(w<QWidget>("wg_KeyWord")->isVisibleTo(view));
    QVERIFY(w<QWidget>("wg_Sort")->isVisibleTo(view));
    QVERIFY(w<QWidget>("frame_Area")->isVisibleTo(view));
}

void TestConditionView::loadRecord_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("expected"); // widget=value

    QTest::newRow("sale") << 2
                          << QStringList{QStringLiteral("2=海淀"),
                                         "10=21",
                                         "12=100-200",
                                         "14=50-",
                                         "15=4",
                                         "17=garden",
                                         "18=8",
                                         "19=2",
                                         "21=9",
                                         "7=5000",
                                         QStringLiteral("6=花园")}
                          << QStringList{QStringLiteral("cboDistrict=海淀"),
                                         "cboHouseType=3",
                                         "editprice1=100",
                                         "editprice2=200",
                                         "editarea1=50",
                                         "editarea2=",
                                         "cboRoomType=4",
                                         "editSearch=garden",
                                         "cboFloor=8",
                                         "cboOrigin=2",
                                         "cboSort=7",
                                         "segPlaceRange=2",
                                         "chkOnlyPlace=0",
                                         QStringLiteral("editPlaceName=花园"),
                                         "lblPrice=Total:",
                                         "lblPriceUnit=(wan yuan)",
                                         "segAreaType=0"};
    QTest::newRow("lease") << 3 << QStringList{"8=103", "13=-800", "16=1", "21=3", "7=2000", "10=99"}
                           << QStringList{"editprice1=",     "editprice2=800",
                                          "chkShareRent=1",  "cboSort=2",
                                          "segPlaceRange=1", "chkOnlyPlace=0",
                                          "segAreaType=1",   "cboHouseType=0",
                                          "lblPrice=Price:", "lblPriceUnit=(yuan/yue)"};
    QTest::newRow("housing areas") << 1 << QStringList{"9=ot",  "11=3000-", "20=p2",
                                                       "8=103", "7=",       QStringLiteral("2=不存在")}
                                   << QStringList{"cboHouseType=11",
                                                  "editprice1=3000",
                                                  "editprice2=",
                                                  "cboSort=2",
                                                  "chkOnlyPlace=1",
                                                  "segAreaType=1",
                                                  "cboDistrict=UnSpecified",
                                                  "lblPriceUnit=yuan/m2"};
    QTest::newRow("unreadable range empties both edits")
        << 2 << QStringList{"12=1-2-3", "14=7"}
        << QStringList{"editprice1=", "editprice2=", "editarea1=7", "editarea2="};
}

void TestConditionView::loadRecord()
{
    QFETCH(int, category);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, expected);

    // A form used before keeps nothing of the earlier record.
    load(3, {"13=1-9", "6=old", "17=old", "16=1"});
    load(category, fields);
    for (const QString& pair : expected) {
        const int eq = pair.indexOf(QLatin1Char('='));
        const QString name = pair.left(eq);
        const QString value = pair.mid(eq + 1);
        QObject* o = view->findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        QString actual;
        if (auto* e = qobject_cast<QLineEdit*>(o))
            actual = e->text();
        else if (auto* c = qobject_cast<QComboBox*>(o))
            actual = value.toInt() > 0 || value == QLatin1String("0") ? QString::number(c->currentIndex())
                                                                      : c->currentText();
        else if (auto* b = qobject_cast<QCheckBox*>(o))
            actual = b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        else if (auto* s = qobject_cast<qvmWidgetSegement*>(o))
            actual = QString::number(s->value());
        else if (auto* l = qobject_cast<QLabel*>(o))
            actual = l->text();
        QVERIFY2(actual == value,
                 qPrintable(name + QStringLiteral(": ") + actual + QStringLiteral(" != ") + value));
    }
    QCOMPARE(w<QComboBox>("cboDistrict")->count(), 3);
    QVERIFY(messages.isEmpty());
}

void TestConditionView::validation_data()
{
    QTest::addColumn<QString>("price1");
    QTest::addColumn<QString>("price2");
    QTest::addColumn<QString>("area1");
    QTest::addColumn<QString>("area2");
    QTest::addColumn<bool>("valid");

    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "" << true;
    QTest::newRow("ordered") << "100"
                             << "200"
                             << "50"
                             << "90" << true;
    QTest::newRow("no upper bound") << "500"
                                    << ""
                                    << ""
                                    << "0" << true;
    QTest::newRow("equal") << "300"
                           << "300"
                           << ""
                           << "" << true;
    QTest::newRow("not numbers read 0") << "abc"
                                        << "x"
                                        << ""
                                        << "" << true;
    QTest::newRow("reversed price") << "200"
                                    << "100"
                                    << ""
                                    << "" << false;
    QTest::newRow("negative low price") << "-1"
                                        << ""
                                        << ""
                                        << "" << false;
    QTest::newRow("negative high price") << ""
                                         << "-5"
                                         << ""
                                         << "" << false;
    QTest::newRow("reversed area") << ""
                                   << ""
                                   << "90"
                                   << "50" << false;
    QTest::newRow("negative area") << ""
                                   << ""
                                   << "-3"
                                   << "" << false;
}

void TestConditionView::validation()
{
    QFETCH(QString, price1);
    QFETCH(QString, price2);
    QFETCH(QString, area1);
    QFETCH(QString, area2);
    QFETCH(bool, valid);

    load(2, {"12=1-2", "14=3-4"});
    const kwdFinder before = record;
    QSignalSpy search(view, &ConditionView::doSearch);
    w<QLineEdit>("editprice1")->setText(price1);
    w<QLineEdit>("editprice2")->setText(price2);
    w<QLineEdit>("editarea1")->setText(area1);
    w<QLineEdit>("editarea2")->setText(area2);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);

    QCOMPARE(search.count(), valid ? 1 : 0);
    if (valid) {
        QVERIFY(messages.isEmpty());
        return;
    }
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).first, QStringLiteral("Error"));
    QCOMPARE(messages.at(0).second, QStringLiteral("Not a valid Price"));
    QVERIFY(record == before);
}

void TestConditionView::writeRecord_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("input");    // widget=value (combo boxes by index)
    QTest::addColumn<QStringList>("expected"); // field=value

    QTest::newRow("sale") << 2 << QStringList{"cboDistrict=2",  "cboHouseType=1",
                                              "editprice1=100", "editprice2=200",
                                              "editarea1=50",   "editarea2=",
                                              "cboRoomType=5",  "cboFloor=8",
                                              "cboOrigin=1",    "editSearch=  big garden ",
                                              "cboSort=7"}
                          << QStringList{"8=101",   QStringLiteral("2=海淀"),
                                         "10=11",   "12=100-200",
                                         "14=50-",  "15=5",
                                         "16=0",    "18=8",
                                         "19=1",    "17=big garden",
                                         "21=9",    "9=keep",
                                         "11=keep", "13=keep",
                                         "20=keep"};
    QTest::newRow("lease, nothing chosen")
        << 3 << QStringList{"cboDistrict=0", "cboHouseType=0", "editprice1=",   "editprice2=",
                            "editarea1=0",   "editarea2=0",    "cboRoomType=0", "cboFloor=0",
                            "cboOrigin=0",   "editSearch=",    "cboSort=0",     "chkShareRent=1"}
        << QStringList{"8=101", "2=",  "10=", "13=", "14=", "15=0",
                       "16=1",  "18=", "19=", "17=", "21=", "12=keep"};
    QTest::newRow("lease, sort positions shift by one")
        << 3 << QStringList{"cboSort=1", "editprice1=0", "editprice2=800"} << QStringList{"21=2", "13=0-800"};
    QTest::newRow("housing areas") << 1 << QStringList{"cboHouseType=11", "cboSort=1",   "editprice1=3000",
                                                       "editprice2=",     "editarea1=1", "editarea2=2"}
                                   << QStringList{"9=ot",    "20=p1",   "11=3000-", "14=keep",
                                                  "10=keep", "21=keep", "12=keep"};
    QTest::newRow("agencies") << 4 << QStringList{"editprice1=5", "editSearch=co"}
                              << QStringList{"17=co",   "10=",     "11=keep", "12=keep",
                                             "13=keep", "14=keep", "20=keep", "21=keep"};
    QTest::newRow("by housing area, fixed range")
        << 2
        << QStringList{"segAreaType=1", QStringLiteral("editPlaceName=花园"), "chkOnlyPlace=0",
                       "segPlaceRange=2"}
        << QStringList{"8=103", "7=5000", "5=77", QStringLiteral("6=花园"), "2=keep"};
    QTest::newRow("by housing area, only this one")
        << 2 << QStringList{"segAreaType=1", QStringLiteral("editPlaceName= 花园 "), "chkOnlyPlace=1"}
        << QStringList{"8=103", "7=", "5=77"};
}

void TestConditionView::writeRecord()
{
    QFETCH(int, category);
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);

    QStringList initial;
    for (int key : {2, 7, 9, 10, 11, 12, 13, 14, 20, 21})
        initial << QString::number(key) + QStringLiteral("=keep");
    initial << "5=77" << QStringLiteral("6=花园");
    load(category, initial);
    // The form shows what it loaded; the inputs below replace it.
    w<QComboBox>("cboDistrict")->setCurrentIndex(0);

    for (const QString& pair : input) {
        const int eq = pair.indexOf(QLatin1Char('='));
        const QString name = pair.left(eq);
        const QString value = pair.mid(eq + 1);
        QObject* o = view->findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        if (auto* e = qobject_cast<QLineEdit*>(o))
            e->setText(value);
        else if (auto* c = qobject_cast<QComboBox*>(o))
            c->setCurrentIndex(value.toInt());
        else if (auto* b = qobject_cast<QCheckBox*>(o))
            b->setChecked(value == QLatin1String("1"));
        else if (auto* s = qobject_cast<qvmWidgetSegement*>(o))
            s->setValue(value.toInt());
    }

    QSignalSpy search(view, &ConditionView::doSearch);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(search.count(), 1);
    QVERIFY(messages.isEmpty());
    QCOMPARE(view->lookupRequestId(), 0);
    for (const QString& pair : expected) {
        const int eq = pair.indexOf(QLatin1Char('='));
        const int key = pair.left(eq).toInt();
        QVERIFY2(record.field(key) == pair.mid(eq + 1),
                 qPrintable(QStringLiteral("field %1: %2").arg(key).arg(record.field(key))));
    }
}

void TestConditionView::aroundMeKeepsMode()
{
    load(2, {"8=102", QStringLiteral("2=朝阳"), "4=1000"});
    QVERIFY(!w<QWidget>("frame_Area")->isVisibleTo(view));
    w<QLineEdit>("editSearch")->setText(QStringLiteral("school"));
    QSignalSpy search(view, &ConditionView::doSearch);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(search.count(), 1);
    QCOMPARE(record.field(kwdFinder::Mode), QStringLiteral("102"));
    QCOMPARE(record.field(kwdFinder::District), QStringLiteral("朝阳"));
    QCOMPARE(record.field(kwdFinder::Keyword), QStringLiteral("school"));
}

void TestConditionView::housingAreaName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("searches");

    QTest::newRow("empty name") << "   "
                                << "Input a Ha Name please" << false;
    QTest::newRow("name chosen before") << QStringLiteral("花园") << QString() << true;
}

void TestConditionView::housingAreaName()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, searches);

    load(2, {"8=103", "5=77", QStringLiteral("6=花园"), "7="});
    w<QLineEdit>("editPlaceName")->setText(typed);
    QSignalSpy search(view, &ConditionView::doSearch);
    QTest::mouseClick(w<QPushButton>("btnSearch"), Qt::LeftButton);
    QCOMPARE(search.count(), searches ? 1 : 0);
    if (message.isEmpty()) {
        QVERIFY(messages.isEmpty());
    } else {
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).first, QStringLiteral("Error"));
        QCOMPARE(messages.at(0).second, message);
    }
    QCOMPARE(view->lookupRequestId(), 0);
}

void TestConditionView::haSelected_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("haId"); // empty: nothing happens

    QTest::newRow("plain") << QStringLiteral("望京花园") << QStringLiteral("望京花园(1234)") << "1234";
    QTest::newRow("brackets in the name") << "A(b)"
                                          << "A(b)(99)"
                                          << "99";
    QTest::newRow("no brackets") << "A"
                                 << "A 99" << QString();
    QTest::newRow("closing before opening") << "A"
                                            << "A)99(" << QString();
    QTest::newRow("no closing bracket") << "A"
                                        << "A(99" << QString();
    QTest::newRow("empty identifier") << "A"
                                      << "A()" << QString();
    QTest::newRow("empty name") << ""
                                << "A(99)" << QString();
    QTest::newRow("empty data") << "A"
                                << "" << QString();
}

void TestConditionView::haSelected()
{
    QFETCH(QString, name);
    QFETCH(QString, id);
    QFETCH(QString, haId);

    load(2, {"8=101", "5=old", "6=old"});
    w<qvmWidgetSegement>("segAreaType")->setValue(1);
    QSignalSpy search(view, &ConditionView::doSearch);
    view->onHASelected(name, id);
    if (haId.isEmpty()) {
        QCOMPARE(search.count(), 0);
        QCOMPARE(record.field(kwdFinder::HaId), QStringLiteral("old"));
        QCOMPARE(record.field(kwdFinder::Mode), QStringLiteral("101"));
        return;
    }
    QCOMPARE(search.count(), 1);
    QCOMPARE(record.field(kwdFinder::Mode), QStringLiteral("103"));
    QCOMPARE(record.field(kwdFinder::HaId), haId);
    QCOMPARE(record.field(kwdFinder::HaName), name);
    QCOMPARE(w<QLineEdit>("editPlaceName")->text(), name);
    QCOMPARE(view->lookupRequestId(), 0);
}

void TestConditionView::chooserClick_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("name");

    QTest::newRow("name with district and address")
        << QStringLiteral("望京花园 (朝阳 望京路1号)") << QStringLiteral("望京花园(1234)")
        << QStringLiteral("望京花园");
    QTest::newRow("no bracket") << "  Garden  "
                                << "Garden(1)"
                                << "Garden";
    QTest::newRow("bracket first") << "(x) Garden"
                                   << "Garden(1)"
                                   << "(x) Garden";
}

void TestConditionView::chooserClick()
{
    QFETCH(QString, text);
    QFETCH(QString, data);
    QFETCH(QString, name);

    kwdChooseHA chooser;
    chooser.addEntry(QStringLiteral("other"), QStringLiteral("other(0)"));
    chooser.addEntry(text, data);
    QCOMPARE(chooser.count(), 2);
    chooser.show();
    QSignalSpy selected(&chooser, &kwdChooseHA::HASelected);
    QListWidget* list = chooser.list();
    QCOMPARE(list->item(1)->data(Qt::UserRole).toString(), data);
    const QRect r = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toString(), name);
    QCOMPARE(selected.at(0).at(1).toString(), data);
    QVERIFY(chooser.isHidden());
}

void TestConditionView::chooserCancel()
{
    kwdChooseHA chooser;
    chooser.addEntry(QStringLiteral("a (b c)"), QStringLiteral("a(1)"));
    chooser.show();
    QSignalSpy selected(&chooser, &kwdChooseHA::HASelected);
    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("btnCancelChoose")), Qt::LeftButton);
    QVERIFY(chooser.isHidden());
    QCOMPARE(selected.count(), 0);
    QCOMPARE(chooser.count(), 1);
    chooser.clear();
    QCOMPARE(chooser.count(), 0);
}

void TestConditionView::inputPanelEvents()
{
    // The form watches its six edits for the on-screen keyboard; the edits must still see their focus
    // changes: a line edit selects its text when tabbed into and drops the selection when left.
    load(3, {"8=103"});
    area->show();
    QVERIFY(QTest::qWaitForWindowActive(area));
    const char* const edits[] = {"editPlaceName", "editprice1", "editprice2",
                                 "editarea1",     "editarea2",  "editSearch"};
    QLineEdit* previous = nullptr;
    for (const char* name : edits) {
        QLineEdit* edit = w<QLineEdit>(name);
        edit->setText(QStringLiteral("123"));
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), QStringLiteral("123"));
        if (previous)
            QVERIFY(!previous->hasSelectedText());
        previous = edit;
    }
}

void TestConditionView::render_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("mode");
    QTest::newRow("housing areas") << 1 << "101";
    QTest::newRow("sale") << 2 << "101";
    QTest::newRow("lease") << 3 << "103";
    QTest::newRow("agencies") << 4 << "101";
    QTest::newRow("around me") << 3 << "102";
}

void TestConditionView::render()
{
    // Drawn as the program shows it, with the skin's style sheet.
    QVERIFY(kwdStartup::installStyleSheet(qApp, kwdTheme::instance()->skinDir()));
    auto resetStyle = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    QFETCH(int, category);
    QFETCH(QString, mode);
    load(category, {"8=" + mode, "12=100-200", "13=1000-", "7=2000", QStringLiteral("6=望京花园")});
    area->show();
    QVERIFY(QTest::qWaitForWindowExposed(area));
    const QImage image = area->grab().toImage();
    QCOMPARE(image.size(), QSize(360, 640));
    const QString file = QStringLiteral("/condition-%1-%2.png").arg(category).arg(mode);
    QVERIFY(image.save(kwdTestEnvironment::outputDir(QStringLiteral("search")) + file));
}

KWD_TEST_MAIN(TestConditionView)
#include "tst_conditionview.moc"

#include "conditionview.h"
#include "kwdfinder.h"
#include "kwdlisting.h"
#include "kwdmessage.h"
#include "kwdnewhousecondition.h"
#include "kwdreleasehouse.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesthttpserver.h"
#include "kwdtesttable.h"
#include "qvmhttpholder.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QtTest>

// The number inputs of the condition, push and publication forms: what typing, an input method and
// pasting leave in them, and whether the search, subscription or listing then goes out or the input
// is named, marked and focused.
class TestKwdNumberInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The listing post goes to the loopback server, never out.
        QVERIFY(server.listenAsProxy());
        holder = new qvmHttpHolder(this);
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { said << title + ": " + text; });
        kwdStore* store = kwdStore::instance();
        store->load();
        store->cities = {{"北京", {{"北京", "bj"}}}};
        store->cityInfo = {{"bj", {{{"朝阳", "cy"}}, {}, {}, {}}}};
        store->setConfig(kwdStore::cfgCity, QStringLiteral("北京"));
        store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
        store->currentNewHouseFinder->setField(kwdFinder::City, QStringLiteral("北京"));
    }

    void numberInputs_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("input");  // the edit typed into
        QTest::addColumn<QString>("typed");  // ASCII as keys, the rest committed by an input method
        QTest::addColumn<QString>("other");  // "edit=text" set beforehand
        QTest::addColumn<QString>("shown");  // what the edit then holds
        QTest::addColumn<QString>("result"); // "key=value" sent; "!message": refused, the input marked

        kwdRow("condition letters", "condition", "editprice1", "abc", "", "", "12=");
        kwdRow("condition letter after digits", "condition", "editprice2", "12x", "", "12", "12=0-12");
        kwdRow("condition full-width", "condition", "editprice1", "１２０", "editprice2=300", "120",
               "12=120-300");
        kwdRow("condition pasted", "condition", "editarea1", "paste:５0", "", "50", "14=50-");
        kwdRow("condition pasted letters", "condition", "editprice2", "paste:8a", "", "", "12=");
        kwdRow("condition beyond a number", "condition", "editarea2", "99999999999", "", "99999999999",
               "!Error: Not a valid Area");
        kwdRow("condition stored letters", "condition", "editarea1", "", "editarea1=5x", "5x",
               "!Error: Not a valid Area");
        kwdRow("push letters", "push", "pricestart", "5a0", "", "50", "12=50-");
        kwdRow("push full-width", "push", "areaend", "１２０", "areastart=60", "120", "14=60-120");
        kwdRow("push lower above upper", "push", "areaend", "50", "areastart=90", "50",
               "!Error: Not a valid Area");
        kwdRow("release price", "release", "value", "12万5", "", "125", "price=125");
        kwdRow("release area points", "release", "area", "89..5", "", "89.5", "bldgarea=89.5");
        kwdRow("release full-width", "release", "area", "８９．５", "", "89.5", "bldgarea=89.5");
        kwdRow("release rooms", "release", "room", "3.间", "", "3", "br=3");
    }

    void numberInputs()
    {
        QFETCH(QString, form);
        QFETCH(QString, input);
        QFETCH(QString, typed);
        QFETCH(QString, other);
        QFETCH(QString, result);
        said.clear();
        kwdFinder record(QStringLiteral("default"), 2);
        record.setField(kwdFinder::City, QStringLiteral("北京"));
        record.setField(kwdFinder::Mode, QStringLiteral("101"));
        kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        push->setField(kwdFinder::PushFlag, QStringLiteral("0"));
        QScopedPointer<QWidget> page;
        if (form == "condition") {
            auto* view = new ConditionView;
            view->setCondition(&record);
            page.reset(view);
        } else if (form == "push") {
            page.reset(new kwdNewHouseCondition);
        } else {
            auto* release = new kwdReleaseHouse;
            release->cobdistrict->setCurrentIndex(1);
            const QStringList valid = {"housesrc=阳光花园三居",
                                       "lifearea=阳光花园",
                                       "road=建国路",
                                       "door=8",
                                       "value=120",
                                       "area=89",
                                       "room=3",
                                       "hall=1",
                                       "toilet=1",
                                       "numberfloor=6",
                                       "totlefloor=18"};
            for (const QString& v : valid)
                release->findChild<QLineEdit*>(v.section('=', 0, 0))->setText(v.section('=', 1));
            page.reset(release);
        }
        page->show();
        QVERIFY(QTest::qWaitForWindowActive(page.data()));
        auto* edit = page->findChild<QLineEdit*>(input);
        QVERIFY(edit);
        edit->clear();
        if (!other.isEmpty())
            page->findChild<QLineEdit*>(other.section('=', 0, 0))->setText(other.section('=', 1));
        if (typed.startsWith("paste:")) {
            QGuiApplication::clipboard()->setText(typed.mid(6));
            edit->paste();
        }
        for (QChar c : typed.startsWith("paste:") ? QString() : typed) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(edit, c.toLatin1());
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QCoreApplication::sendEvent(edit, &commit);
        }
        QTEST(edit->text(), "shown");

        const auto* release = qobject_cast<kwdReleaseHouse*>(page.data());
        QSignalSpy sent(page.data(), form == "condition" ? SIGNAL(doSearch())
                                     : form == "push"    ? SIGNAL(back())
                                                         : SIGNAL(destroyed()));
        auto* button = page->findChild<QPushButton*>(form == "condition" ? "btnSearch"
                                                     : form == "push"    ? "btnok1"
                                                                         : "btnrelease");
        button->click();
        const bool refused = result.startsWith('!');
        QCOMPARE(release ? int(release->releaseRequest != 0) : int(sent.count()), int(!refused));
        if (refused) {
            QCOMPARE(said, QStringList{result.mid(1)});
            QCOMPARE(edit->styleSheet(), QStringLiteral("QLineEdit { background: red }"));
            QTRY_VERIFY(edit->hasFocus());
            QCOMPARE(push->field(kwdFinder::PushFlag), QStringLiteral("0"));
            return;
        }
        const QString key = result.section('=', 0, 0);
        if (release) {
            for (const auto& [name, value] : release->listing().items())
                if (name == key)
                    QCOMPARE(name + '=' + value, result);
        } else {
            QCOMPARE(key + '=' + (form == "push" ? push : &record)->field(key.toInt()), result);
        }
    }

private:
    kwdTestHttpServer server;
    qvmHttpHolder* holder = nullptr;
    QStringList said;
};

KWD_TEST_MAIN(TestKwdNumberInput)
#include "tst_kwdnumberinput.moc"

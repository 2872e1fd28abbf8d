#include "closehint.h"
#include "kwddatabase.h"
#include "kwdlocalservice.h"
#include "kwdshowwait.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "mainwindow.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QtTest>

namespace {

// The window with its quit step counted instead of ending the test run.
class TestableWindow : public MainWindow
{
public:
    int quits = 0;

protected:
    void quitApplication() override { ++quits; }
};

// A row that reports its own deletion.
class ProbeItem : public qvmListItem
{
public:
    explicit ProbeItem(bool* deleted) : deleted(deleted) {}
    ~ProbeItem() override { *deleted = true; }
    bool* deleted;
};

void storeCloseSettings(const QString& onClose, const QString& onQuit)
{
    kwdStore::instance()->setConfig(kwdStore::cfgOnClose, onClose);
    kwdStore::instance()->setConfig(kwdStore::cfgOnQuit, onQuit);
}

// Answers the close prompt as soon as it runs.
void answerPromptLater(bool toTray, bool dontAsk, bool cancel)
{
    QTimer::singleShot(0, [=] {
        auto* hint = qobject_cast<CloseHint*>(QApplication::activeModalWidget());
        QVERIFY(hint);
        if (cancel) {
            hint->btncancel->click();
            return;
        }
        (toTray ? hint->rdbmini : hint->rdbedit)->setChecked(true);
        hint->checkBox->setChecked(dontAsk);
        hint->btnok1->click();
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void form();
    void selectorDrivesPages_data();
    void selectorDrivesPages();
    void trayMenu();
    void closeSettings_data();
    void closeSettings();
    void closeAnswer_data();
    void closeAnswer();
    void closeWithoutPrompt_data();
    void closeWithoutPrompt();
    void promptToTrayNotAgain();
    void promptExitNotAgain();
    void promptCancelAsksAgain();
    void trayActivation_data();
    void trayActivation();
    void menuActions();
    void ownRepliesAreForgotten();
    void usageReportOnAutomaticCheck_data();
    void usageReportOnAutomaticCheck();
    void destructionSavesAndReleases();
    void render();
    void exitEndsTheLoopWithoutAsking();
};

void TestMainWindow::init()
{
    QApplication::setQuitOnLastWindowClosed(true);
    storeCloseSettings(QStringLiteral("0"), QStringLiteral("0"));
    kwdStore::instance()->load();
}

void TestMainWindow::form()
{
    TestableWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window.centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(window.windowTitle(), QStringLiteral("KWDPersonal"));
    QCOMPARE(window.pages->count(), 4);
    QCOMPARE(window.segment->objectName(), QStringLiteral("SegMainWindow"));
    QCOMPARE(window.segment->count(), 4);
    const QStringList texts = {QStringLiteral("XinXiCHAXun"), QStringLiteral("GPSGuide"),
                               QStringLiteral("Favorite"), QStringLiteral("SystemMenu")};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(window.segment->button(i)->text(), texts.at(i));
    QCOMPARE(window.segment->value(), 0);
    QCOMPARE(window.pages->currentIndex(), 0);
    QVERIFY(window.holder);
    QCOMPARE(window.holder->parent(), &window);
    QCOMPARE(qvmHttpHolder::instance(), window.holder);
    QVERIFY(window.waitBox);
    QCOMPARE(kwdShowWait::instance(), window.waitBox);
    QVERIFY(window.waitBox->isHidden());
    QVERIFY(window.firstNewHouseCheck);
    QCOMPARE(window.popupOpacity, 1.0);
    QCOMPARE(window.trayAvailable, QSystemTrayIcon::isSystemTrayAvailable());
    QCOMPARE(window.tray != nullptr, window.trayAvailable);
}

void TestMainWindow::selectorDrivesPages_data()
{
    QTest::addColumn<int>("segment");
    QTest::newRow("around") << 1;
    QTest::newRow("favourites") << 2;
    QTest::newRow("system") << 3;
}

void TestMainWindow::selectorDrivesPages()
{
    QFETCH(int, segment);
    TestableWindow window;
    window.resize(360, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.segment->button(segment), Qt::LeftButton);
    QCOMPARE(window.segment->value(), segment);
    QCOMPARE(window.pages->currentIndex(), segment);
    QVERIFY(window.pages->widget(segment)->isVisible());
    QVERIFY(!window.pages->widget(0)->isVisible());
}

void TestMainWindow::trayMenu()
{
    TestableWindow window;
    QCOMPARE(window.actList->data().toInt(), 1);
    QCOMPARE(window.actSetting->data().toInt(), 2);
    QCOMPARE(window.actOpen->data().toInt(), 3);
    QCOMPARE(window.actExit->data().toInt(), 4);
    QCOMPARE(window.sourceMenu->title(), QStringLiteral("show source"));
    QCOMPARE(window.sourceMenu->actions(), (QList<QAction*>{window.actSetting, window.actList}));
    const QList<QAction*> items = window.trayMenu->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.at(0), window.actOpen);
    QCOMPARE(items.at(1), window.sourceMenu->menuAction());
    QVERIFY(items.at(2)->isSeparator());
    QCOMPARE(items.at(3), window.actExit);
}

void TestMainWindow::closeSettings_data()
{
    QTest::addColumn<QString>("onClose");
    QTest::addColumn<QString>("onQuit");
    QTest::addColumn<bool>("ask");
    QTest::addColumn<bool>("quitOnClose");
    QTest::addColumn<bool>("quitOnLastClosed");
    QTest::newRow("first start") << "0"
                                 << "0" << true << false << false;
    QTest::newRow("ask, last answer exit") << "0"
                                           << "1" << true << false << false;
    QTest::newRow("do not ask, tray") << "1"
                                      << "0" << false << false << true;
    QTest::newRow("do not ask, exit") << "1"
                                      << "1" << false << true << true;
    QTest::newRow("odd stored value") << "x"
                                      << "1" << false << true << true;
}

void TestMainWindow::closeSettings()
{
    QFETCH(QString, onClose);
    QFETCH(QString, onQuit);
    QFETCH(bool, ask);
    QFETCH(bool, quitOnClose);
    QFETCH(bool, quitOnLastClosed);
    storeCloseSettings(onClose, onQuit);
    TestableWindow window;
    QCOMPARE(window.askOnClose, ask);
    QCOMPARE(window.testAttribute(Qt::WA_QuitOnClose), quitOnClose);
    QCOMPARE(QApplication::quitOnLastWindowClosed(), quitOnLastClosed);
}

void TestMainWindow::closeAnswer_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("remind");
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("askAfter");
    QTest::addColumn<int>("quits");
    QTest::newRow("cancel") << true << 2 << 0 << 0 << int(MainWindow::CloseKeepOpen) << false << true << 0;
    QTest::newRow("tray, ask again") << true << 1 << 3 << 5 << int(MainWindow::CloseToTray) << true << true
                                     << 0;
    QTest::newRow("tray, do not ask")
        << true << 1 << 3 << 6 << int(MainWindow::CloseToTray) << true << false << 0;
    QTest::newRow("exit, ask again") << true << 1 << 4 << 5 << int(MainWindow::CloseAndQuit) << true << true
                                     << 1;
    QTest::newRow("exit, do not ask")
        << true << 1 << 4 << 6 << int(MainWindow::CloseAndQuit) << true << false << 1;
    // Without a tray a hidden window could never be shown again: the tray choice quits.
    QTest::newRow("no tray, tray choice")
        << false << 1 << 3 << 6 << int(MainWindow::CloseAndQuit) << true << false << 1;
    QTest::newRow("no tray, cancel") << false << 2 << 0 << 0 << int(MainWindow::CloseKeepOpen) << false
                                     << true << 0;
}

void TestMainWindow::closeAnswer()
{
    QFETCH(bool, tray);
    QFETCH(int, result);
    QFETCH(int, choice);
    QFETCH(int, remind);
    QFETCH(int, action);
    QFETCH(bool, accepted);
    QFETCH(bool, askAfter);
    QFETCH(int, quits);
    TestableWindow window;
    window.trayAvailable = tray;
    QVERIFY(window.askOnClose);
    QCloseEvent event;
    event.ignore();
    QCOMPARE(int(window.applyCloseAnswer(&event, result, choice, remind)), action);
    QCOMPARE(event.isAccepted(), accepted);
    QCOMPARE(window.askOnClose, askAfter);
    QCOMPARE(window.quits, quits);
}

void TestMainWindow::closeWithoutPrompt_data()
{
    QTest::addColumn<QString>("onQuit");
    QTest::addColumn<bool>("tray");
    QTest::addColumn<int>("action");
    QTest::newRow("tray") << "0" << true << int(MainWindow::CloseToTray);
    QTest::newRow("tray wanted, none there") << "0" << false << int(MainWindow::CloseAndQuit);
    QTest::newRow("exit") << "1" << true << int(MainWindow::CloseAndQuit);
}

void TestMainWindow::closeWithoutPrompt()
{
    QFETCH(QString, onQuit);
    QFETCH(bool, tray);
    QFETCH(int, action);
    storeCloseSettings(QStringLiteral("1"), onQuit);
    TestableWindow window;
    window.trayAvailable = tray;
    QVERIFY(!window.askOnClose);
    QCOMPARE(int(window.closeWithoutPrompt()), action);
    if (window.testAttribute(Qt::WA_QuitOnClose))
        return; // Closing would end the test run through Qt's own last-window rule.
    window.show();
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(window.quits, action == MainWindow::CloseAndQuit ? 1 : 0);
    QVERIFY(!window.closeHint);
}

void TestMainWindow::promptToTrayNotAgain()
{
    {
        TestableWindow window;
        window.trayAvailable = true;
        window.show();
        answerPromptLater(true, true, false);
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(window.quits, 0);
        QVERIFY(!window.askOnClose);
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnQuit).toString(), QStringLiteral("0"));
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnClose).toString(), QStringLiteral("1"));
        // The same run: the next close hides without asking.
        window.show();
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(window.quits, 0);
    }
    // The next start hides on close without asking.
    TestableWindow next;
    QVERIFY(!next.askOnClose);
    QVERIFY(!next.testAttribute(Qt::WA_QuitOnClose));
}

void TestMainWindow::promptExitNotAgain()
{
    {
        TestableWindow window;
        window.trayAvailable = true;
        window.show();
        answerPromptLater(false, true, false);
        QVERIFY(window.close());
        QCOMPARE(window.quits, 1);
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnQuit).toString(), QStringLiteral("1"));
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnClose).toString(), QStringLiteral("1"));
    }
    TestableWindow next;
    QVERIFY(!next.askOnClose);
    QVERIFY(next.testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(int(next.closeWithoutPrompt()), int(MainWindow::CloseAndQuit));
}

void TestMainWindow::promptCancelAsksAgain()
{
    TestableWindow window;
    window.trayAvailable = true;
    window.show();
    answerPromptLater(true, true, true);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QVERIFY(window.askOnClose);
    CloseHint* first = window.closeHint;
    QVERIFY(first);
    QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnClose).toString(), QStringLiteral("0"));
    // Asked again, with the same dialog and a fresh answer.
    answerPromptLater(true, false, false);
    QVERIFY(window.close());
    QCOMPARE(window.closeHint, first);
    QCOMPARE(window.closeHint->remind, int(CloseHint::AskAgain));
    QVERIFY(!window.isVisible());
    QVERIFY(window.askOnClose);
}

void TestMainWindow::trayActivation_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("shown");
    QTest::newRow("single click") << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << false;
    QTest::newRow("context") << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << false;
}

void TestMainWindow::trayActivation()
{
    QFETCH(int, reason);
    QFETCH(bool, shown);
    TestableWindow window;
    QVERIFY(!window.isVisible());
    window.trayIconActivated(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(window.isVisible(), shown);
}

void TestMainWindow::menuActions()
{
    TestableWindow window;
    window.actOpen->trigger();
    QVERIFY(window.isVisible());
    window.hide();
    window.segment->setValue(2);
    QCOMPARE(window.pages->currentIndex(), 2);
    window.actSetting->trigger();
    QVERIFY(window.isVisible());
    QCOMPARE(window.segment->value(), 0);
    QCOMPARE(window.pages->currentIndex(), 0);
    // The push subscription form of the search page is open.
    auto* source = qobject_cast<qvmWidgetSource*>(window.pages->widget(0));
    QVERIFY(source);
    QCOMPARE(source->currentPage(), int(qvmWidgetSource::PagePushCondition));
    window.hide();
    window.actList->trigger();
    QVERIFY(window.isVisible());
    QCOMPARE(window.quits, 0);
    window.actExit->trigger();
    QCOMPARE(window.quits, 1);
}

void TestMainWindow::ownRepliesAreForgotten()
{
    TestableWindow window;
    // Nothing listens on port 1: the request fails at once and still reaches the window.
    const int id = window.holder->get(QStringLiteral("http://127.0.0.1:1/kwdTT/notice"), &window);
    QVERIFY(id > 0);
    QTRY_VERIFY(!window.holder->request(id));
}

void TestMainWindow::usageReportOnAutomaticCheck_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::newRow("automatic check at start") << true;
    QTest::newRow("manual check") << false;
}

void TestMainWindow::usageReportOnAutomaticCheck()
{
    QFETCH(bool, automatic);
    kwdLocalService service;
    QVERIFY2(service.isRunning(), qPrintable(service.errorText()));
    TestableWindow window;
    // The automatic check is the one the window starts itself 200 ms after it was built.
    if (!automatic)
        window.check_update(false);
    const QString expected =
        QStringLiteral("sn=%1&flag=1&remark=symbian&version=1016").arg(qvmHttpHolder::deviceId());
    const QString url =
        kwdLocalService::statisticsBase() + QStringLiteral("/kwd/webservice/kwd_login.php?") + expected;
    auto reports = [&] {
        QStringList queries;
        for (const QJsonObject& entry : service.log()) {
            if (entry.value("path").toString() == QLatin1String("/kwd/webservice/kwd_login.php"))
                queries << entry.value("method").toString() + ' ' + entry.value("query").toString();
        }
        return queries;
    };
    if (!automatic) {
        // The report would have been started synchronously by the call.
        QVERIFY(!window.holder->requestByUrl(url));
        return;
    }
    QTRY_COMPARE(reports(), QStringList(QStringLiteral("GET ") + expected));
    // Nobody keeps the report's identifier: the window forgets the record when it completes.
    QTRY_VERIFY(!window.holder->requestByUrl(url));
}

void TestMainWindow::destructionSavesAndReleases()
{
    kwdStore* store = kwdStore::instance();
    QFile::remove(store->dataFile(QStringLiteral("finders")));
    QFile::remove(store->dataFile(QStringLiteral("newhousefinders")));
    QVERIFY(kwdDatabase::instance()->open(store->dataFile(QStringLiteral("kwdpersonal.db.sqlite"))));
    bool deleted = false;
    auto* window = new TestableWindow;
    window->seenListings.insert(QStringLiteral("42"), new ProbeItem(&deleted));
    delete window;
    QVERIFY(deleted);
    QVERIFY(QFile::exists(store->dataFile(QStringLiteral("finders"))));
    QVERIFY(QFile::exists(store->dataFile(QStringLiteral("newhousefinders"))));
    QVERIFY(!kwdDatabase::instance()->isOpen());
    QCOMPARE(kwdShowWait::instance(), nullptr);
}

void TestMainWindow::render()
{
    const QString skin = kwdStore::appFile(QStringLiteral("skin/default"));
    if (QFile::exists(skin + QStringLiteral("/style.css")))
        QVERIFY(kwdStartup::installStyleSheet(qApp, skin));
    TestableWindow window;
    window.resize(360, 640);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    QVERIFY(
        shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + QStringLiteral("/mainwindow.png")));
    QCOMPARE(shot.size(), QSize(360, 640));
    // The selector sits at the bottom across the full width; the pages take the rest.
    const QRect selector = window.segment->geometry();
    QCOMPARE(selector.bottom(), window.centralWidget()->height() - 1);
    QCOMPARE(selector.width(), 360);
    QVERIFY(window.pages->currentWidget()->height() > 500);
    qApp->setStyleSheet(QString());
}

// Runs last: ending the run leaves later event loops of this process returning at once.
void TestMainWindow::exitEndsTheLoopWithoutAsking()
{
    MainWindow window;
    window.show();
    QVERIFY(window.askOnClose);
    QEventLoop loop;
    QTimer::singleShot(0, window.actExit, &QAction::trigger);
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!window.closeHint);
    QVERIFY(window.isVisible());
}

KWD_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

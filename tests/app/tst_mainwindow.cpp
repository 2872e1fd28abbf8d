#include "closehint.h"
#include "kwddatabase.h"
#include "kwdmessage.h"
#include "kwdshowwait.h"
#include "kwdsplash.h"
#include "kwdstartup.h"
#include "kwdstartupprefetch.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "mainwindow.h"
#include "qvmdetailaction.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"
#include "titlebar.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
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

// Whether the tests' system tray is there: MainWindow asks through trayProbe (set by init).
bool trayShown = false;

// The stored "on quit" and "on close" values as "quit close", after writing `values` when given.
QString closeValues(const QString& values = QString())
{
    kwdStore* store = kwdStore::instance();
    if (!values.isEmpty()) {
        store->setConfig(kwdStore::cfgOnQuit, values.section(' ', 0, 0));
        store->setConfig(kwdStore::cfgOnClose, values.section(' ', 1));
    }
    return store->config(kwdStore::cfgOnQuit).toString() + ' ' +
           store->config(kwdStore::cfgOnClose).toString();
}

// Answers the close prompt as soon as it runs: "ok" after choosing (toTray -1: the form as it opens),
// "cancel", or "frame" (closed by the window frame).
void answerPromptLater(const QString& how, int toTray = 1, bool dontAsk = false)
{
    QTimer::singleShot(0, [=] {
        auto* hint = qobject_cast<CloseHint*>(QApplication::activeModalWidget());
        QVERIFY(hint);
        if (toTray >= 0) {
            (toTray ? hint->rdbmini : hint->rdbedit)->setChecked(true);
            hint->checkBox->setChecked(dontAsk);
        }
        if (how == "frame")
            hint->close();
        else
            (how == "ok" ? hint->btnok1 : hint->btncancel)->click();
    });
}

} // namespace

// Start-up (style sheet, catalogue, database, splash) and the main window: pages, tray and menu, the
// close decisions, the usage report, the render, and what its destruction saves.
class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QApplication::setQuitOnLastWindowClosed(true);
        trayShown = QSystemTrayIcon::isSystemTrayAvailable();
        MainWindow::trayProbe = [] { return trayShown; };
        closeValues(QStringLiteral("0 0"));
        kwdStore::instance()->load();
    }

    void cleanup()
    {
        MainWindow::trayProbe = &QSystemTrayIcon::isSystemTrayAvailable;
        qApp->setStyleSheet(QString());
        kwdDatabase::instance()->close();
    }

    void expandStyleSheet_data()
    {
        kwdColumns<QString, QString>("css", "expected");
        kwdRow("none", "QPushButton { color: red; }", "QPushButton { color: red; }");
        kwdRow("as written", "a { image: url(%currentPath%/x.png); }", "a { image: url(SKIN/x.png); }");
        kwdRow("upper case", "url(%CURRENTPATH%/x.png)", "url(SKIN/x.png)");
        kwdRow("mixed case, twice", "%CurrentPath%/a %currentpath%/b", "SKIN/a SKIN/b");
        kwdRow("incomplete", "%currentPath/x %current%", "%currentPath/x %current%");
    }

    void expandStyleSheet()
    {
        QFETCH(QString, css);
        QFETCH(QString, expected);
        // The replacement is absolute so that url() works from any working directory.
        QCOMPARE(kwdStartup::expandStyleSheet(css, "skin"),
                 expected.replace("SKIN", QDir("skin").absolutePath()));
    }

    void catalogueNextToProgram()
    {
        // The build lays the catalogue next to every executable; the working directory does not matter.
        const QString old = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        const bool present = QFile::exists(QCoreApplication::applicationDirPath() + "/kwdpersonal_zh.qm");
        if (!present)
            QTest::ignoreMessage(QtWarningMsg, "failed to load kwdpersonal_zh.qm");
        QCOMPARE(kwdStartup::installCatalogue(qApp), present);
        QDir::setCurrent(old);
        // Qt's own buttons read in Chinese next to ours.
        if (present)
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8("确定"));
    }

    void openDatabase_data()
    {
        QTest::addColumn<QString>("found"); // what stands where the database file should be
        for (const char* found : {"nothing", "directory", "garbage"}) // created, cannot be opened, made again
            QTest::newRow(found) << QString(found);
    }

    void openDatabase()
    {
        QFETCH(QString, found);
        const bool blocked = found == QLatin1String("directory");
        const QString path = kwdStore::instance()->dataFile(QStringLiteral("kwdpersonal.db.sqlite"));
        QFile::remove(path);
        QVERIFY(!blocked || QDir().mkpath(path));
        if (found == QLatin1String("garbage")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        kwdSplash splash(640);
        const QString before = splash.message;
        QCOMPARE(QList<bool>({kwdStartup::openDatabase(&splash), kwdDatabase::instance()->isOpen(),
                              QFileInfo(path).isFile()}),
                 QList<bool>(3, !blocked));
        // A failure is shown on the splash screen with the database's own words.
        QCOMPARE(splash.message,
                 blocked ? "本地数据库不可用...\n" + kwdDatabase::instance()->errorText() : before);
        QVERIFY(!blocked || QDir(path).removeRecursively());
        if (!blocked) {
            // The tables are there, and a second start finds them without creating anything.
            kwdDatabase::instance()->close();
            QSqlDatabase check =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            check.setDatabaseName(path);
            QVERIFY(check.open());
            QCOMPARE(check.tables().size(), 6);
            check.close();
            check = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("check"));
            QVERIFY(kwdDatabase::instance()->open(path));
        }
    }

    void startShowsMainWindow_data()
    {
        QTest::addColumn<bool>("ownPrefetch");
        kwdRow("prefetch made by start()", true);
        kwdRow("prefetch made before", false);
    }

    void startShowsMainWindow()
    {
        QFETCH(bool, ownPrefetch);
        {
            // A start-up that ends before the application is ready (self-check) must not hang.
            kwdStartupPrefetch abandoned;
        }
        kwdStartupPrefetch prefetch;
        MainWindow* window = kwdStartup::start(qApp, ownPrefetch ? nullptr : &prefetch);
        QVERIFY(window && window->isVisible());
        // The prefetch's own connection is gone; only the store's remains.
        QCOMPARE(QSqlDatabase::connectionNames().size(), 1);
        QVERIFY(kwdDatabase::instance()->isOpen() && !kwdStore::instance()->cities.isEmpty());
        // The splash screen goes once the window has painted.
        QTRY_VERIFY(std::none_of(QApplication::topLevelWidgets().cbegin(),
                                 QApplication::topLevelWidgets().cend(),
                                 [](QWidget* w) { return qobject_cast<kwdSplash*>(w); }));
        delete window;
        QVERIFY(!kwdDatabase::instance()->isOpen());
    }

    void menuAndTray()
    {
        TestableWindow window;
        // Without a system tray there is no tray icon.
        QCOMPARE(window.trayAvailable, QSystemTrayIcon::isSystemTrayAvailable());
        QCOMPARE(window.tray != nullptr, window.trayAvailable);
        // Only a single click on the tray icon shows the window.
        for (auto reason :
             {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context, QSystemTrayIcon::MiddleClick})
            window.trayIconActivated(reason);
        QVERIFY(!window.isVisible());
        window.trayIconActivated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        for (QAction* action : {window.actOpen, window.actSetting, window.actList}) {
            window.hide();
            window.segment->setValue(2);
            action->trigger();
            QVERIFY(window.isVisible());
        }
        // The setting entry opens the push subscription form of the search page.
        window.actSetting->trigger();
        QCOMPARE(window.pages->currentIndex(), 0);
        auto* source = qobject_cast<qvmWidgetSource*>(window.pages->widget(0));
        QVERIFY(source && source->currentPage() == qvmWidgetSource::PagePushCondition);
        window.actExit->trigger();
        QCOMPARE(window.quits, 1);
    }

    void messageOverTheWindow()
    {
        TestableWindow window;
        window.move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(kwdMessage::ownerWindow(), &window);
        QPoint boxCentre;
        int format = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->parentWidget() == &window);
            boxCentre = box->frameGeometry().center();
            format = box->textFormat();
            box->accept();
        });
        // A service text that looks like markup is shown as written, over the window.
        kwdMessage::information(QStringLiteral("Info"), QStringLiteral("<img src=\"http://x/\"><b>朝阳</b>"));
        QCOMPARE(format, int(Qt::PlainText));
        QVERIFY((boxCentre - window.frameGeometry().center()).manhattanLength() < 40);
    }

    void closeSettings_data()
    {
        QTest::addColumn<QString>("stored"); // on quit, on close: told not to ask
        QTest::addColumn<bool>("tray");      // at the start
        QTest::addColumn<bool>("trayNow");   // at the close
        QTest::addColumn<int>("action");
        const int tray = MainWindow::CloseToTray, minimized = MainWindow::CloseMinimized;
        kwdRow("tray", "0 1", true, true, tray);
        kwdRow("tray, none there", "0 1", false, false, minimized);
        kwdRow("tray, gone since", "0 1", true, false, minimized);
        kwdRow("tray, come since", "0 1", false, true, tray);
        kwdRow("exit", "1 1", true, true, int(MainWindow::CloseAndQuit));
        kwdRow("odd stored value", "1 x", true, true, int(MainWindow::CloseAndQuit));
    }

    // Without asking the window closes as the stored answer says, with the tray there is at the close
    // (the prompt's answers are stored and read back by closePrompt).
    void closeSettings()
    {
        QFETCH(QString, stored);
        QFETCH(bool, tray);
        QFETCH(bool, trayNow);
        QFETCH(int, action);
        closeValues(stored);
        trayShown = tray;
        TestableWindow window;
        QVERIFY(!window.askOnClose && QApplication::quitOnLastWindowClosed());
        trayShown = trayNow;
        QCOMPARE(int(window.closeWithoutPrompt()), action);
        QCOMPARE(window.testAttribute(Qt::WA_QuitOnClose), action == MainWindow::CloseAndQuit);
        if (action == MainWindow::CloseAndQuit)
            return; // Closing would end the test run through Qt's own last-window rule.
        window.show();
        // Without a tray the window goes to the task bar and the program keeps running.
        const bool minimized = action == MainWindow::CloseMinimized;
        QCOMPARE(window.close(), !minimized);
        QCOMPARE(QList<bool>({window.isVisible(), window.isMinimized(), !window.closeHint, !window.quits}),
                 QList<bool>({minimized, minimized, true, true}));
        // The push's desktop notification opens the new listings in the window again.
        window.onLookNewHouse();
        QVERIFY(window.isVisible() && !window.isMinimized());
        // A tray that came since the start gets its icon, so that a hidden window can come back.
        QCOMPARE(window.tray != nullptr, tray || trayNow);
    }

    void closePrompt_data()
    {
        kwdColumns<QString, bool, int, bool>("how", "tray", "toTray", "dontAsk");
        QTest::addColumn<QList<int>>("answer"); // result, choice, remind as the prompt records them
        QTest::addColumn<QString>("stored");    // on quit, on close; "x": not written
        kwdRow("as it opens", "ok", true, -1, false, QList<int>{1, 4, 5}, "1 0");
        kwdRow("exit, do not ask", "ok", true, 0, true, QList<int>{1, 4, 6}, "1 1");
        kwdRow("tray, ask again", "ok", true, 1, false, QList<int>{1, 3, 5}, "0 0");
        kwdRow("tray, do not ask", "ok", true, 1, true, QList<int>{1, 3, 6}, "0 1");
        kwdRow("cancelled", "cancel", true, 1, true, QList<int>{2, 0, 0}, "x x");
        // Without a tray, keeping the program running minimises the window.
        kwdRow("no tray, keep running", "ok", false, 1, true, QList<int>{1, 3, 6}, "0 1");
        kwdRow("no tray, exit", "ok", false, 0, false, QList<int>{1, 4, 5}, "1 0");
        kwdRow("no tray, cancelled", "cancel", false, 1, true, QList<int>{2, 0, 0}, "x x");
        kwdRow("closed by the frame", "frame", true, 1, true, QList<int>{2, 0, 0}, "x x");
    }

    void closePrompt()
    {
        QFETCH(QString, how);
        QFETCH(bool, tray);
        QFETCH(int, toTray);
        QFETCH(bool, dontAsk);
        const bool ok = how == "ok";
        const bool minimized = ok && toTray == 1 && !tray;
        {
            // The prompt asks for the tray when it shows: here it came or went since the start.
            trayShown = !tray;
            TestableWindow window;
            trayShown = tray;
            closeValues(QStringLiteral("x x")); // so that every write shows
            window.show();
            answerPromptLater(how, toTray, dontAsk);
            QCOMPARE(window.close(), ok && !minimized);
            QCOMPARE(QList<bool>({window.isVisible(), window.isMinimized()}),
                     QList<bool>({!ok || minimized, minimized}));
            CloseHint* first = window.closeHint;
            QCOMPARE(first->rdbmini->text(), tray ? QStringLiteral("最小化到系统托盘区，不退出程序")
                                                  : QStringLiteral("最小化窗口，不退出程序"));
            QTEST(QList<int>({first->result, first->choice, first->remind}), "answer");
            QTEST(closeValues(), "stored");
            QCOMPARE(window.quits, ok && toTray != 1 ? 1 : 0);
            QCOMPARE(window.askOnClose, !ok || !dontAsk);
            if (!ok) {
                // Asked again, with a fresh answer.
                answerPromptLater("ok", 0);
                QVERIFY(window.close() && window.closeHint->remind == CloseHint::AskAgain);
            } else if (toTray == 1 && dontAsk) {
                // The same run: the next close keeps running without asking.
                window.showNormal();
                QCOMPARE(window.close(), tray);
                QCOMPARE(window.quits, 0);
            }
            QCOMPARE(window.isVisible(), minimized);
        }
        // The next start closes the way the answer said, asking only when told to.
        TestableWindow next;
        QCOMPARE(next.askOnClose, !ok || !dontAsk);
        QCOMPARE(next.testAttribute(Qt::WA_QuitOnClose), ok && dontAsk && toTray != 1);
    }

    void destructionSavesAndReleases()
    {
        kwdStore* store = kwdStore::instance();
        const QStringList files = {store->dataFile("finders"), store->dataFile("newhousefinders")};
        for (const QString& file : files)
            QFile::remove(file);
        QVERIFY(kwdDatabase::instance()->open(store->dataFile(QStringLiteral("kwdpersonal.db.sqlite"))));
        delete new TestableWindow;
        QVERIFY(QFile::exists(files.at(0)) && QFile::exists(files.at(1)));
        QVERIFY(!kwdDatabase::instance()->isOpen());
        QCOMPARE(kwdShowWait::instance(), nullptr);
    }

    void render()
    {
        const QString skin = kwdStore::appFile(QStringLiteral("skin/default"));
        QVERIFY(kwdStartup::installStyleSheet(qApp, skin));
        TestableWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window) && !window.grab().isNull());
        // Each selector button shows its page.
        for (int segment = 1; segment < 4; ++segment) {
            QTest::mouseClick(window.segment->button(segment), Qt::LeftButton);
            QCOMPARE(window.pages->currentIndex(), segment);
            QVERIFY(window.pages->widget(segment)->isVisible() && !window.pages->widget(0)->isVisible());
        }
    }

    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("key"); // as QKeySequence reads it
        kwdColumns<bool, QString>("tray", "outcome");
        kwdRow("ctrl+2 around", "area", "Ctrl+2", false, "page 1");
        kwdRow("ctrl+3 favourites", "area", "Ctrl+3", false, "page 2");
        kwdRow("ctrl+4 system", "area", "Ctrl+4", false, "page 3");
        kwdRow("ctrl+1 search", "system", "Ctrl+1", false, "page 0");
        kwdRow("escape on the area page stays", "area", "Esc", false, "area");
        kwdRow("escape leaves the push list", "push", "Esc", false, "area");
        kwdRow("alt+left leaves the push list", "push", "Alt+Left", false, "area");
        kwdRow("backspace leaves the push list", "push", "Backspace", false, "area");
        kwdRow("escape closes the contact panel first", "contact", "Esc", false, "push");
        kwdRow("ctrl+f opens the condition form", "list", "Ctrl+F", false, "condition");
        kwdRow("escape closes the condition form", "condition", "Esc", false, "results");
        kwdRow("f5 asks again", "list", "F5", false, "asking");
        kwdRow("ctrl+r asks again", "list", "Ctrl+R", false, "asking");
        kwdRow("ctrl+q quits", "area", "Ctrl+Q", false, "quit");
        kwdRow("ctrl+w hides to the tray", "area", "Ctrl+W", true, "hidden");
        kwdRow("ctrl+w without a tray stays", "area", "Ctrl+W", false, "area");
    }

    void keys()
    {
        QFETCH(QString, start);
        QFETCH(QString, key);
        QFETCH(bool, tray);
        QFETCH(QString, outcome);
        trayShown = tray;
        // Every request fails at once: nobody listens on the proxy's port.
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), 9));
        // Kept by the caller, as the window keeps its announced rows; it outlives the window.
        qvmSaleItem row;
        row.id = QStringLiteral("s1");
        row.name = QStringLiteral("House s1");
        TestableWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* source = qobject_cast<qvmWidgetSource*>(window.pageContent(0));
        if (start == "system") {
            window.segment->setValue(3);
        } else if (start == "push" || start == "contact") {
            source->showPushResults({&row}, 2);
            QTRY_VERIFY(!source->resultView()->isAnimating());
            if (start == "contact")
                source->resultView()->detailAction()->offer(row.name, QStringLiteral("13800000000"),
                                                            QRect(0, 0, 300, 100), row.name, true);
        } else if (start == "list" || start == "condition") {
            // The list of the current search, whose request fails at once (nobody listens there).
            source->onSearchFromAreaView(false);
            QTRY_VERIFY(source->resultView()->pageCount() == 1 &&
                        source->resultView()->pendingRequests().isEmpty());
            QTRY_VERIFY(source->titleBar()->conditionButton()->isVisible());
            if (start == "condition")
                QTest::keySequence(&window, QKeySequence(Qt::CTRL | Qt::Key_F));
        }
        qvmResultView* view = source->resultView();
        const int requestsBefore = int(view->pendingRequests().size());
        QTest::keySequence(&window, QKeySequence(key));
        if (outcome.startsWith("page ")) {
            QCOMPARE(window.pages->currentIndex(), outcome.mid(5).toInt());
            const QString title = window.segment->button(window.pages->currentIndex())->text();
            QVERIFY2(window.windowTitle().contains(title), qPrintable(window.windowTitle()));
        } else if (outcome == "area") {
            QCOMPARE(window.pages->currentIndex(), 0);
            QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageArea));
            QVERIFY(window.isVisible());
        } else if (outcome == "push") {
            QVERIFY(!dynamic_cast<QWidget*>(view->detailAction())->isVisible());
            QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageResults));
            QCOMPARE(view->pageCount(), 1);
        } else if (outcome == "condition") {
            QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageCondition));
        } else if (outcome == "results") {
            QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageResults));
        } else if (outcome == "asking") {
            QVERIFY(view->pendingRequests().size() > requestsBefore);
        } else if (outcome == "quit") {
            QCOMPARE(window.quits, 1);
        } else if (outcome == "hidden") {
            QVERIFY(!window.isVisible());
        }
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }

    void everyButtonNamed()
    {
        // Every page built and shown once, then every button of the window read as a screen reader does.
        TestableWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int i = 0; i < window.pages->count(); ++i) {
            window.segment->setValue(i);
            QVERIFY(window.pageContent(i));
        }
        window.segment->setValue(0);
        const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
        QVERIFY(buttons.size() > 10);
        QStringList unnamed;
        for (QAbstractButton* button : buttons) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
            QVERIFY(iface);
            if (iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << button->objectName() + " of " + button->parent()->metaObject()->className();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        // The main pages read as radio buttons with their titles, the chosen one checked.
        for (int i = 0; i < window.segment->count(); ++i) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window.segment->button(i));
            QCOMPARE(iface->role(), QAccessible::RadioButton);
            QCOMPARE(iface->text(QAccessible::Name), window.segment->button(i)->text());
            QCOMPARE(bool(iface->state().checked), i == 0);
        }
    }

    void geometryKept_data()
    {
        kwdColumns<QRect, bool>("saved", "restored");
        kwdRow("fits the screen", QRect(20, 30, 300, 400), true);
        kwdRow("beyond every screen", QRect(20000, 30, 300, 400), false);
        kwdRow("larger than every screen", QRect(0, 0, 30000, 30000), false);
    }

    void geometryKept()
    {
        QFETCH(QRect, saved);
        QFETCH(bool, restored);
        {
            TestableWindow first;
            first.setGeometry(saved);
        } // its destruction keeps the place
        QCOMPARE(kwdStore::instance()->config(kwdStore::cfgWindowGeometry).toRect(), saved);
        TestableWindow second;
        second.resize(360, 640);
        QCOMPARE(second.restoreWindowGeometry(), restored);
        QCOMPARE(second.geometry() == saved, restored);
    }

    void exitEndsTheLoopWithoutAsking()
    {
        MainWindow window;
        window.show();
        // The first start asks; the program keeps running until the prompt is answered.
        QVERIFY(window.askOnClose && !QApplication::quitOnLastWindowClosed());
        QEventLoop loop;
        QTimer::singleShot(0, window.actExit, &QAction::trigger);
        QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!window.closeHint);
        QVERIFY(window.isVisible());
    }
};

// Runs last: ending the run leaves later event loops of this process returning at once.
KWD_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

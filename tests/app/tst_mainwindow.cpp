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

// Start-up (style sheet, database, splash) and the main window: pages, tray and menu, the
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
        kwdRow("as written", "a { image: url(%currentPath%/x.png); }", "a { image: url(SKIN/x.png); }");
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

    void openDatabase_data()
    {
        QTest::addColumn<bool>("blocked");
        kwdRow("a directory in the way: the start goes on without", true);
        kwdRow("not a database: made again", false);
    }

    void openDatabase()
    {
        QFETCH(bool, blocked);
        const QString path = kwdStore::instance()->dataFile(QStringLiteral("kwdpersonal.db.sqlite"));
        QFile::remove(path);
        QFile file(path);
        QVERIFY(blocked ? QDir().mkpath(path)
                        : file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')));
        file.close();
        kwdSplash splash(640);
        const QString before = splash.message;
        QCOMPARE(QList<bool>({kwdStartup::openDatabase(&splash), kwdDatabase::instance()->isOpen(),
                              QFileInfo(path).isFile()}),
                 QList<bool>(3, !blocked));
        // A failure is shown on the splash screen with the database's own words.
        QCOMPARE(splash.message,
                 blocked ? "本地数据库不可用...\n" + kwdDatabase::instance()->errorText() : before);
        QVERIFY(!blocked || QDir(path).removeRecursively());
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
        // The catalogue is in: Qt's own buttons read in Chinese next to ours.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8("确定"));
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
        QCOMPARE(window.tray != nullptr, QSystemTrayIcon::isSystemTrayAvailable());
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
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(kwdMessage::ownerWindow(), &window);
        int format = -1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->parentWidget() == &window);
            format = box->textFormat();
            box->accept();
        });
        // A service text that looks like markup is shown as written, over the window.
        kwdMessage::information(QStringLiteral("Info"), QStringLiteral("<img src=\"http://x/\"><b>朝阳</b>"));
        QCOMPARE(format, int(Qt::PlainText));
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
            // Its choice names the tray only where there is one.
            QCOMPARE(first->rdbmini->text().contains(QStringLiteral("托盘")), tray);
            QTEST(QList<int>({first->result, first->choice, first->remind}), "answer");
            QTEST(closeValues(), "stored");
            QCOMPARE(window.quits, ok && toTray != 1 ? 1 : 0);
            QCOMPARE(window.askOnClose, !ok || !dontAsk);
            bool visible = minimized;
            if (!ok) {
                // Asked again, with a fresh answer.
                answerPromptLater("ok", 0);
                QVERIFY(window.close() && window.closeHint->remind == CloseHint::AskAgain);
            } else if (toTray == 1 && dontAsk) {
                // The same run: the next close keeps running without asking, as the tray is at that
                // close (gone or come since); a tray that came gets its icon, so the window can come back.
                trayShown = !tray;
                window.showNormal();
                QCOMPARE(window.close(), !tray);
                QVERIFY(window.tray && !window.quits);
                visible = tray;
            }
            QCOMPARE(QList<bool>({window.isVisible(), window.isMinimized()}), QList<bool>(2, visible));
        }
        // The next start closes the way the answer said, asking only when told to.
        TestableWindow next;
        QCOMPARE(next.askOnClose, !ok || !dontAsk);
        QCOMPARE(next.testAttribute(Qt::WA_QuitOnClose), ok && dontAsk && toTray != 1);
    }

    void destructionSavesAndReleases_data()
    {
        kwdColumns<QRect, bool>("saved", "restored");
        kwdRow("place fits the screen", QRect(20, 30, 300, 400), true);
        kwdRow("place beyond every screen", QRect(20000, 30, 300, 400), false);
    }

    void destructionSavesAndReleases()
    {
        QFETCH(QRect, saved);
        kwdStore* store = kwdStore::instance();
        const QStringList files = {store->dataFile("finders"), store->dataFile("newhousefinders")};
        for (const QString& file : files)
            QFile::remove(file);
        QVERIFY(kwdDatabase::instance()->open(store->dataFile(QStringLiteral("kwdpersonal.db.sqlite"))));
        {
            TestableWindow first;
            first.setGeometry(saved);
        }
        QVERIFY(QFile::exists(files.at(0)) && QFile::exists(files.at(1)));
        QVERIFY(!kwdDatabase::instance()->isOpen() && !kwdShowWait::instance());
        // The next start takes the place back only where it is whole on a screen.
        TestableWindow second;
        QTEST(second.restoreWindowGeometry(), "restored");
        QTEST(second.geometry() == saved, "restored");
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
        // Every page built and shown once: every button of the window has a name for a screen reader.
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
    }

    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("key"); // as QKeySequence reads it
        kwdColumns<bool, QString>("tray", "outcome");
        kwdRow("ctrl+3 favourites", "area", "Ctrl+3", false, "page 2");
        kwdRow("ctrl+1 search", "system", "Ctrl+1", false, "page 0");
        kwdRow("escape on the area page stays", "area", "Esc", false, "area");
        kwdRow("escape leaves the push list", "push", "Esc", false, "area");
        kwdRow("escape closes the contact panel first", "contact", "Esc", false, "push");
        kwdRow("ctrl+f opens the condition form", "list", "Ctrl+F", false, "condition");
        kwdRow("escape closes the condition form", "condition", "Esc", false, "results");
        kwdRow("f5 asks again", "list", "F5", false, "asking");
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

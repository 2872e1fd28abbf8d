#include "kwdcheckbonus.h"
#include "kwddevice.h"
#include "kwdlocalservice.h"
#include "kwdmessage.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "kwdupdatehandler.h"
#include "mainwindow.h"
#include "qvmhttpholder.h"
#include "qvmnotice.h"
#include "qvmsystem.h"
#include "qvmwidgetsystem.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QtTest>

namespace {
const QString timeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString updatePath = QStringLiteral("/update/kwdpersonal_win32.xml");
const QString prizePath = QStringLiteral("/kwd/webservice/kwdsnprize.php");
const QString countPath = QStringLiteral("/kwd/webservice/kwdsnview.php");
const QString reportPath = QStringLiteral("/kwd/webservice/kwd_login.php");
// The usage report as the window sends it.
QString reportUrl()
{
    return kwdLocalService::statisticsBase() + reportPath + "?sn=" + kwdDevice::id() +
           "&flag=1&remark=symbian&version=1016";
}
const char* schemes[] = {"http", "https", "file"};
} // namespace

// The main window's background checks against the local service: the update check (interval,
// stored build, manual check, prompt), the prize draw (from start and from the menu, prizeFlag and
// the menu's entry), the notice panel, and which addresses reach the desktop.
class TestBackgroundChecks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        for (const char* scheme : schemes)
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void init()
    {
        opened.clear();
        messages.clear();
        service->clearFaults();
        QVERIFY(service->get(kwdLocalService::controlHost() + "/prize/clear").status == 200);
        service->clearLog();
        kwdStore* store = kwdStore::instance();
        store->setConfig(kwdStore::cfgUpdateInterval, 1);
        store->setConfig(kwdStore::cfgLastUpdateBuild, 1016);
        // Held off unless a test says otherwise, so that the window's own check at start stays quiet.
        store->setConfig(kwdStore::cfgLastUpdate, QDateTime::currentDateTime().toString(timeFormat));
    }

    void cleanupTestCase()
    {
        kwdMessage::setHook({});
        for (const char* scheme : schemes)
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        delete service;
    }

    void automaticUpdateCheck_data()
    {
        kwdColumns<QString, int, int, bool, int>("last", "storedBuild", "serverBuild", "asks", "announced");
        const QDateTime now = QDateTime::currentDateTime();
        kwdRow("first start", QString(), 1016, 1017, true, 1017);
        // Earlier today, whatever the hour: the interval counts calendar days.
        kwdRow("inside the interval", QDateTime(now.date(), QTime(0, 0)).toString(timeFormat), 1016, 1017,
               false, 0);
        kwdRow("stored build again", now.addDays(-2).toString(timeFormat), 1020, 1020, true, 0);
        kwdRow("above the stored build", now.addDays(-2).toString(timeFormat), 1020, 1021, true, 1021);
        kwdRow("stored time ahead", now.addDays(30).toString(timeFormat), 1016, 1017, true, 1017);
        kwdRow("unreadable stored time", QStringLiteral("someday"), 1016, 1017, true, 1017);
    }

    void automaticUpdateCheck()
    {
        QFETCH(QString, last);
        QFETCH(int, storedBuild);
        QFETCH(bool, asks);
        QFETCH(int, announced);
        kwdStore* store = kwdStore::instance();
        if (last.isEmpty())
            QSettings("Nordal", "personal").remove("General/cfgLastUpdate");
        else
            store->setConfig(kwdStore::cfgLastUpdate, last);
        store->setConfig(kwdStore::cfgLastUpdateBuild, storedBuild);
        QVERIFY(service->setUpdate(kwdData<int>("serverBuild"), "1.2.0", "2026-11-30",
                                   "http://www.kwd.test/kwd.exe"));
        const QString before = lastUpdate();

        // The window's own check 200 ms after it was built; the usage report and the prize check go
        // out whether or not the update is asked for.
        MainWindow window;
        window.resize(360, 640);
        QTRY_COMPARE(logged(reportPath), 1);
        QCOMPARE(service->log(reportPath).first().value("query").toString(), reportUrl().section('?', 1));
        // Nobody keeps the report's identifier: the window forgets the record when it completes.
        QTRY_VERIFY(!window.holder->requestByUrl(reportUrl()));
        QTRY_COMPARE(logged(prizePath), 1);
        if (asks)
            QTRY_COMPARE(logged(updatePath), 1);
        QTRY_COMPARE(window.updateRequest, 0);
        QCOMPARE(logged(updatePath), asks ? 1 : 0);
        QCOMPARE(lastUpdate() != before, asks);
        QCOMPARE(store->config(kwdStore::cfgLastUpdateBuild).toInt(), announced ? announced : storedBuild);
        QCOMPARE(window.updateHandler != nullptr, announced != 0);
        if (announced)
            QVERIFY(window.updateHandler->lblInfo->text().contains("1.2.0"));
    }

    void cancelledAnnouncementsAndManualCheck()
    {
        const QString longAgo = QStringLiteral("2020-01-01 00:00:00");
        kwdStore* store = kwdStore::instance();
        MainWindow window;
        window.resize(360, 640);
        QVERIFY(service->setUpdate(1020, "1.2.0", "2026-11-30", "http://www.kwd.test/1020.exe"));
        store->setConfig(kwdStore::cfgLastUpdate, longAgo);
        runCheck(window, true);
        QVERIFY(window.updateHandler);
        window.updateHandler->btnClose->click();
        QVERIFY(!window.updateHandler);
        // The cancelled build is not announced by the next automatic check, but by a manual one.
        store->setConfig(kwdStore::cfgLastUpdate, longAgo);
        runCheck(window, true);
        QVERIFY(!window.updateHandler);
        QTRY_VERIFY(!window.holder->requestByUrl(reportUrl()));
        runCheck(window, false, [&] { QVERIFY(!window.holder->requestByUrl(reportUrl())); });
        QVERIFY(window.updateHandler && window.updateHandler->lblInfo->text().contains("1.2.0"));
        window.updateHandler->btnClose->click();

        QVERIFY(service->setUpdate(1021, "1.2.1", "2026-12-01", "http://www.kwd.test/1021.exe"));
        store->setConfig(kwdStore::cfgLastUpdate, longAgo);
        runCheck(window, true);
        QVERIFY(window.updateHandler && window.updateHandler->lblInfo->text().contains("1.2.1"));
        QCOMPARE(store->config(kwdStore::cfgLastUpdateBuild).toInt(), 1021);
        window.updateHandler->btnGoUpdate->click();
        QCOMPARE(opened, QList<QUrl>{QUrl("http://www.kwd.test/1021.exe")});
        QVERIFY(!window.updateHandler);
    }

    void manualUpdateCheck_data()
    {
        kwdColumns<int, QString, QString, QString, bool>("build", "url", "fault", "text", "opens");
        kwdRow("nothing new", 1016, "http://www.kwd.test/a.exe", "", "You have latest app", false);
        kwdRow("server error", 1017, "http://www.kwd.test/a.exe", "500", "Check update failed", false);
        kwdRow("announced", 1017, "https://www.kwd.test/a.exe", "", "Found new version: ", true);
        kwdRow("address starting a program", 1017, "file:///usr/bin/xterm", "", "Found new version: ", false);
    }

    void manualUpdateCheck()
    {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        QFETCH(bool, opens);
        QVERIFY(service->setUpdate(kwdData<int>("build"), "1.1.7", "2026-12-01", kwdData<QString>("url")));
        if (!fault.isEmpty())
            QVERIFY(service->setFault(QString(), updatePath, fault));
        MainWindow window;
        window.resize(360, 640);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.check_update(false);
        kwdUpdateHandler* prompt = window.updateHandler;
        QVERIFY(prompt && prompt->isVisible());
        QCOMPARE(prompt->lblInfo->text(), QStringLiteral("Checking Update..."));
        QTRY_COMPARE(window.updateRequest, 0);
        QVERIFY(prompt->lblInfo->text().startsWith(text));
        const bool offers = text.startsWith("Found");
        QCOMPARE(prompt->btnGoUpdate->isVisible(), offers);
        QCOMPARE(prompt->btnClose->text(), offers ? QStringLiteral("Cancel Update") : QStringLiteral("OK"));
        // Risen to ten rows above the bottom edge, centred, no wider than three quarters of the window.
        QTRY_COMPARE(prompt->slide->state(), QAbstractAnimation::Stopped);
        QCOMPARE(prompt->geometry(), QRect((360 - prompt->width()) / 2, 630 - prompt->height(),
                                           prompt->width(), prompt->height()));
        QVERIFY(prompt->width() <= 270);
        (offers ? prompt->btnGoUpdate : prompt->btnClose)->click();
        QCOMPARE(opened.size(), opens ? 1 : 0);
        // An address that is not a web page is refused, and the user is told so.
        QCOMPARE(messages.size(), offers && !opens ? 1 : 0);
    }

    void prizeReply_data()
    {
        // panel: "prize", "counts" or "" (not shown)
        kwdColumns<bool, QString, QString, QString, QString, QString>("automatic", "status", "prize",
                                                                      "claimed", "flag", "panel");
        kwdRow("automatic, unclaimed prize", true, "true", "<b>MP3</b>", "false", "1", "prize");
        kwdRow("automatic, FALSE in capitals", true, "true", "MP3", "FALSE", "1", "prize");
        kwdRow("automatic, claimed prize", true, "true", "MP3", "true", "1", "");
        kwdRow("automatic, draw closed", true, "false", "", "false", "0", "");
        kwdRow("manual, nothing won", false, "TRUE", "", "false", "1", "counts");
        kwdRow("manual, reply without status", false, "none", "", "false", "0", "counts");
    }

    void prizeReply()
    {
        QFETCH(bool, automatic);
        QFETCH(QString, prize);
        QFETCH(QString, flag);
        QFETCH(QString, panel);
        QVERIFY(service->setPrizeStatus(kwdData<QString>("status")));
        QVERIFY(service->setPrize(kwdDevice::id(), prize, "K-17", kwdData<QString>("claimed")));
        kwdStore::instance()->setConfig(kwdStore::prizeFlag, flag == "1" ? "0" : "1");
        MainWindow window;
        window.resize(360, 640);
        window.show();
        // The automatic check is the window's own at start; the manual one follows it, from the menu.
        QTRY_COMPARE(logged(prizePath), 1);
        if (!automatic) {
            QTRY_COMPARE(window.prizeRequests[0], 0);
            service->clearLog();
            // A second press while the first is pending sends nothing.
            menuOf(window)->btnBonus->click();
            menuOf(window)->btnBonus->click();
            QVERIFY(window.bonus && window.bonus->isVisible());
            QCOMPARE(window.bonus->label->text(), QStringLiteral("Querying..."));
        }
        QTRY_VERIFY(window.prizeRequests[0] == 0 && window.prizeRequests[1] == 0);
        QCOMPARE(logged(prizePath), 1);
        QCOMPARE(kwdStore::instance()->config(kwdStore::prizeFlag).toString(), flag);
        QCOMPARE(logged(countPath), panel == "counts" ? 1 : 0);
        QCOMPARE(window.bonus && window.bonus->isVisible(), !panel.isEmpty());
        if (!panel.isEmpty()) {
            const QString text = window.bonus->label->text();
            QCOMPARE(text.contains("Congratulation!!!"), panel == "prize");
            QCOMPARE(text.contains("Your day time:"), panel == "counts");
            // The service's texts are shown, never taken as markup.
            QVERIFY(text.contains(prize.toHtmlEscaped()));
            QCOMPARE(window.bonus->geometry(),
                     QRect(1, 638 - window.bonus->height(), 358, window.bonus->height()));
        }
        // The prize entry of the menu follows the reply the next time the menu is shown.
        window.pages->setCurrentIndex(3);
        QTRY_VERIFY(menuOf(window)->isVisible());
        QCOMPARE(menuOf(window)->btnBonus->isVisible(), flag == "1");
    }

    void notice_data()
    {
        kwdColumns<QString, QString, bool, bool>("ishave", "link", "shown", "opens");
        kwdRow("notice with a link", "true", "http://www.kwd.test/notice.html", true, true);
        kwdRow("any text but false", "1", "https://www.kwd.test/n", true, true);
        kwdRow("false", "false", "http://www.kwd.test/notice.html", false, false);
        kwdRow("no link", "true", "", false, false);
        kwdRow("link to a local file", "true", "file:///etc/passwd", true, false);
    }

    void notice()
    {
        QFETCH(QString, link);
        QFETCH(bool, shown);
        QFETCH(bool, opens);
        QVERIFY(service->setNotice(link, kwdData<QString>("ishave")));
        qvmHttpHolder holder;
        QWidget window;
        window.resize(360, 640);
        window.show();
        qvmnotice panel(&window);
        panel.check();
        const int id = panel.requestId;
        panel.check();
        QCOMPARE(panel.requestId, id);
        QTRY_VERIFY(id > 0 && !holder.request(id));
        QCOMPARE(service->log().size(), 1);
        QCOMPARE(panel.isVisible(), shown);
        if (shown) {
            QTRY_COMPARE(panel.slide->state(), QAbstractAnimation::Stopped);
            QCOMPARE(panel.geometry().bottom(), 629);
            panel.btnNoticeCtl->click();
            QVERIFY(!panel.isVisible());
        }
        QCOMPARE(opened, opens ? QList<QUrl>{QUrl(link)} : QList<QUrl>());
        QCOMPARE(messages.size(), shown && !opens ? 1 : 0);
    }

public Q_SLOTS:
    // Takes the addresses handed to the desktop instead of starting a browser.
    void open(const QUrl& url) { opened << url; }

private:
    int logged(const QString& path) const { return int(service->log(path).size()); }
    // Runs an update check and waits until its reply was handled.

    // `then` runs right after the check was started.
    void runCheck(MainWindow& window, bool automatic, const std::function<void()>& then = {})
    {
        const int before = logged(updatePath);
        window.check_update(automatic);
        if (then)
            then();
        QTRY_COMPARE(logged(updatePath), before + 1);
        QTRY_COMPARE(window.updateRequest, 0);
    }
    static QString lastUpdate() { return kwdStore::instance()->config(kwdStore::cfgLastUpdate).toString(); }
    static qvmSystem* menuOf(MainWindow& window)
    {
        return static_cast<qvmWidgetSystem*>(window.pageContent(3))->menu;
    }

    kwdLocalService* service = nullptr;
    QList<QUrl> opened;
    QStringList messages;
};

KWD_TEST_MAIN(TestBackgroundChecks)
#include "tst_backgroundchecks.moc"

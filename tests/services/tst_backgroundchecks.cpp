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
#include <QPushButton>
#include <QtTest>

namespace {
const QString timeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString updatePath = QStringLiteral("/update/kwdpersonal_win32.xml");
const QString prizePath = QStringLiteral("/kwd/webservice/kwdsnprize.php");
const QString countPath = QStringLiteral("/kwd/webservice/kwdsnview.php");
const QString reportPath = QStringLiteral("/kwd/webservice/kwd_login.php");
const char* schemes[] = {"http", "https", "file"};
} // namespace

// The main window's background checks against the local service: the update check (interval,
// stored build, manual check, prompt), the prize draw (from start and from the menu, and prizeFlag),
// the notice panel, and which addresses reach the desktop.
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

    void updateCheck_data()
    {
        // byHand: from the menu after the window's own check at start, else that check; heldOff: an
        // automatic check, held off by the interval, comes before the answer to the one by hand; last: the
        // time of the last check ("": none); prompt: how the prompt's text begins ("": no prompt).
        kwdColumns<bool, bool, QString, int, int, QString, bool, QString>(
            "byHand", "heldOff", "last", "stored", "server", "url", "asks", "prompt");
        const QDateTime now = QDateTime::currentDateTime();
        const QString today = now.toString(timeFormat);
        const QString ago = now.addDays(-2).toString(timeFormat);
        const QString web = QStringLiteral("https://www.kwd.test/a.exe");
        const QString found = QStringLiteral("Found new version: 1.2.0");
        kwdRow("first start", false, false, QString(), 1016, 1017, web, true, found);
        // Earlier today, whatever the hour: the interval counts calendar days.
        kwdRow("inside the interval", false, false, QDateTime(now.date(), QTime(0, 0)).toString(timeFormat),
               1016, 1017, web, false, "");
        kwdRow("stored build again", false, false, ago, 1020, 1020, web, true, "");
        kwdRow("stored time ahead", false, false, now.addDays(30).toString(timeFormat), 1016, 1017, web, true,
               found);
        kwdRow("nothing new", true, false, today, 1017, 1016, web, true, "You have latest app");
        // Build 1017 was announced before and cancelled: a check by hand offers it again all the same.
        kwdRow("announced before", true, false, today, 1017, 1017, web, true, found);
        // Judged as the check by hand it answers, not as the automatic check that came meanwhile.
        kwdRow("announced before, automatic check meanwhile", true, true, today, 1017, 1017, web, true,
               found);
        kwdRow("address starting a program", true, false, today, 1017, 1017, "file:///usr/bin/xterm", true,
               found);
    }

    void updateCheck()
    {
        QFETCH(QString, last);
        QFETCH(int, stored);
        QFETCH(int, server);
        QFETCH(QString, url);
        QFETCH(bool, asks);
        QFETCH(QString, prompt);
        kwdStore* store = kwdStore::instance();
        if (last.isEmpty())
            QSettings("Nordal", "personal").remove("General/cfgLastUpdate");
        else
            store->setConfig(kwdStore::cfgLastUpdate, last);
        store->setConfig(kwdStore::cfgLastUpdateBuild, stored);
        QVERIFY(service->setUpdate(server, "1.2.0", "2026-11-30", url));
        const QString before = lastUpdate();

        // The window's own check 200 ms after it was built; the usage report goes out whether or not
        // the update is asked for. A check by hand sends no report.
        MainWindow window;
        window.show();
        QTRY_COMPARE(logged(reportPath), 1);
        QCOMPARE(service->log(reportPath).first().value("query").toString(),
                 "sn=" + kwdDevice::id() + "&flag=1&remark=symbian&version=1016");
        if (kwdData<bool>("byHand")) {
            window.check_update(false);
            if (kwdData<bool>("heldOff"))
                window.check_update(true);
        } else
            QCOMPARE(lastUpdate() != before, asks);
        QTRY_COMPARE(window.updateRequest, 0);
        QCOMPARE(logged(updatePath), asks ? 1 : 0);
        QCOMPARE(logged(reportPath), kwdData<bool>("heldOff") ? 2 : 1);
        const bool offers = prompt.startsWith("Found");
        QCOMPARE(store->config(kwdStore::cfgLastUpdateBuild).toInt(), offers ? server : stored);
        kwdUpdateHandler* handler = window.updateHandler;
        QCOMPARE(handler != nullptr, !prompt.isEmpty());
        if (!handler)
            return;
        QVERIFY2(handler->lblInfo->text().startsWith(prompt), qPrintable(handler->lblInfo->text()));
        QCOMPARE(handler->btnGoUpdate->isVisible(), offers);
        (offers ? handler->btnGoUpdate : handler->btnClose)->click();
        const bool opens = offers && url.startsWith("http");
        QCOMPARE(opened, opens ? QList<QUrl>{QUrl(url)} : QList<QUrl>());
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
        window.show();
        // The automatic check is the window's own at start; the manual one follows it, from the menu.
        QTRY_COMPARE(logged(prizePath), 1);
        if (!automatic) {
            QTRY_COMPARE(window.prizeRequests[0], 0);
            service->clearLog();
            // A second press while the first is pending sends nothing.
            menuOf(window)->btnBonus->click();
            menuOf(window)->btnBonus->click();
        }
        QTRY_VERIFY(window.prizeRequests[0] == 0 && window.prizeRequests[1] == 0);
        QCOMPARE(logged(prizePath), 1);
        QCOMPARE(kwdStore::instance()->config(kwdStore::prizeFlag).toString(), flag);
        QCOMPARE(logged(countPath), panel == "counts" ? 1 : 0);
        QCOMPARE(window.bonus && window.bonus->isVisible(), !panel.isEmpty());
        if (!panel.isEmpty()) {
            // The service's texts are shown, never taken as markup.
            QVERIFY(window.bonus->label->text().contains(prize.toHtmlEscaped()));
        }
    }

    void notice_data()
    {
        kwdColumns<QString, QString, bool, bool>("ishave", "link", "shown", "opens");
        kwdRow("any text but false", "1", "http://www.kwd.test/notice.html", true, true);
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
        window.show();
        qvmnotice panel(&window);
        // A second check while the first is pending asks nothing.
        panel.check();
        const int id = panel.requestId;
        panel.check();
        QTRY_VERIFY(id > 0 && !holder.request(id));
        QCOMPARE(service->log().size(), 1);
        QCOMPARE(panel.isVisible(), shown);
        if (shown) {
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

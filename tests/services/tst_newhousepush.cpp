#include "kwdannouncedlistings.h"
#include "kwddesktopnotifier.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdmessage.h"
#include "kwdnewhousecondition.h"
#include "kwdnewhousereply.h"
#include "kwdnewhouses.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "mainwindow.h"
#include "qvmgraphicsitem.h"
#include "qvmlistitem.h"
#include "qvmresultview.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// Fixed data and clock, so that two processes see the same listings.
const QStringList serviceArguments = {"--seed", "7", "--now", "2026-12-01T08:00:00"};
const QString saleQuery = QStringLiteral("/kwdTT/forsalequery");

QStringList list(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// A result document of the given tag with one record per identifier; "id@hh" adds a publication
// time on 2026-12-01 at that hour, "id+co" an agency with an identifier of its own.
QByteArray document(const char* ids, const QString& type = "forsale", const QString& tag = "forsale")
{
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><resultlist type=\"%1\">").arg(type);
    for (const QString& entry : list(ids)) {
        const QString id = entry.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('+'), 0, 0);
        QString extra;
        if (entry.contains(QLatin1Char('@')))
            extra = QStringLiteral("<publish>2026-12-01 %1:00:00</publish>")
                        .arg(entry.section(QLatin1Char('@'), 1));
        if (entry.contains(QLatin1String("+co")))
            extra += QStringLiteral("<co><id>C</id></co>");
        xml += QStringLiteral("<%1>%3<id> %2 </id><name>n%2</name></%1>").arg(tag, id, extra);
    }
    return (xml + QStringLiteral("</resultlist>")).toUtf8();
}

// No announcement of a test reaches a desktop's notification service.
void quiet(MainWindow& window)
{
    window.setNotifier(new kwdDesktopNotifier(QDBusConnection(QStringLiteral("none")), &window));
}

kwdFinder* push()
{
    return kwdStore::instance()->currentNewHouseFinder;
}
} // namespace

// The new-listing push: the file of announced listings, the reading of a poll reply, the
// subscription form's validation, and the main window's check, poll, popup fade and look against
// the local service; and that a listing is never announced twice, also by the next run.
class TestNewHousePush : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        kwdStore::instance()->load();
        QVERIFY(push());
        if (!qEnvironmentVariableIsEmpty("KWD_PUSH_CHILD"))
            return;
        service = new kwdLocalService(serviceArguments);
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
    }

    void init()
    {
        if (!qEnvironmentVariableIsEmpty("KWD_PUSH_CHILD"))
            return;
        messages.clear();
        service->clearLog();
        QFile::remove(kwdStore::instance()->dataFile("announced"));
        if (kwdFinder* p = push()) {
            p->category = -1;
            for (int f = kwdFinder::District; f <= kwdFinder::PushLastLease; ++f)
                if (f != kwdFinder::Mode)
                    p->setField(f, QString());
            p->setField(kwdFinder::PushFlag, QStringLiteral("0"));
        }
    }

    void cleanupTestCase()
    {
        kwdMessage::setHook({});
        delete service;
    }

    void announcedFile_data()
    {
        // damage: written over the file before it is read again
        kwdColumns<int, QStringList, QByteArray, QStringList>("limit", "added", "damage", "kept");
        kwdRow("oldest dropped", 3, list("a,b,c,d,e"), QByteArray(), list("c,d,e"));
        kwdRow("repeats once", 5, list("a,b,a,c,b"), QByteArray(), list("a,b,c"));
        kwdRow("foreign file", 5, list("a,b"), QByteArray("not ours"), QStringList());
    }

    void announcedFile()
    {
        QFETCH(int, limit);
        QFETCH(QStringList, added);
        QFETCH(QByteArray, damage);
        QFETCH(QStringList, kept);
        const QString path = kwdStore::instance()->dataFile("announced");
        {
            kwdAnnouncedListings a(path, limit);
            for (const QString& id : added)
                a.add(3, {id});
            QVERIFY(a.save());
        }
        if (!damage.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damage);
        }
        kwdAnnouncedListings again(path, limit);
        QCOMPARE(again.load(), damage.isEmpty());
        QCOMPARE(again.ids(3), kept);
    }

    void readReply_data()
    {
        // last: the newest id in the record; history: announced before; seen: rows of this run
        kwdColumns<QByteArray, QString, QStringList, QStringList, int, QStringList>("body", "last", "history",
                                                                                    "seen", "kind", "fresh");
        const QStringList none;
        kwdRow("stop at the last announced", document("5,4,3,2"), "3", none, none, 2, list("5,4"));
        kwdRow("reordered reply", document("2,5,3,4"), "5", list("2,3,4,5"), none, 2, none);
        kwdRow("older moved up after the last announced", document("5,4,3,0"), "5", list("5,4,3,2,1"), none,
               2, none);
        kwdRow("published after the last announced", document("5@08,9@09,4@07,0@06"), "5", list("4,5"), none,
               2, list("9"));
        kwdRow("last announced gone", document("4,3,0"), "5", list("5,4,3"), none, 2, none);
        kwdRow("agencies keep their own ids", document("7+co,6+co,C"), "", none, none, 2, list("7,6,C"));
        kwdRow("reappearing in this run", document("5,4,3,2"), "", none, list("4,2"), 2, list("5,3"));
        kwdRow("lease poll", document("8,7", "lease", "forlease"), "7", none, none, 3, list("8"));
        kwdRow("lease list", document("8,7", "lease", "lease"), "", none, none, 3, list("8,7"));
        kwdRow("not a document", QByteArray("<html>busy"), "", none, none, -1, none);
    }

    void readReply()
    {
        QFETCH(QStringList, seen);
        QFETCH(int, kind);
        QFETCH(QStringList, fresh);
        kwdFinder record(QStringLiteral("push"), kind);
        record.setField(kind == 3 ? kwdFinder::PushLastLease : kwdFinder::PushLastSale,
                        kwdData<QString>("last"));
        kwdAnnouncedListings announced;
        announced.add(kind, kwdData<QStringList>("history"));
        QMap<QString, qvmListItem*> rows;
        for (const QString& id : seen)
            rows.insert(id, qvmListItem::createForKind(2));
        const kwdNewHouseReply reply =
            kwdNewHouseReply::read(kwdData<QByteArray>("body"), record, announced, rows);
        QCOMPARE(reply.kind, kind);
        QCOMPARE(reply.ids, fresh);
        QCOMPARE(reply.rows.size(), fresh.size());
        QCOMPARE(rows.size(), seen.size() + fresh.size());
        for (const qvmListItem* row : reply.rows)
            QCOMPARE(row->type(), kind == 2 ? int(qvmListItem::TypeSale) : int(qvmListItem::TypeLease));
        qDeleteAll(rows);
    }

    void subscribe_data()
    {
        // message: empty: accepted
        kwdColumns<int, QString, QString, int, QString, QString>("segment", "low", "high", "type", "message",
                                                                 "price");
        const QString invalid = QStringLiteral("Error: Not a valid Price");
        kwdRow("500 to 0", 0, "500", "0", 0, QString(), "500-");
        kwdRow("500 to 300", 0, "500", "300", 0, invalid, QString());
        kwdRow("0 to 0 with a type", 0, "0", "0", 3, QString(), QString());
        kwdRow("lease 800 to 2000", 1, "800", "2000", 1, QString(), "800-2000");
        kwdRow("all empty", 0, "", "", 0, "Error: Not all are empty", QString());
    }

    void subscribe()
    {
        QFETCH(int, segment);
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(QString, price);
        push()->setField(kwdFinder::City, QStringLiteral("北京"));
        MainWindow window;
        quiet(window);
        auto* source = static_cast<qvmWidgetSource*>(window.pageContent(0));
        kwdNewHouseCondition* form = source->pushConditionPage();
        source->onSearchFromAreaView(true);
        form->widSegement->setValue(segment);
        form->pricestart->setText(kwdData<QString>("low"));
        form->priceend->setText(kwdData<QString>("high"));
        form->coxtype->setCurrentIndex(type);
        form->coxtime->setCurrentIndex(1);
        form->btnok1->click();

        if (!message.isEmpty()) {
            QCOMPARE(messages, QStringList{message});
            QCOMPARE(push()->field(kwdFinder::PushFlag), QStringLiteral("0"));
            return;
        }
        QCOMPARE(messages, QStringList{"ok: ding zhi ok"});
        QCOMPARE(push()->category, segment == 1 ? 3 : 2);
        QCOMPARE(push()->field(segment == 1 ? kwdFinder::PriceLease : kwdFinder::PriceSale), price);
        QCOMPARE(push()->field(kwdFinder::PushInterval), QStringLiteral("1"));
        QCOMPARE(push()->field(kwdFinder::PushFlag), QStringLiteral("1"));
        // The main window checked at once.
        QVERIFY(window.newHousePopup);
        // The form shows the stored subscription when it is opened again.
        form->fill();
        form->refresh();
        QCOMPARE(form->widSegement->value(), segment);
        QCOMPARE(form->coxtype->currentIndex(), type);
        QCOMPARE(form->pricestart->text(), price.section('-', 0, 0));

        messages.clear();
        form->btncancel->click();
        QCOMPARE(messages, QStringList{"ok: qu xiao ding zhi ok"});
        QCOMPARE(push()->field(kwdFinder::PushFlag), QStringLiteral("0"));
    }

    void checkAndPoll()
    {
        subscribeRecord(QStringLiteral("0"));
        MainWindow window;
        quiet(window);
        // The test steps the popup's fade itself; the timers would only race it.
        window.fadeTick = 3600000;
        window.fadeDelay = 20;
        // Not subscribed: the check at start asks nothing and starts no poll.
        window.check_newhouse();
        QVERIFY(!window.newHousePopup);

        // Subscribing later starts the first query at once, on the city's list (no tick in the way).
        push()->setField(kwdFinder::PushFlag, QStringLiteral("1"));
        window.pollIntervals[0] = 3600000;
        window.check_newhouse();
        kwdNewHouses* popup = window.newHousePopup;
        QVERIFY(popup);
        const QString listPath = QUrl(kwdStore::instance()->listUrl(2, "bj", false)).path();
        const QString query = QUrl("http://x/?page=1&percount=50&" + push()->buildQuery()).query();
        // One first query with this query string (a window of an earlier test may still be logged).
        const auto firstQueries = [&] {
            const QList<QJsonObject> log = service->log(listPath);
            return int(
                std::count_if(log.begin(), log.end(), [&](auto& e) { return e.value("query") == query; }));
        };
        QTRY_COMPARE(firstQueries(), 1);
        QTRY_VERIFY(popup->isVisible());
        const int announced = int(window.newHouseRecords.size());
        QVERIFY(announced > 0);
        QCOMPARE(popup->count, announced);

        // The popup fades in thirty steps and closes, at full opacity for the next time.
        QTRY_VERIFY(window.fadeTimer != 0);
        for (int step = 0; step < 30; ++step)
            window.fadeStep();
        QVERIFY(popup->isVisible());
        window.fadeStep();
        QVERIFY(!popup->isVisible());
        QCOMPARE(popup->windowOpacity(), 1.0);

        // Ticks ask the statistics host; listings added there are announced, nothing else again, and
        // they join the ones not looked at yet in the popup, which comes back.
        const QStringList added = service->addListings("bj", "forsale", 2);
        window.pollIntervals[0] = 50;
        window.check_newhouse();
        QTRY_VERIFY(logged(saleQuery) >= 1);
        QTRY_COMPARE(popup->count, announced + 2);
        QVERIFY(popup->isVisible());

        // Looking from the popup while the window is hidden: the push page with every unlooked row.
        popup->btnlook->click();
        QVERIFY(window.isVisible() && !popup->isVisible());
        auto* source = static_cast<qvmWidgetSource*>(window.pageContent(0));
        QCOMPARE(source->currentPage(), int(qvmWidgetSource::PageResults));
        QCOMPARE(source->resultView()->topPage()->kind(), int(qvmGraphicsItem::KindPush));
        QCOMPARE(source->numberLabel()->text(), QString::number(announced + 2));

        // Cancelled: the timer keeps ticking and asks nothing.
        push()->setField(kwdFinder::PushFlag, QStringLiteral("0"));
        QTRY_COMPARE(window.newHouseRequest, 0);
        const int polls = logged(saleQuery);
        const int ticks = window.pollTicks;
        QTRY_VERIFY(window.pollTicks >= ticks + 3);
        QCOMPARE(logged(saleQuery), polls);
    }

    // Two runs of the program in one HOME, each against a service with the same listings: the second
    // run's first query announces nothing the first run announced.
    void noRepeatAfterRestart()
    {
        for (const char* step : {"first", "second"}) {
            const QString failed = kwdTestEnvironment::runChild({QStringLiteral("KWD_PUSH_CHILD=") + step});
            QVERIFY2(failed.isEmpty(), qPrintable(failed));
        }
    }

    // The children's half of noRepeatAfterRestart; skipped in a normal run.
    void childRun()
    {
        const QByteArray step = qgetenv("KWD_PUSH_CHILD");
        if (step.isEmpty())
            QSKIP("run as a child process only");
        kwdLocalService own(serviceArguments);
        QVERIFY2(own.isRunning(), qPrintable(own.errorText()));
        const bool first = step == "first";
        if (first)
            subscribeRecord();
        else
            QCOMPARE(push()->field(kwdFinder::PushFlag), QStringLiteral("1"));
        // Without the newest identifier only the file of announced listings can tell.
        push()->setField(kwdFinder::PushLastSale, QString());
        MainWindow window;
        quiet(window);
        window.check_newhouse();
        QTRY_COMPARE(window.newHouseRequest, 0);
        if (first) {
            QVERIFY(!window.newHouseRecords.isEmpty());
            return;
        }
        QTRY_VERIFY(window.fadeStart->isActive());
        QCOMPARE(window.newHouseCount, 0);
        QVERIFY(!window.newHousePopup->isVisible());
    }

private:
    int logged(const QString& path) const { return int(service->log(path).size()); }
    // Subscribes the push record to sale listings of the city the service knows.
    static void subscribeRecord(const QString& flag = QStringLiteral("1"))
    {
        kwdFinder* p = push();
        p->category = 2;
        p->setField(kwdFinder::City, QStringLiteral("北京"));
        p->setField(kwdFinder::PushInterval, QStringLiteral("0"));
        p->setField(kwdFinder::PushFlag, flag);
    }
    kwdLocalService* service = nullptr;
    QStringList messages;
};

KWD_TEST_MAIN(TestNewHousePush)
#include "tst_newhousepush.moc"

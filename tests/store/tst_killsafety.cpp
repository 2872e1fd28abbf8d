// What the user saved survives the program being killed while it writes: two writer processes save
// one data file over and over, are killed with SIGKILL at random moments, and the next reader finds a
// whole file (the old one or the new one), many times over.
#include "kwdannouncedlistings.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmsaleitem.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int kRows = 300;

void fillSale(qvmSaleItem& row, const QString& id, int generation)
{
    row.id = id;
    row.name = QStringLiteral("朝阳精装两居 %1").arg(generation);
    row.address = QStringLiteral("Road %1").arg(generation).repeated(8);
}

// One save of the file, different from the last one so every write really changes it.
void saveOnce(kwdStore* store, const QByteArray& file, int i)
{
    if (file == "favorite") {
        if (i == 0) {
            for (int r = 0; r < kRows; ++r) {
                qvmSaleItem row;
                fillSale(row, QStringLiteral("s%1").arg(r), r);
                kwdFavorites::instance()->add(&row);
            }
        }
        qvmSaleItem extra;
        fillSale(extra, QStringLiteral("extra"), i);
        if (i % 2 == 0)
            kwdFavorites::instance()->add(&extra);
        else
            kwdFavorites::instance()->remove(&extra);
    } else if (file == "finders" || file == "newhousefinders") {
        QList<kwdFinder*>& list = file == "finders" ? store->finders : store->newHouseFinders;
        if (list.isEmpty()) {
            for (int r = 0; r < kRows; ++r)
                list.append(new kwdFinder(QStringLiteral("f%1").arg(r), 2));
        }
        for (kwdFinder* f : list)
            f->setField(1, QStringLiteral("关键词%1").arg(i));
        if (file == "finders")
            store->saveFinders(list);
        else
            store->saveNewHouseFinders(list);
    } else if (file == "announced") {
        kwdAnnouncedListings announced(store->dataFile(QStringLiteral("announced")));
        announced.load();
        QStringList ids;
        for (int r = 0; r < (i == 0 ? kRows : 1); ++r)
            ids << QStringLiteral("a%1-%2").arg(i).arg(r);
        announced.add(2, ids);
        announced.save();
    } else if (file == "citylist" || file == "cityinfo") {
        for (int p = 0; p < kRows; ++p) {
            QList<kwdNameCode> list;
            for (int c = 0; c < 10; ++c)
                list.append({QStringLiteral("城市%1-%2").arg(c).arg(i), QStringLiteral("c%1").arg(c)});
            if (file == "citylist")
                store->cities.insert(QStringLiteral("省%1").arg(p), list);
            else
                store->cityInfo.insert(QStringLiteral("%1").arg(p), {list, list});
        }
        if (file == "citylist")
            store->saveCities();
        else
            store->saveCityInfo();
    } else if (file == "settings") {
        store->setConfig(kwdStore::cfgCity, QStringLiteral("city-%1").arg(i));
        // Qt's settings lock is retried at intervals: without a pause one writer would hold it
        // nearly always and the other would starve, which no real run does.
        QThread::usleep(1000);
    }
}

// What the next start reads of the file, or an empty text when it is damaged.
QString readBack(const QByteArray& file)
{
    kwdFavorites::destroy();
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    if (file == "favorite") {
        const int n =
            kwdFavorites::instance()->load() ? int(kwdFavorites::instance()->rows.value(2).size()) : -1;
        return n == kRows || n == kRows + 1 ? QStringLiteral("whole") : QString();
    }
    if (file == "finders" || file == "newhousefinders") {
        QList<kwdFinder*> list;
        const bool ok = file == "finders" ? store->loadFinders(list) : store->loadNewHouseFinders(list);
        const bool whole = ok && list.size() == kRows && list.first()->field(1) == list.last()->field(1);
        qDeleteAll(list);
        return whole ? QStringLiteral("whole") : QString();
    }
    if (file == "announced") {
        kwdAnnouncedListings announced(store->dataFile(QStringLiteral("announced")));
        return announced.load() && announced.ids(2).size() >= kRows ? QStringLiteral("whole") : QString();
    }
    if (file == "citylist")
        return store->loadCities() && store->cities.size() == kRows ? QStringLiteral("whole") : QString();
    if (file == "cityinfo")
        return store->loadCityInfo() && store->cityInfo.size() == kRows ? QStringLiteral("whole") : QString();
    const QString city = store->config(kwdStore::cfgCity).toString();
    return QRegularExpression(QStringLiteral("^city-\\d+$")).match(city).hasMatch() ? QStringLiteral("whole")
                                                                                    : QString();
}

} // namespace

class TestKillSafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedWhileSaving_data();
    void killedWhileSaving();
    void changeSurvivesKill_data();
    void changeSurvivesKill();
    void leftoverSettingsLock_data();
    void leftoverSettingsLock();
    void childRun();
};

void TestKillSafety::killedWhileSaving_data()
{
    QTest::addColumn<QByteArray>("file");
    for (const char* file :
         {"favorite", "finders", "newhousefinders", "announced", "citylist", "cityinfo", "settings"})
        QTest::newRow(file) << QByteArray(file);
}

void TestKillSafety::killedWhileSaving()
{
    QFETCH(QByteArray, file);
    constexpr int kKills = 30;
    int damaged = 0;
    for (int round = 0; round < kKills; ++round) {
        QProcess writers[2];
        for (QProcess& w : writers) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("KWD_TEST_SHARED_HOME", "1");
            env.insert("KWD_KILL_CHILD", QString::fromLatin1(file));
            w.setProcessEnvironment(env);
            w.start(QCoreApplication::applicationFilePath(), {"childRun"});
        }
        for (QProcess& w : writers) {
            // The first save is whole before the writer says so; from then on every kill lands among saves.
            QVERIFY(w.waitForStarted(10000));
            QByteArray said;
            QTRY_VERIFY_WITH_TIMEOUT((said += w.readAllStandardOutput()).contains("ready") ||
                                         w.state() == QProcess::NotRunning,
                                     30000);
            QVERIFY2(w.state() == QProcess::Running, w.readAllStandardError().constData());
        }
        // A random moment, not a wait for a result: the kill has to fall anywhere within a write.
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        writers[round % 2].kill();
        QThread::usleep(QRandomGenerator::global()->bounded(5000));
        writers[1 - round % 2].kill();
        for (QProcess& w : writers)
            QVERIFY(w.waitForFinished(10000));
        if (readBack(file).isEmpty())
            ++damaged;
    }
    QCOMPARE(damaged, 0);
}

void TestKillSafety::changeSurvivesKill_data()
{
    QTest::addColumn<QByteArray>("file");
    for (const char* file : {"favorite", "announced", "settings"})
        QTest::newRow(file) << QByteArray(file);
}

// A change the program has made is on disk at once: killed right after it, the next start has it.
void TestKillSafety::changeSurvivesKill()
{
    QFETCH(QByteArray, file);
    const QString mark = QStringLiteral("m%1").arg(QRandomGenerator::global()->bounded(1000000));
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KWD_TEST_SHARED_HOME", "1");
    env.insert("KWD_KILL_ONCE", QString::fromLatin1(file));
    env.insert("KWD_KILL_MARK", mark);
    writer.setProcessEnvironment(env);
    writer.start(QCoreApplication::applicationFilePath(), {"childRun"});
    QVERIFY(writer.waitForStarted(10000));
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += writer.readAllStandardOutput()).contains("changed") ||
                                 writer.state() == QProcess::NotRunning,
                             30000);
    writer.kill();
    QVERIFY(writer.waitForFinished(10000));
    QVERIFY2(said.contains("changed"), writer.readAllStandardError().constData());

    kwdFavorites::destroy();
    kwdStore::destroy();
    kwdStore* store = kwdStore::instance();
    bool found = false;
    if (file == "favorite") {
        QVERIFY(kwdFavorites::instance()->load());
        for (const qvmListItem* row : kwdFavorites::instance()->rows.value(2))
            found = found || row->id == mark;
    } else if (file == "announced") {
        kwdAnnouncedListings announced(store->dataFile(QStringLiteral("announced")));
        found = announced.load() && announced.contains(2, mark);
    } else {
        found = store->config(kwdStore::cfgCity).toString() == mark;
    }
    QVERIFY(found);
}

void TestKillSafety::leftoverSettingsLock_data()
{
    kwdColumns<QByteArray, bool>("content", "kept");
    // Killed between making the lock and writing its holder into it: nobody will ever release it.
    QTest::newRow("empty") << QByteArray() << false;
    // A lock that names its holder is Qt's to judge (alive, or dead and then stale at once).
    QTest::newRow("with holder") << QByteArray("4711\nkwdpersonal\nhost\n") << true;
}

void TestKillSafety::leftoverSettingsLock()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, kept);
    kwdFavorites::destroy();
    kwdStore::destroy();
    const QString lock = QSettings(QStringLiteral("Nordal"), QStringLiteral("personal")).fileName() + ".lock";
    QDir().mkpath(QFileInfo(lock).path());
    QFile file(lock);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.flush();
    // Made before this run began, as a leftover of an earlier run is.
    QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-5), QFileDevice::FileModificationTime));
    file.close();
    kwdStore::instance();
    QCOMPARE(QFile::exists(lock), kept);
    QFile::remove(lock);
}

// The writer's half: saves until killed. Skipped in a normal run.
void TestKillSafety::childRun()
{
    const QByteArray once = qgetenv("KWD_KILL_ONCE");
    if (!once.isEmpty()) {
        // One change, said when done, then idle until killed: nothing may be left to a later flush.
        kwdStore* store = kwdStore::instance();
        const QString mark = qEnvironmentVariable("KWD_KILL_MARK");
        if (once == "favorite") {
            qvmSaleItem row;
            fillSale(row, mark, 1);
            kwdFavorites::instance()->add(&row);
        } else if (once == "announced") {
            kwdAnnouncedListings announced(store->dataFile(QStringLiteral("announced")));
            announced.load();
            announced.add(2, {mark});
            announced.save();
        } else {
            store->setConfig(kwdStore::cfgCity, mark);
        }
        std::fputs("changed\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    const QByteArray file = qgetenv("KWD_KILL_CHILD");
    if (file.isEmpty())
        QSKIP("run as a child process only");
    kwdStore* store = kwdStore::instance();
    for (int i = 0;; ++i) {
        saveOnce(store, file, i);
        if (i == 0) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

KWD_TEST_MAIN(TestKillSafety)
#include "tst_killsafety.moc"

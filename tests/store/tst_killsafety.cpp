// What the user saved survives the program being killed while it writes: two writer processes save
// one data file over and over, are killed with SIGKILL at random moments, and the next reader finds a
// whole file (the old one or the new one), many times over. One row per way of writing: the data files
// all go through kwdStore::writeFile (the favourites stand for them), the announced listings through
// their own save, the settings through Qt's.
#include "kwdannouncedlistings.h"
#include "kwdfavorites.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmsaleitem.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QThread>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int kRows = 300;

// One save of the file that adds the mark (a favourite, an announced listing, the city), so every
// write really changes it; the first one also writes kRows entries.
void save(const QByteArray& file, const QString& mark, bool first)
{
    QStringList ids{mark};
    for (int r = 0; first && r < kRows; ++r)
        ids << QStringLiteral("e%1").arg(r);
    if (file == "favorite") {
        for (const QString& id : std::as_const(ids)) {
            qvmSaleItem row;
            row.id = id;
            row.name = QStringLiteral("朝阳精装两居 ") + id;
            row.address = QStringLiteral("Road %1 ").arg(id).repeated(8);
            kwdFavorites::instance()->add(&row);
        }
    } else if (file == "announced") {
        kwdAnnouncedListings announced(kwdStore::instance()->dataFile(QStringLiteral("announced")));
        announced.load();
        announced.add(2, ids);
        announced.save();
    } else {
        kwdStore::instance()->setConfig(kwdStore::cfgCity, mark);
        // Qt's settings lock is retried at intervals: without a pause one writer would hold it
        // nearly always and the other would starve, which no real run does.
        QThread::usleep(1000);
    }
}

// What the next start reads of the file: its entries, or the city; nothing when the file is damaged.
QStringList readBack(const QByteArray& file)
{
    kwdFavorites::destroy();
    kwdStore::destroy();
    QStringList entries;
    if (file == "favorite") {
        if (!kwdFavorites::instance()->load())
            return {};
        for (const qvmListItem* row : kwdFavorites::instance()->rows.value(2))
            entries << row->id;
        return entries;
    }
    if (file == "announced") {
        kwdAnnouncedListings announced(kwdStore::instance()->dataFile(QStringLiteral("announced")));
        return announced.load() ? announced.ids(2) : QStringList();
    }
    return {kwdStore::instance()->config(kwdStore::cfgCity).toString()};
}

// This program again as a writer of the file in this test's HOME, until it says the word. With a mark
// it makes one change and idles, else it saves over and over.
bool startWriter(QProcess& writer, const QByteArray& file, const QString& mark, const QByteArray& word)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KWD_TEST_SHARED_HOME", "1");
    env.insert("KWD_KILL_FILE", QString::fromLatin1(file));
    env.insert("KWD_KILL_MARK", mark);
    writer.setProcessEnvironment(env);
    writer.start(QCoreApplication::applicationFilePath(), {"childRun"});
    QByteArray said;
    return writer.waitForStarted(10000) &&
           QTest::qWaitFor(
               [&] {
                   return (said += writer.readAllStandardOutput()).contains(word) ||
                          writer.state() == QProcess::NotRunning;
               },
               30000) &&
           writer.state() == QProcess::Running;
}

} // namespace

class TestKillSafety : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedWhileSaving_data()
    {
        QTest::addColumn<QByteArray>("file");
        for (const char* file : {"favorite", "announced", "settings"})
            QTest::newRow(file) << QByteArray(file);
    }

    void killedWhileSaving()
    {
        QFETCH(QByteArray, file);
        constexpr int kKills = 30;
        int damaged = 0;
        for (int round = 0; round < kKills; ++round) {
            // The first save is whole before a writer says so; from then on every kill lands among saves.
            QProcess writers[2];
            for (QProcess& w : writers)
                QVERIFY2(startWriter(w, file, QString(), "ready"), w.readAllStandardError().constData());
            // A random moment, not a wait for a result: the kill has to fall anywhere within a write.
            QThread::usleep(QRandomGenerator::global()->bounded(20000));
            writers[round % 2].kill();
            QThread::usleep(QRandomGenerator::global()->bounded(5000));
            writers[1 - round % 2].kill();
            for (QProcess& w : writers)
                QVERIFY(w.waitForFinished(10000));
            const QStringList entries = readBack(file);
            if (file == "settings" ? !entries.value(0).startsWith('w') : entries.size() < kRows)
                ++damaged;
        }
        QCOMPARE(damaged, 0);
    }

    void changeSurvivesKill_data() { killedWhileSaving_data(); }

    // A change the program has made is on disk at once: killed right after it, the next start has it.
    void changeSurvivesKill()
    {
        QFETCH(QByteArray, file);
        const QString mark = QStringLiteral("m%1").arg(QRandomGenerator::global()->bounded(1000000));
        QProcess writer;
        QVERIFY2(startWriter(writer, file, mark, "changed"), writer.readAllStandardError().constData());
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        QVERIFY(readBack(file).contains(mark));
    }

    void leftoverSettingsLock_data()
    {
        kwdColumns<QByteArray, bool>("content", "kept");
        // Killed between making the lock and writing its holder into it: nobody will ever release it.
        QTest::newRow("empty") << QByteArray() << false;
        // A lock that names its holder is Qt's to judge (alive, or dead and then stale at once).
        QTest::newRow("with holder") << QByteArray("4711\nkwdpersonal\nhost\n") << true;
    }

    void leftoverSettingsLock()
    {
        kwdFavorites::destroy();
        kwdStore::destroy();
        const QString lock =
            QSettings(QStringLiteral("Nordal"), QStringLiteral("personal")).fileName() + ".lock";
        QDir().mkpath(QFileInfo(lock).path());
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kwdData<QByteArray>("content"));
        file.flush();
        // Made before this run began, as a leftover of an earlier run is.
        QVERIFY(
            file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-5), QFileDevice::FileModificationTime));
        file.close();
        kwdStore::instance();
        QCOMPARE(QFile::exists(lock), kwdData<bool>("kept"));
        QFile::remove(lock);
    }

    // The writer's half, skipped in a normal run. With a mark: one change, said when done, then idle until
    // killed (nothing may be left to a later flush). Without: saves until killed.
    void childRun()
    {
        const QByteArray file = qgetenv("KWD_KILL_FILE");
        if (file.isEmpty())
            QSKIP("run as a child process only");
        const QString mark = qEnvironmentVariable("KWD_KILL_MARK");
        // Marks of this writer only, so every save changes the file whatever was there before.
        const QString own = QStringLiteral("w%1-").arg(QCoreApplication::applicationPid());
        save(file, mark.isEmpty() ? own + '0' : mark, mark.isEmpty());
        std::fputs(mark.isEmpty() ? "ready\n" : "changed\n", stdout);
        std::fflush(stdout);
        for (int i = 1;; ++i) {
            if (mark.isEmpty())
                save(file, own + QString::number(i), false);
            else
                QThread::sleep(1);
        }
    }
};

KWD_TEST_MAIN(TestKillSafety)
#include "tst_killsafety.moc"

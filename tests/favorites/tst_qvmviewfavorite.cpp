#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmdetailaction.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetfavorite.h"
#include "qvmwidgetsegement.h"
#include "titlebar.h"

#include <QApplication>
#include <QDir>
#include <QDomDocument>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>

namespace {

// A second process started with this variable reads the favourites of that data directory and
// prints "kind:count" for each kind.
const char* const kReadBack = "KWD_FAVORITES_READ_BACK";

int readBack(const QString& dataDir)
{
    kwdStore* store = kwdStore::instance();
    store->dataDir = dataDir;
    if (!kwdFavorites::instance()->load())
        return 2;
    QStringList counts;
    for (auto it = kwdFavorites::instance()->rows.cbegin(); it != kwdFavorites::instance()->rows.cend(); ++it)
        counts << QStringLiteral("%1:%2").arg(it.key()).arg(it.value().size());
    std::printf("%s\n", qPrintable(counts.join(QLatin1Char(' '))));
    return 0;
}

} // namespace

// The favourites page against the local service: what each category shows, an open detail across
// segment changes, unstarring from a favourite's own detail, saving for another process and
// favourites that open without the network.
class TestViewFavorite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        new qvmHttpHolder(this);
        qvmDetailAction::install();
    }
    void cleanupTestCase() { delete service; }

    void init()
    {
        kwdFavorites::destroy();
        kwdStore::destroy();
        kwdStore* store = kwdStore::instance();
        QFile::remove(store->dataFile(QStringLiteral("favorite")));
        QDir(store->dataFile(QStringLiteral("favorite-pictures"))).removeRecursively();
        store->load();
        store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
        service->clearLog();
        service->clearFaults();
    }
    void cleanup()
    {
        delete page;
        page = nullptr;
    }

    void refresh_data()
    {
        kwdColumns<int, int, int, int, int>("segment", "sales", "leases", "areas", "shown");
        kwdRow("sales", 0, 3, 1, 0, 3);
        kwdRow("leases", 1, 2, 4, 0, 4);
        kwdRow("no leases", 1, 2, 0, 0, 0);
        kwdRow("housing areas", 2, 0, 1, 2, 2);
    }

    void refresh()
    {
        QFETCH(int, segment);
        QFETCH(int, shown);
        star(2, kwdData<int>("sales"));
        star(3, kwdData<int>("leases"));
        star(1, kwdData<int>("areas"));
        service->clearLog();
        qvmViewFavorite* view = showPage(segment);
        const QList<qvmListItem*> rows = view->listPage()->rows;
        QCOMPARE(rows.size(), shown);
        // The page shows copies in the store's order, never the stored rows themselves.
        const QList<qvmListItem*> stored =
            kwdFavorites::instance()->rows.value(qvmWidgetFavorite::categoryOf(segment));
        for (int i = 0; i < rows.size(); ++i) {
            QVERIFY(!stored.contains(rows.at(i)));
            QCOMPARE(rows.at(i)->id, stored.at(i)->id);
        }
        // An empty category says how favourites are made instead of showing a blank page.
        QCOMPARE(view->messageBox()->item->isVisible(), shown == 0);
        // Showing favourites never asks the service for the current search.
        QCOMPARE(service->log().size(), 0);
    }

    void detail_data()
    {
        // A detail opened from row `opened`, then unstarred there, or left open with its contact panel
        // shown while the segment changes to leases.
        kwdColumns<int, int, int, int, bool>("segment", "sales", "leases", "opened", "unstar");
        kwdRow("unstar the last lease", 1, 0, 3, 2, true);
        kwdRow("to leases, which has favourites", 0, 2, 2, 1, false);
        kwdRow("to leases, which is empty", 0, 2, 0, 1, false);
    }

    void detail()
    {
        QFETCH(int, leases);
        QFETCH(int, opened);
        star(2, kwdData<int>("sales"));
        star(3, leases);
        qvmViewFavorite* view = showPage(kwdData<int>("segment"));
        TitleBar* bar = page->titleBarWidget();
        const QString id = view->listPage()->rows.at(opened)->id;
        const QString name = view->listPage()->rows.at(opened)->name;
        openRow(opened);
        auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
        if (!kwdData<bool>("unstar")) {
            // The contact panel open on that detail goes with it, and only with it.
            auto* panel = dynamic_cast<qvmDetailAction*>(view->detailAction());
            QVERIFY(panel);
            panel->show(QStringLiteral("张先生"), QStringLiteral("13812345678"), QRect(0, 300, 360, 60),
                        QStringLiteral("房源"), true);
            QVERIFY(panel->isVisible());
            page->segmentWidget()->button(1)->click();
            QCOMPARE(view->pageCount(), leases > 0 ? 2 : 1);
            QCOMPARE(view->showsDetail(), leases > 0);
            QCOMPARE(panel->isVisible(), leases > 0);
            if (leases == 0)
                QCOMPARE(view->listPage()->rows.size(), 0);
            return;
        }
        QTRY_VERIFY(detail->row->complete);
        QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
        QVERIFY(!kwdFavorites::instance()->contains(detail->row));
        QCOMPARE(kwdFavorites::instance()->rows.value(3).size(), leases - 1);
        // The detail still paints the listing it opened: its row is the page's own.
        QVERIFY(!view->grab().isNull());
        QCOMPARE(detail->row->id, id);
        QCOMPARE(detail->row->name, name);

        QSignalSpy first(view, &qvmViewFavorite::backtoFirst);
        QTest::mouseClick(bar->backButton(), Qt::LeftButton);
        QVERIFY(first.wait());
        QCOMPARE(view->pageCount(), 1);
        const QList<qvmListItem*> rows = view->listPage()->rows;
        QCOMPARE(rows.size(), leases - 1);
        for (const qvmListItem* row : rows)
            QVERIFY(row->id != id);
    }

    void savedForAnotherProcess_data()
    {
        kwdColumns<int, int, QString>("sales", "removed", "expected");
        kwdRow("three added, one removed", 3, 1, QStringLiteral("2:2"));
        kwdRow("the only one removed", 1, 1, QStringLiteral("2:0"));
    }

    void savedForAnotherProcess()
    {
        star(2, kwdData<int>("sales"));
        kwdStore* store = kwdStore::instance();
        for (int i = 0; i < kwdData<int>("removed"); ++i)
            kwdFavorites::instance()->remove(kwdFavorites::instance()->rows.value(2).first());
        // Read while this process still runs: nothing waits for the page or the program to end.
        QProcess reader;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kReadBack), store->dataPath());
        reader.setProcessEnvironment(env);
        reader.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(reader.waitForFinished(30000));
        QCOMPARE(reader.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(), kwdData<QString>("expected"));
    }

    void offline_data()
    {
        kwdColumns<int, bool, bool>("segment", "downloaded", "openedOnline");
        kwdRow("sale with its picture", 0, true, false);
        kwdRow("housing area, picture not yet downloaded", 2, false, false);
        kwdRow("picture shown by a later detail", 0, false, true);
    }

    void offline()
    {
        QFETCH(int, segment);
        QFETCH(bool, downloaded);
        const int category = qvmWidgetFavorite::categoryOf(segment);
        QList<qvmListItem*> rows = fetchRows(category, 20);
        const auto found =
            std::find_if(rows.cbegin(), rows.cend(), [](const qvmListItem* r) { return r->hasPicture(); });
        QVERIFY(found != rows.cend());
        qvmListItem* row = *found;
        QTemporaryFile file;
        if (downloaded) {
            QVERIFY(file.open());
            file.write(service->get(row->picture->url).body);
            file.close();
            QVERIFY(row->loadPicture(file.fileName()));
        }
        const QString url = row->picture->url;
        const QString name = row->name;
        kwdFavorites::instance()->add(row);
        qDeleteAll(rows);
        QSize size = downloaded ? QImage::fromData(service->get(url).body).size() : QSize();
        if (kwdData<bool>("openedOnline")) {
            qvmViewFavorite* view = showPage(segment);
            openRow(0);
            size = static_cast<qvmResultDetailItem*>(view->topPage())->row->picture->image->size();
            QSignalSpy first(view, &qvmViewFavorite::backtoFirst);
            page->onGoBack();
            QVERIFY(first.wait());
            cleanup();
        }
        // A new run without the download or the service: the favourite comes from the data directory.
        if (downloaded)
            file.remove();
        kwdFavorites::destroy();
        kwdStore::destroy();
        kwdStore::instance()->load();
        QVERIFY(service->setFault(QString(), QString(), QStringLiteral("refuse")));
        qvmViewFavorite* view = showPage(segment);
        QCOMPARE(view->listPage()->rows.size(), 1);
        QCOMPARE(view->listPage()->rows.first()->picture->url, url);
        // Its detail fails to refresh and still shows what was stored, with the stored picture.
        openRow(0);
        auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
        const qvmPictureJob* picture = detail->row->picture;
        QCOMPARE(picture->image ? picture->image->size() : QSize(), size);
        QVERIFY(!detail->row->complete);
        QCOMPARE(detail->row->name, name);
    }

private:
    // Listings of a category as the service lists them, read into rows (the caller owns them).
    QList<qvmListItem*> fetchRows(int category, int count)
    {
        QList<qvmListItem*> rows;
        const QString url = kwdStore::instance()->listUrl(category, QStringLiteral("bj"), false) +
                            QStringLiteral("?page=1&percount=%1").arg(count);
        const kwdLocalService::Reply reply = service->get(url);
        QDomDocument doc;
        if (reply.status != 200 || !doc.setContent(reply.body))
            return rows;
        const QDomNodeList records = doc.elementsByTagName(qvmResultListItem::recordTag(category));
        for (int i = 0; i < records.size() && rows.size() < count; ++i) {
            qvmListItem* row = qvmListItem::createForKind(category);
            if (row->read(records.at(i).toElement()))
                rows << row;
            else
                delete row;
        }
        return rows;
    }

    void star(int category, int count)
    {
        const QList<qvmListItem*> rows = fetchRows(category, count);
        QCOMPARE(rows.size(), count);
        for (const qvmListItem* row : rows)
            kwdFavorites::instance()->add(row);
        qDeleteAll(rows);
    }
    // Shows the page on a segment; the view of the page.
    qvmViewFavorite* showPage(int segment)
    {
        page = new qvmWidgetFavorite;
        page->resize(360, 600);
        page->show();
        if (!QTest::qWaitForWindowExposed(page))
            qWarning("the favourites page was not exposed");
        page->segmentWidget()->button(segment)->click();
        return page->viewWidget();
    }

    // Taps a row of the list and waits until its detail is shown and its refresh has ended.
    void openRow(int index)
    {
        qvmViewFavorite* view = page->viewWidget();
        qvmResultListItem* list = view->listPage();
        const QPoint p = view->mapFromScene(list->mapToScene(list->rowRect(index).center()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
        QTRY_VERIFY(view->showsDetail() && !view->isAnimating() && view->pendingRequests().isEmpty());
    }

    kwdLocalService* service = nullptr;
    qvmWidgetFavorite* page = nullptr;
};

int main(int argc, char** argv)
{
    kwdTestEnvironment env;
    QApplication app(argc, argv);
    const QString dataDir = qEnvironmentVariable(kReadBack);
    if (!dataDir.isEmpty())
        return readBack(dataDir);
    TestViewFavorite tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_qvmviewfavorite.moc"

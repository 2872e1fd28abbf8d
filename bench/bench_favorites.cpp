// Favourites page speed: from showing the page to its first list painted, with 500 stored
// favourites of each kind read from the favourites file as at start-up (goal <= 50 ms), and a
// segment change between two such lists.
//
//   bench_favorites [runs]   offscreen, in a temporary home; no network is needed.

#include "kwdbench.h"
#include "kwdfavoritepictures.h"
#include "kwdfavorites.h"
#include "kwdstore.h"
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmresultlistitem.h"
#include "qvmsaleitem.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetfavorite.h"
#include "qvmwidgetsegement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFavorites = 500;

// Reads the favourites file as at start-up; returns the time it took (ms).
double storeFavorites()
{
    kwdStore* store = kwdStore::instance();
    // Every favourite keeps a list-sized picture, as one starred after its detail showed it.
    QImage picture(160, 120, QImage::Format_RGB32);
    picture.fill(QColor(120, 160, 200));
    QTemporaryFile jpeg;
    jpeg.open();
    picture.save(&jpeg, "JPG");
    jpeg.close();
    kwdFavoritePictures pictures(store->dataPath());
    for (int kind = 1; kind <= 3; ++kind) {
        QList<qvmListItem*>& list = kwdFavorites::instance()->rows[kind];
        for (int i = 0; i < kFavorites; ++i) {
            qvmListItem* row = qvmListItem::createForKind(kind);
            row->id = QStringLiteral("%1-%2").arg(kind).arg(i);
            row->name = QStringLiteral("Sunny garden %1, three rooms facing south").arg(i);
            row->address = QStringLiteral("No. %1 River Road").arg(i);
            if (auto* sale = dynamic_cast<qvmSaleItem*>(row)) {
                sale->totalPrice = QString::number(100 + i % 400);
                sale->areaSize = QString::number(60 + i % 90);
            } else if (auto* lease = dynamic_cast<qvmLeaseItem*>(row)) {
                lease->price = QString::number(2000 + i % 4000);
                lease->areaSize = QString::number(60 + i % 90);
            }
            row->picture = new qvmPictureJob;
            row->picture->url = QStringLiteral("http://bj.kwd.test/pic/%1/%2/1_s.jpg").arg(kind).arg(i);
            row->picture->localPath = jpeg.fileName();
            pictures.save(kind, row);
            list << row;
        }
    }
    kwdFavorites::instance()->save();
    // As at start-up: the rows come from the file.
    QElapsedTimer t;
    t.start();
    kwdFavorites::instance()->load();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    const double reading = storeFavorites();

    QList<double> opening;
    QList<double> switching;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        auto* page = new qvmWidgetFavorite;
        page->resize(360, 600);
        page->show();
        // The first paint of the page, as the user sees it.
        const QPixmap first = page->grab();
        opening << t.nsecsElapsed() / 1e6;
        if (first.isNull() || page->viewWidget()->listPage()->rows.size() != kFavorites) {
            std::fprintf(stderr, "bench_favorites: the page did not show the %d favourites\n", kFavorites);
            return 2;
        }

        t.restart();
        page->segmentWidget()->button(1)->click();
        page->grab();
        switching << t.nsecsElapsed() / 1e6;
        delete page;
    }
    const double open = kwdBench::median(opening);
    std::printf("favourites page opened with %d favourites: %.2f ms (median of %d, goal <= 50 ms)\n",
                kFavorites, open, runs);
    std::printf("favourites file and pictures read at start-up (%d per kind): %.2f ms\n", kFavorites,
                reading);
    std::printf("segment change to %d other favourites: %.2f ms\n", kFavorites, kwdBench::median(switching));
    return open <= 50.0 ? 0 : 1;
}

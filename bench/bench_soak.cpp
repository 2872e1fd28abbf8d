// A long session in one process against the local service: each cycle opens the sale list, loads
// more, opens a detail, its pictures and an enlarged picture, goes back to the list, stars and
// unstars the listing, and switches through the four main pages. Prints the resident memory after a
// warm-up of 50 cycles and after the last, and the requests the holder still keeps (goal: no more
// than 2 MB growth over 1,000 cycles, no request left pending).
//
//   bench_soak [cycles]   default 250 (about a minute); offscreen, in a temporary home; starts
//                         kwd-localservice from its own directory, or uses the proxy in http_proxy.

#include "kwdbench.h"
#include "kwdfinder.h"
#include "kwdstore.h"
#include "mainwindow.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#include <malloc.h>

namespace {

constexpr int kWarmUp = 50;
constexpr int kTimeoutMs = 10000;

// One cycle; false (with what stalled on stderr) when a step did not finish.
bool cycle(MainWindow& window, int n)
{
    auto* source = static_cast<qvmWidgetSource*>(window.pageContent(0));
    qvmResultView* view = source->resultView();
    const auto settled = [view] { return view->pendingRequests().isEmpty() && !view->isAnimating(); };
    const auto fail = [n, view](const char* what) {
        std::fprintf(stderr, "cycle %d: %s did not finish (%d pages, %d requests waiting)\n", n, what,
                     view->pageCount(), int(view->pendingRequests().size()));
        return false;
    };

    window.segment->setValue(0);
    source->onSearchFromAreaView(false);
    auto* list = static_cast<qvmResultListItem*>(view->topPage());
    if (!kwdBench::waitUntil(settled, kTimeoutMs) || list->rows.isEmpty())
        return fail("the list");
    const int depth = view->pageCount();
    const int before = int(list->rows.size());
    list->clicked(list->moreRect.center());
    if (!kwdBench::waitUntil([&] { return list->rows.size() > before && settled(); }, kTimeoutMs))
        return fail("load more");

    // A different listing each cycle, so the details and pictures are new downloads.
    qvmListItem* row = list->rows.at(n % list->rows.size());
    view->openDetail(2, row);
    if (!kwdBench::waitUntil([&] { return settled() && row->complete; }, kTimeoutMs))
        return fail("the detail");
    view->openRelated(qvmListItem::LinkPictures, row, QString());
    auto* grid = static_cast<qvmGItemImageList*>(view->topPage());
    if (!kwdBench::waitUntil([&] { return settled() && grid->listRequest == 0; }, kTimeoutMs))
        return fail("the pictures");
    if (!grid->pictures.isEmpty()) {
        grid->enlarge(0);
        if (!kwdBench::waitUntil([&] { return grid->bigImage || grid->bigFailed; }, kTimeoutMs))
            return fail("the enlarged picture");
        view->goBack(); // closes the enlarged picture
    }
    view->goBack();
    if (!kwdBench::waitUntil([&] { return settled() && view->pageCount() == depth + 1; }, kTimeoutMs))
        return fail("back to the detail");
    view->toggleFavorite(2, true);
    view->toggleFavorite(2, false);
    view->goBack();
    if (!kwdBench::waitUntil([&] { return settled() && view->pageCount() == depth; }, kTimeoutMs))
        return fail("back to the list");
    // Back to the area page, as the title bar's back button does, the list included.
    while (view->pageCount() > 1) {
        const int pages = view->pageCount();
        view->goBack();
        if (!kwdBench::waitUntil([&] { return settled() && view->pageCount() < pages; }, kTimeoutMs))
            return fail("back to the first list");
    }
    source->onGoBack();

    for (int page : {1, 2, 3, 0}) {
        window.segment->setValue(page);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    // No receiver is asked for a position: the around-me page shows its failure and stays quiet.
    qputenv("KWDPERSONAL_POSITION", "gpsd://127.0.0.1:1");
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? qMax(kWarmUp + 1, std::atoi(argv[1])) : 250;
    QProcess service;
    const QString error = kwdBench::startService(service);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // The slides are the user's pace, not the program's; a tenth of them keeps a cycle short.
    qvmResultView::setSlideScale(0.1);
    kwdStore* store = kwdStore::instance();
    store->load();
    store->currentFinder->category = 2;
    store->currentFinder->setField(kwdFinder::City, QStringLiteral("北京"));
    MainWindow window;
    window.resize(360, 640);
    window.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    long warm = 0;
    for (int n = 1; n <= cycles; ++n) {
        if (!cycle(window, n))
            return 1;
        if (n % kWarmUp == 0) {
            QCoreApplication::processEvents();
            const long now = kwdBench::residentKb();
            if (n == kWarmUp)
                warm = now;
            // The course between the two figures shows whether growth levels off.
            const struct mallinfo2 mi = mallinfo2();
            std::printf("resident after %4d cycles: %ld kB (heap in use %zu kB, free %zu kB)\n", n, now,
                        mi.uordblks / 1024, mi.fordblks / 1024);
        }
    }
    QCoreApplication::processEvents();
    const long last = kwdBench::residentKb();
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    std::printf("cycles:                     %d in %.1f s (%.0f ms a cycle)\n", cycles,
                clock.elapsed() / 1000.0, double(clock.elapsed()) / cycles);
    std::printf(
        "resident after %d cycles: %ld kB (growth %ld kB, %.2f kB a cycle; goal <= 2 MB over 1,000)\n",
        cycles, last, last - warm, double(last - warm) / (cycles - kWarmUp));
    std::printf("holder: %d requests pending, %d records kept (goal 0 pending)\n",
                holder ? holder->pendingCount() : -1, holder ? holder->recordCount() : -1);
    if (service.state() != QProcess::NotRunning) {
        service.terminate();
        service.waitForFinished(3000);
    }
    return 0;
}

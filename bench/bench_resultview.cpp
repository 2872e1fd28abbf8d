// Result view speed: repainting the visible viewport with 20 and with 5,000 rows loaded (the cost
// must not grow with the rows: goal ratio <= 1.2 and < 2 ms), and the time from a tap on the load-more
// row to the new rows being painted against the local service (goal <= 50 ms), and what a screen
// reader costs: making the accessible children of a 1,000-row list (goal < 5 ms).
//
//   bench_resultview [repaints]   offscreen; starts kwd-localservice from its own directory, or uses
//                                 the proxy in http_proxy when set.

#include "kwdbench.h"
#include "kwdfinder.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QList<qvmListItem*> makeRows(int count)
{
    QList<qvmListItem*> rows;
    for (int i = 0; i < count; ++i) {
        auto* row = new qvmSaleItem;
        row->id = QString::number(i);
        row->name = QStringLiteral("Sunny garden %1, three rooms facing south").arg(i);
        row->totalPrice = QString::number(100 + i % 400);
        row->areaSize = QString::number(60 + i % 90);
        row->address = QStringLiteral("No. %1 River Road").arg(i);
        rows << row;
    }
    return rows;
}

// Median time of one repaint of the viewport (ms), the view scrolled to the middle of the rows.
double repaintTime(qvmResultView* view, int rowCount, int repaints)
{
    view->clear();
    const QList<qvmListItem*> rows = makeRows(rowCount);
    auto* list = new qvmResultListItem(view);
    list->setRows(rows, 2);
    view->pushPage(list);
    QCoreApplication::processEvents();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
    // A real paint event of the viewport: the scene draws what the viewport exposes.
    QList<double> times;
    for (int i = 0; i < repaints + 5; ++i) {
        QElapsedTimer t;
        t.start();
        view->viewport()->repaint();
        const double ms = t.nsecsElapsed() / 1e6;
        if (i >= 5) // the first paints fill the font and layout caches
            times << ms;
    }
    if (!qEnvironmentVariableIsEmpty("KWD_BENCH_SHOT"))
        view->viewport()->grab().save(qEnvironmentVariable("KWD_BENCH_SHOT") + QString::number(rowCount) +
                                      ".png");
    view->clear();
    qDeleteAll(rows);
    return kwdBench::median(times);
}

// Median time (ms) to make every accessible child of a list of `rowCount` rows and read its name and
// description, as a screen reader walking the whole list does; the view starts afresh each round.
double accessibleChildrenTime(qvmResultView* view, int rowCount, int rounds, bool read)
{
    const QList<qvmListItem*> rows = makeRows(rowCount);
    QList<double> times;
    for (int round = 0; round < rounds; ++round) {
        view->clear();
        auto* list = new qvmResultListItem(view);
        list->setRows(rows, 2);
        view->pushPage(list);
        QElapsedTimer t;
        t.start();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        const int n = iface->childCount();
        qsizetype chars = 0;
        for (int i = 0; i < n; ++i) {
            QAccessibleInterface* child = iface->child(i);
            if (read)
                chars += child->text(QAccessible::Name).size() + child->text(QAccessible::Description).size();
            else
                chars += int(child->role());
        }
        times << t.nsecsElapsed() / 1e6;
        if (chars == 0)
            std::fprintf(stderr, "the children said nothing\n");
    }
    view->clear();
    qDeleteAll(rows);
    return kwdBench::median(times);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    const int repaints = argc > 1 ? qMax(10, atoi(argv[1])) : 200;

    qvmHttpHolder holder;
    qvmResultView view(nullptr, nullptr);
    view.resize(360, 580);
    view.show();
    QCoreApplication::processEvents();

    const double small = repaintTime(&view, 20, repaints);
    const double large = repaintTime(&view, 5000, repaints);
    std::printf("repaint of the viewport, 20 rows:    %.3f ms (median of %d)\n", small, repaints);
    std::printf("repaint of the viewport, 5000 rows:  %.3f ms (median of %d)\n", large, repaints);
    std::printf("ratio 5000 / 20 rows:                %.2f (goal <= 1.2; goal < 2 ms each)\n", large / small);
    const double children = accessibleChildrenTime(&view, 1000, 21, false);
    const double texts = accessibleChildrenTime(&view, 1000, 21, true);
    std::printf("accessible children of 1000 rows:    %.3f ms made, %.3f ms made and read (median of 21; "
                "goal < 5 ms)\n",
                children, texts);

    QProcess service;
    const QString error = kwdBench::startService(service);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("北京"), {kwdNameCode{QStringLiteral("北京"), QStringLiteral("bj")}});
    auto* finder = new kwdFinder(QStringLiteral("bench"), 2);
    finder->setField(kwdFinder::Province, QStringLiteral("北京"));
    finder->setField(kwdFinder::City, QStringLiteral("北京"));
    store->finders.append(finder);
    store->currentFinder = finder;

    view.openList(finder, true, false);
    auto* list = static_cast<qvmResultListItem*>(view.topPage());
    if (!kwdBench::waitUntil([&] { return list->listRequest == -1 && !view.isAnimating(); }, 10000) ||
        list->rows.isEmpty()) {
        std::fprintf(stderr, "the first page did not arrive\n");
        return 1;
    }
    QList<double> times;
    for (int round = 0; round < 10 && !list->moreRect.isEmpty(); ++round) {
        const int before = list->rows.size();
        QElapsedTimer t;
        t.start();
        list->clicked(list->moreRect.center());
        // Painted: the rows arrived, the view moved to the first new one, and the viewport drew it.
        const bool arrived = kwdBench::waitUntil(
            [&] {
                if (list->rows.size() <= before)
                    return false;
                const int target =
                    qMin(int(list->rowRect(before).top()), view.verticalScrollBar()->maximum());
                return view.verticalScrollBar()->value() == target;
            },
            10000);
        view.viewport()->repaint();
        const double ms = t.nsecsElapsed() / 1e6;
        if (!arrived) {
            std::fprintf(stderr, "page %d did not arrive\n", round + 2);
            return 1;
        }
        times << ms;
    }
    if (times.isEmpty()) {
        std::fprintf(stderr, "the result had a single page\n");
        return 1;
    }
    std::printf(
        "load-more tap to new rows painted:   median %.1f ms, worst %.1f ms over %d pages (goal <= 50 ms)\n",
        kwdBench::median(times), *std::max_element(times.cbegin(), times.cend()), int(times.size()));
    view.clear();
    if (service.state() != QProcess::NotRunning) {
        service.terminate();
        service.waitForFinished(3000);
    }
    return 0;
}

// The price guide's two replies at one request point: the statistics body ("supply|demand") and the
// compound list. Whatever they hold is read without harm; figures are either both numbers or pending,
// and the compounds come out nearest first and are drawn.
#include "kwdfuzzharness.h"
#include "qvmguiderequest.h"
#include "qvmitemguideproject.h"

#include <QByteArray>

#include <cmath>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QByteArray body = kwdFuzzHarness::bytes(data, size);
    qvmGuideRequest point(39.915, 116.404, 500);
    if (point.readStatistics(body))
        kwdFuzzHarness::check(!std::isnan(point.supply) && !std::isnan(point.demand), "figures are numbers");
    else
        kwdFuzzHarness::check(point.pending(), "an unreadable body leaves the point pending");
    for (int type : {1, 2}) {
        if (!point.readList(body, type))
            continue;
        // The order the list promises: by distance, unknown distances (no number) last.
        auto key = [](const qvmItemGuideProject* row) {
            bool ok = false;
            const double d = row->distance.toDouble(&ok);
            return ok ? d : std::numeric_limits<double>::infinity();
        };
        for (int i = 1; i < point.items.size(); ++i)
            kwdFuzzHarness::check(key(point.items.at(i - 1)) <= key(point.items.at(i)),
                                  "compounds are nearest first, those without a position last");
        for (qvmItemGuideProject* item : point.items)
            kwdFuzzHarness::exerciseRow(item, 1);
        point.clearItems();
    }
    return 0;
}

// The new-listing reply of the statistics host, read against a push record and what was announced:
// every row it keeps is new, entered in the map of seen listings, and drawn.
#include "kwdannouncedlistings.h"
#include "kwdfinder.h"
#include "kwdfuzzharness.h"
#include "kwdnewhousereply.h"
#include "qvmlistitem.h"

#include <QByteArray>
#include <QMap>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFinder record(QStringLiteral("push"), 2);
    record.setField(kwdFinder::PushLastSale, QStringLiteral("S100"));
    kwdAnnouncedListings announced;
    announced.add(2, {QStringLiteral("S101"), QStringLiteral("S102")});
    QMap<QString, qvmListItem*> seen;
    const kwdNewHouseReply reply =
        kwdNewHouseReply::read(kwdFuzzHarness::bytes(data, size), record, announced, seen);
    for (qvmListItem* row : reply.rows) {
        kwdFuzzHarness::check(!announced.contains(2, row->id) && !announced.contains(3, row->id),
                              "an announced listing is not new again");
        kwdFuzzHarness::check(seen.value(row->id) == row, "a new row is among the seen ones");
    }
    // A second reading of the same body finds nothing new: every listing is seen now.
    const kwdNewHouseReply again =
        kwdNewHouseReply::read(kwdFuzzHarness::bytes(data, size), record, announced, seen);
    kwdFuzzHarness::check(again.rows.isEmpty(), "the same reply twice announces nothing");
    qDeleteAll(seen);
    return 0;
}

// The data file "announced" (listings already announced): whatever it holds loads without harm, stays
// within its bound, and what was kept saves to a file that reads back the same.
#include "kwdannouncedlistings.h"
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("announced"));
    const QString path = kwdStore::instance()->dataFile(QStringLiteral("announced"));
    kwdAnnouncedListings first(path, 50);
    first.load();
    for (int kind : {2, 3})
        kwdFuzzHarness::check(first.ids(kind).size() <= 50, "the lists stay within their bound");
    kwdFuzzHarness::check(first.save(), "the lists save");
    kwdAnnouncedListings second(path, 50);
    kwdFuzzHarness::check(second.load(), "the saved file reads back");
    for (int kind : {2, 3})
        kwdFuzzHarness::check(second.ids(kind) == first.ids(kind), "the same identifiers come back");
    return 0;
}

// The data file "finders" (the search records): whatever it holds loads without harm, and the records
// kept from it save to a file that reads back whole.
#include "kwdfinder.h"
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("finders"));
    kwdStore* store = kwdStore::instance();
    QList<kwdFinder*> kept;
    store->loadFinders(kept);
    for (kwdFinder* f : kept)
        f->buildQuery();
    kwdFuzzHarness::check(store->saveFinders(kept), "the records save");
    QList<kwdFinder*> again;
    kwdFuzzHarness::check(store->loadFinders(again) && again.size() == kept.size(),
                          "the saved file reads back");
    qDeleteAll(kept);
    qDeleteAll(again);
    return 0;
}

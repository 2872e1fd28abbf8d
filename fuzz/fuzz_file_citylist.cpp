// The data file "citylist" (the cached city catalogue).
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("citylist"));
    kwdStore* store = kwdStore::instance();
    store->loadCities();
    const auto kept = store->cities;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        for (const kwdNameCode& c : it.value())
            store->provinceOf(c.name);
    }
    kwdFuzzHarness::check(store->saveCities(), "the catalogue saves");
    kwdFuzzHarness::check(store->loadCities() && store->cities == kept, "the saved catalogue reads back");
    return 0;
}

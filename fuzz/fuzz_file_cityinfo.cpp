// The data file "cityinfo" (districts and price ranges of the cities seen so far).
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("cityinfo"));
    kwdStore* store = kwdStore::instance();
    store->loadCityInfo();
    const auto kept = store->cityInfo;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        store->districtCode(it.key(), QStringLiteral("东城"));
    kwdFuzzHarness::check(store->saveCityInfo(), "the city information saves");
    kwdFuzzHarness::check(store->loadCityInfo() && store->cityInfo == kept,
                          "the saved city information reads back");
    return 0;
}

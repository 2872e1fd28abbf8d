// The city list shipped with the program, read into the catalogue, whose saved file must read back.
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    QByteArray body = kwdFuzzHarness::bytes(data, size);
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    kwdStore* store = kwdStore::instance();
    if (!store->readCityList(&buffer) || store->cities.isEmpty())
        return 0;
    const auto kept = store->cities;
    for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
        for (const kwdNameCode& c : it.value())
            kwdFuzzHarness::check(!store->cityCode(c.name).isEmpty(), "a listed city has a code");
    }
    kwdFuzzHarness::check(store->loadCities() && store->cities == kept, "the saved catalogue reads back");
    return 0;
}

// The city information document (districts and price ranges), read the way the condition form
// reads it and filed in the store, whose saved file must read back.
#include "kwdfuzzharness.h"
#include "kwdstore.h"

#include <QByteArray>
#include <QDomDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdStore* store = kwdStore::instance();
    store->cityInfo.clear();
    QDomDocument doc;
    if (!doc.setContent(QString::fromUtf8(kwdFuzzHarness::bytes(data, size))))
        return 0;
    if (!store->parseCityInfo(doc, QStringLiteral("bj")))
        return 0;
    const auto* info = store->cityInfoOf(QStringLiteral("bj"));
    kwdFuzzHarness::check(info && info->size() == 4, "city information has its four lists");
    for (const kwdNameCode& d : info->first())
        kwdFuzzHarness::check(!store->districtCode(QStringLiteral("bj"), d.name).isEmpty(),
                              "a district has a code");
    kwdFuzzHarness::check(store->loadCityInfo() && store->cityInfo.size() == 1,
                          "the saved city information reads back");
    return 0;
}

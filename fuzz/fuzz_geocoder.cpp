// The reverse geocoder's reply.
#include "kwdfuzzharness.h"
#include "xqgeosearchmanager.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    QString city;
    const QString address = XQGeoSearchManager::readAddress(kwdFuzzHarness::bytes(data, size), &city);
    kwdFuzzHarness::check(address.startsWith(city), "the address begins with its city");
    return 0;
}

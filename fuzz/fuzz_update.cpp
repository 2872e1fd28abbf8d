// The update document of the statistics host.
#include "kwdfuzzharness.h"
#include "kwdupdateinfo.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const kwdUpdateInfo info = kwdUpdateInfo::parse(kwdFuzzHarness::bytes(data, size));
    kwdFuzzHarness::check(info.build >= 0, "an announced build is not negative");
    kwdFuzzHarness::check(kwdUpdateInfo::threshold(true, info.build) >= kwdUpdateInfo::ownBuild,
                          "the threshold is never below our own build");
    return 0;
}

// The district document, read into a district item and drawn as its detail page draws it.
#include "kwdfuzzharness.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::detail(kwdFuzzHarness::bytes(data, size), 5);
    return 0;
}

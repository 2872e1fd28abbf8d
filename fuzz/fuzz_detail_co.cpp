// The agency detail document, read into a row and drawn as the detail page draws it.
#include "kwdfuzzharness.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::detail(kwdFuzzHarness::bytes(data, size), 4);
    return 0;
}

// The housing-area lookup reply of the condition form.
#include "conditionview.h"
#include "kwdfuzzharness.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    for (const auto& entry : ConditionView::readLookup(kwdFuzzHarness::bytes(data, size)))
        kwdFuzzHarness::check(entry.second.endsWith(QLatin1Char(')')), "a value ends with its id");
    return 0;
}

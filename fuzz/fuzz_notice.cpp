// The notice document of the statistics host.
#include "kwdfuzzharness.h"
#include "qvmnotice.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    QString ishave;
    QString link;
    qvmnotice::readDocument(kwdFuzzHarness::bytes(data, size), &ishave, &link);
    return 0;
}

// The picture list of a listing.
#include "kwdfuzzharness.h"
#include "qvmgitemimagelist.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    for (const qvmPictureEntry& entry : qvmGItemImageList::readList(kwdFuzzHarness::bytes(data, size)))
        kwdFuzzHarness::check(!entry.smallUrl.isEmpty(), "every picture has a small picture");
    return 0;
}

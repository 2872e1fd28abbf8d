#include "kwdliveposition.h"

namespace {
const kwdLivePosition* gCurrent = nullptr;
}

kwdLivePosition::kwdLivePosition()
{
    gCurrent = this;
}

kwdLivePosition::~kwdLivePosition()
{
    if (gCurrent == this)
        gCurrent = nullptr;
}

const kwdLivePosition* kwdLivePosition::current()
{
    return gCurrent;
}

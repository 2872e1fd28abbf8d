// The prize-draw replies: the prize and the request counts.
#include "kwdfuzzharness.h"
#include "kwdprizereply.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QByteArray body = kwdFuzzHarness::bytes(data, size);
    const kwdPrizeReply prize = kwdPrizeReply::parsePrize(body);
    kwdFuzzHarness::check(prize.readable || !prize.unclaimedPrize(), "an unreadable reply holds no prize");
    const kwdPrizeReply counts = kwdPrizeReply::parseCounts(body);
    kwdFuzzHarness::check(counts.readable || (counts.today == 0 && counts.week == 0),
                          "an unreadable reply holds no counts");
    return 0;
}

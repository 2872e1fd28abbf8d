// The publisher's replies of the city's mobile host: login, listing (booking) and upload. Whatever
// they hold is read without harm, and an accepted login always carries its telephone and name fields.
#include "kwdfuzzharness.h"
#include "kwdpublishservice.h"

#include <QByteArray>
#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QString reply = QString::fromUtf8(kwdFuzzHarness::bytes(data, size));
    const kwdPublishService::LoginReply login = kwdPublishService::readLogin(reply);
    kwdFuzzHarness::check(!login.accepted || reply.indexOf(QLatin1Char('=')) == 1,
                          "a login is accepted only with its first '=' at index 1");
    QString dealCode;
    if (kwdPublishService::readBooking(reply, &dealCode))
        kwdFuzzHarness::check(reply.contains(dealCode), "the deal code comes from the reply");
    kwdPublishService::uploadAccepted(reply);
    return 0;
}

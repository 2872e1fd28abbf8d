#pragma once

#include <QString>

// Who this installation is to the service: the identifier every request sends as "sn". Kept below
// the network so that records build their queries without reaching up to the request holder.
class kwdDevice
{
public:
    // The hardware address of the first up Ethernet interface without ":", or "invalidsymbiansn";
    // computed once per run.
    static QString id();
};

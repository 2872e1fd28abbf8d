#include "qvmaddressentry.h"

qvmAddressEntry::qvmAddressEntry(double lat, double lon, QGeoSearchReply* reply)
    : latitude(lat), longitude(lon), pending(reply)
{
}

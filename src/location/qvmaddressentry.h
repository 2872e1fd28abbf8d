#pragma once

#include <QString>

class QGeoSearchReply;

// One cached address lookup: the position sent to the geocoder and, once its reply came, the
// address found there. While the reply is awaited `pending` points at it (not owned).
class qvmAddressEntry
{
public:
    qvmAddressEntry(double lat, double lon, QGeoSearchReply* reply);

    double latitude;
    double longitude;
    QString address;
    QString province;
    QString city;
    QGeoSearchReply* pending;
};

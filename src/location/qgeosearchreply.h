#pragma once

#include <QString>

// One reverse-geocoding answer: the address texts and whether the lookup failed. Made and deleted
// by XQGeoSearchManager; valid only while its finished() signal is being delivered.
class QGeoSearchReply
{
public:
    QGeoSearchReply();

    QString address;
    // This geocoder never fills the province; kept so that callers read one shape of answer.
    QString province;
    QString city;
    // 0 success, 1 failure (address then holds the error text or a partial address).
    int error;
};

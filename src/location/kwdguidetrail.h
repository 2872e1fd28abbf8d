#pragma once

#include <QList>

class qvmGuideRequest;

// Where the price guide has asked and when it asks next: the last position, the request point, the
// distances travelled and the request points themselves, newest first, trimmed to the last 11 km.
// Owns the request points.
class kwdGuideTrail
{
public:
    // Summed steps past which the oldest request point is dropped.
    static constexpr double KeptMetres = 11000;

    kwdGuideTrail() = default;
    ~kwdGuideTrail();
    kwdGuideTrail(const kwdGuideTrail&) = delete;
    kwdGuideTrail& operator=(const kwdGuideTrail&) = delete;

    static double distance(double lat1, double lon1, double lat2, double lon2);

    // A position: the first one after start() or at least `distanceStep` from the request point
    // becomes the request point (true: send a request for it).
    bool position(double lat, double lon);
    // The request point moves to the current position if `minInterval` seconds have passed since
    // the last request (true: send a request for it).
    bool manualUpdate();
    // Tracking starts again from the next position; the points already asked for stay.
    void restart();
    // A new entry for the request point, prepended, the trail trimmed.
    qvmGuideRequest* addRequest();
    void clear();

    qvmGuideRequest* newest() const;
    // The entry whose statistics or list request has this identifier, or null.
    qvmGuideRequest* find(int requestId) const;
    const QList<qvmGuideRequest*>& entries() const { return trail; }

    double distanceStep = 500;
    double minInterval = 30;
    bool tracking = false;
    double latitude = 0;
    double longitude = 0;
    double requestLatitude = 0;
    double requestLongitude = 0;
    double sinceRequest = 0;
    double travelled = 0;
    double lastStep = 0;
    // Steady-clock milliseconds of the last request, -1 before the first.
    qint64 lastRequestTime = -1;

private:
    void moveRequestPoint(double d);

    QList<qvmGuideRequest*> trail;
};

#include "kwdguidetrail.h"

#include "kwdsteadyclock.h"
#include "qvmguiderequest.h"

#include <QGeoCoordinate>

kwdGuideTrail::~kwdGuideTrail()
{
    clear();
}

double kwdGuideTrail::distance(double lat1, double lon1, double lat2, double lon2)
{
    return QGeoCoordinate(lat1, lon1).distanceTo(QGeoCoordinate(lat2, lon2));
}

bool kwdGuideTrail::position(double lat, double lon)
{
    latitude = lat;
    longitude = lon;
    if (!tracking) {
        tracking = true;
        travelled = sinceRequest = lastStep = 0;
        requestLatitude = lat;
        requestLongitude = lon;
        lastRequestTime = kwdSteadyClock::msecs();
        return true;
    }
    const double d = distance(requestLatitude, requestLongitude, lat, lon);
    if (d < distanceStep) {
        sinceRequest = d;
        return false;
    }
    moveRequestPoint(d);
    return true;
}

bool kwdGuideTrail::manualUpdate()
{
    if (!tracking)
        return false;
    const qint64 now = kwdSteadyClock::msecs();
    if (lastRequestTime >= 0 && now - lastRequestTime < qint64(minInterval * 1000))
        return false;
    moveRequestPoint(distance(requestLatitude, requestLongitude, latitude, longitude));
    return true;
}

void kwdGuideTrail::moveRequestPoint(double d)
{
    requestLatitude = latitude;
    requestLongitude = longitude;
    lastRequestTime = kwdSteadyClock::msecs();
    travelled += d;
    lastStep = d;
    sinceRequest = 0;
}

void kwdGuideTrail::restart()
{
    tracking = false;
}

qvmGuideRequest* kwdGuideTrail::addRequest()
{
    auto* entry = new qvmGuideRequest(requestLatitude, requestLongitude, lastStep);
    trail.prepend(entry);
    double sum = 0;
    for (const qvmGuideRequest* r : std::as_const(trail)) {
        sum += r->step;
        // The newest point is the one handed back: a single step longer than the kept distance must
        // not free it.
        if (sum > KeptMetres && trail.size() > 1) {
            delete trail.takeLast();
            break;
        }
    }
    return entry;
}

void kwdGuideTrail::clear()
{
    qDeleteAll(trail);
    trail.clear();
}

qvmGuideRequest* kwdGuideTrail::newest() const
{
    return trail.isEmpty() ? nullptr : trail.first();
}

qvmGuideRequest* kwdGuideTrail::find(int requestId) const
{
    if (requestId <= 0)
        return nullptr;
    for (qvmGuideRequest* r : trail)
        if (r->statId == requestId || r->listId == requestId)
            return r;
    return nullptr;
}

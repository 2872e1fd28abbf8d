#include "kwdlocation.h"

#include "kwdpositionsource.h"
#include "qgeosearchreply.h"
#include "qvmaddressentry.h"
#include "xqgeosearchmanager.h"

#include <QGeoCoordinate>

namespace {

// Satellite methods are the low byte of the flags, every other method lies above it.
constexpr int SatelliteBits = 0xff;

double distance(double lat1, double lon1, double lat2, double lon2)
{
    return QGeoCoordinate(lat1, lon1).distanceTo(QGeoCoordinate(lat2, lon2));
}

} // namespace

kwdLocation* kwdLocation::self = nullptr;

kwdLocation::kwdLocation(QObject* parent) : QObject(parent)
{
    sourceFactory = &kwdPositionSource::createConfigured;
    searchManager = new XQGeoSearchManager(this);
    connect(searchManager, &XQGeoSearchManager::finished, this, &kwdLocation::onSearchFinished);
    self = this;
}

kwdLocation::~kwdLocation()
{
    if (self == this)
        self = nullptr;
    // The manager goes first so that no reply can reach a half-destroyed cache.
    delete searchManager;
    searchManager = nullptr;
    qDeleteAll(addressCache);
    addressCache.clear();
}

kwdLocation* kwdLocation::instance()
{
    return self;
}

QGeoPositionInfoSource* kwdLocation::makeSource()
{
    QGeoPositionInfoSource* source = sourceFactory ? sourceFactory(this) : nullptr;
    if (source) {
        connect(source, &QGeoPositionInfoSource::positionUpdated, this, &kwdLocation::positionUpdated);
        // A receiver that gives up (service refused, connection lost) would otherwise leave the
        // user looking at "Locating..." for ever; without a fix this reports the failure.
        connect(source, &QGeoPositionInfoSource::errorOccurred, this, &kwdLocation::onPositionUpdateTimeout);
    }
    return source;
}

bool kwdLocation::start()
{
    if (running) {
        ++users;
        return true;
    }
    satelliteFix = false;
    addressValid = 0.0;
    hasPosition = false;
    speed = 0.0f;

    if (!satelliteSource) {
        satelliteSource = makeSource();
        if (!satelliteSource) {
            methods = QGeoPositionInfoSource::NoPositioningMethods;
            return false;
        }
        methods = satelliteSource->supportedPositioningMethods();
    }
    if (!methods)
        return false;
    // A second receiver only when the first offers more than satellites: with an NMEA or gpsd
    // receiver it would be another connection to the same device that is never started.
    if (!cellSource && (int(methods) & ~SatelliteBits))
        cellSource = makeSource();

    if (int(methods) & SatelliteBits) {
        satelliteSource->setPreferredPositioningMethods(QGeoPositionInfoSource::SatellitePositioningMethods);
        satelliteSource->startUpdates();
    }
    if ((int(methods) & ~SatelliteBits) && cellSource) {
        cellSource->setPreferredPositioningMethods(QGeoPositionInfoSource::NonSatellitePositioningMethods);
        cellSource->startUpdates();
    }
    ++users;
    running = true;
    satelliteFix = false;
    return true;
}

void kwdLocation::stop()
{
    if (!running)
        return;
    users = qMax(0, users - 1);
    if (users > 0)
        return;
    running = false;
    hasPosition = false;
    // Nobody wants the position any more: let the receiver rest instead of draining the battery
    // and keeping the location in use behind the user's back.
    if (satelliteSource)
        satelliteSource->stopUpdates();
    if (cellSource)
        cellSource->stopUpdates();
}

bool kwdLocation::position(double* lon, double* lat) const
{
    if (!hasPosition)
        return false;
    if (lon)
        *lon = longitude;
    if (lat)
        *lat = latitude;
    return true;
}

QString kwdLocation::city() const
{
    return hasPosition ? cityName : QString();
}

void kwdLocation::positionUpdated(const QGeoPositionInfo& info)
{
    // A fix that arrives after the last user stopped (already queued) is nobody's business.
    if (!running)
        return;
    const QGeoCoordinate c = info.coordinate();
    if (!c.isValid())
        return;
    if (info.hasAttribute(QGeoPositionInfo::GroundSpeed))
        speed = float(info.attribute(QGeoPositionInfo::GroundSpeed));

    QObject* from = sender();
    if (from && from == cellSource && satelliteFix)
        return;
    if (from && from == satelliteSource)
        satelliteFix = true;

    const double threshold = satelliteFix ? 500.0 : 1000.0;
    const bool lookup =
        !(hasPosition && addressValid != 0.0 &&
          distance(addressLatitude, addressLongitude, c.latitude(), c.longitude()) < threshold);

    hasPosition = true;
    latitude = c.latitude();
    longitude = c.longitude();
    emit positionChange(latitude, longitude);
    if (!lookup)
        return;

    for (int i = addressCache.size() - 1; i >= 0; --i) {
        qvmAddressEntry* entry = addressCache.at(i);
        if (distance(entry->latitude, entry->longitude, latitude, longitude) < 200.0) {
            if (entry->pending || entry->address.isEmpty())
                return;
            announce(entry);
            return;
        }
    }
    if (QGeoSearchReply* reply = searchManager->reverseGeocode(c))
        addressCache.append(new qvmAddressEntry(latitude, longitude, reply));
}

void kwdLocation::announce(const qvmAddressEntry* entry)
{
    province = entry->province;
    cityName = entry->city;
    address = entry->address;
    addressLatitude = entry->latitude;
    addressLongitude = entry->longitude;
    addressValid = 1.0;
    emit addressChange(province, cityName, address);
}

void kwdLocation::onSearchFinished(QGeoSearchReply* reply)
{
    if (!reply)
        return;
    reply->city.remove(QStringLiteral("市"));
    int index = -1;
    for (int i = 0; i < addressCache.size(); ++i) {
        if (addressCache.at(i)->pending == reply) {
            index = i;
            break;
        }
    }
    if (index < 0)
        return;
    qvmAddressEntry* entry = addressCache.at(index);
    if (reply->error == 0 && !reply->city.isEmpty()) {
        entry->address = reply->address;
        entry->province = reply->province;
        entry->city = reply->city;
        entry->pending = nullptr;
        if (!hasPosition)
            return;
        if (distance(latitude, longitude, entry->latitude, entry->longitude) < 250.0)
            announce(entry);
        return;
    }
    delete addressCache.takeAt(index);
    emit addressChange(QString(), QString(), reply->address);
}

void kwdLocation::onPositionUpdateTimeout()
{
    if (!hasPosition)
        emit positionChange(0.0, 0.0);
}

#pragma once

#include "kwdliveposition.h"

#include <QGeoPositionInfo>
#include <QGeoPositionInfoSource>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QGeoSearchReply;
class XQGeoSearchManager;
class qvmAddressEntry;

// The position source of the program: runs the receivers, keeps the last valid fix, decides when
// the address must be looked up again, caches the addresses found and announces fixes and
// addresses. One instance at a time, reached through instance() (null while none exists). Owns
// its sources, its geocoder client and the address cache.
class kwdLocation : public QObject, public kwdLivePosition
{
    Q_OBJECT
public:
    using SourceFactory = std::function<QGeoPositionInfoSource*(QObject* parent)>;

    explicit kwdLocation(QObject* parent = nullptr);
    ~kwdLocation() override;

    static kwdLocation* instance();

    // Registers one user; false when there is no position source or no positioning method.
    bool start();
    // Unregisters one user; the receivers stop with the last one.
    void stop();
    bool isRunning() const { return running; }
    // Longitude first; false (and nothing written) while there is no position.
    bool position(double* lon, double* lat) const override;
    QString city() const;
    float groundSpeed() const { return speed; }
    int userCount() const { return users; }

    // Makes both sources (the deployment's receiver unless replaced, for instance by tests).
    SourceFactory sourceFactory;

    QGeoPositionInfoSource* satelliteSource = nullptr;
    QGeoPositionInfoSource* cellSource = nullptr;
    double latitude = 0.0;
    double longitude = 0.0;
    bool hasPosition = false;
    bool satelliteFix = false;
    double addressLatitude = 0.0;
    double addressLongitude = 0.0;
    double addressValid = 0.0;
    QString address;
    QString province;
    QString cityName;
    QGeoPositionInfoSource::PositioningMethods methods;
    QList<qvmAddressEntry*> addressCache;
    XQGeoSearchManager* searchManager = nullptr;

Q_SIGNALS:
    void positionChange(double lat, double lon);
    void addressChange(QString province, QString city, QString address);

public Q_SLOTS:
    void positionUpdated(const QGeoPositionInfo& info);
    void onSearchFinished(QGeoSearchReply* reply);
    void onPositionUpdateTimeout();

private:
    QGeoPositionInfoSource* makeSource();
    void announce(const qvmAddressEntry* entry);

    float speed = 0.0f;
    bool running = false;
    int users = 0;
    static kwdLocation* self;
};

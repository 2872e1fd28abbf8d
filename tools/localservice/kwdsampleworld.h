#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QMap>
#include <QString>
#include <memory>

#include "kwdsamplecity.h"

// Every city the service answers for: the cities of citylist.xml plus the ten large ones. A city's
// data is generated on first use, and new listings keep appearing while the service runs.
class kwdSampleWorld
{
public:
    kwdSampleWorld(quint64 seed, const QDateTime& reference);

    // Adds the cities of a city-list document ("province"/"city" with "name" and "jm"); false when
    // the file cannot be read.
    bool loadCityList(const QString& path);
    bool knows(const QString& code) const;
    QStringList codes() const;
    // The city's data, generated now if needed and brought up to date with the fresh listings;
    // null for an unknown code.
    kwdSampleCity* city(const QString& code);
    // The known city whose centre is nearest to the point (without generating any data).
    QString nearestCity(double latitude, double longitude, double* metres) const;

    // One new listing per interval and kind appears in every generated city; 0 turns that off.
    void setFreshInterval(int seconds) { freshSeconds = seconds; }
    // Adds a listing published now and returns it.
    kwdSampleListing addFresh(const QString& code, bool lease);

    quint64 seed() const { return baseSeed; }
    QDateTime reference() const { return start; }
    // The service's clock: the reference time plus the time since the world was made.
    QDateTime now() const;

private:
    struct Known
    {
        QString name;
        QString province;
    };
    struct Generated
    {
        kwdSampleCity city;
        int freshDone = 0; // intervals already turned into listings
        int serial = 0;    // next serial for an added listing
    };
    void catchUp(const QString& code, Generated* g);

    quint64 baseSeed;
    QDateTime start;
    QElapsedTimer clock;
    int freshSeconds = 300;
    QMap<QString, Known> known;
    QHash<QString, std::shared_ptr<Generated>> generated;
};

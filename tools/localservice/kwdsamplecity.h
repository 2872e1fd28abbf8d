#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "kwdsamplerecords.h"

class kwdSampleRandom;

// One city of the sample data: its districts, streets, housing areas, agencies and listings,
// generated deterministically from the seed, and the lookups the service needs.
class kwdSampleCity
{
public:
    struct Profile
    {
        QString code;
        QString name;
        QString province;
        double latitude = 0;
        double longitude = 0;
        int salePrice = 9000;
        QString areaCode;
        QStringList districts;
        bool large = false;
    };

    // The profile of a city: the real one for the ten large cities, a plausible generic one else.
    static Profile profileFor(const QString& code, const QString& name, const QString& province);
    static kwdSampleCity generate(const Profile& profile, quint64 seed, const QDateTime& reference);

    Profile profile;
    QList<kwdSampleDistrict> districts;
    QList<kwdSampleStreet> streets;
    QList<kwdSampleHousingArea> housingAreas;
    QList<kwdSampleAgency> agencies;
    QList<kwdSampleListing> sales;
    QList<kwdSampleListing> leases;

    int districtByCode(const QString& code) const;
    int streetById(const QString& id) const;
    int housingAreaById(const QString& id) const;
    int agencyById(const QString& id) const;
    int listingById(bool lease, const QString& id) const;
    const QList<kwdSampleListing>& listings(bool lease) const { return lease ? leases : sales; }

    // A new listing published at the given time (the push demo and posted listings use it); the
    // serial makes the identifier unique.
    kwdSampleListing makeListing(bool lease, kwdSampleRandom& random, const QDateTime& published,
                                 int serial) const;
    void addListing(const kwdSampleListing& listing);
    // Recomputes the listing counts of the housing areas.
    void recount();

    static double distanceMetres(double lat1, double lon1, double lat2, double lon2);

private:
    QString newCompoundName(kwdSampleRandom& random, QStringList* used) const;
};

#pragma once

#include <QByteArray>
#include <QString>

#include "kwdlistingfilter.h"

class QDateTime;
class QXmlStreamWriter;
class kwdSampleCity;
struct kwdSampleListing;

// Writes the XML documents of the listing service (result lists, details, picture lists, district,
// street and city information) and of the statistics host and the geocoder.
class kwdServiceDocuments
{
public:
    explicit kwdServiceDocuments(const QString& listingDomain);

    QByteArray cityInfo(const kwdSampleCity& city) const;
    // A result list of the category; recordTag overrides the element name of the records (the
    // lease push uses "forlease").
    QByteArray resultList(const kwdSampleCity& city, kwdListingFilter::Category category,
                          const kwdListingFilter::Page& page, const QString& recordTag = QString()) const;
    static QByteArray emptyResultList(const QString& type);
    // Detail documents; an index of -1 gives an empty result list of the type.
    QByteArray listingDetail(const kwdSampleCity& city, bool lease, int index) const;
    QByteArray housingAreaDetail(const kwdSampleCity& city, int index) const;
    QByteArray agencyDetail(const kwdSampleCity& city, int index) const;
    QByteArray districtDetail(const kwdSampleCity& city, int index) const;
    QByteArray streetDetail(const kwdSampleCity& city, int index) const;
    // Picture list of a record: kind "ha", "forsale" or "lease".
    QByteArray imageList(const kwdSampleCity& city, const QString& kind, const QString& id, int count) const;

    static QByteArray update(int build, const QString& version, const QString& time, const QString& url);
    static QByteArray notice(const QString& ishave, const QString& link);
    static QByteArray prize(const QString& status, const QString& code, const QString& prize,
                            const QString& claimed);
    static QByteArray counts(const QString& code, int today, int week);
    static QByteArray geocode(const QString& city, const QString& district, const QString& street,
                              const QString& number);
    static QByteArray noPlace();

    QString pictureUrl(const QString& cityCode, const QString& kind, const QString& id, int n,
                       bool big) const;
    // "62,300" style: grouped thousands, fixed decimals.
    static QString grouped(double value, int decimals);
    static QString timeText(const QDateTime& time);

private:
    void writeListing(QXmlStreamWriter& w, const kwdSampleCity& city, const kwdSampleListing& l, bool detail,
                      double distance, const QString& tag) const;
    void writeHousingArea(QXmlStreamWriter& w, const kwdSampleCity& city, int index, bool detail,
                          double distance, const QString& tag) const;
    void writeAgency(QXmlStreamWriter& w, const kwdSampleCity& city, int index, bool detail) const;
    void writeCommon(QXmlStreamWriter& w, const kwdSampleCity& city, const QString& kind, const QString& id,
                     const QString& name, double lat, double lon, int images, const QString& address,
                     int pageView) const;
    void writeLinks(QXmlStreamWriter& w, const kwdSampleCity& city, int district, int street,
                    int housingArea) const;
    QString listingDetailText(const kwdSampleCity& city, const kwdSampleListing& l) const;

    QString domain;
};

#pragma once

#include <QCache>
#include <QDateTime>
#include <QMap>
#include <QString>

#include "kwdhttpresponse.h"
#include "kwdservicedocuments.h"

class kwdFaultPlan;
class kwdFormFields;
class kwdHttpRequest;
class kwdNmeaServer;
class kwdRequestLog;
class kwdSampleCity;
class kwdSampleWorld;
class kwdServiceConfig;

// Answers every virtual host of the service: the cities' listing and mobile hosts, the statistics
// host, the geocoder, the web site and the control host through which tests steer the service.
// Owns the state that the control host changes (update, notice, prizes) and the posted listings.
class kwdServiceRouter
{
public:
    kwdServiceRouter(kwdSampleWorld* world, kwdRequestLog* log, kwdFaultPlan* faults,
                     const kwdServiceConfig& config);

    kwdHttpResponse handle(const kwdHttpRequest& request);
    QString controlHost() const { return controlName; }
    // The simulated drive the control host's "/drive" steers; none by default.
    void setDrive(kwdNmeaServer* server) { drive = server; }

    // The sample publisher every login, post and upload is checked against.
    static QString publisherUser() { return QStringLiteral("demo"); }
    static QString publisherPassword() { return QStringLiteral("demo123"); }
    static QString publisherPhone() { return QStringLiteral("13800138000"); }
    static QString publisherName() { return QStringLiteral("张先生"); }
    static QString digest(const QString& password);
    // The login reply: "1=" then the telephone at index 10 up to the first ",", the display name
    // ten characters after that comma.
    static QString loginReply(const QString& phone, const QString& name);

private:
    struct Prize
    {
        QString prize;
        QString code;
        QString claimed = QStringLiteral("false");
    };
    struct Booking
    {
        QString city;
        bool lease = false;
        QString listingId;
    };

    kwdHttpResponse listingHost(kwdSampleCity* city, const kwdHttpRequest& request);
    kwdHttpResponse mobileHost(kwdSampleCity* city, const kwdHttpRequest& request);
    kwdHttpResponse statisticsHost(const kwdHttpRequest& request);
    kwdHttpResponse geocoderHost(const kwdHttpRequest& request);
    kwdHttpResponse controlHostRequest(const kwdHttpRequest& request);
    kwdHttpResponse driveRequest(const kwdFormFields& fields);
    kwdHttpResponse siteHost(const kwdHttpRequest& request);
    kwdHttpResponse picture(kwdSampleCity* city, const QString& path);
    kwdHttpResponse booking(kwdSampleCity* city, const kwdHttpRequest& request);
    kwdHttpResponse upload(kwdSampleCity* city, const kwdHttpRequest& request);
    kwdHttpResponse priceStatistics(const kwdHttpRequest& request);
    bool credentialsOk(const QString& uid, const QString& pwd) const;
    QString deviceCode(const QString& sn) const;

    kwdSampleWorld* world;
    kwdRequestLog* log;
    kwdFaultPlan* faults;
    kwdNmeaServer* drive = nullptr;
    kwdServiceDocuments documents;
    QString domain;
    QString statName;
    QString geoName;
    QString geoToken;
    QString controlName;
    QString siteName;

    int updateBuild = 1016;
    QString updateVersion = QStringLiteral("1.1.6");
    QString updateTime = QStringLiteral("2011-01-14 11:11:11");
    QString updateUrl;
    QString noticeIshave = QStringLiteral("false");
    QString noticeLink;
    // The prize reply's "status" attribute; empty leaves it out.
    QString prizeStatus = QStringLiteral("true");
    QMap<QString, Prize> prizes;
    QMap<QString, Booking> bookings;
    QMap<QString, QByteArray> uploads; // deal code -> JPEG
    int dealSerial = 0;
    QCache<QString, QByteArray> pictures;
};

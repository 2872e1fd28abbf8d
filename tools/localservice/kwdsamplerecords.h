#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The plain records of the generated sample data; kwdSampleCity owns them. Links between records
// are indexes into the city's lists (-1 for none).

struct kwdSampleDistrict
{
    QString code;
    QString name;
    double latitude = 0;
    double longitude = 0;
    int salePrice = 0;     // yuan per square metre
    double leasePrice = 0; // yuan per square metre and month
    QString detail;
    int images = 0;
};

struct kwdSampleStreet
{
    QString id;
    QString name;
    int district = -1;
    QList<int> crossedDistricts;
    QString from;
    QString to;
    int width = 0;  // metres
    int length = 0; // metres
    QDateTime updated;
    double latitude = 0;
    double longitude = 0;
    QList<int> housingAreas;
    int images = 0;
};

struct kwdSampleHousingArea
{
    QString id;
    QString name;
    QString address;
    QString classCode; // "pa" residential, other codes for shops, schools and so on
    int district = -1;
    int street = -1;
    double latitude = 0;
    double longitude = 0;
    int price = 0;         // average asking price, yuan per square metre; 0 for non-residential places
    double priceRise = 0;  // percent
    double leasePrice = 0; // yuan per square metre and month
    double leaseRise = 0;
    int landArea = 0; // square metres
    int builtYear = 0;
    QString developer;
    int images = 0;
    int pageView = 0;
    int saleCount = 0;
    int leaseCount = 0;
    QList<int> agencies;
};

struct kwdSampleAgency
{
    QString id;
    QString name;
    QString phone;
    QString address;
    int district = -1;
    int housingArea = -1;
    double latitude = 0;
    double longitude = 0;
    int images = 0;
};

struct kwdSampleListing
{
    QString id;
    bool lease = false;
    QString title;
    int housingArea = -1;
    int district = -1;
    int street = -1;
    double latitude = 0;
    double longitude = 0;
    QString address;
    QString propType = QStringLiteral("11"); // 11 home, 21 office, 22 shop
    int rooms = 0;
    int halls = 0;
    int baths = 0;
    bool villa = false;
    double area = 0;  // square metres
    double price = 0; // sale: total in ten thousand yuan; lease: yuan per month
    int floor = 0;
    int floors = 0;
    int offer = 0;       // 0 private owner, 1 agency, 2 developer
    bool shared = false; // lease of a room in a shared flat
    QString orientation;
    QString decoration;
    QDateTime published;
    QDateTime updated;
    double priceRise = 0;
    int agency = -1; // -1: offered by a private person (contactName, contactPhone)
    QString contactName;
    QString contactPhone;
    QString note;
    int images = 0;
    int pageView = 0;
    QString pictureKey; // set for a posted listing whose photo was uploaded
};

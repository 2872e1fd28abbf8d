#pragma once

#include <QList>
#include <QString>

class kwdFormFields;
class kwdSampleCity;
struct kwdSampleListing;

// The meaning of a list query: the search keys, the sort order and the page. Selects and orders
// the records of one city and cuts out the page asked for.
class kwdListingFilter
{
public:
    enum Category
    {
        HousingAreas = 1,
        Sales = 2,
        Leases = 3,
        Agencies = 4
    };

    struct Page
    {
        int total = 0;           // records of the whole result
        int skip = 1;            // 1-based position of the page's first record
        QList<int> indexes;      // record indexes of the page, in order
        QList<double> distances; // metres from the query's point, parallel to indexes; -1 without one
    };

    // Reads the keys; a key with a value that cannot mean anything (a page that is not a positive
    // number, a negative radius, ...) makes the filter invalid, and it then selects nothing.
    static kwdListingFilter parse(const kwdFormFields& fields, Category category);

    bool isValid() const { return error.isEmpty(); }
    QString errorText() const { return error; }
    // The matching records of the category in the requested order, paged.
    Page select(const kwdSampleCity& city) const;
    // All matching record indexes in order (no paging).
    QList<int> matches(const kwdSampleCity& city) const;

    Category category = Sales;
    int page = 1;
    int perCount = 20;
    QString districtCode;
    bool hasPoint = false;
    double latitude = 0;
    double longitude = 0;
    double radius = 0;         // metres
    QString aroundHousingArea; // location=<housing area>|<radius>
    QString housingArea;
    QString keyword;
    QString classCode;
    QString propType;
    int rooms = 0; // 1..3 exactly, 4 four or more
    bool villa = false;
    bool shared = false;
    double area1 = -1, area2 = -1;
    double price1 = -1, price2 = -1;
    int floor1 = -1, floor2 = -1;
    int offer = -1;
    QString order;
    // Push queries list the newest first whatever else is asked.
    bool newestFirst = false;

private:
    bool listingMatches(const kwdSampleCity& city, const kwdSampleListing& l) const;
    bool resolvePoint(const kwdSampleCity& city, double* lat, double* lon) const;
    QString error;
};

#pragma once

#include <QMap>
#include <QString>

class QDataStream;

// One search: a category and numbered text fields (province, city, district, housing area, mode,
// conditions, last around-me position, push subscription). Plain value class.
class kwdFinder
{
public:
    // Field numbers, as stored in the finders files.
    enum Field
    {
        Province = 0,
        City = 1,
        District = 2,
        Radius = 4,
        HaId = 5,
        HaName = 6,
        PlaceRange = 7,
        Mode = 8,
        HaClass = 9,
        PropType = 10,
        PriceHa = 11,
        PriceSale = 12,
        PriceLease = 13,
        AreaSize = 14,
        RoomType = 15,
        ShareRent = 16,
        Keyword = 17,
        Floor = 18,
        Source = 19,
        SortHa = 20,
        SortHouse = 21,
        Latitude = 22,
        Longitude = 23,
        PushFlag = 24,
        PushInterval = 25,
        PushLastSale = 26,
        PushLastLease = 27,
    };

    kwdFinder() = default;
    kwdFinder(const QString& name, int category);

    QString name;
    int category = -1;
    QMap<int, QString> fields;

    QString field(int key) const;
    void setField(int key, const QString& value);

    // Copies the search conditions (fields 9 to 21) and the push data (24 to 27) of another record.
    void copyConditions(const kwdFinder& other);

    // Query string of a list request built from this record (pairs joined by "&", sn last).
    QString buildQuery();

    // How many conditions narrow this record's list (district, keyword, type, rooms, shared rent,
    // area, price, floor, source), counted from the query the list would send; sorting is none.
    int activeConditions() const;
    // Removes those conditions, keeping the place, the mode, the sort and the push data.
    void clearConditions();

    void write(QDataStream& out) const;
    // Replaces this record from the stream; false when the stream ran dry or holds nonsense.
    bool read(QDataStream& in);

    bool operator==(const kwdFinder& o) const
    {
        return name == o.name && category == o.category && fields == o.fields;
    }
};

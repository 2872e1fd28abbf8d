#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

// The record of one listing a publisher posts: the form's texts and choices, the checks the form
// applies before posting and the form-encoded body sent to the service. Owns plain values only.
class kwdListing
{
    Q_DECLARE_TR_FUNCTIONS(kwdListing)
public:
    // The inputs the checks can blame, in the order they are checked.
    enum Field
    {
        NoField = -1,
        District,
        Title,
        HousingArea,
        Road,
        Door,
        Price,
        Area,
        Room,
        Hall,
        Toilet,
        Floor,
        TotalFloors
    };
    // How a lease is let: whole, shared, sublet.
    enum Letting
    {
        Whole,
        Shared,
        Sublet
    };

    struct Failure
    {
        Field field = NoField;
        // Empty when the input is only marked, without a box.
        QString message;
        bool ok() const { return field == NoField; }
    };

    bool lease = false;
    QString uid;
    QString pwd;
    QString district;
    QString districtCode;
    QString title;
    QString housingArea;
    QString road;
    QString door;
    int typeIndex = 0;
    QString price;
    QString unit;
    QString area;
    QString room;
    QString hall;
    QString toilet;
    QString floor;
    QString totalFloors;
    int faceIndex = 0;
    Letting letting = Whole;
    // Sent only when not empty.
    QString note;

    // The first check that fails, or a Failure with NoField when every one passes.
    Failure validate() const;
    // The pairs posted, in the order the service reads them.
    QList<QPair<QString, QString>> items() const;
    // The items as an application/x-www-form-urlencoded body: a "&" or "=" in a text stays inside
    // its value.
    QByteArray formBody() const;

    static QString propType(int typeIndex);
    static QString face(int faceIndex);
    static QByteArray formEncode(const QList<QPair<QString, QString>>& items);
};

#pragma once

#include <QStringList>

// The word lists the sample data is built from: the ten large cities with their real districts and
// centres, and the parts of compound, street, agency and person names.
class kwdSampleNames
{
public:
    struct LargeCity
    {
        const char* code;
        const char* name;
        const char* province;
        double latitude;
        double longitude;
        int salePrice;         // typical asking price, yuan per square metre
        const char* areaCode;  // telephone area code
        const char* districts; // separated by spaces, the central ones first
    };

    static const QList<LargeCity>& largeCities();
    static const LargeCity* largeCity(const QString& code);
    static QStringList genericDistricts();

    static QStringList compoundPrefixes();
    static QStringList compoundSuffixes();
    static QStringList streetRoots();
    static QStringList streetSuffixes();
    static QStringList agencyBrands();
    static QStringList surnames();
    static QStringList saleFeatures();
    static QStringList leaseFeatures();
    static QStringList orientations();
    static QStringList decorations();
    static QStringList developers();
    static QStringList relatedGroupTypes();
};

#pragma once

#include "kwdnamecode.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QDataStream;
class QDomDocument;
class QIODevice;
class kwdFinder;
class kwdSecretStore;

// The local store: settings and numbered configuration values, the city catalogue and per-city
// information, the search and push records, the data directory and the cached DPI.
// One instance, reached through instance(); it owns every record it holds.
class kwdStore
{
public:
    // Numbered configuration keys.
    enum ConfigKey
    {
        urlCityInfo = 21,
        urlHaList = 22,
        urlHaDetail = 23,
        urlForsaleList = 24,
        urlForsaleDetail = 25,
        urlLeaseList = 26,
        urlLeaseDetail = 27,
        urlCoList = 28,
        urlCoDetail = 29,
        urlUpdate = 30,
        cfgUpdateInterval = 34,
        cfgAutoUpdate = 35,
        cfgLastUpdate = 36,
        cfgLastUpdateBuild = 37,
        urlHaImages = 38,
        urlForsaleImages = 39,
        urlLeaseImages = 40,
        urlStreetDetail = 41,
        urlDistrict = 42,
        prizeFlag = 43,
        cfgGuideDistance = 44,
        cfgGuideRange = 45,
        cfgGuideUpdateInterval = 46,
        cfgGPSRange = 47,
        cfgAllowSkipReg = 48,
        cfgOnloadName = 50,
        cfgOnloadPassword = 51,
        cfgOnloadTel = 52,
        cfgOnloadUser = 53,
        loggedIn = 54,
        cfgOnClose = 55,
        cfgOnQuit = 56,
        cfgCity = 57,
        guideCityCode = 58,
        cfgWindowGeometry = 59,
    };

    enum KeyKind
    {
        Unknown,
        Persisted,
        InMemory,
        Endpoint
    };

    static kwdStore* instance();
    // Destroys the one store so that the next instance() starts afresh (tests, program exit).
    static void destroy();

    // A file shipped with the program (citylist.xml, skin/, catalogue): next to it in the build tree,
    // else in the installed data directory; whatever the working directory.
    static QString appFile(const QString& relative);

    static KeyKind keyKind(int key);
    QVariant config(int key) const;
    void setConfig(int key, const QVariant& value);

    QString dataPath();
    QString dataFile(const QString& name);
    // Writes a data file atomically and readable by the user only, in the pinned stream version;
    // false (and the file as it was) when it cannot be written or the body fails.
    static bool writeFile(const QString& path, const std::function<void(QDataStream&)>& body);
    // The pinned version of every data file's stream, for readers.
    static void setStreamVersion(QDataStream& stream);
    // Keeps cfgOnloadPassword out of the settings; made on first use (start-up does not wait for it).
    kwdSecretStore* secrets();
    int screenDpi();
    // Points to pixels at the cached DPI (integer division, as every drawn item measures).
    int pointsToPixels(int points);

    void load();
    bool loadFinders(QList<kwdFinder*>& list);
    bool saveFinders(const QList<kwdFinder*>& list);
    bool loadNewHouseFinders(QList<kwdFinder*>& list);
    bool saveNewHouseFinders(const QList<kwdFinder*>& list);
    bool loadCities();
    bool saveCities();
    bool loadCityInfo();
    bool saveCityInfo();

    // City catalogue and city information.
    void parseCityList(const QDomDocument& doc);
    // The same from the document's bytes; false (and an empty catalogue) when it is not well-formed.
    bool readCityList(QIODevice* device);
    bool parseCityInfo(const QDomDocument& doc, const QString& cityCode);
    QString cityCode(const QString& cityName) const;
    QString provinceOf(const QString& cityName) const;
    const QList<QList<kwdNameCode>>* cityInfoOf(const QString& cityCode) const;
    QString districtCode(const QString& cityCode, const QString& districtName) const;
    QString listUrl(int category, const QString& cityCode, bool detail) const;
    static QString categoryKey(int category);
    static QString categoryTitle(int category);

    QMap<QString, QList<kwdNameCode>> cities;
    QMap<QString, QList<QList<kwdNameCode>>> cityInfo;
    QList<kwdFinder*> finders;
    QList<kwdFinder*> newHouseFinders;
    QMap<int, QVariant> configValues;
    int dpi = 0;
    QString dataDir;
    kwdFinder* currentFinder = nullptr;
    kwdFinder* currentNewHouseFinder = nullptr;

    ~kwdStore();

private:
    kwdStore();
    kwdStore(const kwdStore&) = delete;
    kwdStore& operator=(const kwdStore&) = delete;

    bool loadFinderFile(const QString& name, QList<kwdFinder*>& list);
    bool saveFinderFile(const QString& name, const QList<kwdFinder*>& list);

    std::unique_ptr<kwdSecretStore> secretStore;
};

#pragma once

#include <QList>
#include <QString>

class QByteArray;
class qvmItemGuideProject;

// One request point of the price guide: where it was sent, the identifiers of its two requests, the
// statistics figures and the compounds of the list reply. Owns its compound rows.
class qvmGuideRequest
{
public:
    qvmGuideRequest(double lat, double lon, double stepMetres);
    ~qvmGuideRequest();
    qvmGuideRequest(const qvmGuideRequest&) = delete;
    qvmGuideRequest& operator=(const qvmGuideRequest&) = delete;

    // The statistics address; `base` is "http://<host>:8081".
    static QString statisticsUrl(const QString& base, const QString& jm, double lat, double lon, double range,
                                 int guideType);
    // The compound list address on the city's listing host.
    static QString listUrl(const QString& domain, const QString& jm, double lat, double lon, double range);

    // Reads "supply|demand"; anything but two numbers leaves both figures pending (false).
    bool readStatistics(const QByteArray& body);
    bool pending() const { return supply < 0 && demand < 0; }
    // Reads a housing-area list reply into `items`, each with its distance from this point, sorted
    // nearest first; false (items untouched) when the body is no housing-area list.
    bool readList(const QByteArray& body, int guideType);
    // Nearest first, equal distances in reply order, compounds without a position last.
    void sortItems();
    void clearItems();

    double latitude = 0;
    double longitude = 0;
    int statId = 0;
    int listId = 0;
    double step = 0;
    double supply = -1;
    double demand = -1;
    QList<qvmItemGuideProject*> items;
};

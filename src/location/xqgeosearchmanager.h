#pragma once

#include <QMap>
#include <QObject>
#include <QString>

class QByteArray;
class QGeoCoordinate;
class QGeoSearchReply;

// Reverse geocoding over HTTP: turns one coordinate into an address through the map service's
// "rgc" interface, sent through the request holder. Owns the replies still awaited.
class XQGeoSearchManager : public QObject
{
    Q_OBJECT
public:
    explicit XQGeoSearchManager(QObject* parent = nullptr);
    ~XQGeoSearchManager() override;

    // Null when the holder refused the request.
    QGeoSearchReply* reverseGeocode(const QGeoCoordinate& coordinate);
    // The address asked for a coordinate.
    QString requestUrl(const QGeoCoordinate& coordinate) const;
    int pendingCount() const { return int(replies.size()); }
    // Reads a reply of the "rgc" interface: the city, and the address as city, district, road and
    // number. An unreadable body or one without a place gives an empty address.
    static QString readAddress(const QByteArray& body, QString* city);

    QString host;
    QString token;

Q_SIGNALS:
    // The reply is deleted right after this signal has been delivered.
    void finished(QGeoSearchReply* reply);

public Q_SLOTS:
    void onHttpResponse(int id, int err);

private:
    QMap<int, QGeoSearchReply*> replies;
};

#include "xqgeosearchmanager.h"

#include "kwdserviceconfig.h"
#include "qgeosearchreply.h"
#include "qvmhttpholder.h"

#include <QDomDocument>
#include <QGeoCoordinate>

namespace {

// The first element called `name` anywhere below `parent`.
QDomElement firstBelow(const QDomNode& parent, const QString& name)
{
    if (parent.isNull())
        return QDomElement();
    const QDomNodeList list = parent.isDocument() ? parent.toDocument().elementsByTagName(name)
                                                  : parent.toElement().elementsByTagName(name);
    return list.isEmpty() ? QDomElement() : list.at(0).toElement();
}

} // namespace

XQGeoSearchManager::XQGeoSearchManager(QObject* parent)
    : QObject(parent), host(kwdServiceConfig::instance().geocoderHost),
      token(kwdServiceConfig::instance().geocoderToken)
{
}

XQGeoSearchManager::~XQGeoSearchManager()
{
    // Requests still running would otherwise keep records nobody removes.
    if (qvmHttpHolder* holder = qvmHttpHolder::instance()) {
        for (auto it = replies.cbegin(); it != replies.cend(); ++it)
            holder->remove(it.key());
    }
    qDeleteAll(replies);
}

QString XQGeoSearchManager::requestUrl(const QGeoCoordinate& coordinate) const
{
    return QStringLiteral("http://") + host + QStringLiteral("/geocoder/rgc/1.0?referer=qtlocationapi") +
           QStringLiteral("&token=") + token + QStringLiteral("&long=") +
           QStringLiteral("%1").arg(coordinate.longitude(), 6, 'f', 4) + QStringLiteral("&lat=") +
           QStringLiteral("%1").arg(coordinate.latitude(), 6, 'f', 4) + QStringLiteral("&lg=chi");
}

QGeoSearchReply* XQGeoSearchManager::reverseGeocode(const QGeoCoordinate& coordinate)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return nullptr;
    const int id = holder->get(requestUrl(coordinate), this, false);
    if (id < 1)
        return nullptr;
    auto* reply = new QGeoSearchReply;
    replies.insert(id, reply);
    return reply;
}

QString XQGeoSearchManager::readAddress(const QByteArray& body, QString* city)
{
    QString address;
    city->clear();
    QDomDocument doc;
    if (!doc.setContent(body))
        return address;
    const QDomElement places = firstBelow(doc, QStringLiteral("places"));
    const QDomElement place = firstBelow(places, QStringLiteral("place"));
    if (place.isNull())
        return address;
    const QDomElement addr = firstBelow(place, QStringLiteral("address"));
    if (!addr.isNull()) {
        *city = firstBelow(addr, QStringLiteral("city")).text();
        address = *city + firstBelow(addr, QStringLiteral("district")).text();
    }
    const QDomElement road = firstBelow(place, QStringLiteral("thoroughfare"));
    if (!road.isNull())
        address += firstBelow(road, QStringLiteral("name")).text() +
                   firstBelow(road, QStringLiteral("number")).text();
    return address;
}

void XQGeoSearchManager::onHttpResponse(int id, int err)
{
    // Only our own identifiers are in the map; anything else is not ours to read or remove.
    QGeoSearchReply* reply = replies.take(id);
    if (!reply)
        return;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* record = holder ? holder->request(id) : nullptr;

    if (err != 0 || !record) {
        reply->address = record ? record->text : QString();
        reply->city.clear();
        reply->error = 1;
        if (holder)
            holder->remove(id);
        emit finished(reply);
        delete reply;
        return;
    }

    QString city;
    const QString address = record->body ? readAddress(*record->body, &city) : QString();
    reply->address = address;
    reply->city = city;
    if (address.isEmpty())
        reply->error = 1;
    emit finished(reply);
    delete reply;
    holder->remove(id);
}

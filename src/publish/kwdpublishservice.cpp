#include "kwdpublishservice.h"

#include "kwdfinder.h"
#include "kwdlisting.h"
#include "kwdphotoupload.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"

#include <QCryptographicHash>
#include <QRegularExpression>

QString kwdPublishService::currentCityCode()
{
    kwdStore* store = kwdStore::instance();
    QString city = store->currentFinder ? store->currentFinder->field(kwdFinder::City) : QString();
    if (city.isEmpty())
        city = store->config(kwdStore::cfgCity).toString();
    return store->cityCode(city);
}

QString kwdPublishService::mobileUrl(const QString& cityCode, const QString& page)
{
    return QStringLiteral("http://%1.m.%2/webservice/%3")
        .arg(cityCode, kwdServiceConfig::instance().listingDomain, page);
}

QString kwdPublishService::digest(const QString& password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex());
}

QByteArray kwdPublishService::loginBody(const QString& uid, const QString& pwdDigest)
{
    return kwdListing::formEncode({{QStringLiteral("uid"), uid}, {QStringLiteral("pwd"), pwdDigest}});
}

kwdPublishService::LoginReply kwdPublishService::readLogin(const QString& reply)
{
    // "1=mobile: <telephone>,username:<name>": both captions are ten characters long.
    LoginReply r;
    r.accepted = reply.indexOf(QLatin1Char('=')) == 1;
    if (!r.accepted)
        return r;
    const int comma = reply.indexOf(QLatin1Char(','));
    if (comma < 0) {
        r.telephone = reply.mid(10);
        return r;
    }
    r.telephone = comma > 10 ? reply.mid(10, comma - 10) : QString();
    r.name = reply.mid(comma + 10);
    return r;
}

bool kwdPublishService::readBooking(const QString& reply, QString* dealCode)
{
    if (reply.indexOf(QLatin1Char('=')) != 1)
        return false;
    *dealCode = reply.mid(2);
    return true;
}

bool kwdPublishService::plainText(const QString& reply)
{
    // "<b>", "</p>", "<?xml ...?>", "<!DOCTYPE ...>", "<!--", or a document cut before its first ">".
    static const QRegularExpression markup(
        QStringLiteral("<(?:[/?!]?[A-Za-z][^<>]*>|!--)|^\\s*<[/?!]?[A-Za-z]"));
    return !reply.contains(markup);
}

int kwdPublishService::postLogin(QObject* receiver, const QString& cityCode, const QString& uid,
                                 const QString& pwdDigest)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return 0;
    const QByteArray body = loginBody(uid, pwdDigest);
    return holder->post(mobileUrl(cityCode, QStringLiteral("login.html")), receiver, body.constData(),
                        int(body.size()), QStringLiteral("application/x-www-form-urlencoded"));
}

int kwdPublishService::postListing(QObject* receiver, const QString& cityCode, const kwdListing& listing)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return 0;
    const QByteArray body = listing.formBody();
    return holder->post(mobileUrl(cityCode, QStringLiteral("booking.html")), receiver, body.constData(),
                        int(body.size()), QStringLiteral("application/x-www-form-urlencoded"));
}

int kwdPublishService::postPhoto(QObject* receiver, const QString& cityCode, const QString& photoPath,
                                 const QString& dealCode, const QString& uid, const QString& pwdDigest,
                                 const QByteArray& photo)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return 0;
    const QByteArray body = kwdPhotoUpload::body(photoPath, dealCode, uid, pwdDigest, photo);
    return holder->post(mobileUrl(cityCode, QStringLiteral("savepropimage.html")), receiver, body.constData(),
                        int(body.size()), kwdPhotoUpload::contentType());
}

int kwdPublishService::getDistricts(QObject* receiver, const QString& cityCode)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return 0;
    const QString url = QStringLiteral("http://%1.%2")
                            .arg(cityCode, kwdStore::instance()->config(kwdStore::urlCityInfo).toString());
    return holder->get(url, receiver);
}

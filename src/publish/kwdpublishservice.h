#pragma once

#include <QByteArray>
#include <QString>

class QObject;
class kwdListing;

// The publisher's exchanges with the city's mobile host, without widgets: the addresses, the
// login, listing and photo requests sent through the request holder, and how their plain-text
// replies are read. Owns nothing; the holder owns the requests.
class kwdPublishService
{
public:
    struct LoginReply
    {
        bool accepted = false;
        QString telephone;
        QString name;
    };

    // The short code of the city being searched, whose mobile host takes the listing.
    static QString currentCityCode();
    // "http://<city>.m.<domain>/webservice/<page>".
    static QString mobileUrl(const QString& cityCode, const QString& page);
    // MD5 of the password's UTF-8 bytes, 32 lower-case hexadecimal characters.
    static QString digest(const QString& password);
    static QByteArray loginBody(const QString& uid, const QString& pwdDigest);

    static LoginReply readLogin(const QString& reply);
    // Accepted when the first "=" stands at index 1; the deal code follows it.
    static bool readBooking(const QString& reply, QString* dealCode);
    static bool uploadAccepted(const QString& reply) { return reply == QLatin1String("1"); }
    // The service answers in short plain texts, which may hold a "<" of their own (a name, a
    // comparison). Markup (a tag, a comment, a document that opens with one) is an error page or a
    // cut, garbled reply, whose "1=" must not pass for an acceptance.
    static bool plainText(const QString& reply);

    // Each returns the holder's identifier, 0 when the request was not started.
    static int postLogin(QObject* receiver, const QString& cityCode, const QString& uid,
                         const QString& pwdDigest);
    static int postListing(QObject* receiver, const QString& cityCode, const kwdListing& listing);
    static int postPhoto(QObject* receiver, const QString& cityCode, const QString& photoPath,
                         const QString& dealCode, const QString& uid, const QString& pwdDigest,
                         const QByteArray& photo);
    static int getDistricts(QObject* receiver, const QString& cityCode);
};

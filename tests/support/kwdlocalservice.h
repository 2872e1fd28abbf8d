#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkProxy>
#include <QProcess>
#include <QString>
#include <QStringList>

class QNetworkAccessManager;

// Runs the local service (kwd-localservice next to the test binary) for one test: starts it on a
// free port, makes it the HTTP proxy of the test process and stops it again when destroyed. The
// helpers drive its control host: request log, faults, update, notice, prize and new listings.
class kwdLocalService
{
public:
    // extraArguments go to the program after "--port 0" (for instance "--seed", "7").
    explicit kwdLocalService(const QStringList& extraArguments = QStringList());
    ~kwdLocalService();
    kwdLocalService(const kwdLocalService&) = delete;
    kwdLocalService& operator=(const kwdLocalService&) = delete;

    bool isRunning() const { return port_ != 0; }
    quint16 port() const { return port_; }
    // What went wrong when the service did not start.
    QString errorText() const { return error; }
    // The host names the service answers for, from the deployment configuration.
    static QString listingHost(const QString& cityCode);
    static QString statisticsBase();
    static QString controlHost();

    struct Reply
    {
        int status = 0; // 0 when no HTTP answer came
        QByteArray body;
        QString error; // the network layer's text on failure
    };
    // Synchronous GET or POST through the service (waits at most timeoutMs).
    Reply get(const QString& url, int timeoutMs = 10000) const;
    Reply post(const QString& url, const QByteArray& body, const QByteArray& contentType,
               int timeoutMs = 10000) const;

    // The log of client requests (control requests are not logged), one object per request.
    QList<QJsonObject> log() const;
    // Only the requests whose path ends with `path`.
    QList<QJsonObject> log(const QString& path) const;
    bool clearLog() const;
    // kind: refuse, reset, stall, truncate, malformed, huge or an HTTP status; extra: further
    // query text such as "ms=500&times=1".
    bool setFault(const QString& host, const QString& path, const QString& kind,
                  const QString& extra = QString()) const;
    bool clearFaults() const;
    bool setUpdate(int build, const QString& version, const QString& time, const QString& url) const;
    // ishave empty: "true" with a link, "false" without.
    bool setNotice(const QString& link, const QString& ishave = QString()) const;
    bool setPrize(const QString& sn, const QString& prize, const QString& code, const QString& claimed) const;
    // The "status" attribute of every prize reply; "none" leaves it out.
    bool setPrizeStatus(const QString& status) const;
    // Adds new listings published now; returns their identifiers.
    QStringList addListings(const QString& cityCode, const QString& kind, int count = 1) const;

private:
    bool control(const QString& pathAndQuery) const;

    QProcess process;
    quint16 port_ = 0;
    QString error;
    QNetworkProxy previousProxy;
    QNetworkAccessManager* manager;
};

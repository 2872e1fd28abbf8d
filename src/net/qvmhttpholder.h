#pragma once

#include <QMap>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>

class QByteArray;
class QFile;
class QNetworkAccessManager;

// One HTTP exchange: who asked, where the body went, and how it ended. Owned by the holder; a page
// only borrows it between its onHttpResponse call and its call of remove().
class qvmHttpRequest
{
public:
    enum State
    {
        Pending = 0,
        Done = 1,
        Failed = 2
    };
    // Our own error beyond QNetworkReply's codes: the reply was larger than the holder accepts.
    static constexpr int ReplyTooLarge = 10000;

    ~qvmHttpRequest();

    int id = 0;
    QNetworkReply* reply = nullptr;
    QPointer<QObject> receiver;
    bool hadReceiver = false;
    QString text;
    QString url;
    int state = Pending;
    // The QNetworkReply::NetworkError of a failed exchange (or ReplyTooLarge), else 0.
    int error = 0;
    // Set when the body passed the holder's limit and the transfer was stopped for it.
    bool tooLarge = false;
    bool toFile = false;
    QByteArray* body = nullptr;
    QFile* file = nullptr;
};

// Every HTTP exchange of the program passes through the one holder: it starts requests under
// identifiers that only grow, keeps their records, and calls the receiver's slot
// onHttpResponse(int id, int err) by name when a reply is complete. It never parses a reply.
class qvmHttpHolder : public QObject
{
    Q_OBJECT
public:
    explicit qvmHttpHolder(QObject* parent = nullptr);
    ~qvmHttpHolder() override;

    static qvmHttpHolder* instance();
    int get(const QString& url, QObject* receiver, bool toFile = false);
    int post(const QString& url, QObject* receiver, const char* data, int size);
    int post(const QString& url, QObject* receiver, const char* data, int size, const QString& contentType);
    int login(const QString& sn, const QString& uid, QObject* receiver);

    qvmHttpRequest* request(int id) const;
    qvmHttpRequest* requestByUrl(const QString& url) const;
    // Records held: those still waiting for their reply, and all of them (a finished record stays
    // until its receiver removes it).
    int pendingCount() const;
    int recordCount() const { return int(requests.size()); }
    void remove(int id);

    QNetworkAccessManager* networkManager() const { return manager; }

    // A transfer that receives nothing for this long fails as a timeout (QNetworkReply::TimeoutError),
    // so a stalled server never holds a page; 30 s by default, 0 turns it off.
    void setTransferTimeout(int ms);
    int transferTimeout() const { return timeoutMs; }
    // A body (in memory or in a download file) larger than this fails as ReplyTooLarge instead of
    // taking the memory or the disk; 16 MB by default, far above any document or picture.
    void setBodyLimit(qint64 bytes);
    qint64 bodyLimit() const { return limit; }

public Q_SLOTS:
    void OnFinished(QNetworkReply* reply);
    void summaryError(QNetworkReply::NetworkError code);
    void summaryDownloadProgress(qint64 bytesReceived, qint64 bytesTotal);

private:
    int start(const QString& url, QObject* receiver, bool toFile, const QByteArray* postData,
              const QString& contentType);
    // Forgets a record's running reply and destroys the record, so that no completion reaches anyone.
    void destroyRecord(qvmHttpRequest* r);

    QNetworkAccessManager* manager = nullptr;
    QMap<int, qvmHttpRequest*> requests;
    QMap<QNetworkReply*, int> replies;
    int lastId = 0;
    int timeoutMs = 30000;
    qint64 limit = qint64(16) * 1024 * 1024;
};

#include "qvmhttpholder.h"

#include "kwdlog.h"
#include "kwdprivatefile.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QMetaMethod>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

namespace {

// The client's build number, reported to the statistics host with every usage report.
constexpr int kBuildNumber = 1016;

qvmHttpHolder* theHolder = nullptr;

// Closes the download file of a record, keeping it on disk under its path.
void closeFile(qvmHttpRequest* r)
{
    if (!r->file)
        return;
    r->file->close();
    delete r->file;
    r->file = nullptr;
}

} // namespace

qvmHttpRequest::~qvmHttpRequest()
{
    if (reply) {
        // Cleared first so that the abort's completion finds no record to report to.
        QNetworkReply* running = reply;
        reply = nullptr;
        if (!running->isFinished())
            running->abort();
    }
    delete file;
    file = nullptr;
    if (state != Failed && !text.isEmpty())
        QFile::remove(text);
    delete body;
    body = nullptr;
}

qvmHttpHolder::qvmHttpHolder(QObject* parent) : QObject(parent), manager(new QNetworkAccessManager(this))
{
    theHolder = this;
    connect(manager, &QNetworkAccessManager::finished, this, &qvmHttpHolder::OnFinished);
}

qvmHttpHolder::~qvmHttpHolder()
{
    // Nobody is told about requests that die with the holder.
    disconnect(manager, nullptr, this, nullptr);
    const QList<qvmHttpRequest*> records = requests.values();
    requests.clear();
    replies.clear();
    for (qvmHttpRequest* r : records) {
        if (r->reply)
            r->reply->disconnect(this);
        delete r; // aborts a reply still running
    }
    delete manager;
    manager = nullptr;
    if (theHolder == this)
        theHolder = nullptr;
}

void qvmHttpHolder::setTransferTimeout(int ms)
{
    timeoutMs = qMax(ms, 0);
}

void qvmHttpHolder::setBodyLimit(qint64 bytes)
{
    limit = qMax<qint64>(bytes, 1);
}

qvmHttpHolder* qvmHttpHolder::instance()
{
    return theHolder;
}

int qvmHttpHolder::pendingCount() const
{
    return int(std::count_if(requests.cbegin(), requests.cend(),
                             [](const qvmHttpRequest* r) { return r->state == qvmHttpRequest::Pending; }));
}

int qvmHttpHolder::get(const QString& url, QObject* receiver, bool toFile)
{
    return start(url, receiver, toFile, nullptr, QString());
}

int qvmHttpHolder::post(const QString& url, QObject* receiver, const char* data, int size)
{
    const QByteArray payload(data, data ? qMax(size, 0) : 0);
    return start(url, receiver, false, &payload, QString());
}

int qvmHttpHolder::post(const QString& url, QObject* receiver, const char* data, int size,
                        const QString& contentType)
{
    const QByteArray payload(data, data ? qMax(size, 0) : 0);
    return start(url, receiver, false, &payload, contentType);
}

int qvmHttpHolder::start(const QString& url, QObject* receiver, bool toFile, const QByteArray* postData,
                         const QString& contentType)
{
    // The identifier is used up even when the request cannot be started.
    ++lastId;
    auto* r = new qvmHttpRequest;
    r->id = lastId;
    r->url = url;
    r->receiver = receiver;
    r->hadReceiver = receiver != nullptr;
    r->toFile = toFile;

    if (toFile) {
        r->text = kwdStore::instance()->dataPath() + QStringLiteral("/qvmstat%1.tmp").arg(r->id);
        r->file = new QFile(r->text);
        if (!r->file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            qWarning() << "cannot open download file" << r->text << r->file->errorString();
            // Nothing was written, and an older file of that name is not ours to delete.
            r->text.clear();
            delete r;
            return 0;
        }
        // A downloaded picture shows what the user browsed: private, also over an older file.
        r->file->setPermissions(kwdPrivateFile::fileMode);
    }

    QNetworkRequest req{QUrl(url)};
    req.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = nullptr;
    if (postData) {
        if (!contentType.isNull()) {
            req.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
            req.setHeader(QNetworkRequest::ContentLengthHeader, postData->size());
        }
        reply = manager->post(req, *postData);
    } else {
        reply = manager->get(req);
    }
    if (!reply) {
        if (r->file)
            closeFile(r);
        delete r;
        return 0;
    }

    r->reply = reply;
    requests.insert(r->id, r);
    replies.insert(reply, r->id);
    // Progress is watched for every reply: download files are written as data arrives, and any body
    // is stopped once it passes the limit.
    connect(reply, &QNetworkReply::downloadProgress, this, &qvmHttpHolder::summaryDownloadProgress);
    if (toFile)
        connect(reply, &QNetworkReply::errorOccurred, this, &qvmHttpHolder::summaryError);
    return r->id;
}

int qvmHttpHolder::login(const QString& sn, const QString& uid, QObject* receiver)
{
    // Values are encoded so that an identifier holding '&', '#' or spaces cannot break the query.
    QString query = QStringLiteral("sn=%1").arg(QString::fromLatin1(QUrl::toPercentEncoding(sn)));
    if (!uid.isEmpty())
        query += QStringLiteral("&uid=%1").arg(QString::fromLatin1(QUrl::toPercentEncoding(uid)));
    query += QStringLiteral("&flag=1");
    query += QStringLiteral("&remark=symbian");
    query += QStringLiteral("&version=%1").arg(kBuildNumber);
    const QString url = kwdServiceConfig::instance().statisticsBase() +
                        QStringLiteral("/kwd/webservice/kwd_login.php?") + query;
    return get(url, receiver, false);
}

qvmHttpRequest* qvmHttpHolder::request(int id) const
{
    return requests.value(id, nullptr);
}

qvmHttpRequest* qvmHttpHolder::requestByUrl(const QString& url) const
{
    for (qvmHttpRequest* r : requests) {
        if (r->url == url)
            return r;
    }
    return nullptr;
}

void qvmHttpHolder::remove(int id)
{
    qvmHttpRequest* r = requests.take(id);
    if (!r)
        return;
    destroyRecord(r);
}

void qvmHttpHolder::destroyRecord(qvmHttpRequest* r)
{
    if (r->reply) {
        // Forget the reply before aborting it: the abort then completes as an unknown reply and
        // the receiver is not called for it.
        replies.remove(r->reply);
        r->reply->disconnect(this);
    }
    delete r;
}

void qvmHttpHolder::OnFinished(QNetworkReply* reply)
{
    auto rit = replies.find(reply);
    if (rit == replies.end()) {
        reply->deleteLater();
        return;
    }
    const int id = rit.value();
    replies.erase(rit);
    qvmHttpRequest* r = requests.value(id, nullptr);
    if (!r || r->reply != reply) {
        reply->deleteLater();
        return;
    }
    r->reply = nullptr;
    reply->disconnect(this);

    int err = 0;
    // A body that passed the limit on its last piece has already completed: it fails all the same.
    if (reply->error() != QNetworkReply::NoError || r->tooLarge) {
        closeFile(r);
        // The partial file can no longer be found once its path gives way to the error text.
        if (r->toFile && !r->text.isEmpty())
            QFile::remove(r->text);
        r->state = qvmHttpRequest::Failed;
        r->text = reply->errorString();
        r->error = reply->error();
        // The holder aborts a reply only for its size; any other cancellation is the transfer
        // timeout, which Qt reports as a cancelled operation.
        if (r->tooLarge) {
            r->error = qvmHttpRequest::ReplyTooLarge;
            r->text = tr("larger than %1 MB").arg(limit / (1024.0 * 1024.0), 0, 'g', 3);
        } else if (r->error == QNetworkReply::OperationCanceledError) {
            r->error = QNetworkReply::TimeoutError;
            r->text = tr("no data for %1 s").arg(timeoutMs / 1000.0, 0, 'g', 3);
        }
        err = -1;
    } else {
        r->state = qvmHttpRequest::Done;
        if (r->toFile) {
            // A body of unknown length never reports received == total: the rest is written and the
            // file closed here, so the receiver always reads a complete file.
            if (r->file) {
                r->file->write(reply->readAll());
                closeFile(r);
            }
        } else {
            r->body = new QByteArray(reply->readAll());
        }
    }

    QObject* receiver = r->receiver.data();
    if (receiver) {
        const QMetaObject* mo = receiver->metaObject();
        const int index = mo->indexOfMethod("onHttpResponse(int,int)");
        if (index >= 0) {
            // The receiver owns the record from here on (it calls remove), so it is not touched again.
            mo->method(index).invoke(receiver, Qt::DirectConnection, Q_ARG(int, id), Q_ARG(int, err));
            reply->deleteLater();
            return;
        }
    }
    // Nobody can take the record: no receiver, one without the slot, or one destroyed meanwhile.
    requests.remove(id);
    delete r;
    reply->deleteLater();
}

void qvmHttpHolder::summaryError(QNetworkReply::NetworkError code)
{
    Q_UNUSED(code);
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    auto rit = replies.constFind(reply);
    if (rit == replies.cend())
        return;
    qvmHttpRequest* r = requests.value(rit.value(), nullptr);
    if (r)
        closeFile(r);
}

void qvmHttpHolder::summaryDownloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    auto* reply = qobject_cast<QNetworkReply*>(sender());
    auto rit = replies.constFind(reply);
    if (rit == replies.cend())
        return;
    qvmHttpRequest* r = requests.value(rit.value(), nullptr);
    if (!r)
        return;
    if (bytesReceived > limit || bytesTotal > limit) {
        r->tooLarge = true;
        // The abort completes the reply at once (unless the piece was its last), and the receiver
        // may already have removed the record when it returns: nothing of it is touched after this.
        reply->abort();
        return;
    }
    // A reply that timed out reports its progress once more after it was closed.
    if (!r->toFile || !reply->isOpen())
        return;
    const QByteArray chunk = reply->readAll();
    if (r->file)
        r->file->write(chunk);
    if (bytesReceived == bytesTotal && r->file)
        closeFile(r);
}

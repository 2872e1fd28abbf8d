#include "kwdlocalservice.h"

#include "kwdserviceconfig.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>

kwdLocalService::kwdLocalService(const QStringList& extraArguments)
    : previousProxy(QNetworkProxy::applicationProxy()), manager(new QNetworkAccessManager)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kwd-localservice");
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, QStringList{QStringLiteral("--port"), QStringLiteral("0")} + extraArguments);
    if (!process.waitForStarted(10000)) {
        error = QStringLiteral("cannot start %1: %2").arg(program, process.errorString());
        return;
    }
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray seen;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && process.state() == QProcess::Running) {
        if (!process.canReadLine() &&
            !process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            continue;
        while (process.canReadLine()) {
            const QByteArray line = process.readLine();
            seen += line;
            const QRegularExpressionMatch m = listening.match(QString::fromUtf8(line));
            if (m.hasMatch())
                port_ = quint16(m.captured(1).toUInt());
        }
        if (port_)
            break;
    }
    if (!port_) {
        error = QStringLiteral("the service did not report its port: %1 %2")
                    .arg(QString::fromUtf8(seen), QString::fromUtf8(process.readAllStandardError()));
        return;
    }
    const QNetworkProxy proxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port_);
    QNetworkProxy::setApplicationProxy(proxy);
    manager->setProxy(proxy);
}

kwdLocalService::~kwdLocalService()
{
    delete manager;
    QNetworkProxy::setApplicationProxy(previousProxy);
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
}

QString kwdLocalService::listingHost(const QString& cityCode)
{
    return QStringLiteral("http://%1.%2").arg(cityCode, kwdServiceConfig::instance().listingDomain);
}

QString kwdLocalService::statisticsBase()
{
    return kwdServiceConfig::instance().statisticsBase();
}

QString kwdLocalService::controlHost()
{
    return QStringLiteral("http://control.%1").arg(kwdServiceConfig::instance().listingDomain);
}

namespace {
QString encoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

kwdLocalService::Reply wait(QNetworkReply* reply, int timeoutMs)
{
    kwdLocalService::Reply r;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) {
        reply->abort();
        r.error = QStringLiteral("timed out");
    } else {
        r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.body = reply->readAll();
        if (reply->error() != QNetworkReply::NoError)
            r.error = reply->errorString();
    }
    reply->deleteLater();
    return r;
}
} // namespace

kwdLocalService::Reply kwdLocalService::get(const QString& url, int timeoutMs) const
{
    return wait(manager->get(QNetworkRequest(QUrl(url))), timeoutMs);
}

kwdLocalService::Reply kwdLocalService::post(const QString& url, const QByteArray& body,
                                             const QByteArray& contentType, int timeoutMs) const
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    return wait(manager->post(request, body), timeoutMs);
}

bool kwdLocalService::control(const QString& pathAndQuery) const
{
    const Reply r = get(controlHost() + pathAndQuery);
    return r.status == 200;
}

QList<QJsonObject> kwdLocalService::log() const
{
    QList<QJsonObject> entries;
    const Reply r = get(controlHost() + QStringLiteral("/log"));
    for (const QByteArray& line : r.body.split('\n')) {
        if (!line.trimmed().isEmpty())
            entries.append(QJsonDocument::fromJson(line).object());
    }
    return entries;
}

QList<QJsonObject> kwdLocalService::log(const QString& path) const
{
    QList<QJsonObject> entries = log();
    entries.removeIf([&path](const QJsonObject& e) { return !e.value("path").toString().endsWith(path); });
    return entries;
}

bool kwdLocalService::clearLog() const
{
    return control(QStringLiteral("/log/clear"));
}

bool kwdLocalService::setFault(const QString& host, const QString& path, const QString& kind,
                               const QString& extra) const
{
    QString q = QStringLiteral("/fault?host=%1&path=%2&kind=%3").arg(encoded(host), encoded(path), kind);
    if (!extra.isEmpty())
        q += QLatin1Char('&') + extra;
    return control(q);
}

bool kwdLocalService::clearFaults() const
{
    return control(QStringLiteral("/fault/clear"));
}

bool kwdLocalService::setUpdate(int build, const QString& version, const QString& time,
                                const QString& url) const
{
    return control(QStringLiteral("/update?build=%1&version=%2&time=%3&url=%4")
                       .arg(build)
                       .arg(encoded(version), encoded(time), encoded(url)));
}

bool kwdLocalService::setNotice(const QString& link, const QString& ishave) const
{
    QString query = QStringLiteral("/notice?link=%1").arg(encoded(link));
    if (!ishave.isEmpty())
        query += QStringLiteral("&ishave=%1").arg(encoded(ishave));
    return control(query);
}

bool kwdLocalService::setPrize(const QString& sn, const QString& prize, const QString& code,
                               const QString& claimed) const
{
    return control(QStringLiteral("/prize?sn=%1&prize=%2&code=%3&claimed=%4")
                       .arg(encoded(sn), encoded(prize), encoded(code), encoded(claimed)));
}

bool kwdLocalService::setPrizeStatus(const QString& status) const
{
    return control(QStringLiteral("/prize?status=%1").arg(encoded(status)));
}

QStringList kwdLocalService::addListings(const QString& cityCode, const QString& kind, int count) const
{
    const Reply r =
        get(controlHost() + QStringLiteral("/push?city=%1&kind=%2&count=%3").arg(cityCode, kind).arg(count));
    if (r.status != 200)
        return QStringList();
    return QString::fromUtf8(r.body).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

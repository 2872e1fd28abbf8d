#include "kwdrequestlog.h"

#include "kwdformfields.h"
#include "kwdhttprequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

namespace {
const int maxEntries = 20000;
// Uploads can be large; the log keeps their beginning and their size.
const int maxBody = 256 * 1024;
} // namespace

int kwdRequestLog::append(const kwdHttpRequest& request)
{
    Entry e;
    e.time = QDateTime::currentDateTime();
    e.method = QString::fromLatin1(request.method);
    e.host = request.host;
    e.port = request.port;
    e.path = request.path;
    e.query = request.rawQuery;
    e.body = request.body.left(maxBody);
    e.bodySize = request.body.size();
    if (entries.size() >= maxEntries) {
        entries.removeFirst();
        ++dropped;
    }
    entries.append(e);
    return dropped + entries.size() - 1;
}

void kwdRequestLog::setOutcome(int index, int status, const QString& fault)
{
    const int i = index - dropped;
    if (i < 0 || i >= entries.size())
        return;
    entries[i].status = status;
    entries[i].fault = fault;
}

void kwdRequestLog::clear()
{
    dropped += entries.size();
    entries.clear();
}

QByteArray kwdRequestLog::toJsonLines() const
{
    QByteArray out;
    for (const Entry& e : entries) {
        QJsonObject o;
        o.insert(QStringLiteral("time"), e.time.toString(Qt::ISODateWithMs));
        o.insert(QStringLiteral("method"), e.method);
        o.insert(QStringLiteral("host"), e.host);
        o.insert(QStringLiteral("port"), e.port);
        o.insert(QStringLiteral("path"), e.path);
        o.insert(QStringLiteral("query"), e.query);
        o.insert(QStringLiteral("status"), e.status);
        if (!e.fault.isEmpty())
            o.insert(QStringLiteral("fault"), e.fault);
        o.insert(QStringLiteral("bodySize"), double(e.bodySize));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(e.body);
        if (utf8.hasError())
            o.insert(QStringLiteral("bodyBase64"), QString::fromLatin1(e.body.toBase64()));
        else
            o.insert(QStringLiteral("body"), text);
        out += QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
    }
    return out;
}

int kwdRequestLog::countForDevice(const QString& sn, const QDateTime& since) const
{
    int n = 0;
    for (const Entry& e : entries) {
        if (e.time < since)
            continue;
        if (kwdFormFields::parse(e.query.toUtf8()).value(QStringLiteral("sn")) == sn)
            ++n;
    }
    return n;
}

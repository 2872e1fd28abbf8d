#include "kwdprizereply.h"

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>
#include <QMap>

namespace {

// The trimmed texts of the grandchildren of the first "resultlist", by name; a later element of
// the same name replaces an earlier one. False when the body is no XML.
bool readFields(const QByteArray& body, kwdPrizeReply& reply, QMap<QString, QString>& fields,
                QDomElement& list)
{
    QDomDocument doc;
    if (!doc.setContent(body, &reply.error))
        return false;
    reply.error.clear();
    reply.readable = true;
    list = doc.elementsByTagName(QStringLiteral("resultlist")).item(0).toElement();
    for (QDomElement child = list.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        for (QDomElement e = child.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            fields.insert(e.tagName(), e.text().trimmed());
    }
    return true;
}

} // namespace

kwdPrizeReply kwdPrizeReply::parsePrize(const QByteArray& body)
{
    kwdPrizeReply reply;
    QMap<QString, QString> fields;
    QDomElement list;
    if (!readFields(body, reply, fields, list))
        return reply;
    reply.status =
        list.attribute(QStringLiteral("status")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    reply.code = fields.value(QStringLiteral("key"));
    reply.prize = fields.value(QStringLiteral("prizetype"));
    reply.claimed = fields.value(QStringLiteral("prizeflag"));
    return reply;
}

kwdPrizeReply kwdPrizeReply::parseCounts(const QByteArray& body)
{
    kwdPrizeReply reply;
    QMap<QString, QString> fields;
    QDomElement list;
    if (!readFields(body, reply, fields, list))
        return reply;
    reply.code = fields.value(QStringLiteral("key"));
    reply.today = fields.value(QStringLiteral("todayview")).toInt();
    reply.week = fields.value(QStringLiteral("weekview")).toInt();
    return reply;
}

bool kwdPrizeReply::unclaimedPrize() const
{
    return !code.isEmpty() && !prize.isEmpty() &&
           claimed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}

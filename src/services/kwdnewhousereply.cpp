#include "kwdnewhousereply.h"

#include "kwdannouncedlistings.h"
#include "kwdfinder.h"
#include "qvmlistitem.h"

#include <QByteArray>
#include <QDateTime>
#include <QDomDocument>

kwdNewHouseReply kwdNewHouseReply::read(const QByteArray& body, const kwdFinder& record,
                                        const kwdAnnouncedListings& announced,
                                        QMap<QString, qvmListItem*>& seen)
{
    kwdNewHouseReply reply;
    QDomDocument doc;
    if (!doc.setContent(body))
        return reply;
    const QDomElement list = doc.elementsByTagName(QStringLiteral("resultlist")).item(0).toElement();
    if (list.isNull())
        return reply;
    reply.readable = true;
    const bool sale = list.attribute(QStringLiteral("type")) == QLatin1String("forsale");
    reply.kind = sale ? 2 : 3;
    // The statistics host tags lease records "forlease", the city's lease list (the first query of
    // a lease subscription) "lease": both are the same listings.
    const auto isRecord = [sale](const QString& tag) {
        return sale ? tag == QLatin1String("forsale")
                    : tag == QLatin1String("forlease") || tag == QLatin1String("lease");
    };
    const QString last = record.field(sale ? kwdFinder::PushLastSale : kwdFinder::PushLastLease).trimmed();
    // Without a history of this kind (a first run, or the file was lost) only the newest announced
    // identifier is known; the service lists the newest first, so everything from it on is old.
    const bool noHistory = announced.isEmpty(reply.kind);

    // The listing's own identifier, never one of a record nested in it (an agency's "co" has one).
    const auto idOf = [](const QDomElement& e) {
        return e.firstChildElement(QStringLiteral("id")).text().trimmed();
    };
    const auto timeOf = [](const QDomElement& e) {
        return QDateTime::fromString(e.firstChildElement(QStringLiteral("publish")).text().trimmed(),
                                     QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    };
    // With a history, records standing after the last announced one are older than it (when
    // listings leave the service, older ones move up into the page): such a record is new only when
    // it was published after it. When the last announced one has left the service, the newest
    // announced one still on the page marks where the old listings begin.
    QString boundary;
    QDateTime boundaryTime;
    if (!noHistory) {
        QDomElement found;
        for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (!isRecord(e.tagName()))
                continue;
            const QString id = idOf(e);
            if (!last.isEmpty() && id == last) {
                found = e;
                break;
            }
            if (found.isNull() && !id.isEmpty() && announced.contains(reply.kind, id))
                found = e;
        }
        boundary = idOf(found);
        boundaryTime = timeOf(found);
    }
    bool pastBoundary = false;

    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (!isRecord(e.tagName()))
            continue;
        const QString id = idOf(e);
        if (noHistory && !last.isEmpty() && id == last)
            break;
        if (!boundary.isEmpty() && id == boundary)
            pastBoundary = true;
        if (id.isEmpty() || seen.contains(id) || announced.contains(reply.kind, id))
            continue;
        if (pastBoundary) {
            const QDateTime published = timeOf(e);
            if (!published.isValid() || !boundaryTime.isValid() || published <= boundaryTime)
                continue;
        }
        qvmListItem* row = qvmListItem::createForKind(reply.kind);
        if (!row)
            continue;
        if (!row->read(e)) {
            delete row;
            continue;
        }
        seen.insert(id, row);
        reply.rows.append(row);
        reply.ids.append(id);
    }
    return reply;
}

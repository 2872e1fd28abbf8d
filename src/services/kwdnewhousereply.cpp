#include "kwdnewhousereply.h"

#include "kwdannouncedlistings.h"
#include "kwdfinder.h"
#include "qvmlistitem.h"

#include <QByteArray>
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

    for (QDomElement e = list.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (!isRecord(e.tagName()))
            continue;
        const QString id = e.elementsByTagName(QStringLiteral("id")).item(0).toElement().text().trimmed();
        if (id.isEmpty() || seen.contains(id) || announced.contains(reply.kind, id))
            continue;
        if (noHistory && !last.isEmpty() && id == last)
            break;
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

#include "kwdresultdocument.h"

#include "qvmresultlistitem.h"

#include <QByteArray>
#include <QDomNodeList>

bool kwdResultDocument::read(const QByteArray& body, int category)
{
    result = QDomElement();
    total = 0;
    skip = 0;
    tag = qvmResultListItem::recordTag(category);
    if (tag.isEmpty() || !doc.setContent(body))
        return false;
    const QDomNodeList lists = doc.elementsByTagName(QStringLiteral("resultlist"));
    if (lists.isEmpty()) {
        qWarning("no element resultlist found");
        return false;
    }
    const QDomElement list = lists.at(0).toElement();
    if (list.attribute(QStringLiteral("type")) != tag) {
        qWarning("wrong node type");
        return false;
    }
    result = list;
    total = result.attribute(QStringLiteral("total")).toInt();
    skip = result.attribute(QStringLiteral("skip")).toInt();
    return true;
}

QDomNodeList kwdResultDocument::records() const
{
    return result.isNull() ? QDomNodeList() : result.elementsByTagName(tag);
}

QDomElement kwdResultDocument::firstRecord() const
{
    return records().at(0).toElement();
}

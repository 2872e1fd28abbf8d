#include "qvmitemrelateha.h"

#include "international.h"
#include "qvmprojectitem.h"

#include <QDomElement>
#include <QPainter>

qvmItemRelateHA::qvmItemRelateHA(bool idOptional) : qvmListItem(idOptional) {}

qvmItemRelateHA::~qvmItemRelateHA()
{
    for (qvmRelateGroup& g : groups)
        qDeleteAll(g.rows);
    qDeleteAll(retired);
}

int qvmItemRelateHA::type() const
{
    return TypeRelateHA;
}

const qvmItemRelateHA* qvmItemRelateHA::relatedAreas() const
{
    return this;
}

bool qvmItemRelateHA::read(const QDomElement& element)
{
    // Every row read before is a candidate for reuse; what is not reused is retired at the end.
    QList<qvmRelateGroup> previous;
    previous.swap(groups);
    auto takePrevious = [&](const QString& groupType, const QString& id) -> qvmProjectItem* {
        for (qvmRelateGroup& g : previous) {
            if (g.groupType != groupType)
                continue;
            for (int i = 0; i < g.rows.size(); ++i) {
                if (g.rows.at(i)->id == id)
                    return g.rows.takeAt(i);
            }
        }
        return nullptr;
    };
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString groupType = e.attribute(QStringLiteral("type"));
        if (groupType.isEmpty())
            continue;
        int index = -1;
        for (int i = 0; i < groups.size(); ++i) {
            if (groups.at(i).groupType == groupType) {
                index = i;
                break;
            }
        }
        if (index < 0) {
            groups.append(qvmRelateGroup{groupType, {}});
            index = int(groups.size()) - 1;
        }
        for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString id = c.firstChildElement(QStringLiteral("id")).text().trimmed();
            qvmProjectItem* row = id.isEmpty() ? nullptr : takePrevious(groupType, id);
            const bool reused = row != nullptr;
            if (!row)
                row = new qvmProjectItem;
            if (row->read(c))
                groups[index].rows.append(row);
            else if (reused)
                retired.append(row);
            else
                delete row;
        }
    }
    for (qvmRelateGroup& g : previous)
        retired += g.rows;
    invalidate();
    return true;
}

QList<qvmListItem*> qvmItemRelateHA::groupRows(const QString& groupType, bool* found) const
{
    for (const qvmRelateGroup& g : groups) {
        if (g.groupType == groupType) {
            if (found)
                *found = true;
            return QList<qvmListItem*>(g.rows.cbegin(), g.rows.cend());
        }
    }
    if (found)
        *found = false;
    return QList<qvmListItem*>();
}

void qvmItemRelateHA::invalidate()
{
    qvmListItem::invalidate();
    for (qvmRelateGroup& g : groups) {
        for (qvmProjectItem* row : std::as_const(g.rows))
            row->invalidate();
    }
}

int qvmItemRelateHA::paintDetail(QPainter* painter, const QRect& rect)
{
    return paintGroups(painter, rect);
}

int qvmItemRelateHA::paintGroups(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    if (groups.isEmpty())
        return 0;
    const int m = margin();
    painter->setFont(textFont());
    const int cw = captionWidth(painter, {11});
    const int vw = qMax(1, r.width() - cw - 3 * m);
    int y = r.top();
    drawCaptionLine(painter, labels->label(11), QString(), y, r.left(), cw, vw, false, nullptr, QString());
    for (const qvmRelateGroup& g : std::as_const(groups)) {
        QRect link;
        drawCaptionLine(painter, QString(), g.groupType, y, r.left(), cw, vw, false, &link, QString());
        addLink(link, LinkRelated, this, g.groupType);
    }
    return y + 1 - r.top();
}

#pragma once

#include "qvmlistitem.h"

// One group of related housing areas: the relation's type and its housing areas in service order.
struct qvmRelateGroup
{
    QString groupType;
    QList<qvmProjectItem*> rows;
};

// The related housing areas of a housing area, grouped by relation type in the order the types
// first appear. Its body lists the types as links to their groups. Owns every row of every group,
// and the rows a later read dropped: an open list of a group may still show them.
class qvmItemRelateHA : public qvmListItem
{
public:
    explicit qvmItemRelateHA(bool idOptional = true);
    ~qvmItemRelateHA() override;

    using qvmListItem::read;
    // Reads a "relateha" element; it has no id of its own. Read again, it keeps the row objects of
    // housing areas still in a group (updated in place) and retires the others instead of freeing them.
    bool read(const QDomElement& element) override;
    int type() const override;
    const qvmItemRelateHA* relatedAreas() const override;
    void invalidate() override;

    // The rows of the group of that type (exact comparison); `found` tells an empty group from none.
    QList<qvmListItem*> groupRows(const QString& groupType, bool* found = nullptr) const;
    // Draws the caption and one link per group from the top of `rect`; returns the height used.
    int paintGroups(QPainter* painter, const QRect& rect);

    QList<qvmRelateGroup> groups;
    QList<qvmProjectItem*> retired;

protected:
    int paintDetail(QPainter* painter, const QRect& rect) override;
};

#pragma once

#include "qvmlistitem.h"

// A street ("street" record): its extent, width, length, update time, description and the housing
// areas along it, which its detail body shows as links. Owns those housing-area rows.
class qvmItemRoad : public qvmListItem
{
public:
    explicit qvmItemRoad(bool idOptional = false);
    ~qvmItemRoad() override;

    using qvmListItem::read;
    bool read(const QDomElement& element) override;
    int type() const override;
    void invalidate() override;

    QString detail;
    QString range;
    QString startPoint;
    QString endPoint;
    QString width;
    QString length;
    QString updateTime;
    QList<qvmProjectItem*> relatedAreas;

protected:
    int paintDetail(QPainter* painter, const QRect& rect) override;

private:
    void rebuildItems();
};

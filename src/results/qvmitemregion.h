#pragma once

#include "qvmlistitem.h"

// A district ("district" record): description, average sale and lease prices and market figures.
// Created inside listings from their "district" element and completed by its own detail request.
class qvmItemRegion : public qvmListItem
{
public:
    explicit qvmItemRegion(bool idOptional = false);

    using qvmListItem::read;
    bool read(const QDomElement& element) override;
    int type() const override;

    QString detail;
    QString price;
    QString leasePrice;
    QString marketSale;
    QString marketLease;

protected:
    int paintDetail(QPainter* painter, const QRect& rect) override;
};

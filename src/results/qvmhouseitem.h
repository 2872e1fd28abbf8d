#pragma once

#include "qvmlistitem.h"

class qvmInterItem;

// What a home for sale and a home for lease have in common: area, floor, publication time and its
// age text, the description, the nested agencies, and the list row and detail body that show them.
// Owns the cached elided texts; the price field and its rise belong to the subclass.
class qvmHouseItem : public qvmListItem
{
public:
    explicit qvmHouseItem(bool idOptional = false);

    using qvmListItem::read;
    bool read(const QDomElement& element) override;
    void write(QDataStream& out) const override;
    bool read(QDataStream& in) override;
    void assign(const qvmListItem* other) override;
    void invalidate() override;
    QString shownText() const override;

    QString areaSize;
    QString floor;
    QString publishTime;
    QString detail;
    QString ageText;
    QString titleText;
    QString placeText;

protected:
    // The price field ("totalprice" of a sale, "price" of a lease) and its rise.
    virtual QString& amount() = 0;
    virtual const QString& amount() const = 0;
    virtual QString& rise() = 0;
    virtual const char* amountTag() const = 0;
    virtual const char* riseTag() const = 0;
    // Label-table index of the unit after the list row's price.
    virtual int listUnit() const = 0;
    // The price block of the detail body.
    virtual QList<qvmValueLine> priceLines() const = 0;

    void paintList(QPainter* painter, const QRect& rect) override;
    int paintDetail(QPainter* painter, const QRect& rect) override;
    int listRowHeight(int width) override;
};

#pragma once

#include "qvmlistitem.h"

class qvmItemRelateHA;

// A housing area or new project ("ha" record): listing counts, average sale and lease prices per
// square metre with their rises, description, area, distance and related housing areas. Also the
// compact link form in which a housing area appears inside other details. Owns its related groups.
class qvmProjectItem : public qvmListItem
{
public:
    explicit qvmProjectItem(bool idOptional = false);
    ~qvmProjectItem() override;

    using qvmListItem::read;
    bool read(const QDomElement& element) override;
    int type() const override;
    int category() const override;
    const qvmItemRelateHA* relatedAreas() const override;
    void write(QDataStream& out) const override;
    bool read(QDataStream& in) override;
    void assign(const qvmListItem* other) override;
    void invalidate() override;
    QString shownText() const override;

    // The list row; subclasses with other list rows (the price guide) replace it.
    virtual void paintRow(QPainter* painter, const QRect& rect);
    // Height of the compact link form at the given width.
    int linkHeight(int width) const;
    // The related housing areas of one relation type (not handed over: this row keeps them).
    QList<qvmListItem*> relatedGroup(const QString& groupType) const;

    int saleSum = 0;
    int leaseSum = 0;
    QString price;
    QString priceRise;
    QString leasePrice;
    QString leasePriceRise;
    QString detail;
    QString area;
    qvmItemRelateHA* related = nullptr;
    QString titleText;
    QString placeText;

protected:
    void paintList(QPainter* painter, const QRect& rect) override;
    int paintDetail(QPainter* painter, const QRect& rect) override;
    void paintLink(QPainter* painter, const QRect& rect) override;
    int listRowHeight(int width) override;
    // Lines 1 and 2 of the list row (name, district, address, distance); returns the top of line 3.
    int paintNameAndPlace(QPainter* painter, const QRect& rect);
    // One "caption value unit" price cell of line 3 ("--" without a value); returns where it ends.
    int paintPriceCell(QPainter* painter, int left, int right, int y, int caption, double value, int decimals,
                       int unit);
};

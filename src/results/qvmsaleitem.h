#pragma once

#include "qvmhouseitem.h"

// A home for sale ("forsale" record): total price in ten thousand yuan and its rise, on top of what
// every home row holds.
class qvmSaleItem : public qvmHouseItem
{
public:
    explicit qvmSaleItem(bool idOptional = false);

    QString displayName() const override;
    int type() const override;

    QString totalPrice;
    QString priceRise;

protected:
    QString& amount() override { return totalPrice; }
    const QString& amount() const override { return totalPrice; }
    QString& rise() override { return priceRise; }
    const char* amountTag() const override { return "totalprice"; }
    const char* riseTag() const override { return "pricerise"; }
    int listUnit() const override { return 55; }
    QList<qvmValueLine> priceLines() const override;
};

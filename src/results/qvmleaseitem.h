#pragma once

#include "qvmhouseitem.h"

// A home for lease ("lease" record): monthly rent in yuan and its rise, on top of what every home
// row holds.
class qvmLeaseItem : public qvmHouseItem
{
public:
    explicit qvmLeaseItem(bool idOptional = false);

    QString displayName() const override;
    int type() const override;

    QString price;
    QString leasePriceRise;

protected:
    QString& amount() override { return price; }
    const QString& amount() const override { return price; }
    QString& rise() override { return leasePriceRise; }
    const char* amountTag() const override { return "price"; }
    const char* riseTag() const override { return "leasepricerise"; }
    int listUnit() const override { return 29; }
    QList<qvmValueLine> priceLines() const override;
};

#include "qvmsaleitem.h"

#include "international.h"
#include "qvmformat.h"

namespace {

const QColor kPriceColour(210, 10, 23);

} // namespace

qvmSaleItem::qvmSaleItem(bool idOptional) : qvmHouseItem(idOptional) {}

int qvmSaleItem::type() const
{
    return TypeSale;
}

QString qvmSaleItem::displayName() const
{
    QString text = qvmListItem::displayName();
    if (!totalPrice.isEmpty())
        text += labels->label(54).arg(totalPrice);
    if (!areaSize.isEmpty())
        text += labels->label(27).arg(areaSize);
    return text;
}

QList<qvmValueLine> qvmSaleItem::priceLines() const
{
    const double total = qvmFormat::toNumber(totalPrice);
    const double area = qvmFormat::toNumber(areaSize);
    QList<qvmValueLine> lines;
    lines.append({labels->label(56), qvmFormat::numberText(totalPrice, 0), kPriceColour, labels->label(55)});
    lines.append({labels->label(36), qvmFormat::numberText(areaSize, 1), QColor(), labels->label(31)});
    // The unit price means nothing for a missing or token area.
    if (area >= 0.5)
        lines.append({labels->label(37), qvmFormat::formatNumber(total * 10000 / area, 0), kPriceColour,
                      labels->label(8)});
    const QString riseText = qvmFormat::riseText(priceRise);
    lines.append({labels->label(28), riseText, qvmFormat::riseColor(riseText), QString()});
    return lines;
}

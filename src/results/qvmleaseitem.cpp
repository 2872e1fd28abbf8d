#include "qvmleaseitem.h"

#include "international.h"
#include "qvmformat.h"

namespace {

const QColor kPriceColour(210, 10, 23);

} // namespace

qvmLeaseItem::qvmLeaseItem(bool idOptional) : qvmHouseItem(idOptional) {}

int qvmLeaseItem::type() const
{
    return TypeLease;
}

QString qvmLeaseItem::displayName() const
{
    QString text = qvmListItem::displayName();
    if (!price.isEmpty())
        text += labels->label(26).arg(price);
    if (!areaSize.isEmpty())
        text += labels->label(27).arg(areaSize);
    return text;
}

QList<qvmValueLine> qvmLeaseItem::priceLines() const
{
    const double rent = qvmFormat::toNumber(price);
    const double area = qvmFormat::toNumber(areaSize);
    QList<qvmValueLine> lines;
    lines.append({labels->label(35), qvmFormat::numberText(price, 0), kPriceColour, labels->label(29)});
    lines.append({labels->label(36), qvmFormat::numberText(areaSize, 1), QColor(), labels->label(31)});
    if (area >= 0.5)
        lines.append(
            {labels->label(37), qvmFormat::formatNumber(rent / area, 2), kPriceColour, labels->label(38)});
    const QString riseText = qvmFormat::riseText(leasePriceRise);
    lines.append({labels->label(28), riseText, qvmFormat::riseColor(riseText), QString()});
    return lines;
}

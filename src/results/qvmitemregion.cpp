#include "qvmitemregion.h"

#include "international.h"
#include "qvmformat.h"

#include <QDomElement>
#include <QPainter>

namespace {

const QColor kBodyTitleColour(226, 48, 48);
const QColor kPriceColour(210, 10, 23);

} // namespace

qvmItemRegion::qvmItemRegion(bool idOptional) : qvmListItem(idOptional) {}

int qvmItemRegion::type() const
{
    return TypeRegion;
}

bool qvmItemRegion::read(const QDomElement& element)
{
    if (!qvmListItem::read(element))
        return false;
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        const QString text = e.text().trimmed();
        if (tag == QLatin1String("detail"))
            detail = text;
        else if (tag == QLatin1String("price"))
            price = text;
        else if (tag == QLatin1String("leaseprice"))
            leasePrice = text;
        else if (tag == QLatin1String("marketf"))
            marketSale = text;
        else if (tag == QLatin1String("marketl"))
            marketLease = text;
    }
    invalidate();
    return true;
}

int qvmItemRegion::paintDetail(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    int y = drawTitleBand(painter, r, r.top(), name, kBodyTitleColour);
    y = drawTextBox(painter, r, y, labels->label(6), detail);
    QList<qvmValueLine> lines;
    lines.append({labels->label(7), qvmFormat::numberText(price, 0), kPriceColour, labels->label(8)});
    lines.append({labels->label(9), qvmFormat::numberText(leasePrice, 2), kPriceColour, labels->label(10)});
    y = drawValueBlock(painter, r, y, lines, true);
    return y - r.top();
}

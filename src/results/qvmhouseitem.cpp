#include "qvmhouseitem.h"

#include "international.h"
#include "kwdclock.h"
#include "qvmformat.h"
#include "qvminteritem.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmprojectitem.h"

#include <QDataStream>
#include <QDomElement>
#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kTitleColour(54, 98, 169);
const QColor kGreyText(103, 103, 103);
const QColor kPriceColour(210, 10, 23);
const QColor kBodyTitleColour(226, 48, 48);

} // namespace

qvmHouseItem::qvmHouseItem(bool idOptional) : qvmListItem(idOptional) {}

bool qvmHouseItem::read(const QDomElement& element)
{
    if (!qvmListItem::read(element))
        return false;

    readAgencies(element);

    const QLatin1String amountName(amountTag());
    const QLatin1String riseName(riseTag());
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        const QString text = e.text().trimmed();
        if (tag == amountName)
            amount() = text;
        else if (tag == QLatin1String("areasize"))
            areaSize = text;
        else if (tag == QLatin1String("publish"))
            publishTime = text;
        else if (tag == QLatin1String("detail"))
            detail = text;
        else if (tag == QLatin1String("floor"))
            floor = text;
        else if (tag == riseName)
            rise() = text;
    }
    if (ageText.isEmpty() && !publishTime.isEmpty())
        ageText = qvmFormat::ageText(publishTime, kwdClock::now());
    invalidate();
    return true;
}

void qvmHouseItem::write(QDataStream& out) const
{
    qvmListItem::write(out);
    out << amount() << areaSize << floor << publishTime << ageText;
}

bool qvmHouseItem::read(QDataStream& in)
{
    if (!qvmListItem::read(in))
        return false;
    in >> amount() >> areaSize >> floor >> publishTime >> ageText;
    invalidate();
    return in.status() == QDataStream::Ok;
}

void qvmHouseItem::assign(const qvmListItem* other)
{
    qvmListItem::assign(other);
    const auto* house = dynamic_cast<const qvmHouseItem*>(other);
    if (!house || house == this || house->type() != type())
        return;
    amount() = house->amount();
    areaSize = house->areaSize;
    floor = house->floor;
    publishTime = house->publishTime;
    ageText = house->ageText;
}

void qvmHouseItem::invalidate()
{
    qvmListItem::invalidate();
    titleText.clear();
    placeText.clear();
}

QString qvmHouseItem::shownText() const
{
    // In the row's reading order: district, place, price and unit, area, floor, age.
    QStringList parts;
    if (district && !district->name.isEmpty())
        parts << district->name;
    const QString place =
        ((housingArea ? housingArea->name : QString()) + QLatin1Char(' ') + address).trimmed();
    if (!place.isEmpty())
        parts << place;
    parts << qvmFormat::formatNumber(qvmFormat::toNumber(amount()), 0) + labels->label(listUnit());
    parts << qvmFormat::formatNumber(qvmFormat::toNumber(areaSize), 1) + labels->label(31);
    if (!floor.isEmpty())
        parts << floor + labels->label(32);
    if (!ageText.isEmpty())
        parts << ageText;
    return parts.join(QStringLiteral("，"));
}

int qvmHouseItem::listRowHeight(int)
{
    return titleLine() + 2 * (smallLine() + quarter() + margin());
}

void qvmHouseItem::paintList(QPainter* painter, const QRect& r)
{
    const int m = margin();
    const int q = quarter();
    const int x1 = r.left();
    const int x2 = r.right();
    const int w = r.width();
    const int topFlags = Qt::AlignLeft | Qt::AlignTop;

    painter->setFont(titleFont());
    painter->setPen(kTitleColour);
    if (titleText.isEmpty())
        elide(name, titleText, painter, w - 5 * m, hasPicture());
    const int y1 = r.top() + m;
    painter->drawText(QRect(x1 + m, y1, w - 5 * m, titleLine()), topFlags, titleText);

    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    const int spacing = fm.lineSpacing();
    const int y2 = y1 + titleLine() + q;
    painter->setPen(kGreyText);
    int districtEnd = 0;
    if (district) {
        const QRect drawn = painter->boundingRect(QRect(x1 + m, y2, w, spacing), topFlags, district->name);
        painter->drawText(drawn, topFlags, district->name);
        districtEnd = drawn.right() + 1 + m;
    }
    const QString unit = labels->label(listUnit());
    const QRect band(x1, y2, qMax(1, x2 - 4 * m - x1), spacing);
    const QRect unitDrawn = painter->boundingRect(band, Qt::AlignRight | Qt::AlignTop, unit);
    painter->drawText(band, Qt::AlignRight | Qt::AlignTop, unit);
    const QString price = qvmFormat::formatNumber(qvmFormat::toNumber(amount()), 0);
    const QRect priceBand(x1, y2, qMax(1, unitDrawn.left() - 3 - x1), spacing);
    const QRect priceDrawn = painter->boundingRect(priceBand, Qt::AlignRight | Qt::AlignTop, price);
    painter->setPen(kPriceColour);
    painter->drawText(priceBand, Qt::AlignRight | Qt::AlignTop, price);

    painter->setPen(kGreyText);
    const int column = qMax(x1 + m + fm.horizontalAdvance(labels->label(30)), districtEnd + q);
    const int placeWidth = priceDrawn.left() - m - column;
    if (placeText.isEmpty() && placeWidth > 0) {
        const QString place =
            ((housingArea ? housingArea->name : QString()) + QLatin1Char(' ') + address).trimmed();
        elide(place, placeText, painter, placeWidth, false);
    }
    if (placeWidth > 0)
        painter->drawText(QRect(column, y2, placeWidth, spacing), topFlags, placeText);

    const int y3 = y2 + spacing + q;
    const QString area = qvmFormat::formatNumber(qvmFormat::toNumber(areaSize), 1) + labels->label(31);
    painter->drawText(QRect(x1 + m, y3, qMax(1, w - 5 * m), spacing), topFlags, area);
    // A short placeholder label (as in Chinese) must not let the floor run into the area.
    const int floorColumn = qMax(column, x1 + m + fm.horizontalAdvance(area) + m);
    int ageLeft = x2 - 4 * m;
    if (!ageText.isEmpty()) {
        const QRect ageBand(x1, y3, x2 - 4 * m - x1, spacing);
        painter->drawText(ageBand, Qt::AlignRight | Qt::AlignTop, ageText);
        ageLeft = painter->boundingRect(ageBand, Qt::AlignRight | Qt::AlignTop, ageText).left();
    }
    if (!floor.isEmpty()) {
        const QString floorText =
            fm.elidedText(floor + labels->label(32), Qt::ElideRight, qMax(0, ageLeft - m - floorColumn));
        painter->drawText(QRect(floorColumn, y3, qMax(1, ageLeft - floorColumn), spacing), topFlags,
                          floorText);
    }
}

int qvmHouseItem::paintDetail(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    const int m = margin();
    int y = r.top();
    y = drawTitleBand(painter, r, y, name, kBodyTitleColour);
    y = drawIdLine(painter, r, y);
    y = drawValueBlock(painter, r, y, priceLines(), true);

    painter->setFont(textFont());
    const int cw = captionWidth(painter, {39, 40, 41, 42, 43});
    const int vw = qMax(1, r.width() - cw - 3 * m);
    drawLinkedCaptionLine(painter, labels->label(39), housingArea ? housingArea->name : QString(), QString(),
                          y, r.left(), cw, vw, LinkHousingArea, housingArea);
    drawLinkedCaptionLine(painter, labels->label(40), district ? district->name : QString(), QString(), y,
                          r.left(), cw, vw, LinkDistrict, district);
    drawLinkedCaptionLine(painter, labels->label(41), address, street ? street->name : QString(), y, r.left(),
                          cw, vw, LinkStreet, street);
    drawCaptionLine(painter, labels->label(42), floor.isEmpty() ? QString() : floor + labels->label(32), y,
                    r.left(), cw, vw, false, nullptr, QString());
    drawCaptionLine(painter, labels->label(43), publishTime, y, r.left(), cw, vw, false, nullptr, QString());
    y += 1;

    if (!detail.isEmpty())
        y = drawTextBox(painter, r, y, QString(), detail);

    for (qvmListItem* child : std::as_const(children)) {
        auto* agency = dynamic_cast<qvmInterItem*>(child);
        if (!agency)
            continue;
        const QRect form(r.left() + m, y + m, r.width() - 2 * m, agency->linkHeight(r.width() - 2 * m));
        agency->paint(painter, form, 2);
        // Every band offers its own agency's numbers.
        contactLinks.append(qvmLink{agency->linkRect, -1, QString(), agency});
        y = form.bottom() + 1;
    }
    return y + m - r.top();
}

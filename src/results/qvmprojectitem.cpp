#include "qvmprojectitem.h"

#include "international.h"
#include "qvmformat.h"
#include "qvminteritem.h"
#include "qvmitemregion.h"
#include "qvmitemrelateha.h"
#include "qvmitemroad.h"

#include <QDataStream>
#include <QDomElement>
#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kTitleColour(54, 98, 169);
const QColor kGreyText(103, 103, 103);
const QColor kPriceColour(210, 10, 23);
const QColor kBodyTitleColour(226, 48, 48);
const QColor kValueColour(51, 51, 51);
const QColor kSeparatorColour(208, 208, 208);
const QColor kBoxColour(243, 243, 243);

QString withoutCommas(const QString& text)
{
    QString s = text;
    return s.remove(QLatin1Char(','));
}

} // namespace

qvmProjectItem::qvmProjectItem(bool idOptional) : qvmListItem(idOptional) {}

qvmProjectItem::~qvmProjectItem()
{
    delete related;
}

int qvmProjectItem::type() const
{
    return TypeProject;
}

int qvmProjectItem::category() const
{
    return 1;
}

const qvmItemRelateHA* qvmProjectItem::relatedAreas() const
{
    return related;
}

bool qvmProjectItem::read(const QDomElement& element)
{
    if (!qvmListItem::read(element))
        return false;

    readAgencies(element);

    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        const QString text = e.text().trimmed();
        if (tag == QLatin1String("salesum")) {
            saleSum = text.toInt();
        } else if (tag == QLatin1String("leasesum")) {
            leaseSum = text.toInt();
        } else if (tag == QLatin1String("price")) {
            price = withoutCommas(text);
        } else if (tag == QLatin1String("pricerise")) {
            priceRise = text;
        } else if (tag == QLatin1String("leaseprice")) {
            leasePrice = withoutCommas(text);
        } else if (tag == QLatin1String("leasepricerise")) {
            leasePriceRise = text;
        } else if (tag == QLatin1String("area")) {
            area = text;
        } else if (tag == QLatin1String("detail")) {
            detail = text;
        } else if (tag == QLatin1String("distance")) {
            distance = withoutCommas(text);
        } else if (tag == QLatin1String("relateha")) {
            // Read into the groups already there: a list opened from one of them shows their rows.
            if (!related)
                related = new qvmItemRelateHA;
            related->read(e);
        }
    }
    invalidate();
    return true;
}

void qvmProjectItem::write(QDataStream& out) const
{
    qvmListItem::write(out);
    out << qint32(saleSum) << qint32(leaseSum) << price << priceRise << leasePrice << leasePriceRise << area;
}

bool qvmProjectItem::read(QDataStream& in)
{
    if (!qvmListItem::read(in))
        return false;
    qint32 sales = 0;
    qint32 leases = 0;
    in >> sales >> leases >> price >> priceRise >> leasePrice >> leasePriceRise >> area;
    saleSum = sales;
    leaseSum = leases;
    invalidate();
    return in.status() == QDataStream::Ok;
}

void qvmProjectItem::assign(const qvmListItem* other)
{
    qvmListItem::assign(other);
    const auto* project = dynamic_cast<const qvmProjectItem*>(other);
    if (!project || project == this)
        return;
    saleSum = project->saleSum;
    leaseSum = project->leaseSum;
    price = project->price;
    priceRise = project->priceRise;
    leasePrice = project->leasePrice;
    leasePriceRise = project->leasePriceRise;
    area = project->area;
}

void qvmProjectItem::invalidate()
{
    qvmListItem::invalidate();
    titleText.clear();
    placeText.clear();
    if (related)
        related->invalidate();
}

int qvmProjectItem::listRowHeight(int)
{
    return titleLine() + 2 * (smallLine() + quarter() + margin());
}

QList<qvmListItem*> qvmProjectItem::relatedGroup(const QString& groupType) const
{
    return related ? related->groupRows(groupType) : QList<qvmListItem*>();
}

int qvmProjectItem::linkHeight(int) const
{
    return smallLine() + 2 * margin();
}

QString qvmProjectItem::shownText() const
{
    QStringList parts;
    if (district && !district->name.isEmpty())
        parts << district->name;
    if (!address.isEmpty())
        parts << address;
    if (!distance.isEmpty())
        parts << qvmFormat::formatNumber(qvmFormat::toNumber(distance), 0) + labels->label(18);
    const auto cell = [this](int caption, double value, int decimals, int unit) {
        return labels->label(caption) + (value > 0
                                             ? qvmFormat::formatNumber(value, decimals) + labels->label(unit)
                                             : QStringLiteral("--"));
    };
    parts << cell(45, qvmFormat::toNumber(price), 0, 8) << cell(46, qvmFormat::toNumber(leasePrice), 2, 38);
    return parts.join(QStringLiteral("，"));
}

void qvmProjectItem::paintList(QPainter* painter, const QRect& rect)
{
    paintRow(painter, rect);
}

void qvmProjectItem::paintRow(QPainter* painter, const QRect& r)
{
    const int y3 = paintNameAndPlace(painter, r);
    const int m = margin();
    const int x1 = r.left();
    const int w = r.width();
    const int columnWidth = qMax(1, (w - 5 * m) / 2);
    paintPriceCell(painter, x1 + m, x1 + m + columnWidth - m, y3, 45, qvmFormat::toNumber(price), 0, 8);
    paintPriceCell(painter, x1 + m + columnWidth, x1 + m + 2 * columnWidth - m, y3, 46,
                   qvmFormat::toNumber(leasePrice), 2, 38);
}

int qvmProjectItem::paintNameAndPlace(QPainter* painter, const QRect& r)
{
    const int m = margin();
    const int q = quarter();
    const int x1 = r.left();
    const int x2 = r.right();
    const int w = r.width();
    const int topFlags = Qt::AlignLeft | Qt::AlignTop;

    painter->setFont(titleFont());
    painter->setPen(kTitleColour);
    if (titleText.isEmpty()) {
        // Shorten from the full name downwards to the longest prefix that fits with its marks.
        const QFontMetrics fm = painter->fontMetrics();
        const QString mark = hasPicture() ? labels->label(0) : QString();
        const int limit = w - 5 * m;
        titleText = name + mark;
        if (fm.horizontalAdvance(titleText) > limit) {
            titleText.clear();
            for (int n = int(name.size()) - 1; n >= 0; --n) {
                const QString candidate = name.left(n) + QStringLiteral("...") + mark;
                if (fm.horizontalAdvance(candidate) <= limit) {
                    titleText = candidate;
                    break;
                }
            }
        }
    }
    const int y1 = r.top() + m;
    painter->drawText(QRect(x1 + m, y1, qMax(1, w - 5 * m), titleLine()), topFlags, titleText);

    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    const int spacing = fm.lineSpacing();
    const int y2 = y1 + titleLine() + q;
    painter->setPen(kGreyText);
    int districtEnd = 0;
    if (district) {
        painter->drawText(QRect(x1 + m, y2, qMax(1, w - 2 * m), spacing), topFlags, district->name);
        districtEnd = x1 + m + fm.horizontalAdvance(district->name) + m;
    }
    int placeRight = x2 - 4 * m;
    if (!distance.isEmpty()) {
        const QString metres = qvmFormat::formatNumber(qvmFormat::toNumber(distance), 0);
        const QString unit = labels->label(18);
        // The number ends where the band ends; its unit follows 2 pixels further.
        const QRect band(x1, y2, qMax(1, x2 - x1 - 5 * m), spacing);
        painter->setPen(kPriceColour);
        painter->drawText(band, Qt::AlignRight | Qt::AlignTop, metres);
        painter->setPen(kGreyText);
        painter->drawText(QRect(band.right() + 1 + 2, y2, fm.horizontalAdvance(unit) + 1, spacing), topFlags,
                          unit);
        placeRight = band.right() + 1 - fm.horizontalAdvance(metres) - m;
    }
    const int column = qMax(x1 + m + fm.horizontalAdvance(labels->label(30)), districtEnd);
    if (placeText.isEmpty() && placeRight - column > 0)
        elide(address, placeText, painter, placeRight - column, false);
    if (placeRight - column > 0)
        painter->drawText(QRect(column, y2, placeRight - column, spacing), topFlags, placeText);

    return y2 + spacing + q;
}

int qvmProjectItem::paintPriceCell(QPainter* painter, int left, int right, int y, int caption, double value,
                                   int decimals, int unit)
{
    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    const int spacing = fm.lineSpacing();
    const int topFlags = Qt::AlignLeft | Qt::AlignTop;
    int x = left;
    const QString captionText = labels->label(caption);
    painter->setPen(kGreyText);
    painter->drawText(QRect(x, y, qMax(1, right - x), spacing), topFlags, captionText);
    x += fm.horizontalAdvance(captionText) + 3;
    if (value > 0) {
        const QString number = qvmFormat::formatNumber(value, decimals);
        painter->setPen(kPriceColour);
        painter->drawText(QRect(x, y, qMax(1, right - x), spacing), topFlags, number);
        x += fm.horizontalAdvance(number) + 2;
        painter->setPen(kGreyText);
        const QString unitText = fm.elidedText(labels->label(unit), Qt::ElideRight, qMax(0, right - x));
        painter->drawText(QRect(x, y, qMax(1, right - x), spacing), topFlags, unitText);
        x += fm.horizontalAdvance(unitText);
    } else {
        painter->drawText(QRect(x, y, qMax(1, right - x), spacing), topFlags, QStringLiteral("--"));
        x += fm.horizontalAdvance(QStringLiteral("--"));
    }
    return x;
}

void qvmProjectItem::paintLink(QPainter* painter, const QRect& r)
{
    const int m = margin();
    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    const int available = qMax(1, r.width() - 2 * m);
    const QString shownName = fm.elidedText(name, Qt::ElideRight, available);
    QFont underlined = painter->font();
    underlined.setUnderline(true);
    painter->setFont(underlined);
    painter->setPen(kTitleColour);
    const QRect nameBand(r.left() + m, r.top(), available, r.height());
    painter->drawText(nameBand, Qt::AlignLeft | Qt::AlignVCenter, shownName);
    const int nameWidth = fm.horizontalAdvance(shownName);
    linkRect = QRect(nameBand.left(), r.top() + (r.height() - fm.height()) / 2, nameWidth, fm.height());
    painter->setFont(textFont());
    const int restLeft = nameBand.left() + nameWidth + m;
    const int restWidth = r.right() - m - restLeft;
    if (restWidth > fm.horizontalAdvance(QStringLiteral("...")) && !address.isEmpty()) {
        painter->setPen(kGreyText);
        painter->drawText(QRect(restLeft, r.top(), restWidth, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          fm.elidedText(address, Qt::ElideRight, restWidth));
    }
}

int qvmProjectItem::paintDetail(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    const int m = margin();
    int y = r.top();
    y = drawTitleBand(painter, r, y, name, kBodyTitleColour);
    y = drawIdLine(painter, r, y);

    const QString saleRise = qvmFormat::riseText(priceRise);
    const QString leaseRise = qvmFormat::riseText(leasePriceRise);
    const double salePrice = qvmFormat::toNumber(price);
    const double rent = qvmFormat::toNumber(leasePrice);
    const QString none = qvmFormat::missingValue();
    QList<qvmValueLine> lines;
    lines.append({labels->label(47), salePrice > 0 ? qvmFormat::formatNumber(salePrice, 0) : none,
                  QColor(kPriceColour), salePrice > 0 ? labels->label(8) : QString()});
    lines.append({labels->label(48), saleRise, qvmFormat::riseColor(saleRise), QString()});
    lines.append({labels->label(49), rent > 0 ? qvmFormat::formatNumber(rent, 2) : none, QColor(kPriceColour),
                  rent > 0 ? labels->label(38) : QString()});
    lines.append({labels->label(50), leaseRise, qvmFormat::riseColor(leaseRise), QString()});
    y = drawValueBlock(painter, r, y, lines, true);

    painter->setFont(textFont());
    const int cw = captionWidth(painter, {40, 41});
    const int vw = qMax(1, r.width() - cw - 3 * m);
    drawLinkedCaptionLine(painter, labels->label(40), district ? district->name : QString(), QString(), y,
                          r.left(), cw, vw, LinkDistrict, district);
    drawLinkedCaptionLine(painter, labels->label(41), address, street ? street->name : QString(), y, r.left(),
                          cw, vw, LinkStreet, street);
    y += 1;

    if (!detail.isEmpty())
        y = drawTextBox(painter, r, y, QString(), detail);

    // The two searches of this housing area's listings, side by side.
    painter->setFont(textFont());
    const int boxWidth = qMax(1, (r.width() - 3 * m) / 2);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const int textHeight =
        qMax(painter->boundingRect(QRect(0, 0, boxWidth - 2 * m, 1000), flags, labels->label(51)).height(),
             painter->boundingRect(QRect(0, 0, boxWidth - 2 * m, 1000), flags, labels->label(52)).height());
    const int boxHeight = textHeight + 2 * m;
    const int actions[2] = {LinkMoreSales, LinkMoreLeases};
    for (int i = 0; i < 2; ++i) {
        const QRect box(r.left() + m + i * (boxWidth + m), y + m, boxWidth, boxHeight);
        painter->fillRect(box, kBoxColour);
        painter->setPen(kSeparatorColour);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        painter->setPen(kValueColour);
        painter->drawText(box.adjusted(m, 0, -m, 0), flags, labels->label(51 + i));
        addLink(box, actions[i], this);
    }
    y += boxHeight + 2 * m;

    if (related) {
        const int used = related->paintGroups(painter, QRect(r.left(), y, r.width(), 100000));
        for (qvmLink l : related->detailLinks) {
            l.target = this;
            detailLinks.append(l);
        }
        y += used;
    }

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

#include "qvmitemroad.h"

#include "international.h"
#include "kwdtheme.h"
#include "qvmprojectitem.h"

#include <QDomElement>
#include <QPainter>

namespace {

const QColor kBodyTitleColour(226, 48, 48);
const QColor kCaptionColour(119, 119, 119);
const QColor kSeparatorColour(208, 208, 208);

} // namespace

qvmItemRoad::qvmItemRoad(bool idOptional) : qvmListItem(idOptional) {}

qvmItemRoad::~qvmItemRoad()
{
    qDeleteAll(relatedAreas);
}

int qvmItemRoad::type() const
{
    return TypeRoad;
}

bool qvmItemRoad::read(const QDomElement& element)
{
    if (!qvmListItem::read(element))
        return false;
    const QString metre = labels->label(18);
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        const QString text = e.text().trimmed();
        if (tag == QLatin1String("relateha")) {
            // A detail reply lists them again: the new list replaces the old one.
            qDeleteAll(relatedAreas);
            relatedAreas.clear();
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                auto* area = new qvmProjectItem;
                if (area->read(c))
                    relatedAreas.append(area);
                else
                    delete area;
            }
            continue;
        }
        if (text.isEmpty())
            continue;
        if (tag == QLatin1String("detail"))
            detail = text;
        else if (tag == QLatin1String("streetrange"))
            range = text;
        else if (tag == QLatin1String("pointfrom"))
            startPoint = text;
        else if (tag == QLatin1String("pointto"))
            endPoint = text;
        else if (tag == QLatin1String("updatetime"))
            updateTime = text;
        else if (tag == QLatin1String("streetname"))
            name = text;
        else if (tag == QLatin1String("streetwidth"))
            width = text + metre;
        else if (tag == QLatin1String("streetlength"))
            length = text + metre;
    }
    rebuildItems();
    invalidate();
    return true;
}

void qvmItemRoad::rebuildItems()
{
    items.clear();
    const QPair<int, const QString*> fields[] = {{12, &range}, {13, &startPoint}, {14, &endPoint},
                                                 {15, &width}, {16, &length},     {17, &updateTime}};
    for (const auto& f : fields) {
        if (!f.second->isEmpty())
            items.append(qMakePair(labels->label(f.first), *f.second));
    }
}

void qvmItemRoad::invalidate()
{
    qvmListItem::invalidate();
    for (qvmProjectItem* area : std::as_const(relatedAreas))
        area->invalidate();
}

int qvmItemRoad::paintDetail(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    const int m = margin();
    int y = drawTitleBand(painter, r, r.top(), name, kBodyTitleColour);

    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    int cw = 0;
    for (const auto& item : std::as_const(items))
        cw = qMax(cw, fm.horizontalAdvance(item.first) + 2);
    const int vw = qMax(1, r.width() - cw - 3 * m);
    for (const auto& item : std::as_const(items))
        drawCaptionLine(painter, item.first, item.second, y, r.left(), cw, vw, false, nullptr, QString());
    y += 1;

    // The street's picture, centred, with the image-list link when there is anything to list.
    const QSize box = pictureBox(r.width());
    const QPoint topLeft(r.left() + (r.width() - box.width()) / 2 - m, y);
    const bool loading = hasPicture() && !(picture->image && !picture->image->isNull());
    drawPicture(painter, topLeft, box.width(), box.height(),
                loading ? kwdTheme::Downloading : kwdTheme::Empty);
    if (hasPicture() || imageCount > 0)
        addLink(QRect(topLeft + QPoint(m, m), box), LinkPictures, this);
    y += box.height() + 2 * m;

    y = drawTextBox(painter, r, y, labels->label(20), detail);

    if (!relatedAreas.isEmpty()) {
        painter->setFont(textFont());
        painter->setPen(kCaptionColour);
        painter->drawText(QRect(r.left() + m, y + m, qMax(1, r.width() - 2 * m), fm.lineSpacing()),
                          Qt::AlignLeft | Qt::AlignTop, labels->label(19));
        y += fm.lineSpacing() + 2 * m;
        for (qvmProjectItem* area : std::as_const(relatedAreas)) {
            const QRect form(r.left(), y, r.width(), area->linkHeight(r.width()));
            area->paint(painter, form, 2);
            addLink(area->linkRect, LinkHousingArea, area);
            y = form.bottom() + 1;
            painter->setPen(kSeparatorColour);
            painter->drawLine(r.left() + m, y, r.right() - m, y);
            y += 1;
        }
    }
    return y + m - r.top();
}

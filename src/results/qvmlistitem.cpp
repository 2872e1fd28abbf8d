#include "qvmlistitem.h"

#include "international.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "qvmformat.h"
#include "qvminteritem.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QDataStream>
#include <QDomElement>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace {

const QColor kLinkColour(54, 98, 169);
const QColor kCaptionColour(119, 119, 119);
const QColor kValueColour(51, 51, 51);
const QColor kSeparatorColour(208, 208, 208);
const QColor kBoxColour(243, 243, 243);
const QColor kGreyText(103, 103, 103);

// Nested linked items in a stored row: a damaged file must not recurse without end.
int gStreamDepth = 0;
constexpr int kMaxStreamDepth = 4;

QFont sansFont(int points)
{
    QFont f(QStringLiteral("sans-serif"));
    f.setPointSize(points);
    return f;
}

template <class T> void setLinked(T*& slot, const QDomElement& e, bool idOptional)
{
    if (!slot)
        slot = new T(idOptional);
    const QString id = e.attribute(QStringLiteral("id"));
    if (slot->id != id)
        slot->complete = false;
    slot->id = id;
    slot->name = e.text().trimmed();
    slot->invalidate();
}

template <class T> void assignLinked(T*& slot, const qvmListItem* source)
{
    if (!source) {
        delete slot;
        slot = nullptr;
        return;
    }
    if (!slot)
        slot = new T;
    slot->assign(source);
}

} // namespace

qvmListItem::qvmListItem(bool idOptional) : idOptional(idOptional), labels(international::instance()) {}

qvmListItem::~qvmListItem()
{
    if (picture)
        delete picture->image;
    delete picture;
    delete housingArea;
    delete street;
    delete district;
    qDeleteAll(children);
}

qvmListItem* qvmListItem::createForKind(int kind)
{
    switch (kind) {
    case 1:
        return new qvmProjectItem;
    case 2:
        return new qvmSaleItem;
    case 3:
        return new qvmLeaseItem;
    case 4:
        return new qvmInterItem;
    default:
        return nullptr;
    }
}

bool qvmListItem::read(const QDomElement& element)
{
    // Check every "id" before taking any field: a record for another listing must not overwrite
    // this row's name or address before it is rejected.
    QString newId = id;
    for (QDomElement e = element.firstChildElement(QStringLiteral("id")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("id"))) {
        const QString text = e.text().trimmed();
        if (text.isEmpty() && !idOptional)
            return false;
        if (!newId.isEmpty() && newId != text)
            return false;
        newId = text;
    }
    id = newId;

    bool itemsCleared = false;
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("name")) {
            name = e.text().trimmed();
        } else if (tag == QLatin1String("location")) {
            const QString text = e.text().trimmed();
            const int comma = text.indexOf(QLatin1Char(','));
            if (comma >= 0) {
                longitude = text.left(comma).trimmed().toDouble();
                latitude = text.mid(comma + 1).trimmed().toDouble();
                altitude = 0;
            }
        } else if (tag == QLatin1String("imageurl")) {
            const QString url = e.text().trimmed();
            if (!picture)
                picture = new qvmPictureJob;
            if (picture->url != url) {
                // Another picture: the decoded one no longer belongs to the row.
                delete picture->image;
                picture->image = nullptr;
                picture->requestId = 0;
                picture->url = url;
            }
        } else if (tag == QLatin1String("imagecount")) {
            imageCount = e.text().trimmed().toInt();
        } else if (tag == QLatin1String("address")) {
            address = e.text().trimmed();
        } else if (tag == QLatin1String("pageview")) {
            pageView = e.text().trimmed().toInt();
        } else if (tag == QLatin1String("district")) {
            setLinked(district, e, true);
        } else if (tag == QLatin1String("street")) {
            setLinked(street, e, true);
        } else if (tag == QLatin1String("ha")) {
            setLinked(housingArea, e, true);
        } else if (tag == QLatin1String("items")) {
            // A second read (the detail reply) replaces the list instead of repeating it.
            if (!itemsCleared) {
                items.clear();
                itemsCleared = true;
            }
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
                items.append(qMakePair(c.attribute(QStringLiteral("name")), c.text().trimmed()));
        }
    }
    invalidate();
    return true;
}

void qvmListItem::paint(QPainter* painter, const QRect& rect, int mode)
{
    if (!painter)
        return;
    painter->save();
    // Only what this paint lays out is shown; the list grows again below.
    if (!shownFields.isEmpty())
        shownFields.clear();
    switch (mode) {
    case 0:
        paintList(painter, rect);
        break;
    case 1:
        if (rect.width() != layoutWidth) {
            invalidate();
            layoutWidth = rect.width();
        }
        paintDetail(painter, rect);
        break;
    case 2:
        paintLink(painter, rect);
        break;
    default:
        break;
    }
    painter->restore();
}

int qvmListItem::height(int width, int mode)
{
    if (mode < 0 || mode > 2)
        return 0;
    if (width != layoutWidth) {
        invalidate();
        layoutWidth = width;
    }
    if (mode == 1) {
        if (detailHeight == 0)
            detailHeight = measureDetail(width);
        return detailHeight;
    }
    if (listHeight == 0)
        listHeight = listRowHeight(width);
    return listHeight;
}

int qvmListItem::measureDetail(int width)
{
    // A one-pixel image: the same fonts and metrics as the screen, nearly nothing rasterised.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&scratch);
    shownFields.clear();
    return paintDetail(&p, QRect(0, 0, width, 100000));
}

void qvmListItem::paintList(QPainter* painter, const QRect& rect)
{
    painter->setPen(kSeparatorColour);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->setFont(textFont());
    painter->setPen(kValueColour);
    painter->drawText(rect, Qt::AlignCenter, name);
}

int qvmListItem::paintDetail(QPainter* painter, const QRect& rect)
{
    detailLinks.clear();
    contactLinks.clear();
    const QRect box(rect.topLeft(), QSize(rect.width(), pixels(50)));
    paintList(painter, box);
    return box.height();
}

void qvmListItem::paintLink(QPainter*, const QRect&) {}

int qvmListItem::listRowHeight(int)
{
    return pixels(50);
}

QString qvmListItem::shownText() const
{
    return address;
}

QString qvmListItem::displayName() const
{
    return name.size() <= 17 ? name : name.left(17) + QStringLiteral("...");
}

void qvmListItem::write(QDataStream& out) const
{
    out << id << name << idOptional << address;
    writeLinked(out);
}

void qvmListItem::writeLinked(QDataStream& out) const
{
    const qvmListItem* linked[3] = {district, housingArea, street};
    for (const qvmListItem* item : linked) {
        if (item) {
            out << qint32(1);
            item->write(out);
        } else {
            out << qint32(0);
        }
    }
}

bool qvmListItem::read(QDataStream& in)
{
    in >> id >> name >> idOptional >> address;
    if (in.status() != QDataStream::Ok)
        return false;
    return readLinked(in);
}

bool qvmListItem::readLinked(QDataStream& in)
{
    if (gStreamDepth >= kMaxStreamDepth) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    ++gStreamDepth;
    bool ok = true;
    for (int i = 0; ok && i < 3; ++i) {
        qint32 flag = 0;
        in >> flag;
        if (in.status() != QDataStream::Ok) {
            ok = false;
            break;
        }
        qvmListItem* item = nullptr;
        if (flag != 0) {
            if (i == 0)
                item = new qvmItemRegion;
            else if (i == 1)
                item = new qvmProjectItem;
            else
                item = new qvmItemRoad;
            ok = item->read(in) && in.status() == QDataStream::Ok;
        }
        if (i == 0) {
            delete district;
            district = static_cast<qvmItemRegion*>(item);
        } else if (i == 1) {
            delete housingArea;
            housingArea = static_cast<qvmProjectItem*>(item);
        } else {
            delete street;
            street = static_cast<qvmItemRoad*>(item);
        }
    }
    --gStreamDepth;
    invalidate();
    return ok;
}

void qvmListItem::assign(const qvmListItem* other)
{
    if (!other || other == this)
        return;
    id = other->id;
    name = other->name;
    idOptional = other->idOptional;
    address = other->address;
    assignLinked(district, other->district);
    assignLinked(housingArea, other->housingArea);
    assignLinked(street, other->street);
    invalidate();
}

void qvmListItem::invalidate()
{
    linkRect = QRect();
    contactLinks.clear();
    detailLinks.clear();
    listHeight = 0;
    detailHeight = 0;
    for (qvmListItem* child : std::as_const(children))
        child->invalidate();
}

int qvmListItem::type() const
{
    return TypeBase;
}

QList<qvmLink> qvmListItem::links() const
{
    return detailLinks;
}

QStringList qvmListItem::phoneNumbers() const
{
    for (const qvmListItem* child : children) {
        const QStringList phones = child->phoneNumbers();
        if (!phones.isEmpty())
            return phones;
    }
    return QStringList();
}

bool qvmListItem::loadPicture(const QString& path)
{
    if (!picture)
        return false;
    if (picture->image)
        return true;
    auto* image = new QImage;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.read(image) || image->isNull()) {
        delete image;
        picture->image = nullptr;
        return false;
    }
    picture->image = image;
    picture->localPath = path;
    return true;
}

bool qvmListItem::hasPicture() const
{
    return picture && !picture->url.isEmpty();
}

// ---- measures ----

int qvmListItem::pixels(int points)
{
    return kwdStore::instance()->pointsToPixels(points);
}

QFont qvmListItem::titleFont()
{
    return sansFont(11);
}

QFont qvmListItem::textFont()
{
    return sansFont(10);
}

int qvmListItem::smallLine()
{
    static const int value = QFontMetrics(sansFont(10)).lineSpacing();
    return value;
}

int qvmListItem::titleLine()
{
    static const int value = QFontMetrics(sansFont(11)).lineSpacing();
    return value;
}

int qvmListItem::margin()
{
    return smallLine() / 2;
}

int qvmListItem::quarter()
{
    return smallLine() / 4;
}

QSize qvmListItem::pictureBox(int width)
{
    const int m = margin();
    const int w = qMax(5 * pixels(10), (width - m) / 4);
    const int h = qMin((titleLine() + 2 * (smallLine() + quarter())) * 4 / 3, (width - 2 * m) / 4);
    return QSize(w, qMax(h, 1));
}

// ---- drawing ----

void qvmListItem::elide(const QString& text, QString& cache, QPainter* painter, int maxWidth,
                        bool withPictureMark)
{
    if (text.isEmpty())
        return;
    const QString mark = withPictureMark ? labels->label(0) : QString();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QString whole = text + mark;
    if (painter->boundingRect(QRect(0, 0, 999, 99), flags, whole).width() < maxWidth) {
        cache = whole;
        return;
    }
    const int spacing = qMax(1, painter->fontMetrics().lineSpacing());
    const QString dots = QStringLiteral("...");
    auto widthOf = [&](int n) {
        return painter->boundingRect(QRect(0, 0, 1999, 99), flags, text.left(n) + dots + mark).width();
    };
    const int start = qMax(maxWidth / spacing - 2, 1);
    for (int n = start; n <= text.size() - 1; ++n) {
        const int w = widthOf(n);
        if (w < maxWidth && w + spacing > maxWidth) {
            cache = text.left(n) + dots + mark;
            return;
        }
        if (w >= maxWidth)
            break;
    }
    // Wide glyphs can overshoot the window above; then take the longest prefix that still fits
    // rather than leaving the line blank.
    for (int n = qMin(start, int(text.size()) - 1); n >= 1; --n) {
        if (widthOf(n) < maxWidth) {
            cache = text.left(n) + dots + mark;
            return;
        }
    }
}

void qvmListItem::drawPicture(QPainter* painter, const QPoint& topLeft, int boxWidth, int boxHeight,
                              int fallback)
{
    QImage image;
    if (picture && picture->image && !picture->image->isNull())
        image = *picture->image;
    else
        image = kwdTheme::instance()->image(fallback).toImage();
    if (image.isNull() || boxWidth <= 0 || boxHeight <= 0)
        return;
    QSize size = image.size();
    // Keep the aspect ratio; never spill out of the box.
    if (size.width() > boxWidth || size.height() > boxHeight)
        size.scale(boxWidth, boxHeight, Qt::KeepAspectRatio);
    const QPoint box = topLeft + QPoint(margin(), margin());
    const QRect target(box.x() + (boxWidth - size.width()) / 2, box.y() + (boxHeight - size.height()) / 2,
                       size.width(), size.height());
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(target, image);
}

void qvmListItem::drawCaptionLine(QPainter* painter, const QString& caption, const QString& value, int& y,
                                  int left, int captionWidth, int valueWidth, bool highlight, QRect* link,
                                  const QString& linkText)
{
    const int m = margin();
    const int spacing = painter->fontMetrics().lineSpacing();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect captionRect(left + m, y + m, captionWidth, 10000);
    const QRect valueRect(left + 2 * m + captionWidth, y + m, qMax(valueWidth, 1), 10000);
    const int right = left + 3 * m + captionWidth + valueWidth;
    int valueHeight = painter->boundingRect(valueRect, flags, value).height();

    QRect linkDrawn;
    QString rest;
    if (!linkText.isEmpty()) {
        linkDrawn = painter->boundingRect(valueRect, flags, linkText);
        // Only a value that begins with the link text loses it; anything else is shown whole.
        rest = value.startsWith(linkText) ? value.mid(linkText.size()) : value;
        const QRect restRect(linkDrawn.right() + 1 + 2, valueRect.top(),
                             qMax(1, valueRect.right() - linkDrawn.right() - 2), 10000);
        valueHeight = qMax(linkDrawn.height(), painter->boundingRect(restRect, flags, rest).height());
    } else if (link) {
        linkDrawn = painter->boundingRect(valueRect, flags, value);
    }
    const int lineHeight = qMax(valueHeight, spacing) + 2 * m;

    if (highlight)
        painter->fillRect(QRect(left, y + 1, right - left, lineHeight), kBoxColour);

    painter->setPen(kCaptionColour);
    painter->drawText(captionRect, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap, caption);

    if (!linkDrawn.isNull() && (!linkText.isEmpty() || link)) {
        QFont underlined = painter->font();
        underlined.setUnderline(true);
        const QFont plain = painter->font();
        painter->setFont(underlined);
        painter->setPen(kLinkColour);
        painter->drawText(valueRect, flags, linkText.isEmpty() ? value : linkText);
        painter->setFont(plain);
        if (link)
            *link = linkDrawn;
        if (!linkText.isEmpty() && !rest.isEmpty()) {
            painter->setPen(kValueColour);
            const QRect restRect(linkDrawn.right() + 1 + 2, valueRect.top(),
                                 qMax(1, valueRect.right() - linkDrawn.right() - 2), 10000);
            painter->drawText(restRect, flags, rest);
        }
    } else {
        painter->setPen(kValueColour);
        painter->drawText(valueRect, flags, value);
    }

    if (!caption.isEmpty() || !value.isEmpty())
        shownFields.append(qvmShownField{caption, value, QRect(left, y, right - left, lineHeight), -1});
    y += lineHeight;
    painter->setPen(kSeparatorColour);
    painter->drawLine(left, y, right, y);
}

int qvmListItem::drawTitleBand(QPainter* painter, const QRect& rect, int y, const QString& text,
                               const QColor& colour)
{
    const int m = margin();
    painter->setFont(titleFont());
    const QRect textRect(rect.left() + m, y + m, qMax(1, rect.width() - 2 * m), 10000);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const int textHeight = qMax(painter->boundingRect(textRect, flags, text).height(), titleLine());
    const int band = textHeight + 2 * m;
    painter->fillRect(QRect(rect.left(), y, rect.width(), band), kBoxColour);
    painter->setPen(kSeparatorColour);
    painter->drawLine(rect.left(), y, rect.right(), y);
    painter->drawLine(rect.left(), y + band - 1, rect.right(), y + band - 1);
    painter->setPen(colour);
    painter->drawText(textRect, flags, text);
    shownFields.append(qvmShownField{QString(), text, QRect(rect.left(), y, rect.width(), band), -1});
    return y + band;
}

int qvmListItem::drawIdLine(QPainter* painter, const QRect& rect, int y)
{
    const int m = margin();
    painter->setFont(textFont());
    painter->setPen(kGreyText);
    const QRect line(rect.left() + m, y + m, qMax(1, rect.width() - 2 * m), smallLine());
    painter->drawText(line, Qt::AlignLeft | Qt::AlignTop, labels->label(33) + id);
    shownFields.append(qvmShownField{labels->label(33), id, line, -1});
    if (pageView > 0) {
        painter->drawText(line, Qt::AlignRight | Qt::AlignTop, labels->label(34) + QString::number(pageView));
        shownFields.append(qvmShownField{labels->label(34), QString::number(pageView), line, -1});
    }
    y += smallLine() + 2 * m;
    painter->setPen(kSeparatorColour);
    painter->drawLine(rect.left(), y, rect.right(), y);
    return y + 1;
}

int qvmListItem::drawValueBlock(QPainter* painter, const QRect& rect, int y, const QList<qvmValueLine>& lines,
                                bool withPicture)
{
    const int m = margin();
    const int q = quarter();
    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    int captionW = 0;
    for (const qvmValueLine& l : lines)
        captionW = qMax(captionW, fm.horizontalAdvance(l.caption));
    const QSize box = pictureBox(rect.width());
    const int pictureSpace = withPicture ? box.width() + 2 * m : 0;
    const int lineHeight = smallLine() + 2 * q;
    const int valueLeft = rect.left() + 2 * m + captionW;
    const int valueRight = rect.right() - m - pictureSpace;

    int lineY = y + m;
    for (const qvmValueLine& l : lines) {
        const QRect captionRect(rect.left() + m, lineY, captionW, lineHeight);
        painter->setPen(kCaptionColour);
        painter->drawText(captionRect, Qt::AlignRight | Qt::AlignVCenter, l.caption);
        const QRect valueRect(valueLeft, lineY, qMax(1, valueRight - valueLeft), lineHeight);
        painter->setPen(l.colour.isValid() ? l.colour : kValueColour);
        const QString value = fm.elidedText(l.value, Qt::ElideRight, valueRect.width());
        painter->drawText(valueRect, Qt::AlignLeft | Qt::AlignVCenter, value);
        if (!l.unit.isEmpty() && l.value != qvmFormat::missingValue()) {
            const int unitLeft = valueLeft + fm.horizontalAdvance(value) + 3;
            const QRect unitRect(unitLeft, lineY, qMax(1, valueRight - unitLeft), lineHeight);
            painter->setPen(kValueColour);
            painter->drawText(unitRect, Qt::AlignLeft | Qt::AlignVCenter,
                              fm.elidedText(l.unit, Qt::ElideRight, unitRect.width()));
        }
        const bool withUnit = !l.unit.isEmpty() && l.value != qvmFormat::missingValue();
        shownFields.append(qvmShownField{l.caption, withUnit ? l.value + l.unit : l.value,
                                         QRect(rect.left(), lineY, rect.width(), lineHeight), -1});
        lineY += lineHeight;
    }
    int blockHeight = int(lines.size()) * lineHeight + 2 * m;
    if (withPicture) {
        blockHeight = qMax(blockHeight, box.height() + 2 * m);
        const QPoint topLeft(rect.right() + 1 - box.width() - 2 * m, y);
        const bool loading = hasPicture() && !(picture->image && !picture->image->isNull());
        drawPicture(painter, topLeft, box.width(), box.height(),
                    loading ? kwdTheme::Downloading : kwdTheme::Empty);
        if (hasPicture() || imageCount > 0)
            addLink(QRect(topLeft + QPoint(m, m), box), LinkPictures, this);
    }
    y += blockHeight;
    painter->setPen(kSeparatorColour);
    painter->drawLine(rect.left(), y, rect.right(), y);
    return y + 1;
}

int qvmListItem::drawTextBox(QPainter* painter, const QRect& rect, int y, const QString& caption,
                             const QString& text)
{
    const int m = margin();
    painter->setFont(textFont());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect inner(rect.left() + 2 * m, y + 2 * m, qMax(1, rect.width() - 4 * m), 100000);
    int captionHeight = 0;
    if (!caption.isEmpty())
        captionHeight = painter->boundingRect(inner, flags, caption).height() + m;
    const QRect textRect = inner.adjusted(0, captionHeight, 0, 0);
    const int textHeight = text.isEmpty() ? 0 : painter->boundingRect(textRect, flags, text).height();
    const QRect box(rect.left() + m, y + m, rect.width() - 2 * m, captionHeight + textHeight + 2 * m);
    painter->fillRect(box, kBoxColour);
    painter->setPen(kSeparatorColour);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    if (!caption.isEmpty()) {
        painter->setPen(kCaptionColour);
        painter->drawText(inner, flags, caption);
    }
    painter->setPen(kValueColour);
    painter->drawText(textRect, flags, text);
    if (!text.isEmpty())
        shownFields.append(qvmShownField{caption, text, box, -1});
    return box.bottom() + 1 + m;
}

int qvmListItem::captionWidth(QPainter* painter, const QList<int>& labelIndexes) const
{
    const QFontMetrics fm = painter->fontMetrics();
    int w = 0;
    for (int i : labelIndexes)
        w = qMax(w, fm.horizontalAdvance(labels->label(i)));
    // Rounded glyph advances can exceed the integer width by a pixel; without slack the wrapped
    // caption would break inside a word.
    return w + 2;
}

void qvmListItem::addLink(const QRect& rect, int action, qvmListItem* target, const QString& title)
{
    qvmLink link;
    link.rect = rect;
    link.action = action;
    link.target = target;
    link.title = title;
    detailLinks.append(link);
}

void qvmListItem::drawLinkedCaptionLine(QPainter* painter, const QString& caption, const QString& value,
                                        const QString& linkText, int& y, int left, int captionWidth,
                                        int valueWidth, int action, qvmListItem* target)
{
    const bool linked = target && !(linkText.isEmpty() ? value : linkText).isEmpty();
    QRect link;
    drawCaptionLine(painter, caption, value, y, left, captionWidth, valueWidth, false,
                    linked ? &link : nullptr, linkText);
    if (linked) {
        addLink(link, action, target);
        if (!shownFields.isEmpty())
            shownFields.last().link = int(detailLinks.size()) - 1;
    }
}

int qvmListItem::category() const
{
    return categoryOfType(type());
}

qvmListItem* qvmListItem::blankCopy() const
{
    return createForKind(category());
}

const qvmItemRelateHA* qvmListItem::relatedAreas() const
{
    return nullptr;
}

int qvmListItem::categoryOfType(int type)
{
    switch (type) {
    case TypeProject:
        return 1;
    case TypeSale:
        return 2;
    case TypeLease:
        return 3;
    case TypeRegion:
        return 5;
    case TypeRoad:
        return 6;
    default:
        return -1;
    }
}

void qvmListItem::readAgencies(const QDomElement& element)
{
    const QDomNodeList agencies = element.elementsByTagName(QStringLiteral("co"));
    if (agencies.isEmpty())
        return;
    qDeleteAll(children);
    children.clear();
    for (int i = 0; i < agencies.size(); ++i) {
        auto* agency = new qvmInterItem(true);
        if (agency->read(agencies.at(i).toElement()))
            children.append(agency);
        else
            delete agency;
    }
}

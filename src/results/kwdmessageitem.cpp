#include "kwdmessageitem.h"

#include "kwdtheme.h"

#include <QFont>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QPainter>

kwdMessageItem::kwdMessageItem(QGraphicsView* view, QGraphicsItem* parent) : QGraphicsItem(parent), view(view)
{
    updateSize();
}

QSize kwdMessageItem::boxSize(int viewWidth)
{
    int w = 4 * viewWidth / 5;
    int h = 3 * w / 4;
    const QSize box = kwdTheme::instance()->imageSize(kwdTheme::Info);
    if (!box.isEmpty()) {
        w = qMin(box.width(), 4 * viewWidth / 5);
        h = box.height() * w / box.width();
    }
    return QSize(w, h);
}

void kwdMessageItem::updateSize()
{
    const QSize wanted = boxSize(view ? view->viewport()->width() : 0);
    if (wanted == size)
        return;
    prepareGeometryChange();
    size = wanted;
}

QRectF kwdMessageItem::boundingRect() const
{
    return QRectF(0, 0, size.width(), size.height());
}

void kwdMessageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    kwdTheme* theme = kwdTheme::instance();
    const QRect box(0, 0, size.width(), size.height());
    const QPixmap background = theme->image(kwdTheme::Info);
    if (!background.isNull())
        painter->drawPixmap(box, background);

    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(18);
    painter->setFont(font);
    painter->setPen(QColor(88, 88, 88));

    if (!animated) {
        if (hint.isEmpty()) {
            painter->drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
            return;
        }
        const int hintHeight = box.height() / 4;
        font.setPixelSize(15);
        painter->setFont(font);
        painter->drawText(box.adjusted(12, 8, -12, -hintHeight), Qt::AlignCenter | Qt::TextWordWrap, text);
        painter->setPen(QColor(30, 110, 200));
        painter->drawText(QRect(0, box.bottom() - hintHeight - 6, box.width(), hintHeight), Qt::AlignCenter,
                          hint);
        return;
    }
    int textLeft = 14;
    const QPixmap strip = theme->image(kwdTheme::Scroll);
    const int frameWidth = strip.width() / 6;
    if (!strip.isNull() && frameWidth > 0) {
        const QRect source((frame % 6) * frameWidth, 0, frameWidth, strip.height());
        painter->drawPixmap(QPoint(14, (box.height() - strip.height()) / 2), strip, source);
        textLeft += frameWidth + 10;
    }
    painter->drawText(QRect(textLeft, 0, qMax(0, box.width() - textLeft), box.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, text);
}

void kwdMessageItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    // Without a retry the box lets taps through to the page below.
    if (onTap && !animated)
        event->accept();
    else
        event->ignore();
}

void kwdMessageItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (!onTap || animated || !boundingRect().contains(event->pos()))
        return;
    // The call may show a new message (and replace onTap): run a copy.
    const std::function<void()> tap = onTap;
    tap();
}

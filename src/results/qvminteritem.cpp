#include "qvminteritem.h"

#include "international.h"
#include "kwdtheme.h"
#include "qvmprojectitem.h"

#include <QDomElement>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>

namespace {

const QColor kNameColour(210, 10, 23);
const QColor kCaptionColour(119, 119, 119);
const QColor kValueColour(51, 51, 51);
const QColor kBandColour(251, 214, 161);
const QColor kBandText(96, 54, 30);
const QColor kSeparatorLight(218, 218, 218);
const int kWrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

qvmInterItem::qvmInterItem(bool idOptional) : qvmListItem(idOptional) {}

qvmInterItem::~qvmInterItem()
{
    delete project;
}

int qvmInterItem::type() const
{
    return TypeInter;
}

QStringList qvmInterItem::splitPhones(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^-0-9]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

QStringList qvmInterItem::phoneNumbers() const
{
    return phones;
}

bool qvmInterItem::read(const QDomElement& element)
{
    if (!qvmListItem::read(element))
        return false;
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("project")) {
            if (!project)
                project = new qvmProjectItem(true);
            project->id = e.attribute(QStringLiteral("id"));
            project->name = e.text().trimmed();
            project->invalidate();
        } else if (tag == QLatin1String("phone")) {
            phones = splitPhones(e.text());
        } else if (tag == QLatin1String("detail")) {
            detail = e.text().trimmed();
        } else if (tag == QLatin1String("caption")) {
            caption = e.text().trimmed();
        }
    }
    invalidate();
    return true;
}

void qvmInterItem::assign(const qvmListItem* other)
{
    qvmListItem::assign(other);
    const auto* agency = dynamic_cast<const qvmInterItem*>(other);
    if (!agency || agency == this)
        return;
    phones = agency->phones;
    detail = agency->detail;
    caption = agency->caption;
}

int qvmInterItem::listRowHeight(int w)
{
    const int m = margin();
    const QSize box = pictureBox(w);
    const int textLeft = box.width() + 2 * m;
    const int textWidth = qMax(1, w - textLeft - 4 * m);
    const QFontMetrics title(titleFont());
    const QFontMetrics text(textFont());
    const int nameHeight = title.boundingRect(QRect(0, 0, textWidth, 10000), kWrap, name).height();
    const int phoneHeight = text.boundingRect(QRect(0, 0, textWidth, 10000), kWrap,
                                              labels->label(1) + phones.join(QLatin1Char(' ')))
                                .height();
    return qMax(box.height() + 2 * m, nameHeight + phoneHeight + quarter() + 2 * m);
}

void qvmInterItem::paintList(QPainter* painter, const QRect& r)
{
    const int m = margin();
    const QSize box = pictureBox(r.width());
    drawPicture(painter, r.topLeft(), box.width(), box.height());
    const int textLeft = r.left() + box.width() + 2 * m;
    const int textWidth = qMax(1, r.right() - 4 * m - textLeft);
    painter->setFont(titleFont());
    painter->setPen(kNameColour);
    const QRect nameRect(textLeft, r.top() + m, textWidth, 10000);
    const int nameHeight = painter->boundingRect(nameRect, kWrap, name).height();
    painter->drawText(nameRect, kWrap, name);
    painter->setFont(textFont());
    const QRect phoneRect(textLeft, nameRect.top() + nameHeight + quarter(), textWidth, 10000);
    // The caption runs into the numbers on the same wrapped text, in two colours.
    const QString label = labels->label(1);
    const int labelWidth = painter->fontMetrics().horizontalAdvance(label);
    painter->setPen(kCaptionColour);
    painter->drawText(phoneRect, kWrap, label);
    painter->setPen(kValueColour);
    painter->drawText(phoneRect.adjusted(labelWidth, 0, 0, 0), kWrap, phones.join(QLatin1Char(' ')));
}

QString qvmInterItem::shownText() const
{
    return labels->label(1) + phones.join(QLatin1Char(' '));
}

QString qvmInterItem::bandText() const
{
    QString text = caption.isEmpty() ? name : caption;
    if (!phones.isEmpty())
        text += QLatin1Char('\n') + phones.join(QLatin1Char(' '));
    return text;
}

int qvmInterItem::buttonWidth(int w) const
{
    const QFontMetrics fm(textFont());
    const int icon = kwdTheme::instance()->image(kwdTheme::CallMe).width();
    const int wanted = icon + fm.horizontalAdvance(labels->label(2)) + 3 * margin();
    return qMin(wanted, w * 2 / 5);
}

int qvmInterItem::linkHeight(int w) const
{
    const int m = margin();
    const QFontMetrics fm(textFont());
    const int textWidth = qMax(1, w - buttonWidth(w) - 3 * m);
    const int textHeight = fm.boundingRect(QRect(0, 0, textWidth, 10000), kWrap, bandText()).height();
    const int buttonText = fm.boundingRect(QRect(0, 0, qMax(1, buttonWidth(w) - 2 * m), 10000),
                                           Qt::AlignCenter | Qt::TextWordWrap, labels->label(2))
                               .height();
    const int icon = kwdTheme::instance()->image(kwdTheme::CallMe).height();
    return qMax(textHeight, qMax(buttonText, icon)) + 2 * m;
}

void qvmInterItem::paintLink(QPainter* painter, const QRect& r)
{
    const int m = margin();
    painter->setFont(textFont());
    painter->fillRect(r, kBandColour);
    const int bw = buttonWidth(r.width());
    const QRect textRect(r.left() + m, r.top(), qMax(1, r.width() - bw - 3 * m), r.height());
    painter->setPen(kBandText);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, bandText());

    const QRect button(r.right() + 1 - m - bw, r.top() + m / 2, bw, r.height() - m);
    QLinearGradient fill(button.topLeft(), button.bottomLeft());
    fill.setColorAt(0.0, QColor(254, 172, 0));
    fill.setColorAt(0.45, QColor(255, 128, 3));
    fill.setColorAt(0.55, QColor(251, 125, 5));
    fill.setColorAt(1.0, QColor(255, 81, 8));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QColor(203, 71, 7));
    painter->setBrush(fill);
    painter->drawRoundedRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter->setBrush(Qt::NoBrush);
    const QPixmap icon = kwdTheme::instance()->image(kwdTheme::CallMe);
    int textLeft = button.left() + m;
    if (!icon.isNull()) {
        painter->drawPixmap(textLeft, button.top() + (button.height() - icon.height()) / 2, icon);
        textLeft += icon.width() + m / 2;
    }
    painter->setPen(Qt::white);
    painter->drawText(
        QRect(textLeft, button.top(), qMax(1, button.right() - m / 2 - textLeft), button.height()),
        Qt::AlignCenter | Qt::TextWordWrap, labels->label(2));
    linkRect = r;
}

int qvmInterItem::paintDetail(QPainter* painter, const QRect& r)
{
    detailLinks.clear();
    contactLinks.clear();
    const int m = margin();
    int y = drawTitleBand(painter, r, r.top(), name, kNameColour);

    // Phone numbers and the call-to-action: one tappable block that opens the contact panel.
    painter->setFont(textFont());
    const QFontMetrics fm = painter->fontMetrics();
    const int contactTop = y;
    const QString label = labels->label(1);
    const int labelWidth = fm.horizontalAdvance(label);
    const QRect phoneRect(r.left() + m + labelWidth, y + m, qMax(1, r.width() - 2 * m - labelWidth), 10000);
    const QString numbers = phones.join(QLatin1Char(' '));
    const int phoneHeight = qMax(fm.lineSpacing(), painter->boundingRect(phoneRect, kWrap, numbers).height());
    painter->setPen(kCaptionColour);
    painter->drawText(QRect(r.left() + m, y + m, labelWidth + 1, fm.lineSpacing()),
                      Qt::AlignLeft | Qt::AlignTop, label);
    painter->setPen(kValueColour);
    painter->drawText(phoneRect, kWrap, numbers);
    y += phoneHeight + m;

    const QPixmap phoneIcon = kwdTheme::instance()->image(kwdTheme::Phone);
    const int callHeight = qMax(fm.lineSpacing(), phoneIcon.height()) + m;
    int callLeft = r.left() + m;
    if (!phoneIcon.isNull()) {
        painter->drawPixmap(callLeft, y + (callHeight - phoneIcon.height()) / 2, phoneIcon);
        callLeft += phoneIcon.width() + m / 2;
    }
    painter->setPen(QColor(54, 98, 169));
    painter->drawText(QRect(callLeft, y, qMax(1, r.right() - m - callLeft), callHeight),
                      Qt::AlignLeft | Qt::AlignVCenter, labels->label(2));
    y += callHeight;
    contactLinks.append(qvmLink{QRect(r.left(), contactTop, r.width(), y - contactTop), -1, QString(), this});
    painter->setPen(kSeparatorLight);
    painter->drawLine(r.left(), y, r.right(), y);
    y += 1;

    const int cw = captionWidth(painter, {3});
    drawCaptionLine(painter, labels->label(3), address, y, r.left(), cw, qMax(1, r.width() - cw - 3 * m),
                    false, nullptr, QString());
    y += 1;

    if (!detail.isEmpty()) {
        const QRect detailRect(r.left() + m, y + m, qMax(1, r.width() - 2 * m), 100000);
        painter->setPen(kValueColour);
        const int h = painter->boundingRect(detailRect, kWrap, detail).height();
        painter->drawText(detailRect, kWrap, detail);
        y += h + 2 * m;
    }

    // The service area: the housing area the agency works in, as a link to it.
    const int boxTop = y + m;
    const QRect inner(r.left() + 2 * m, boxTop + m, qMax(1, r.width() - 4 * m), 10000);
    const QString area = labels->label(4);
    const int areaWidth = fm.horizontalAdvance(area) + m;
    const QString projectName = project ? project->name : QString();
    const QRect nameRect = inner.adjusted(areaWidth, 0, 0, 0);
    const int boxHeight =
        qMax(fm.lineSpacing(), painter->boundingRect(nameRect, kWrap, projectName).height()) + 2 * m;
    const QRect box(r.left() + m, boxTop, r.width() - 2 * m, boxHeight);
    painter->fillRect(box, QColor(243, 243, 243));
    painter->setPen(QColor(208, 208, 208));
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    painter->setPen(kCaptionColour);
    painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop, area);
    if (!projectName.isEmpty()) {
        QFont underlined = painter->font();
        underlined.setUnderline(true);
        painter->setFont(underlined);
        painter->setPen(QColor(54, 98, 169));
        const QRect drawn = painter->boundingRect(nameRect, kWrap, projectName);
        painter->drawText(nameRect, kWrap, projectName);
        painter->setFont(textFont());
        addLink(drawn, LinkHousingArea, project);
    }
    y = box.bottom() + 1 + m;
    return y - r.top();
}

// kwd-skingen: draws the default skin's theme images (skin/default/theme/*.png).
//
//   kwd-skingen <skin directory> [--sheet <contact sheet.png>] [--icons <icon theme directory>]
//
// The images are vector drawings sized for the 360x640 handset-style window. The generated PNGs are
// committed with the sources, so the program never needs this tool at build or run time; run it again
// after changing a drawing. The contact sheet shows every image and a few of them in place (title bar,
// navigation button, message box) for a person to review.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtMath>

#include <functional>
#include <vector>

namespace {

// ---- Palette (shared with the style sheet and the drawn items) ----

const QColor titleBlue(54, 98, 169);
const QColor priceRed(210, 10, 23);
const QColor band(243, 243, 243);
const QColor separator(208, 208, 208);
const QColor caption(119, 119, 119);
const QColor barTop(232, 62, 56);
const QColor barBottom(188, 16, 24);
const QColor supplyOrange(251, 78, 1);
const QColor demandBlue(35, 118, 222);
const QColor leaseOrange(250, 120, 20);
const QColor guideGreen(22, 160, 120);
const QColor pushPurple(124, 88, 196);
const QColor chevronGrey(176, 176, 176);

const char* const kFontFamily = "WenQuanYi Micro Hei";

// ---- Shared drawing helpers ----

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void smooth(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont uiFont(int pixelSize, bool bold = false)
{
    QFont f(QString::fromLatin1(kFontFamily));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QPen roundPen(const QColor& c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A soft shadow under a rounded shape: a few widening translucent outlines.
void softShadow(QPainter& p, const QRectF& r, qreal radius, int spread, int alpha)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = spread; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, alpha / i), 1.0));
        p.drawRoundedRect(r.adjusted(-i + 0.5, -i + 1.5, i - 0.5, i + 0.5), radius + i, radius + i);
    }
    p.restore();
}

// The vertical red gradient of the bars: light edge on top, darker line at the bottom.
QImage redStrip(int h, bool bottomLine)
{
    QImage img = canvas(8, h);
    QPainter p(&img);
    const QRectF r(0, 0, 8, h);
    QLinearGradient g = vertical(r, barTop, barBottom);
    g.setColorAt(0.5, QColor(214, 36, 38));
    p.fillRect(r, g);
    p.fillRect(QRectF(0, 0, 8, 1), QColor(244, 120, 110));
    if (bottomLine)
        p.fillRect(QRectF(0, h - 1, 8, 1), QColor(140, 8, 14));
    return img;
}

// A chevron pointing right (0), down (90) or any angle, centred in r.
void chevron(QPainter& p, const QRectF& r, const QColor& c, qreal width, qreal angle)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const qreal a = qMin(r.width(), r.height()) / 2.0 - width / 2.0;
    const qreal b = qMax(r.width(), r.height()) / 2.0 - width / 2.0;
    QPainterPath path;
    path.moveTo(-a / 1.3, -b);
    path.lineTo(a / 1.3, 0);
    path.lineTo(-a / 1.3, b);
    p.setPen(roundPen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

// A house outline: pitched roof with eaves over a square body with a door; filled when fill is set.
QPainterPath housePath(const QRectF& r)
{
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath roof;
    roof.moveTo(r.left() + w * 0.5, r.top());
    roof.lineTo(r.right(), r.top() + h * 0.46);
    roof.lineTo(r.right() - w * 0.14, r.top() + h * 0.46);
    roof.lineTo(r.right() - w * 0.14, r.bottom());
    roof.lineTo(r.left() + w * 0.14, r.bottom());
    roof.lineTo(r.left() + w * 0.14, r.top() + h * 0.46);
    roof.lineTo(r.left(), r.top() + h * 0.46);
    roof.closeSubpath();
    return roof;
}

void house(QPainter& p, const QRectF& r, const QColor& body, const QColor& door)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(housePath(r));
    const qreal dw = r.width() * 0.22;
    const QRectF d(r.center().x() - dw / 2, r.bottom() - r.height() * 0.34, dw, r.height() * 0.34);
    p.setBrush(door);
    p.drawRoundedRect(d, dw * 0.25, dw * 0.25);
    p.restore();
}

// A rounded square badge: the colour as a gentle vertical gradient with a light rim and a gloss.
void badge(QPainter& p, const QRectF& r, const QColor& base, qreal radius)
{
    p.save();
    softShadow(p, r, radius, 2, 40);
    p.setPen(QPen(base.darker(125), 1.0));
    p.setBrush(vertical(r, base.lighter(118), base.darker(108)));
    p.drawRoundedRect(r, radius, radius);
    QPainterPath gloss;
    gloss.addRoundedRect(r.adjusted(1.5, 1.5, -1.5, -r.height() * 0.5), radius - 1.5, radius - 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(r.adjusted(0, 0, 0, -r.height() * 0.5), QColor(255, 255, 255, 70),
                        QColor(255, 255, 255, 10)));
    p.drawPath(gloss);
    p.restore();
}

// A round badge for the small category icons.
void roundBadge(QPainter& p, const QRectF& r, const QColor& base)
{
    p.save();
    p.setPen(QPen(base.darker(125), 1.0));
    p.setBrush(vertical(r, base.lighter(115), base.darker(110)));
    p.drawEllipse(r);
    p.restore();
}

// A telephone handset: a handle bulging to the lower left with the ear and mouth pieces at its ends,
// the pieces facing up and to the right as on the usual call sign.
void handset(QPainter& p, const QRectF& r, const QColor& c)
{
    p.save();
    p.translate(r.center());
    p.rotate(45);
    const qreal s = qMin(r.width(), r.height());
    QPainterPath path;
    path.moveTo(-0.50 * s, -0.20 * s);
    path.lineTo(-0.22 * s, -0.20 * s);
    path.lineTo(-0.22 * s, -0.02 * s);
    path.cubicTo(-0.10 * s, 0.10 * s, 0.10 * s, 0.10 * s, 0.22 * s, -0.02 * s);
    path.lineTo(0.22 * s, -0.20 * s);
    path.lineTo(0.50 * s, -0.20 * s);
    path.lineTo(0.50 * s, 0.02 * s);
    path.cubicTo(0.30 * s, 0.38 * s, -0.30 * s, 0.38 * s, -0.50 * s, 0.02 * s);
    path.closeSubpath();
    p.setPen(roundPen(c, s * 0.08));
    p.setBrush(c);
    p.drawPath(path);
    p.restore();
}

// A map pin with a hole, its point at the bottom centre of r.
void mapPin(QPainter& p, const QRectF& r, const QColor& c, const QColor& hole)
{
    const qreal w = r.width();
    QPainterPath pin;
    const QPointF tip(r.center().x(), r.bottom());
    const QRectF head(r.left(), r.top(), w, w);
    pin.moveTo(tip);
    pin.arcTo(head, 225, -270);
    pin.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(pin);
    p.setBrush(hole);
    p.drawEllipse(head.center(), w * 0.18, w * 0.18);
    p.restore();
}

// The spinner of the wait indicators: 12 spokes with a fading tail whose head is at spoke `head`.
void spinner(QPainter& p, const QRectF& r, int head, const QColor& c)
{
    p.save();
    p.translate(r.center());
    const qreal s = qMin(r.width(), r.height()) / 2.0;
    for (int i = 0; i < 12; ++i) {
        const int age = (head - i + 12) % 12;
        const int alpha = qMax(40, 255 - age * 26);
        p.save();
        p.rotate(i * 30.0);
        p.setPen(roundPen(withAlpha(c, alpha), s * 0.2));
        p.drawLine(QPointF(0, -s * 0.45), QPointF(0, -s * 0.88));
        p.restore();
    }
    p.restore();
}

// A picture frame glyph: hills and a sun inside a rounded frame.
void pictureGlyph(QPainter& p, const QRectF& r, const QColor& c)
{
    p.save();
    p.setPen(roundPen(c, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(r.left() + r.width() * 0.72, r.top() + r.height() * 0.3), r.height() * 0.11,
                  r.height() * 0.11);
    QPainterPath hills;
    hills.moveTo(r.left() + 3, r.bottom() - 3);
    hills.lineTo(r.left() + r.width() * 0.36, r.top() + r.height() * 0.42);
    hills.lineTo(r.left() + r.width() * 0.58, r.top() + r.height() * 0.68);
    hills.lineTo(r.left() + r.width() * 0.72, r.top() + r.height() * 0.56);
    hills.lineTo(r.right() - 3, r.bottom() - 3);
    hills.closeSubpath();
    p.drawPath(hills);
    p.restore();
}

// The light box of the picture placeholders, with a caption under a glyph.
QImage placeholder(const QString& text, const std::function<void(QPainter&, const QRectF&)>& glyph)
{
    QImage img = canvas(120, 90);
    QPainter p(&img);
    smooth(p);
    const QRectF box(0.5, 0.5, 119, 89);
    p.setPen(QPen(separator, 1.0));
    p.setBrush(vertical(box, QColor(248, 248, 248), QColor(236, 236, 236)));
    p.drawRect(box);
    glyph(p, QRectF(42, 18, 36, 30));
    p.setPen(QColor(160, 160, 160));
    p.setFont(uiFont(12));
    p.drawText(QRectF(0, 56, 120, 20), Qt::AlignCenter, text);
    return img;
}

// ---- The numbered theme images ----

QImage drawEmpty()
{
    return placeholder(QStringLiteral("暂无图片"), [](QPainter& p, const QRectF& r) {
        house(p, r.adjusted(3, 0, -3, 0), QColor(206, 206, 206), QColor(240, 240, 240));
    });
}

QImage drawDownloading()
{
    return placeholder(QStringLiteral("图片加载中…"), [](QPainter& p, const QRectF& r) {
        pictureGlyph(p, r.adjusted(0, 2, 0, -2), QColor(196, 196, 196));
    });
}

QImage drawGps()
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    smooth(p);
    const QPointF c(12, 12);
    p.setPen(roundPen(titleBlue, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 7.0, 7.0);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 90.0);
        p.drawLine(QPointF(0, -8.5), QPointF(0, -11));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(priceRed);
    p.drawEllipse(c, 3.2, 3.2);
    return img;
}

QImage arrowImage(const QColor& c)
{
    QImage img = canvas(8, 14);
    QPainter p(&img);
    smooth(p);
    chevron(p, QRectF(0.5, 0.5, 7, 13), c, 2.0, 0);
    return img;
}

QImage drawLeftArrow()
{
    return arrowImage(chevronGrey);
}

QImage drawLeftArrowH()
{
    return arrowImage(priceRed);
}

QImage drawDownArrow()
{
    QImage img = canvas(14, 8);
    QPainter p(&img);
    smooth(p);
    chevron(p, QRectF(0.5, 0.5, 13, 7), QColor(120, 120, 120), 2.0, 90);
    return img;
}

QImage drawInfo()
{
    QImage img = canvas(280, 200);
    QPainter p(&img);
    smooth(p);
    const QRectF panel(4, 3, 272, 192);
    softShadow(p, panel, 10, 4, 60);
    p.setPen(QPen(QColor(196, 196, 196), 1.0));
    p.setBrush(vertical(panel, QColor(255, 255, 255, 246), QColor(242, 242, 242, 246)));
    p.drawRoundedRect(panel, 10, 10);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), 9, 9);
    return img;
}

QImage drawScroll()
{
    const int frame = 32;
    QImage img = canvas(frame * 6, frame);
    QPainter p(&img);
    smooth(p);
    for (int f = 0; f < 6; ++f)
        spinner(p, QRectF(f * frame, 0, frame, frame), f * 2, priceRed);
    return img;
}

// The wordmark: a house glyph and the product name, in one colour for the bar or two for white pages.
QImage wordmark(const QColor& glyph, const QColor& text, const QColor& sub, int height)
{
    const qreal k = height / 40.0;
    const QFont main = uiFont(qRound(22 * k), true);
    const QFont small = uiFont(qMax(7, qRound(8 * k)));
    const QString name = QStringLiteral("城市看房");
    const QString tag = QStringLiteral("KWD · PERSONAL");
    const int textWidth =
        qMax(QFontMetrics(main).horizontalAdvance(name), QFontMetrics(small).horizontalAdvance(tag));
    const int w = qCeil(34 * k) + textWidth + 4;
    QImage img = canvas(w, height);
    QPainter p(&img);
    smooth(p);
    const QRectF mark(1 * k, 5 * k, 28 * k, 28 * k);
    house(p, mark, glyph, Qt::transparent);
    // A small magnifier on the house: finding a home.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(mark.right() - 5 * k, mark.bottom() - 5 * k), 6.5 * k, 6.5 * k);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(roundPen(glyph, 2.0 * k));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(mark.right() - 6 * k, mark.bottom() - 6 * k), 3.8 * k, 3.8 * k);
    p.drawLine(QPointF(mark.right() - 3.2 * k, mark.bottom() - 3.2 * k),
               QPointF(mark.right() - 0.5 * k, mark.bottom() - 0.5 * k));
    p.setPen(text);
    p.setFont(main);
    p.drawText(QRectF(34 * k, 0, textWidth + 4, 27 * k), Qt::AlignLeft | Qt::AlignBottom, name);
    p.setPen(sub);
    p.setFont(small);
    p.drawText(QRectF(35 * k, 27 * k, textWidth + 4, 12 * k), Qt::AlignLeft | Qt::AlignTop, tag);
    return img;
}

QImage drawLogo1()
{
    return wordmark(Qt::white, Qt::white, QColor(255, 255, 255, 190), 40);
}

QImage drawLogo2()
{
    return wordmark(priceRed, QColor(68, 68, 68), caption, 24);
}

QImage drawHorbar()
{
    QImage img = canvas(8, 4);
    QPainter p(&img);
    p.fillRect(QRectF(0, 0, 8, 2), priceRed);
    p.fillRect(QRectF(0, 2, 8, 1), QColor(226, 160, 160));
    p.fillRect(QRectF(0, 3, 8, 1), QColor(238, 238, 238));
    return img;
}

QImage drawRedBg1()
{
    return redStrip(54, false);
}

QImage drawRedBg2()
{
    return redStrip(48, true);
}

// A city skyline: towers in blue tints with lit windows, a red-roofed house and trees in front.
QImage drawIndexPic()
{
    QImage img = canvas(300, 120);
    QPainter p(&img);
    smooth(p);
    QRandomGenerator rng(20111);
    // Sun and clouds behind the skyline.
    QRadialGradient sun(QPointF(236, 30), 22);
    sun.setColorAt(0, QColor(255, 214, 120, 230));
    sun.setColorAt(1, QColor(255, 214, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(236, 30), 22, 22);
    p.setBrush(QColor(255, 255, 255, 230));
    for (const QPointF& c : {QPointF(60, 22), QPointF(180, 14)}) {
        p.drawEllipse(c, 14, 7);
        p.drawEllipse(c + QPointF(12, -4), 10, 8);
        p.drawEllipse(c + QPointF(-12, 2), 8, 5);
    }
    // Back row, lighter; front row, stronger.
    struct Tower
    {
        qreal x, w, h;
        int shade;
    };
    const Tower back[] = {{8, 26, 58, 0},   {40, 22, 76, 1},  {70, 30, 50, 0},  {118, 24, 88, 1},
                          {150, 28, 64, 0}, {196, 22, 80, 1}, {226, 30, 56, 0}, {262, 26, 70, 1}};
    const Tower front[] = {{22, 30, 44, 2},  {58, 26, 62, 3},  {92, 34, 40, 2}, {134, 28, 54, 3},
                           {206, 30, 46, 2}, {240, 24, 60, 3}, {270, 26, 36, 2}};
    const QColor shades[] = {QColor(196, 212, 236), QColor(180, 200, 230), QColor(120, 156, 208),
                             titleBlue.lighter(115)};
    const qreal ground = 108;
    auto drawTower = [&](const Tower& t) {
        const QRectF r(t.x, ground - t.h, t.w, t.h);
        const QColor c = shades[t.shade];
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(r, c.lighter(106), c.darker(106)));
        p.drawRect(r);
        p.setBrush(c.darker(112));
        p.drawRect(QRectF(r.right() - t.w * 0.22, r.top(), t.w * 0.22, r.height()));
        for (qreal y = r.top() + 5; y < ground - 8; y += 8) {
            for (qreal x = r.left() + 4; x < r.right() - t.w * 0.22 - 3; x += 6) {
                const bool lit = rng.bounded(100) < 28;
                p.setBrush(lit ? QColor(255, 226, 140) : QColor(255, 255, 255, t.shade >= 2 ? 120 : 150));
                p.drawRect(QRectF(x, y, 3, 4));
            }
        }
    };
    for (const Tower& t : back)
        drawTower(t);
    for (const Tower& t : front)
        drawTower(t);
    // The house in front, centre stage.
    house(p, QRectF(164, ground - 40, 38, 40), QColor(250, 250, 250), QColor(150, 108, 80));
    QPainterPath roof;
    roof.moveTo(160, ground - 21);
    roof.lineTo(183, ground - 44);
    roof.lineTo(206, ground - 21);
    p.setPen(roundPen(priceRed, 4.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roof);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 180, 230));
    p.drawRect(QRectF(171, ground - 22, 7, 7));
    p.drawRect(QRectF(188, ground - 22, 7, 7));
    // Trees.
    for (const qreal x : {14.0, 124.0, 154.0, 214.0, 290.0}) {
        p.setBrush(QColor(140, 100, 70));
        p.drawRect(QRectF(x - 1, ground - 8, 2, 8));
        p.setBrush(QColor(88, 170, 96));
        p.drawEllipse(QPointF(x, ground - 12), 6, 7);
        p.setBrush(QColor(120, 196, 120));
        p.drawEllipse(QPointF(x - 2, ground - 14), 3, 3);
    }
    // Ground.
    p.setBrush(vertical(QRectF(0, ground, 300, 12), QColor(200, 200, 200), QColor(230, 230, 230, 0)));
    p.drawRect(QRectF(0, ground, 300, 12));
    p.setPen(QPen(QColor(170, 170, 170), 1.0));
    p.drawLine(QPointF(0, ground + 0.5), QPointF(300, ground + 0.5));
    return img;
}

QImage drawPhone()
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    smooth(p);
    roundBadge(p, QRectF(1, 1, 22, 22), QColor(52, 168, 83));
    handset(p, QRectF(4, 4, 16, 16), Qt::white);
    return img;
}

QImage drawCallMe()
{
    QImage img = canvas(20, 20);
    QPainter p(&img);
    smooth(p);
    handset(p, QRectF(1, 1, 18, 18), Qt::white);
    return img;
}

QImage drawClose()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    smooth(p);
    const QPointF c(16, 16);
    p.setPen(QPen(Qt::white, 2.0));
    p.setBrush(QColor(0, 0, 0, 160));
    p.drawEllipse(c, 14, 14);
    p.setPen(roundPen(Qt::white, 2.6));
    p.drawLine(c + QPointF(-5.5, -5.5), c + QPointF(5.5, 5.5));
    p.drawLine(c + QPointF(5.5, -5.5), c + QPointF(-5.5, 5.5));
    return img;
}

// Navigation icons: a coloured badge with a white glyph.
QImage navIcon(const QColor& base, const std::function<void(QPainter&)>& glyph)
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    smooth(p);
    badge(p, QRectF(2, 2, 28, 28), base, 7);
    glyph(p);
    return img;
}

QImage drawSaleIcon()
{
    return navIcon(priceRed, [](QPainter& p) {
        house(p, QRectF(7, 6, 18, 19), Qt::white, Qt::transparent);
        p.setPen(priceRed);
        p.setFont(uiFont(10, true));
        p.drawText(QRectF(7, 14, 18, 11), Qt::AlignCenter, QStringLiteral("¥"));
    });
}

QImage drawLeaseIcon()
{
    return navIcon(leaseOrange, [](QPainter& p) {
        p.translate(16, 16);
        p.rotate(-45);
        p.setPen(roundPen(Qt::white, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(-6, 0), 4.2, 4.2);
        p.drawLine(QPointF(-1.8, 0), QPointF(9, 0));
        p.drawLine(QPointF(5, 0), QPointF(5, 3.5));
        p.drawLine(QPointF(8.5, 0), QPointF(8.5, 3));
    });
}

QImage drawCompoundIcon()
{
    return navIcon(titleBlue, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        const QRectF blocks[] = {QRectF(7, 12, 6, 13), QRectF(13.5, 7, 6, 18), QRectF(20, 14, 5, 11)};
        for (const QRectF& r : blocks) {
            p.setBrush(Qt::white);
            p.drawRect(r);
            p.setBrush(titleBlue);
            for (qreal y = r.top() + 2; y < r.bottom() - 2; y += 3.5)
                p.drawRect(QRectF(r.left() + 1.5, y, r.width() - 3, 1.5));
        }
    });
}

QImage drawGuideIcon()
{
    return navIcon(guideGreen, [](QPainter& p) {
        p.setPen(QPen(QColor(255, 255, 255, 170), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 23.5), 7, 2.5);
        mapPin(p, QRectF(10, 6, 12, 18), Qt::white, guideGreen);
    });
}

QImage drawPushIcon()
{
    return navIcon(pushPurple, [](QPainter& p) {
        QPainterPath bell;
        bell.moveTo(8.5, 21);
        bell.cubicTo(11, 19, 10, 15, 10.5, 13);
        bell.cubicTo(11, 9, 13.5, 8, 16, 8);
        bell.cubicTo(18.5, 8, 21, 9, 21.5, 13);
        bell.cubicTo(22, 15, 21, 19, 23.5, 21);
        bell.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(bell);
        p.drawEllipse(QPointF(16, 23), 2.2, 2.2);
        p.drawEllipse(QPointF(16, 7.2), 1.4, 1.4);
        p.setBrush(QColor(255, 190, 40));
        p.setPen(QPen(pushPurple, 1.0));
        p.drawEllipse(QPointF(22.5, 9.5), 3.2, 3.2);
    });
}

QImage drawNewHouse()
{
    QImage img = canvas(38, 32);
    QPainter p(&img);
    smooth(p);
    const QRectF pill(2, 5, 34, 19);
    softShadow(p, pill, 9.5, 2, 50);
    QPainterPath shape;
    shape.addRoundedRect(pill, 9.5, 9.5);
    QPainterPath tail;
    tail.moveTo(9, 23);
    tail.lineTo(8, 29);
    tail.lineTo(15, 23);
    tail.closeSubpath();
    shape = shape.united(tail);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(vertical(pill, QColor(240, 60, 48), priceRed.darker(110)));
    p.drawPath(shape);
    p.setPen(Qt::white);
    p.setFont(uiFont(11, true));
    p.drawText(pill, Qt::AlignCenter, QStringLiteral("NEW"));
    return img;
}

// The program's icon on a 64-unit canvas: red rounded square, white house, magnifier over the door.
const QRectF kIconSquare(3, 3, 58, 58);
const QRectF kIconHouse(13, 12, 38, 38);
const QColor kIconTop(242, 80, 66);

void paintAppIcon(QPainter& p)
{
    smooth(p);
    softShadow(p, kIconSquare, 13, 3, 50);
    p.setPen(QPen(barBottom.darker(115), 1.0));
    p.setBrush(vertical(kIconSquare, kIconTop, barBottom));
    p.drawRoundedRect(kIconSquare, 13, 13);
    house(p, kIconHouse, Qt::white, Qt::transparent);
    p.setPen(roundPen(priceRed, 3.0));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(33, 40), 6.5, 6.5);
    p.setPen(roundPen(Qt::white, 4.0));
    p.drawLine(QPointF(38, 45), QPointF(46, 53));
}

QImage appIcon(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.scale(size / 64.0, size / 64.0);
    paintAppIcon(p);
    return img;
}

QImage drawAppIcon()
{
    return appIcon(64);
}

// The same icon as SVG for the desktop's scalable icon theme (the shadow is left to the desktop).
QByteArray appIconSvg()
{
    QString d;
    const QPainterPath path = housePath(kIconHouse);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        d += QLatin1String(e.isMoveTo() ? "M" : "L") + QString::number(e.x, 'f', 2) + QLatin1Char(' ') +
             QString::number(e.y, 'f', 2) + QLatin1Char(' ');
    }
    d += QLatin1Char('Z');
    const QString svg = QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"bg\" x1=\"0\" y1=\"3\" x2=\"0\" y2=\"61\" gradientUnits=\"userSpaceOnUse\">\n"
        "      <stop offset=\"0\" stop-color=\"%1\"/>\n"
        "      <stop offset=\"1\" stop-color=\"%2\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n"
        "  <rect x=\"3\" y=\"3\" width=\"58\" height=\"58\" rx=\"13\" fill=\"url(#bg)\" stroke=\"%3\"/>\n"
        "  <path d=\"%4\" fill=\"#ffffff\"/>\n"
        "  <circle cx=\"33\" cy=\"40\" r=\"6.5\" fill=\"#ffffff\" stroke=\"%5\" stroke-width=\"3\"/>\n"
        "  <line x1=\"38\" y1=\"45\" x2=\"46\" y2=\"53\" stroke=\"#ffffff\" stroke-width=\"4\" "
        "stroke-linecap=\"round\"/>\n"
        "</svg>\n")
                              .arg(kIconTop.name(), barBottom.name(), barBottom.darker(115).name(), d.trimmed(),
                                   priceRed.name());
    return svg.toUtf8();
}

// Writes the icon theme files under dir: hicolor/{48x48,128x128}/apps/*.png and scalable/apps/*.svg.
bool writeIcons(const QDir& dir, QTextStream& err)
{
    for (int size : {48, 128}) {
        const QString sub = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!dir.mkpath(sub) || !appIcon(size).save(dir.filePath(sub + QStringLiteral("/kwdpersonal.png")), "PNG")) {
            err << "cannot write the " << size << " pixel icon under " << dir.path() << "\n";
            return false;
        }
    }
    const QString sub = QStringLiteral("hicolor/scalable/apps");
    QFile svg(dir.filePath(sub + QStringLiteral("/kwdpersonal.svg")));
    if (!dir.mkpath(sub) || !svg.open(QIODevice::WriteOnly) || svg.write(appIconSvg()) < 0) {
        err << "cannot write " << svg.fileName() << "\n";
        return false;
    }
    return true;
}

QImage dot(const QColor& c)
{
    QImage img = canvas(10, 10);
    QPainter p(&img);
    smooth(p);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(c);
    p.drawEllipse(QPointF(5, 5), 4, 4);
    return img;
}

QImage drawSupplyDot()
{
    return dot(supplyOrange);
}

QImage drawDemandDot()
{
    return dot(demandBlue);
}

// ---- Category icons of the related places: a round badge with a white glyph ----

QImage categoryIcon(const QColor& base, const std::function<void(QPainter&)>& glyph)
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    smooth(p);
    roundBadge(p, QRectF(1, 1, 22, 22), base);
    p.setPen(roundPen(Qt::white, 1.8));
    p.setBrush(Qt::NoBrush);
    glyph(p);
    return img;
}

QImage drawHotel()
{
    return categoryIcon(titleBlue, [](QPainter& p) {
        p.drawLine(QPointF(6, 7), QPointF(6, 17));
        p.drawLine(QPointF(6, 14), QPointF(18, 14));
        p.drawLine(QPointF(18, 11.5), QPointF(18, 17));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9, 11), 1.8, 1.8);
        p.drawRoundedRect(QRectF(11.5, 9.5, 7, 3.5), 1.5, 1.5);
    });
}

QImage drawShangye()
{
    return categoryIcon(QColor(232, 98, 40), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(6.5, 9.5, 11, 9), 1.5, 1.5);
        p.setPen(roundPen(Qt::white, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 5.5, 6, 7), 0, 180 * 16);
    });
}

QImage drawMedic()
{
    return categoryIcon(QColor(220, 50, 60), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(10, 5.5, 4, 13), 1, 1);
        p.drawRoundedRect(QRectF(5.5, 10, 13, 4), 1, 1);
    });
}

QImage drawEdu()
{
    return categoryIcon(QColor(70, 120, 200), [](QPainter& p) {
        QPolygonF cap;
        cap << QPointF(12, 6) << QPointF(20, 10) << QPointF(12, 14) << QPointF(4, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(cap);
        p.drawRoundedRect(QRectF(8, 12, 8, 5), 2, 2);
        p.setPen(roundPen(Qt::white, 1.2));
        p.drawLine(QPointF(19, 10.5), QPointF(19, 16));
    });
}

QImage drawCanyin()
{
    return categoryIcon(QColor(240, 150, 20), [](QPainter& p) {
        p.drawLine(QPointF(8.5, 6), QPointF(8.5, 18));
        p.drawLine(QPointF(6.5, 6), QPointF(6.5, 9.5));
        p.drawLine(QPointF(10.5, 6), QPointF(10.5, 9.5));
        p.drawArc(QRectF(6.5, 6, 4, 5), 180 * 16, 180 * 16);
        QPainterPath knife;
        knife.moveTo(15.5, 18);
        knife.lineTo(15.5, 6);
        knife.cubicTo(18.5, 7, 18.5, 11, 17.5, 12.5);
        knife.lineTo(15.5, 12.5);
        p.drawPath(knife);
    });
}

QImage drawGonggong()
{
    return categoryIcon(QColor(46, 160, 80), [](QPainter& p) {
        p.drawLine(QPointF(12, 13), QPointF(12, 19));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPolygonF tree;
        tree << QPointF(12, 4.5) << QPointF(17.5, 14) << QPointF(6.5, 14);
        p.drawPolygon(tree);
        p.drawRect(QRectF(6, 18, 12, 1.6));
    });
}

QImage drawMatou()
{
    return categoryIcon(QColor(30, 130, 170), [](QPainter& p) {
        p.drawEllipse(QPointF(12, 6.5), 1.8, 1.8);
        p.drawLine(QPointF(12, 8.5), QPointF(12, 18.5));
        p.drawLine(QPointF(8.5, 10.5), QPointF(15.5, 10.5));
        p.drawArc(QRectF(6, 10, 12, 9), 200 * 16, 140 * 16);
    });
}

QImage drawService()
{
    return categoryIcon(QColor(110, 110, 190), [](QPainter& p) {
        p.translate(12, 12);
        p.rotate(45);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(-1.6, -2, 3.2, 9), 1.2, 1.2);
        QPainterPath head;
        head.addEllipse(QPointF(0, -4.5), 4, 4);
        QPainterPath notch;
        notch.addRect(QRectF(-1.3, -9, 2.6, 4.5));
        p.drawPath(head.subtracted(notch));
    });
}

QImage drawDiming()
{
    return categoryIcon(QColor(200, 80, 140), [](QPainter& p) {
        p.drawLine(QPointF(8, 5.5), QPointF(8, 18.5));
        QPainterPath flag;
        flag.moveTo(8, 6);
        flag.cubicTo(11, 4.5, 13, 7.5, 17, 6);
        flag.lineTo(17, 12);
        flag.cubicTo(13, 13.5, 11, 10.5, 8, 12);
        flag.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(flag);
    });
}

QImage drawOther()
{
    return categoryIcon(QColor(140, 140, 140), [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (const qreal x : {7.0, 12.0, 17.0})
            p.drawEllipse(QPointF(x, 12), 1.8, 1.8);
    });
}

// ---- Images of the style sheet: the favourite star and the check box indicator ----

QPainterPath starPath(const QPointF& c, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt(c.x() + radius * qCos(angle), c.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QImage star(bool on)
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    smooth(p);
    const QPainterPath path = starPath(QPointF(12, 12.8), 10.5, 4.6);
    if (on) {
        p.setPen(QPen(QColor(255, 255, 255, 230), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(vertical(path.boundingRect(), QColor(255, 226, 90), QColor(250, 176, 20)));
    } else {
        p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    p.drawPath(path);
    return img;
}

QImage drawFavorite()
{
    return star(false);
}

QImage drawFavoriteOn()
{
    return star(true);
}

QImage checkIndicator(bool on)
{
    QImage img = canvas(18, 18);
    QPainter p(&img);
    smooth(p);
    const QRectF box(1.5, 1.5, 15, 15);
    if (on) {
        p.setPen(QPen(priceRed.darker(115), 1.0));
        p.setBrush(vertical(box, QColor(236, 52, 48), priceRed));
    } else {
        p.setPen(QPen(QColor(176, 176, 176), 1.0));
        p.setBrush(vertical(box, Qt::white, QColor(240, 240, 240)));
    }
    p.drawRoundedRect(box, 3, 3);
    if (on) {
        QPainterPath tick;
        tick.moveTo(5, 9.2);
        tick.lineTo(8, 12.2);
        tick.lineTo(13.2, 6);
        p.setPen(roundPen(Qt::white, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return img;
}

QImage drawCheckOff()
{
    return checkIndicator(false);
}

QImage drawCheckOn()
{
    return checkIndicator(true);
}

// ---- The image table: file name (under theme/) and its drawing ----

struct SkinImage
{
    const char* file;
    QImage (*draw)();
};

const SkinImage kImages[] = {
    {"empty.png", drawEmpty},
    {"gps.png", drawGps},
    {"leftarrow.png", drawLeftArrow},
    {"info.png", drawInfo},
    {"scroll.png", drawScroll},
    {"logo1.png", drawLogo1},
    {"logo2.png", drawLogo2},
    {"horbar.png", drawHorbar},
    {"red_bg1.png", drawRedBg1},
    {"red_bg2.png", drawRedBg2},
    {"index_pic.png", drawIndexPic},
    {"phone.png", drawPhone},
    {"downarrow.png", drawDownArrow},
    {"callme.png", drawCallMe},
    {"downloading.png", drawDownloading},
    {"close.png", drawClose},
    {"kwdicon_03.png", drawSaleIcon},
    {"kwdicon_06.png", drawLeaseIcon},
    {"kwdicon_08.png", drawCompoundIcon},
    {"kwdicon_12.png", drawGuideIcon},
    {"pushhouseicon.png", drawPushIcon},
    {"newhouse.png", drawNewHouse},
    {"kwdpersonal.png", drawAppIcon},
    {"leftarrowh.png", drawLeftArrowH},
    {"supplydot.png", drawSupplyDot},
    {"demanddot.png", drawDemandDot},
    {"hotel.png", drawHotel},
    {"shangye.png", drawShangye},
    {"medic.png", drawMedic},
    {"edu.png", drawEdu},
    {"canyin.png", drawCanyin},
    {"gongong.png", drawGonggong},
    {"matou.png", drawMatou},
    {"service.png", drawService},
    {"diming.png", drawDiming},
    {"other.png", drawOther},
    {"favorite.png", drawFavorite},
    {"favorite_on.png", drawFavoriteOn},
    {"check_off.png", drawCheckOff},
    {"check_on.png", drawCheckOn},
};

// ---- Contact sheet: the images in place, then every image on a checkerboard with its name ----

void checkerboard(QPainter& p, const QRect& r)
{
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y < r.bottom(); y += 8)
        for (int x = r.left(); x < r.right(); x += 8)
            p.fillRect(QRect(x, y, 8, 8), ((x - r.left()) / 8 + (y - r.top()) / 8) % 2
                                              ? QColor(206, 206, 206)
                                              : QColor(228, 228, 228));
    p.restore();
}

// The title bar, the navigation buttons and the message box as the program draws them.
void drawMockups(QPainter& p, const std::vector<QImage>& images)
{
    auto find = [&](const char* file) {
        for (size_t i = 0; i < std::size(kImages); ++i)
            if (qstrcmp(kImages[i].file, file) == 0)
                return images[i];
        return QImage();
    };
    const QImage bar = find("red_bg2.png");
    const QImage logo = find("logo1.png");
    int y = 10;
    p.fillRect(QRect(10, y, 360, 400), Qt::white);
    for (int x = 10; x < 370; x += bar.width())
        p.drawImage(QRect(x, y, bar.width(), 54), bar);
    p.drawImage(10 + (360 - logo.width()) / 2, y + (54 - logo.height()) / 2, logo);
    y += 54;
    const char* icons[] = {"kwdicon_03.png", "kwdicon_06.png", "kwdicon_08.png", "pushhouseicon.png"};
    const QString texts[] = {QStringLiteral("二手房"), QStringLiteral("租房"), QStringLiteral("楼盘小区"),
                             QStringLiteral("房源推送")};
    const QImage arrow = find("leftarrow.png");
    for (int i = 0; i < 4; ++i) {
        const QRect r(20, y + 10 + i * 50, 340, 46);
        p.setPen(separator);
        p.setBrush(vertical(r, Qt::white, QColor(233, 233, 233)));
        p.drawRect(r.adjusted(0, 0, -2, -2));
        p.setBrush(vertical(r, QColor(248, 248, 248), QColor(220, 220, 220)));
        p.drawRect(QRect(r.left() + 3, r.top() + 3, r.height() - 6, r.height() - 8));
        const QImage icon = find(icons[i]);
        p.drawImage(r.left() + (r.height() - icon.width()) / 2,
                    r.top() + (r.height() - icon.height()) / 2 - 1, icon);
        p.drawImage(r.right() - 12 - arrow.width(), r.top() + (r.height() - arrow.height()) / 2, arrow);
        p.setPen(QColor(68, 68, 68));
        p.setFont(uiFont(15));
        p.drawText(QRect(r.left() + r.height() + 16, r.top(), 200, r.height()), Qt::AlignVCenter, texts[i]);
    }
    const QImage pic = find("index_pic.png");
    p.drawImage(10 + (360 - pic.width()) / 2, y + 220, pic);
    // Message box with the third spinner frame, to the right of the page.
    const QImage info = find("info.png");
    const QImage strip = find("scroll.png");
    const int bx = 400;
    const int by = 20;
    p.fillRect(QRect(bx - 10, by - 10, info.width() + 20, info.height() + 20), QColor(250, 250, 250));
    p.drawImage(bx, by, info);
    const int fw = strip.width() / 6;
    p.drawImage(QPoint(bx + 14, by + (info.height() - strip.height()) / 2), strip,
                QRect(2 * fw, 0, fw, strip.height()));
    p.setPen(QColor(88, 88, 88));
    p.setFont(uiFont(18));
    p.drawText(QRect(bx + 14 + fw + 8, by, info.width(), info.height()), Qt::AlignVCenter,
               QStringLiteral("正在下载，请稍候"));
    // The splash band with the wordmark, and the footer bar.
    const QImage splash = find("red_bg1.png");
    const QImage horbar = find("horbar.png");
    const int sy = by + info.height() + 30;
    for (int x = bx; x < bx + 360; x += splash.width())
        p.drawImage(x, sy, splash);
    const QImage small = logo.scaledToHeight(splash.height() * 49 / 77, Qt::SmoothTransformation);
    p.drawImage(bx + (360 - small.width()) / 2, sy + (splash.height() - small.height()) / 2, small);
    p.fillRect(QRect(bx, sy + splash.height(), 360, 60), Qt::white);
    for (int x = bx; x < bx + 360; x += horbar.width())
        p.drawImage(x, sy + splash.height() + 30, horbar);
    const QImage logo2 = find("logo2.png");
    p.drawImage(bx + (360 - logo2.width()) / 2, sy + splash.height() + 36, logo2);
}

QImage contactSheet(const std::vector<QImage>& images)
{
    const int width = 820;
    const int cell = 150;
    const int columns = width / cell;
    int rows = 0;
    int column = 0;
    for (const QImage& img : images) {
        const int span = qMax(1, (img.width() + cell - 1) / cell);
        if (column + span > columns) {
            column = 0;
            ++rows;
        }
        column += span;
    }
    const int top = 420;
    QImage sheet(width, top + (rows + 1) * cell + 10, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    smooth(p);
    drawMockups(p, images);
    column = 0;
    int row = 0;
    for (size_t i = 0; i < images.size(); ++i) {
        const QImage& img = images[i];
        const int span = qMax(1, (img.width() + cell - 1) / cell);
        if (column + span > columns) {
            column = 0;
            ++row;
        }
        const QRect box(10 + column * cell, top + row * cell, span * cell - 10, cell - 30);
        checkerboard(p, box);
        // Small images are shown three times as large too, so their detail can be judged.
        if (img.width() <= 40 && img.height() <= 40) {
            p.drawImage(box.left() + 10, box.top() + (box.height() - img.height()) / 2, img);
            const QImage big = img.scaled(img.size() * 3, Qt::KeepAspectRatio, Qt::FastTransformation);
            p.drawImage(box.left() + 46, box.top() + (box.height() - big.height()) / 2, big);
        } else {
            const QImage fit = img.width() > box.width() || img.height() > box.height()
                                   ? img.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                   : img;
            p.drawImage(box.left() + (box.width() - fit.width()) / 2,
                        box.top() + (box.height() - fit.height()) / 2, fit);
        }
        p.setPen(QColor(60, 60, 60));
        p.setFont(uiFont(11));
        p.drawText(QRect(box.left(), box.bottom() + 2, box.width(), 18), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("%1  %2x%3")
                       .arg(QString::fromLatin1(kImages[i].file))
                       .arg(img.width())
                       .arg(img.height()));
        column += span;
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: kwd-skingen <skin directory> [--sheet <contact sheet.png>] [--icons <directory>]\n";
        return 2;
    }
    const QDir skin(args.at(1));
    const int sheetArg = args.indexOf(QStringLiteral("--sheet"));
    if (sheetArg > 0 && sheetArg + 1 >= args.size()) {
        err << "--sheet needs a file name\n";
        return 2;
    }
    if (!skin.mkpath(QStringLiteral("theme"))) {
        err << "cannot create " << skin.filePath(QStringLiteral("theme")) << "\n";
        return 1;
    }
    std::vector<QImage> images;
    for (const SkinImage& entry : kImages) {
        const QImage img = entry.draw();
        const QString path = skin.filePath(QStringLiteral("theme/") + QString::fromLatin1(entry.file));
        if (!img.save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
        images.push_back(img);
    }
    const int iconsArg = args.indexOf(QStringLiteral("--icons"));
    if (iconsArg > 0 && (iconsArg + 1 >= args.size() || !writeIcons(QDir(args.at(iconsArg + 1)), err)))
        return iconsArg + 1 >= args.size() ? 2 : 1;
    if (sheetArg > 0) {
        const QString path = args.at(sheetArg + 1);
        if (!contactSheet(images).save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}

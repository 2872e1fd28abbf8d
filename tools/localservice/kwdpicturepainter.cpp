#include "kwdpicturepainter.h"

#include "kwdsamplerandom.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
QColor pastel(kwdSampleRandom& r)
{
    return QColor::fromHsv(r.range(0, 359), r.range(20, 70), r.range(200, 245));
}

QColor strong(kwdSampleRandom& r)
{
    return QColor::fromHsv(r.range(0, 359), r.range(90, 200), r.range(90, 200));
}
} // namespace

QImage kwdPicturePainter::render(const QString& kind, const QString& id, int n, bool big)
{
    QImage image(bigWidth, bigHeight, QImage::Format_RGB32);
    const quint64 seed = kwdSampleRandom::hash((kind + QLatin1Char('/') + id + QLatin1Char('/')).toUtf8() +
                                               QByteArray::number(n));
    if (kind == QLatin1String("forsale") || kind == QLatin1String("lease") || kind == QLatin1String("upload"))
        paintRoom(image, seed, n);
    else if (kind == QLatin1String("co"))
        paintShop(image, seed);
    else
        paintBuildings(image, seed);
    if (big)
        return image;
    return image.scaled(smallWidth, smallHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray kwdPicturePainter::jpeg(const QString& kind, const QString& id, int n, bool big)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(big ? 85 : 80);
    writer.write(render(kind, id, n, big));
    return bytes;
}

void kwdPicturePainter::paintRoom(QImage& image, quint64 seed, int n)
{
    kwdSampleRandom r(seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = image.width(), h = image.height();
    const QColor wall = pastel(r);
    // Back wall, side walls and floor in a simple one-point perspective.
    const QRect back(w / 5, h / 8, w * 3 / 5, h / 2);
    p.fillRect(image.rect(), wall.darker(115));
    p.fillRect(back, wall);
    const QColor floorColor = QColor::fromHsv(r.range(20, 40), r.range(80, 160), r.range(110, 190));
    QPolygon floorPoly;
    floorPoly << QPoint(0, h) << QPoint(back.left(), back.bottom()) << QPoint(back.right(), back.bottom())
              << QPoint(w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(floorColor);
    p.drawPolygon(floorPoly);
    p.setPen(QPen(floorColor.darker(130), 2));
    for (int i = 1; i < 8; ++i) {
        const int x = back.left() + back.width() * i / 8;
        p.drawLine(x, back.bottom(), (x - w / 2) * 3 + w / 2, h);
    }
    // Ceiling edge.
    QPolygon ceiling;
    ceiling << QPoint(0, 0) << QPoint(back.left(), back.top()) << QPoint(back.right(), back.top())
            << QPoint(w, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(wall.lighter(108));
    p.drawPolygon(ceiling);

    // Window with sky and a frame.
    const int winW = back.width() * r.range(30, 45) / 100;
    const QRect win(back.left() + r.range(back.width() / 10, back.width() - winW - back.width() / 10),
                    back.top() + back.height() / 8, winW, back.height() / 2);
    QLinearGradient sky(win.topLeft(), win.bottomLeft());
    sky.setColorAt(0, QColor(110, 170, 230));
    sky.setColorAt(1, QColor(200, 230, 250));
    p.fillRect(win, sky);
    p.setPen(QPen(Qt::white, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(win);
    p.drawLine(win.center().x(), win.top(), win.center().x(), win.bottom());
    // Curtains.
    const QColor curtain = strong(r);
    p.setPen(Qt::NoPen);
    p.setBrush(curtain);
    p.drawRect(win.left() - 22, win.top() - 10, 20, win.height() + 30);
    p.drawRect(win.right() + 3, win.top() - 10, 20, win.height() + 30);

    const QColor furniture = strong(r);
    if (n % 3 == 2) {
        // A bedroom: bed with pillows and a bedside lamp.
        const QRect bed(w / 4, back.bottom() - 40, w / 2, h / 4);
        p.setBrush(furniture.darker(140));
        p.drawRoundedRect(QRect(bed.left(), bed.top() - 60, bed.width(), 80), 10, 10);
        p.setBrush(Qt::white);
        p.drawRoundedRect(bed, 14, 14);
        p.setBrush(furniture);
        p.drawRoundedRect(QRect(bed.left(), bed.top() + bed.height() / 3, bed.width(), bed.height() * 2 / 3),
                          14, 14);
        p.setBrush(QColor(250, 250, 245));
        p.drawRoundedRect(QRect(bed.left() + 20, bed.top() + 8, bed.width() / 2 - 30, 30), 12, 12);
        p.drawRoundedRect(QRect(bed.center().x() + 10, bed.top() + 8, bed.width() / 2 - 30, 30), 12, 12);
    } else {
        // A living room: sofa, rug, low table and a picture on the wall.
        p.setBrush(QColor::fromHsv(r.range(0, 359), 60, 200, 200));
        p.drawEllipse(QPoint(w / 2, h * 5 / 6), w / 3, h / 12);
        const QRect sofa(w / 4, back.bottom() - 30, w / 2, 90);
        p.setBrush(furniture.darker(120));
        p.drawRoundedRect(QRect(sofa.left(), sofa.top() - 40, sofa.width(), 70), 16, 16);
        p.setBrush(furniture);
        p.drawRoundedRect(sofa, 16, 16);
        p.drawRoundedRect(QRect(sofa.left() - 25, sofa.top() - 20, 40, sofa.height() + 20), 12, 12);
        p.drawRoundedRect(QRect(sofa.right() - 15, sofa.top() - 20, 40, sofa.height() + 20), 12, 12);
        p.setBrush(QColor(90, 60, 40));
        p.drawRect(QRect(w / 2 - 80, h * 5 / 6 - 30, 160, 22));
        const QRect art(back.left() + 20, back.top() + 20, 70, 50);
        p.setBrush(pastel(r).darker(130));
        p.drawRect(art);
    }
    // A plant in the corner.
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(w - 110, h - 120, 50, 60);
    p.setBrush(QColor(40, 130 + r.range(0, 60), 60));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPoint(w - 85 + r.range(-30, 30), h - 150 + r.range(-40, 10)), 26, 34);
}

void kwdPicturePainter::paintBuildings(QImage& image, quint64 seed)
{
    kwdSampleRandom r(seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = image.width(), h = image.height();
    QLinearGradient sky(0, 0, 0, h);
    const int evening = r.range(0, 4) == 0;
    sky.setColorAt(0, evening ? QColor(250, 160, 90) : QColor(70, 140, 220));
    sky.setColorAt(0.7, evening ? QColor(250, 220, 170) : QColor(190, 220, 245));
    p.fillRect(image.rect(), sky);
    // A few clouds.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 3; ++i) {
        const QPoint c(r.range(40, w - 40), r.range(30, h / 4));
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(c + QPoint(k * 22 - 30, r.range(-8, 8)), 30, 18);
    }
    const int ground = h * 3 / 4;
    int x = -r.range(0, 40);
    while (x < w) {
        const int bw = r.range(70, 150);
        const int bh = r.range(h / 4, ground - 30);
        const QColor facade = QColor::fromHsv(r.range(0, 359), r.range(10, 60), r.range(150, 235));
        const QRect b(x, ground - bh, bw, bh);
        p.setBrush(facade);
        p.drawRect(b);
        p.setBrush(facade.darker(125));
        p.drawRect(QRect(b.right() - bw / 6, b.top(), bw / 6, bh));
        // Window grid.
        const QColor glass = evening ? QColor(255, 220, 120) : QColor(120, 170, 210);
        for (int wy = b.top() + 12; wy < b.bottom() - 20; wy += 22) {
            for (int wx = b.left() + 10; wx < b.right() - bw / 6 - 14; wx += 20) {
                p.setBrush(r.chance(0.15) ? glass.darker(150) : glass);
                p.drawRect(wx, wy, 12, 14);
            }
        }
        x += bw + r.range(4, 30);
    }
    // Lawn, road and trees.
    p.setBrush(QColor(90, 160, 80));
    p.drawRect(0, ground, w, h - ground);
    p.setBrush(QColor(80, 80, 85));
    p.drawRect(0, h - 50, w, 50);
    p.setPen(QPen(QColor(240, 240, 240), 4, Qt::DashLine));
    p.drawLine(0, h - 25, w, h - 25);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const int tx = r.range(10, w - 10);
        p.setBrush(QColor(100, 70, 40));
        p.drawRect(tx - 4, ground + 10, 8, 30);
        p.setBrush(QColor(30, 110 + r.range(0, 60), 50));
        p.drawEllipse(QPoint(tx, ground + 5), 22, 28);
    }
}

void kwdPicturePainter::paintShop(QImage& image, quint64 seed)
{
    kwdSampleRandom r(seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = image.width(), h = image.height();
    p.fillRect(image.rect(), QColor(225, 225, 220));
    const QColor brand = strong(r);
    // Sign board, glass front and door.
    p.setPen(Qt::NoPen);
    p.setBrush(brand);
    p.drawRect(40, 40, w - 80, 80);
    p.setBrush(brand.lighter(160));
    p.drawEllipse(QPoint(110, 80), 28, 28);
    p.setBrush(QColor(170, 210, 230));
    p.drawRect(40, 140, w - 80, h - 200);
    p.setBrush(QColor(140, 180, 200));
    p.drawRect(w / 2 - 60, 170, 120, h - 230);
    p.setPen(QPen(QColor(90, 90, 90), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(40, 140, w - 80, h - 200);
    // Listing cards in the window.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.setBrush(Qt::white);
            p.drawRect(70 + col * 45, 170 + row * 60, 36, 48);
            p.setBrush(brand);
            p.drawRect(70 + col * 45, 170 + row * 60, 36, 10);
        }
    }
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(0, h - 60, w, 60);
}

#include "kwdsplash.h"

#include "kwdstore.h"
#include "kwdtheme.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

int desktopHeightNow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry().height() : 0;
}

QFont sansFont(int points)
{
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(points);
    return font;
}

} // namespace

kwdSplash::kwdSplash(int desktopHeight)
{
    message = tr("Initializing...");
    const int height = desktopHeight < 0 ? desktopHeightNow() : desktopHeight;
    const int dpi = kwdStore::instance()->screenDpi();
    bandHeight = bandHeightFor(height, dpi);
    footerHeight = footerHeightFor(height, dpi);
}

int kwdSplash::bandHeightFor(int desktopHeight, int dpi)
{
    const QPixmap band = kwdTheme::instance()->image(kwdTheme::RedBg1);
    if (!band.isNull() && !isSmallScreen(desktopHeight))
        return band.height();
    return dpi * 33 / 72;
}

int kwdSplash::footerHeightFor(int desktopHeight, int dpi)
{
    const QPixmap logo = kwdTheme::instance()->image(kwdTheme::Logo2);
    if (!logo.isNull() && !isSmallScreen(desktopHeight))
        return logo.height() * 3 / 2;
    return dpi * 18 / 72;
}

void kwdSplash::showMessage(const QString& text)
{
    message = text;
    repaint();
}

void kwdSplash::paintEvent(QPaintEvent*)
{
    kwdTheme* theme = kwdTheme::instance();
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);

    theme->drawTiled(&painter, QRect(0, 0, w, bandHeight), kwdTheme::RedBg1);

    painter.setFont(sansFont(9));
    painter.setPen(Qt::white);
    painter.drawText(QRect(QPoint(w - 100, bandHeight - 100), QPoint(w - 11, bandHeight - 1)),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("1.1.6"));

    const QPixmap logo = theme->image(kwdTheme::Logo1);
    const int logoHeight = bandHeight * 49 / 77;
    if (!logo.isNull() && logoHeight > 0) {
        const QPixmap scaled = logo.scaledToHeight(logoHeight, Qt::SmoothTransformation);
        painter.drawPixmap((w - scaled.width()) / 2, (bandHeight - scaled.height()) / 2, scaled);
    }

    const int m = footerHeight / 3;
    const QRect panel(QPoint(m, bandHeight + m), QPoint(w - m - 1, h - 2 * footerHeight - 1));
    painter.setPen(QColor(208, 208, 208));
    painter.setBrush(QColor(243, 243, 243));
    painter.drawRect(panel);
    painter.setBrush(Qt::NoBrush);

    painter.setFont(sansFont(11));
    painter.setPen(Qt::black);
    // Word wrap keeps a long database error inside the panel.
    painter.drawText(panel, Qt::AlignCenter | Qt::TextWordWrap, message);

    const QPixmap picture = theme->image(kwdTheme::IndexPic);
    if (!picture.isNull()) {
        const int dw = qMin(panel.width() - 2, picture.width());
        const int dh = dw > 0 ? picture.height() * dw / picture.width() : 0;
        const int p = h - 2 * footerHeight;
        if (dw > 0 && p - (bandHeight + m) > dh) {
            const int x = (w - dw) / 2;
            painter.drawPixmap(QRect(QPoint(x, p - dh - 9), QPoint(x + dw - 1, p - 10)), picture);
        }
    }

    const QPixmap bar = theme->image(kwdTheme::HorBar);
    if (!bar.isNull())
        theme->drawTiled(&painter, QRect(0, h - footerHeight - bar.height(), w, bar.height()),
                         kwdTheme::HorBar);

    QFont companyFont = sansFont(9);
    const QString company = tr("Company");
    if (!company.isEmpty()) {
        const int perChar = (w * 3 / 4) / int(company.size());
        if (perChar < QFontMetrics(companyFont).lineSpacing() && perChar > 0)
            companyFont.setPixelSize(perChar);
    }
    painter.setFont(companyFont);
    painter.setPen(QColor(101, 101, 101));
    painter.drawText(QRect(QPoint(0, h - footerHeight), QPoint(w - 1, h - 1)), Qt::AlignCenter, company);
}

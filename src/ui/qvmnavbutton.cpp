#include "qvmnavbutton.h"

#include "kwdtheme.h"

#include <QLinearGradient>
#include <QPainter>

qvmNavButton::qvmNavButton(QWidget* parent) : QPushButton(parent)
{
    setStyleSheet(QStringLiteral("padding-top:1em;padding-bottom:1em;"));
}

void qvmNavButton::paintEvent(QPaintEvent*)
{
    const QRect r = rect();
    const int h = r.height();
    const bool pressed = isDown();
    const QColor border(208, 208, 208);
    QPainter painter(this);

    if (navType == 5) {
        painter.fillRect(r, pressed ? QColor(235, 235, 235) : QColor(241, 241, 241));
    } else {
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, pressed ? QColor(246, 246, 246) : QColor(255, 255, 255));
        gradient.setColorAt(1, pressed ? QColor(224, 224, 224) : QColor(233, 233, 233));
        painter.fillRect(r, gradient);
    }

    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -2, -2));

    const QRect square(r.left(), r.top(), h, h);
    const QRect well = square.adjusted(3, 3, -3, -3);
    QLinearGradient wellGradient(well.topLeft(), well.bottomLeft());
    wellGradient.setColorAt(0, QColor(248, 248, 248));
    wellGradient.setColorAt(1, QColor(220, 220, 220));
    painter.fillRect(well, wellGradient);
    painter.drawLine(square.right(), r.top(), square.right(), r.bottom() - 2);

    kwdTheme* theme = kwdTheme::instance();
    const QPixmap icon = theme->image(kwdTheme::NavIcon0 + navType);
    if (!icon.isNull())
        painter.drawPixmap(square.left() + (h - icon.width()) / 2, square.top() + (h - icon.height()) / 2,
                           icon);

    const QPixmap arrow = theme->image(pressed ? kwdTheme::LeftArrowPressed : kwdTheme::LeftArrow);
    if (!arrow.isNull())
        painter.drawPixmap(r.right() + 1 - 12 - arrow.width(), r.top() + (h - arrow.height()) / 2, arrow);

    const int lineSpacing = fontMetrics().lineSpacing();
    const QRect textArea(QPoint(square.right() + 1 + lineSpacing, r.top()), QPoint(r.right(), r.bottom()));
    painter.setFont(font());
    painter.setPen(pressed ? QColor(200, 21, 30) : QColor(68, 68, 68));
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, text());
}

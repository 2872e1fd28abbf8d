#include "kwdshowwait.h"

#include "kwdstore.h"
#include "kwdtheme.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
kwdShowWait* theInstance = nullptr;
}

kwdShowWait::kwdShowWait(QWidget* parent) : QWidget(parent)
{
    theInstance = this;
    text = tr("Downloading,Please wait");
    timer.setInterval(300);
    connect(&timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    // Shown only on request, never along with the page it floats over.
    hide();
}

kwdShowWait::~kwdShowWait()
{
    if (theInstance == this)
        theInstance = nullptr;
}

kwdShowWait* kwdShowWait::instance()
{
    return theInstance;
}

void kwdShowWait::showBeside(QWidget* anchor, const QString& newText)
{
    QWidget* host = parentWidget();
    const int y = host ? host->mapFromGlobal(anchor->mapToGlobal(QPoint(0, 0))).y() : anchor->y();
    showAt(y, newText);
}

void kwdShowWait::showAt(int y, const QString& newText)
{
    if (!newText.isEmpty())
        text = newText;
    timer.start(300);

    const int h = kwdStore::instance()->pointsToPixels(30);
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(11);
    const int t =
        QFontMetrics(font).boundingRect(QRect(0, 0, 999, 999), Qt::AlignLeft | Qt::AlignTop, text).width();
    int w = t + h / 2 + 30;
    // Without a parent there is no width to stay within.
    if (parentWidget())
        w = qMin(w, 3 * parentWidget()->width() / 4);
    const int x = parentWidget() ? (parentWidget()->width() - w) / 2 : 0;
    setGeometry(x, y, w, h);
    show();
    raise();
}

void kwdShowWait::stop()
{
    timer.stop();
    hide();
}

void kwdShowWait::hideEvent(QHideEvent* event)
{
    // Hidden by any route, the spinner has nothing to animate.
    timer.stop();
    QWidget::hideEvent(event);
}

void kwdShowWait::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setColorAt(0, QColor(224, 224, 224, 207));
    gradient.setColorAt(1, QColor(255, 255, 255, 207));
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(160, 160, 164), 2));
    painter.drawRoundedRect(QRectF(0, 0, w - 5, h - 5), 5.0, 5.0);

    const int s = h / 2;
    const QPixmap strip = kwdTheme::instance()->image(kwdTheme::Scroll);
    if (!strip.isNull()) {
        if (++frame >= 6)
            frame = 0;
        const int frameWidth = strip.width() / 6;
        painter.drawPixmap(QRect(6, (h - s) / 2, s, s), strip,
                           QRect(frame * frameWidth, 0, frameWidth, strip.height()));
    }

    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(s + 12, 0, w - s - 18, h), Qt::AlignCenter, text);
}

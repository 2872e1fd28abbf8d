#include "qvmguideheader.h"

#include "kwdguidechart.h"
#include "kwdtheme.h"
#include "qvmformat.h"
#include "qvmguiderequest.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

const QColor kOrange(251, 78, 1);
const QColor kGrey(94, 94, 94);
const QColor kDash(199, 199, 199);
const QColor kLabel(81, 81, 81);

} // namespace

qvmGuideHeader::qvmGuideHeader()
    : large(QStringLiteral("sans-serif"), 13, QFont::Bold), middle(QStringLiteral("sans-serif")),
      small(QStringLiteral("sans-serif"))
{
    const int ls = QFontMetrics(large).lineSpacing();
    middle.setPixelSize(qMax(1, int(0.6 * ls)));
    small.setPixelSize(qMax(1, int(0.5 * ls)));
}

int qvmGuideHeader::bandHeight() const
{
    const int s = QFontMetrics(small).lineSpacing();
    const int mid = QFontMetrics(middle).lineSpacing();
    const int def = QFontMetrics(QFont()).lineSpacing();
    const int u = (2 * s) / 3;
    return 12 + u + s + u / 4 + mid + u / 2 + s + u / 4 + mid + u / 2 + def + 2 + s + u;
}

QRect qvmGuideHeader::paint(QPainter* p, const QRect& band, const QList<qvmGuideRequest*>& trail,
                            int guideType, double speed, bool tracking) const
{
    p->setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient gradient(band.topLeft(), band.bottomLeft());
    gradient.setColorAt(0, QColor(255, 255, 255));
    gradient.setColorAt(1, QColor(234, 235, 237));
    p->fillRect(band, gradient);
    const QRect content = band.adjusted(6, 6, -6, -6);
    const int u = (2 * QFontMetrics(small).lineSpacing()) / 3;
    int y = content.top() + u / 2;

    // Caption and unit.
    const QString unit = guideType == 2 ? QCoreApplication::translate("qvmWidgetGPSGuide", "yuan/yue/m2")
                                        : QCoreApplication::translate("qvmWidgetGPSGuide", "yuan/m2");
    p->setFont(middle);
    QFontMetrics fm(middle);
    p->setPen(kOrange);
    const QString caption = QCoreApplication::translate("qvmWidgetGPSGuide", "Supply");
    p->drawText(QRect(content.left(), y, content.width(), fm.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                caption);
    p->setPen(kGrey);
    p->drawText(
        QRect(content.left() + fm.horizontalAdvance(caption) + 2, y, content.width(), fm.lineSpacing()),
        Qt::AlignLeft | Qt::AlignTop, QStringLiteral("(") + unit + QStringLiteral(")"));
    y += fm.lineSpacing() + u / 4;

    // Value and speed.
    const qvmGuideRequest* newest = trail.isEmpty() ? nullptr : trail.first();
    QString value = QStringLiteral("--");
    if (newest)
        value = newest->supply < 0 ? QCoreApplication::translate("qvmWidgetGPSGuide", "Downloading")
                                   : qvmFormat::formatNumber(newest->supply, guideType == 2 ? 2 : 0);
    p->setFont(large);
    QFontMetrics lm(large);
    p->setPen(kOrange);
    const QRect valueRect(content.left(), y, content.width(), lm.lineSpacing());
    p->drawText(valueRect, Qt::AlignLeft | Qt::AlignTop, value);
    y += lm.lineSpacing() + u / 4;
    p->setFont(middle);
    p->setPen(QColor(0, 2, 1));
    const QString speedCaption = QCoreApplication::translate("qvmWidgetGPSGuide", "Speed:");
    p->drawText(QRect(content.left(), y, content.width(), fm.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                speedCaption);
    p->setPen(kOrange);
    const QString speedText =
        speed > 0.01 ? QString::number(speed, 'f', 1) + QStringLiteral("km/h") : QStringLiteral("--");
    p->drawText(
        QRect(content.left() + fm.horizontalAdvance(speedCaption) + 2, y, content.width(), fm.lineSpacing()),
        Qt::AlignLeft | Qt::AlignTop, speedText);
    const QRect tapRect(valueRect.topLeft(), QPoint(content.right(), y + fm.lineSpacing()));
    y += fm.lineSpacing() + u / 2;

    // Chart.
    QFont chartFont(QStringLiteral("sans-serif"));
    chartFont.setPointSize(qMax(1, chartFont.pointSize() - 1));
    p->setFont(chartFont);
    QFontMetrics cm(chartFont);
    const int labelHeight = cm.lineSpacing();
    const QRectF chart(content.left() + 6, y, content.width() - 6,
                       qMax(1, content.bottom() - labelHeight - y));
    const kwdGuideChart geometry(trail, guideType, chart, cm.lineSpacing());
    for (int i = 0; i <= geometry.bands; ++i) {
        const double ly = chart.bottom() - i * geometry.bandHeight;
        if (i % 2 == 1)
            p->fillRect(QRectF(chart.left(), ly, chart.width(), geometry.bandHeight),
                        QBrush(QColor(224, 224, 224), Qt::Dense7Pattern));
        if (i > 0 && i < geometry.bands) {
            p->setPen(Qt::black);
            p->drawLine(QPointF(chart.left() - 3, ly), QPointF(chart.left(), ly));
            p->setPen(QPen(kDash, 1, Qt::DashLine));
            p->drawLine(QPointF(chart.left(), ly), QPointF(chart.right(), ly));
        }
    }
    for (int c = 0; c <= 5; ++c) {
        const double x = chart.right() - c * geometry.columnStep;
        p->setPen(QPen(kDash, 1, Qt::DashLine));
        p->drawLine(QPointF(x, chart.top()), QPointF(x, chart.bottom()));
        if (c < geometry.column)
            continue;
        p->setPen(kLabel);
        const QString label =
            c == geometry.column
                ? QCoreApplication::translate("qvmWidgetGPSGuide", "Cur Point")
                : QCoreApplication::translate("qvmWidgetGPSGuide", "%1KM").arg(c - geometry.column);
        p->drawText(QRectF(x - 100, chart.bottom() + 1, 200, labelHeight), Qt::AlignHCenter | Qt::AlignTop,
                    label);
    }
    if (trail.isEmpty() && !tracking) {
        p->fillRect(chart, QColor(199, 199, 199, 200));
        p->setFont(large);
        p->setPen(Qt::black);
        p->drawText(chart, Qt::AlignCenter, QCoreApplication::translate("qvmWidgetGPSGuide", "Locating..."));
        return tapRect;
    }
    p->setPen(QPen(kOrange, 2));
    for (int i = 1; i < geometry.points.size(); ++i)
        p->drawLine(geometry.points.at(i - 1), geometry.points.at(i));
    const QPixmap image = kwdTheme::instance()->image(kwdTheme::SupplyDot);
    for (const QPointF& pt : geometry.points)
        if (!image.isNull())
            p->drawPixmap(QPointF(pt.x() - image.width() / 2.0, pt.y() - image.height() / 2.0), image);
    return tapRect;
}

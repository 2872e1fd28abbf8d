#include "qvmformat.h"

#include "international.h"

#include <QDateTime>

#include <cmath>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

} // namespace

QString qvmFormat::formatNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0;
    const QString fixed = QStringLiteral("%1").arg(value, 12, 'f', qMax(0, decimals)).trimmed();
    const int dot = fixed.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? fixed : fixed.left(dot);
    const QString fraction = dot < 0 ? QString() : fixed.mid(dot);
    QString sign;
    if (whole.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        whole.remove(0, 1);
    }
    QString grouped;
    grouped.reserve(whole.size() + whole.size() / 3);
    for (int i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped.append(QLatin1Char(','));
        grouped.append(whole.at(i));
    }
    return sign + grouped + fraction;
}

double qvmFormat::toNumber(const QString& text)
{
    // The service groups some figures ("28,000"); the grouping is not part of the value.
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double v = plain.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString qvmFormat::formatRise(double value)
{
    if (!std::isfinite(value) || std::fabs(value) < 0.1)
        return QStringLiteral("0.0%");
    const QString text = QStringLiteral("%1%").arg(value, 6, 'f', 1).trimmed();
    return value > 0 ? QLatin1Char('+') + text : text;
}

QColor qvmFormat::riseColor(const QString& riseText)
{
    if (riseText.startsWith(QLatin1Char('-')))
        return QColor(28, 155, 4);
    if (riseText.startsWith(QLatin1Char('+')))
        return QColor(210, 10, 23);
    return QColor(119, 119, 119);
}

QString qvmFormat::ageText(const QString& publishTime, const QDateTime& now)
{
    if (publishTime.isEmpty())
        return QString();
    const QDateTime when = QDateTime::fromString(publishTime, kTimeFormat);
    // An unreadable time would otherwise read as "0 seconds ago"; show what the service sent.
    if (!when.isValid())
        return publishTime;
    const qint64 s = when.secsTo(now);
    if (s < 0 || s > 604799)
        return when.toString(kTimeFormat);
    const international* t = international::instance();
    const QString before = t->label(22);
    if (s < 60)
        return QString::number(s) + t->label(21) + before;
    if (s < 3600)
        return QString::number(s / 60) + t->label(23) + before;
    if (s < 86400)
        return QString::number(s / 3600) + t->label(24) + before;
    return QString::number(s / 86400) + t->label(25) + before;
}

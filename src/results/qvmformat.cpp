#include "qvmformat.h"

#include "international.h"

#include <QDateTime>

#include <cmath>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// "yyyy-MM-dd hh:mm:ss" read digit by digit: every row of a page parses one, and the general
// format parser costs more than the rest of the row's read.
QDateTime parseTime(const QString& text)
{
    if (text.size() != 19)
        return QDateTime::fromString(text, kTimeFormat);
    auto number = [&](int from, int count, bool* ok) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                *ok = false;
                return 0;
            }
            v = v * 10 + (c.unicode() - '0');
        }
        return v;
    };
    bool ok = text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-') &&
              text.at(10) == QLatin1Char(' ') && text.at(13) == QLatin1Char(':') &&
              text.at(16) == QLatin1Char(':');
    const QDate date(number(0, 4, &ok), number(5, 2, &ok), number(8, 2, &ok));
    const QTime time(number(11, 2, &ok), number(14, 2, &ok), number(17, 2, &ok));
    if (!ok || !date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

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

bool qvmFormat::hasNumber(const QString& text)
{
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double v = plain.toDouble(&ok);
    return ok && std::isfinite(v);
}

QString qvmFormat::missingValue()
{
    return QStringLiteral("--");
}

QString qvmFormat::numberText(const QString& field, int decimals)
{
    return hasNumber(field) ? formatNumber(toNumber(field), decimals) : missingValue();
}

QString qvmFormat::riseText(const QString& field)
{
    return hasNumber(field) ? formatRise(toNumber(field)) : missingValue();
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
    const QDateTime when = parseTime(publishTime);
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

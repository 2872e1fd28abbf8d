#include "kwdnmeasentence.h"

#include <QDateTime>
#include <QString>

#include <cmath>

namespace {

// ddmm.mmmm (latitude) or dddmm.mmmm (longitude) and the hemisphere letter.
QString angle(double value, int degreeDigits, char positive, char negative)
{
    const double a = std::fabs(value);
    int degrees = int(a);
    double minutes = (a - degrees) * 60.0;
    if (minutes >= 59.99995) {
        minutes = 0;
        ++degrees;
    }
    return QStringLiteral("%1%2,%3")
        .arg(degrees, degreeDigits, 10, QLatin1Char('0'))
        .arg(minutes, 7, 'f', 4, QLatin1Char('0'))
        .arg(QLatin1Char(value < 0 ? negative : positive));
}

QString timeOf(const QDateTime& utc)
{
    return utc.toUTC().toString(QStringLiteral("HHmmss.zzz")).left(9);
}

} // namespace

QByteArray kwdNmeaSentence::withChecksum(const QByteArray& body)
{
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray kwdNmeaSentence::rmc(const QDateTime& utc, double lat, double lon, double speed, double course)
{
    const double knots = speed * 3600.0 / 1852.0;
    const QString body = QStringLiteral("GPRMC,%1,A,%2,%3,%4,%5,%6,,,A")
                             .arg(timeOf(utc), angle(lat, 2, 'N', 'S'), angle(lon, 3, 'E', 'W'))
                             .arg(knots, 0, 'f', 1)
                             .arg(course, 0, 'f', 1)
                             .arg(utc.toUTC().toString(QStringLiteral("ddMMyy")));
    return withChecksum(body.toLatin1());
}

QByteArray kwdNmeaSentence::gga(const QDateTime& utc, double lat, double lon, double altitude)
{
    const QString body = QStringLiteral("GPGGA,%1,%2,%3,1,08,0.9,%4,M,-8.0,M,,")
                             .arg(timeOf(utc), angle(lat, 2, 'N', 'S'), angle(lon, 3, 'E', 'W'))
                             .arg(altitude, 0, 'f', 1);
    return withChecksum(body.toLatin1());
}

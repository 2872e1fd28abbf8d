#include "kwdtestdata.h"

#include <QBuffer>
#include <QImage>

QByteArray kwdImageBytes(const char* format, QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QGeoCoordinate kwdNorthOf(const QGeoCoordinate& from, double metres)
{
    QGeoCoordinate c = from.atDistanceAndAzimuth(metres, 0);
    while (from.distanceTo(c) < metres)
        c.setLatitude(c.latitude() + 1e-12);
    return c;
}

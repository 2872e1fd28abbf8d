#include "kwdnmeadrive.h"

#include <QGeoCoordinate>

#include <cmath>

kwdNmeaDrive::kwdNmeaDrive()
{
    points = {{39.9140, 116.4180},
              {39.9010, 116.4170},
              {39.8990, 116.3980},
              {39.9080, 116.4010},
              {39.9140, 116.4110}};
    points.append(points.first());
    legStart.append(0);
    for (int i = 1; i < points.size(); ++i) {
        const QGeoCoordinate a(points[i - 1].x(), points[i - 1].y());
        const QGeoCoordinate b(points[i].x(), points[i].y());
        total += a.distanceTo(b);
        legStart.append(total);
    }
}

kwdNmeaDrive::Fix kwdNmeaDrive::at(double seconds) const
{
    const double along = std::fmod(qMax(0.0, seconds) * speed, total);
    int leg = 1;
    while (leg < legStart.size() - 1 && legStart[leg] <= along)
        ++leg;
    const QGeoCoordinate a(points[leg - 1].x(), points[leg - 1].y());
    const QGeoCoordinate b(points[leg].x(), points[leg].y());
    const double length = legStart[leg] - legStart[leg - 1];
    const double f = length > 0 ? (along - legStart[leg - 1]) / length : 0;
    Fix fix;
    fix.latitude = a.latitude() + (b.latitude() - a.latitude()) * f;
    fix.longitude = a.longitude() + (b.longitude() - a.longitude()) * f;
    fix.speed = speed;
    fix.course = a.azimuthTo(b);
    return fix;
}

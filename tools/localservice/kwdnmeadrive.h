#pragma once

#include <QList>
#include <QPointF>

// A simulated drive around Beijing's Dongcheng district (Dongdan, Chongwenmen, Qianmen, Tiananmen
// East, Wangfujing and back) at city speed, looping: where the car is after a given time, how fast and which way.
class kwdNmeaDrive
{
public:
    struct Fix
    {
        double latitude = 0;
        double longitude = 0;
        double speed = 0;  // metres per second
        double course = 0; // degrees from north
    };

    kwdNmeaDrive();

    Fix at(double seconds) const;
    double loopMetres() const { return total; }

    // Metres per second along the route.
    double speed = 11.0;

private:
    QList<QPointF> points;  // x latitude, y longitude
    QList<double> legStart; // metres from the start to each point
    double total = 0;
};

#pragma once

#include <QObject>

// The position source: the last known position of the device. One instance at a time, reached
// through instance(), which is null while none exists.
class kwdLocation : public QObject
{
    Q_OBJECT
public:
    explicit kwdLocation(QObject* parent = nullptr);
    ~kwdLocation() override;

    static kwdLocation* instance();

    // Longitude first; false (and nothing written) while there is no position.
    bool position(double* lon, double* lat) const;

    double latitude = 0.0;
    double longitude = 0.0;
    bool hasPosition = false;

private:
    static kwdLocation* self;
};

#include "kwdlocation.h"

kwdLocation* kwdLocation::self = nullptr;

kwdLocation::kwdLocation(QObject* parent) : QObject(parent)
{
    self = this;
}

kwdLocation::~kwdLocation()
{
    if (self == this)
        self = nullptr;
}

kwdLocation* kwdLocation::instance()
{
    return self;
}

bool kwdLocation::position(double* lon, double* lat) const
{
    if (!hasPosition)
        return false;
    if (lon)
        *lon = longitude;
    if (lat)
        *lat = latitude;
    return true;
}

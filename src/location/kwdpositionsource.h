#pragma once

#include <QString>

class QGeoPositionInfoSource;
class QObject;

// Makes the position sources of the program from the deployment's choice of receiver:
//   "platform" (default)  the desktop's location service (geoclue), as this program's desktop id;
//   "gpsd://host[:port]"  a gpsd daemon, through our watch adapter;
//   "serial:/dev/ttyUSB0@9600"  a serial receiver at that rate, opened by us;
//   anything else         Qt's NMEA source: "socket://host:port", "serial:/dev/ttyUSB0" (4800
//                         baud) or a log file to replay (path or file:/// address).
// The choice comes from $KWDPERSONAL_POSITION, else key "source" of group "location" in the
// deployment configuration file.
class kwdPositionSource
{
public:
    static constexpr const char* DesktopId = "example.kwdpersonal.client";

    // The receiver to use: the configured choice, or "platform" when that choice cannot be used.
    static QString configured();
    // Why a choice cannot be used (empty when it can): a malformed address, a missing log file.
    static QString problem(const QString& choice);
    // One line for a configured choice that cannot be used, naming where it came from; empty if none.
    static QString checkConfigured();
    // Null when the chosen receiver cannot be opened.
    static QGeoPositionInfoSource* create(const QString& choice, QObject* parent);
    static QGeoPositionInfoSource* createConfigured(QObject* parent);
};

// NMEA sentences as a receiver, a log or a socket delivers them to Qt's reader, and the fixes read
// from them as the position source takes them. Each fix, written again by our own sentence writer
// (the simulated drive's), reads back as the same place, time and ground speed.
#include "kwdfuzzharness.h"
#include "kwdlocation.h"
#include "kwdnmeasentence.h"

#include <QBuffer>
#include <QByteArray>
#include <QGeoCoordinate>
#include <QList>
#include <QNmeaPositionInfoSource>

#include <cmath>

namespace {

// Starts `location` on an NMEA receiver that reads `bytes` as they arrive; returns its fixes.
QList<QGeoPositionInfo> fixesOf(const QByteArray& bytes, kwdLocation& location)
{
    QBuffer line;
    line.open(QIODevice::ReadWrite);
    location.sourceFactory = [&line](QObject* parent) {
        auto* source = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::RealTimeMode, parent);
        source->setDevice(&line);
        return source;
    };
    QList<QGeoPositionInfo> fixes;
    if (!location.start())
        return fixes;
    QObject::connect(location.satelliteSource, &QGeoPositionInfoSource::positionUpdated,
                     [&](const QGeoPositionInfo& info) { fixes << info; });
    line.write(bytes);
    line.seek(0);
    emit line.readyRead();
    // The receiver must not outlive the line it reads.
    delete location.satelliteSource;
    location.satelliteSource = nullptr;
    return fixes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdLocation location;
    const QList<QGeoPositionInfo> fixes = fixesOf(kwdFuzzHarness::bytes(data, size), location);
    double lon = 0, lat = 0;
    if (location.position(&lon, &lat))
        kwdFuzzHarness::check(QGeoCoordinate(lat, lon).isValid(), "a position is a place on earth");

    for (const QGeoPositionInfo& fix : fixes) {
        const QGeoCoordinate at = fix.coordinate();
        const QDateTime time = fix.timestamp();
        const double speed = fix.hasAttribute(QGeoPositionInfo::GroundSpeed)
                                 ? fix.attribute(QGeoPositionInfo::GroundSpeed)
                                 : 0.0;
        // What the writer is for: places on earth, times of this century, speeds of vehicles.
        if (!at.isValid() || !time.isValid() || time.date().year() < 2000 || time.date().year() > 2099 ||
            !(speed >= 0 && speed < 1000))
            continue;
        // The next fix's first sentence completes this one.
        const QByteArray again = kwdNmeaSentence::rmc(time, at.latitude(), at.longitude(), speed, 0) +
                                 kwdNmeaSentence::gga(time, at.latitude(), at.longitude(), 0) +
                                 kwdNmeaSentence::rmc(time.addSecs(1), at.latitude(), at.longitude(), 0, 0);
        kwdLocation second;
        const QList<QGeoPositionInfo> back = fixesOf(again, second);
        kwdFuzzHarness::check(!back.isEmpty(), "a written fix reads back");
        if (back.isEmpty())
            continue;
        const QGeoPositionInfo& read = back.first();
        kwdFuzzHarness::check(read.coordinate().distanceTo(at) < 0.5, "a written fix keeps its place");
        kwdFuzzHarness::check(qAbs(read.timestamp().msecsTo(time)) < 10, "a written fix keeps its time");
        kwdFuzzHarness::check(std::fabs(read.attribute(QGeoPositionInfo::GroundSpeed) - speed) < 0.03,
                              "a written fix keeps its ground speed");
    }
    if (qEnvironmentVariableIsSet("KWD_FUZZ_VERBOSE"))
        qInfo("%lld fixes", qlonglong(fixes.size()));
    return 0;
}

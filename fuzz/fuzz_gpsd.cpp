// What a gpsd daemon sends, possibly from another machine: its JSON reports and the NMEA sentences it
// passes on, cut into pieces of any size. Only whole sentences reach the NMEA reader, the same ones
// however the bytes were cut, and the fixes read from them reach the position source without harm.
#include "kwdfuzzharness.h"
#include "kwdgpsddevice.h"
#include "kwdgpsdsource.h"
#include "kwdlocation.h"

#include <QByteArray>
#include <QGeoCoordinate>
#include <QList>

namespace {

// Nothing listens there: the device must never get real bytes from a socket while fuzzed.
constexpr quint16 NoDaemon = 1;

// The first byte sets the size of the pieces.
QList<QByteArray> pieces(const QByteArray& input)
{
    QList<QByteArray> list;
    if (input.isEmpty())
        return list;
    const int size = 1 + quint8(input.at(0)) % 61;
    for (int at = 1; at < input.size(); at += size)
        list << input.mid(at, size);
    return list;
}

QByteArray read(const QList<QByteArray>& parts)
{
    kwdGpsdDevice device(QStringLiteral("127.0.0.1"), NoDaemon);
    device.open(QIODevice::ReadOnly);
    for (const QByteArray& part : parts)
        device.take(part);
    return device.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QByteArray input = kwdFuzzHarness::bytes(data, size);
    const QList<QByteArray> parts = pieces(input);
    const QByteArray sentences = read(parts);
    // A line without its end that outgrows the device's limit is dropped where the pieces happen to
    // cut it; below that the cut must not matter.
    if (input.size() < 64 * 1024)
        kwdFuzzHarness::check(read({input.mid(1)}) == sentences, "the sentences do not depend on the pieces");
    for (const QByteArray& line : sentences.split('\n')) {
        if (line.isEmpty())
            continue;
        kwdFuzzHarness::check(line.startsWith('$') && line.endsWith('\r'), "only whole sentences are read");
        kwdFuzzHarness::check(input.contains(line.chopped(1)), "a sentence is one the daemon sent");
    }

    // The same pieces through the receiver as the program runs it (no request holder: no lookups).
    kwdLocation location;
    location.sourceFactory = [](QObject* parent) {
        return new kwdGpsdSource(QStringLiteral("127.0.0.1"), NoDaemon, parent);
    };
    if (!location.start())
        return 0;
    auto* source = static_cast<kwdGpsdSource*>(location.satelliteSource);
    for (const QByteArray& part : parts)
        source->device()->take(part);
    double lon = 0, lat = 0;
    if (location.position(&lon, &lat))
        kwdFuzzHarness::check(QGeoCoordinate(lat, lon).isValid(), "a position is a place on earth");
    return 0;
}

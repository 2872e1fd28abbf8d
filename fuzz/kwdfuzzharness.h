#pragma once

#include <cstddef>
#include <cstdint>

class QByteArray;
class QString;
class qvmListItem;

// What every fuzz target shares: the process set-up (offscreen application, a private HOME and
// data directory, silenced warnings) and the checks run on whatever a parser produced. Owns the
// application object and the temporary directory for the life of the process.
class kwdFuzzHarness
{
public:
    // Once per process; every target calls it first. Later calls do nothing.
    static void init();
    static QByteArray bytes(const uint8_t* data, size_t size);

    // A new row of a category as the detail pages read it (1 to 4 listings, 5 district, 6 street).
    static qvmListItem* newRow(int category);
    // Lays the row out and paints it in every mode and at two widths, asks it for its links and
    // phones, and checks that its stream form reads back to the same bytes.
    static void exerciseRow(qvmListItem* row, int category);
    // A detail document of a category read into a row, as the detail page does.
    static void detail(const QByteArray& body, int category);
    // Writes the bytes as the store's data file `name`; the target then calls the loader.
    static void placeDataFile(const QByteArray& body, const QString& name);

    // Aborts (so that the fuzzer keeps the input) when a property that must hold does not.
    static void check(bool condition, const char* what);
};

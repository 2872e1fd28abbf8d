// The data file "favorite": the kept rows are drawn as the favourites pages draw them, and save to
// a file that reads back whole.
#include "kwdfavorites.h"
#include "kwdfuzzharness.h"
#include "qvmlistitem.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("favorite"));
    kwdFavorites* favorites = kwdFavorites::instance();
    favorites->load();
    int kept = 0;
    for (auto it = favorites->rows.cbegin(); it != favorites->rows.cend(); ++it) {
        int drawn = 0;
        for (qvmListItem* row : it.value()) {
            kwdFuzzHarness::check(favorites->contains(row), "a loaded favourite is one");
            // Drawing is the same for every row of a kind: the first few are enough, and fast.
            if (drawn++ < 3)
                kwdFuzzHarness::exerciseRow(row, it.key());
            ++kept;
        }
    }
    kwdFuzzHarness::check(favorites->save(), "the favourites save");
    int again = 0;
    kwdFuzzHarness::check(favorites->load(), "the saved favourites read back");
    for (const auto& list : std::as_const(favorites->rows))
        again += list.size();
    kwdFuzzHarness::check(again == kept, "no favourite is lost on the way");
    return 0;
}

// The data file "favorite": the kept rows are drawn as the favourites pages draw them, and save to
// a file that reads back whole.
#include "kwdfuzzharness.h"
#include "kwdstore.h"
#include "qvmlistitem.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    kwdFuzzHarness::placeDataFile(kwdFuzzHarness::bytes(data, size), QStringLiteral("favorite"));
    kwdStore* store = kwdStore::instance();
    store->loadFavorites();
    int kept = 0;
    for (auto it = store->favorites.cbegin(); it != store->favorites.cend(); ++it) {
        int drawn = 0;
        for (qvmListItem* row : it.value()) {
            kwdFuzzHarness::check(store->isFavorite(row), "a loaded favourite is one");
            // Drawing is the same for every row of a kind: the first few are enough, and fast.
            if (drawn++ < 3)
                kwdFuzzHarness::exerciseRow(row, it.key());
            ++kept;
        }
    }
    kwdFuzzHarness::check(store->saveFavorites(), "the favourites save");
    int again = 0;
    kwdFuzzHarness::check(store->loadFavorites(), "the saved favourites read back");
    for (const auto& list : std::as_const(store->favorites))
        again += list.size();
    kwdFuzzHarness::check(again == kept, "no favourite is lost on the way");
    return 0;
}

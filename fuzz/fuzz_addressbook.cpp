// The address book file (vCard cards, possibly written by another program): whatever it holds is read
// without harm, and every card read encodes to a card that reads back the same.
#include "kwdaddressbook.h"
#include "kwdfuzzharness.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QList<kwdContactCard> cards = kwdAddressBook::decode(kwdFuzzHarness::bytes(data, size));
    for (const kwdContactCard& card : cards) {
        const QList<kwdContactCard> back = kwdAddressBook::decode(kwdAddressBook::encode(card));
        kwdFuzzHarness::check(back.size() == 1, "an encoded card reads back as one card");
        if (back.size() == 1)
            kwdFuzzHarness::check(back.first().phone == card.phone &&
                                      back.first().displayName() == card.displayName(),
                                  "an encoded card keeps its name and number");
    }
    return 0;
}

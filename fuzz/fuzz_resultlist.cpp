// A page of the result list for every category with rows: each record read into a row, laid out
// and drawn as the list page does.
#include "kwdfuzzharness.h"
#include "kwdresultdocument.h"
#include "qvmlistitem.h"

#include <QByteArray>
#include <QDomNodeList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kwdFuzzHarness::init();
    const QByteArray body = kwdFuzzHarness::bytes(data, size);
    for (int category = 1; category <= 4; ++category) {
        kwdResultDocument doc;
        if (!doc.read(body, category))
            continue;
        const QDomNodeList records = doc.records();
        for (int i = 0; i < records.size(); ++i) {
            qvmListItem* row = qvmListItem::createForKind(category);
            if (row->read(records.at(i).toElement()))
                kwdFuzzHarness::exerciseRow(row, category);
            delete row;
        }
    }
    return 0;
}

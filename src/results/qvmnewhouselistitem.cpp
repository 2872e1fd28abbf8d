#include "qvmnewhouselistitem.h"

#include "international.h"
#include "kwdfinder.h"
#include "kwdstore.h"

namespace {
// Label-table entries of the page title.
constexpr int kSaleTitle = 58;
constexpr int kLeaseTitle = 59;
} // namespace

qvmNewHouseListItem::qvmNewHouseListItem(qvmResultView* owner) : qvmResultListItem(owner) {}

QString qvmNewHouseListItem::title() const
{
    int entry = kLeaseTitle;
    if (category == 2) {
        entry = kSaleTitle;
    } else if (category != 3) {
        const kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        entry = push && push->category == 2 ? kSaleTitle : kLeaseTitle;
    }
    return international::instance()->label(entry);
}

int qvmNewHouseListItem::kind() const
{
    return KindPush;
}

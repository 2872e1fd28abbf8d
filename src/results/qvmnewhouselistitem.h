#pragma once

#include "qvmresultlistitem.h"

// The page of new listings found by the background push: a list of rows handed in by the main
// window (not owned), titled after the kind of listing, without paging.
class qvmNewHouseListItem : public qvmResultListItem
{
public:
    explicit qvmNewHouseListItem(qvmResultView* view);

    QString title() const override;
    int kind() const override;
};

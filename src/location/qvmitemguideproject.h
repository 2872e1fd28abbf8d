#pragma once

#include "qvmprojectitem.h"

// A compound near the price guide's request point: a housing-area row whose list row shows either
// the sale price and listing count (guide type 1) or the rent and lease count (type 2).
class qvmItemGuideProject : public qvmProjectItem
{
public:
    explicit qvmItemGuideProject(int guideType);

    int type() const override;
    qvmListItem* blankCopy() const override;
    void paintRow(QPainter* painter, const QRect& rect) override;

    int guideType = 1;
};

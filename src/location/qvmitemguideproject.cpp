#include "qvmitemguideproject.h"

#include "international.h"
#include "qvmformat.h"

#include <QPainter>

qvmItemGuideProject::qvmItemGuideProject(int type) : guideType(type) {}

int qvmItemGuideProject::type() const
{
    return TypeGuideProject;
}

qvmListItem* qvmItemGuideProject::blankCopy() const
{
    return new qvmItemGuideProject(guideType);
}

void qvmItemGuideProject::paintRow(QPainter* painter, const QRect& r)
{
    const int y3 = paintNameAndPlace(painter, r);
    const int m = margin();
    const int right = r.right() - m;
    const bool lease = guideType == 2;
    const double value = qvmFormat::toNumber(lease ? leasePrice : price);
    const int end = paintPriceCell(painter, r.left() + m, right, y3, lease ? 46 : 45, value, lease ? 2 : 0,
                                   lease ? 38 : 8);
    const int count = lease ? leaseSum : saleSum;
    if (count <= 0 || !labels)
        return;
    const QFontMetrics fm = painter->fontMetrics();
    const int x = end + m;
    painter->setPen(QColor(103, 103, 103));
    painter->drawText(QRect(x, y3, qMax(1, right - x), fm.lineSpacing()), Qt::AlignLeft | Qt::AlignTop,
                      labels->label(57).arg(count));
}

#pragma once

#include <QGraphicsItem>
#include <QRectF>

// The drag indicator of the result view's scene: a translucent black bar whose length follows the
// share of the content that is visible.
class kwdScrollBar : public QGraphicsItem
{
public:
    explicit kwdScrollBar(QGraphicsItem* parent = nullptr);

    // Three points at the given DPI, kept between 3 and 10 pixels so it stays visible and slim.
    static int barWidth(int dpi);

    void setLength(int h);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    QRectF rect;
};

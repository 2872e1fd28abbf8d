#pragma once

#include <QGraphicsItem>
#include <QSize>
#include <QString>

#include <functional>

class QGraphicsView;

// The message box drawn in the result view's scene: the skin's box picture with a text, and while
// waiting a spinner frame before it. Its size follows the view it belongs to.
class kwdMessageItem : public QGraphicsItem
{
public:
    explicit kwdMessageItem(QGraphicsView* view, QGraphicsItem* parent = nullptr);

    // The box size for a view of that width: 80 % of it, or the skin picture's width when smaller.
    static QSize boxSize(int viewWidth);
    // Brings the cached size in line with the view (announces the geometry change when it differs).
    void updateSize();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    QGraphicsView* view = nullptr;
    int frame = 0;
    bool animated = false;
    QString text;
    // Set while the box offers a retry: a tap on the box calls it, and the box says so in `hint`.
    std::function<void()> onTap;
    QString hint;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    QSize size;
};

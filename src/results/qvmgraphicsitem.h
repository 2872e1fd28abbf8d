#pragma once

#include <QGraphicsItem>
#include <QPointF>
#include <QString>

// One page of the result view: a graphics item that fills the view's width, answers the replies
// of the requests it started and turns taps into actions. Owns only its own tap state.
class qvmGraphicsItem : public QGraphicsItem
{
public:
    enum Kind
    {
        KindPlain = 0x10001,
        KindList = 0x10002,
        KindDetail = 0x10003,
        KindPush = 0x10004,
    };

    explicit qvmGraphicsItem(QGraphicsItem* parent = nullptr);
    ~qvmGraphicsItem() override;

    // Whether the page keeps its gestures for itself; no page of the result view does.
    virtual bool holdsGestures() const;
    virtual void onResponse(int id, int err) = 0;
    virtual void relayout();
    virtual void activate(bool again);
    virtual void clicked(const QPointF& point);
    virtual QString title() const;
    virtual int kind() const;
    // A picture download that another page started has finished; pages waiting for the same
    // download (they found it pending) take it from here; true when a row took it. The base waits
    // for nothing.
    virtual bool pictureReady(int id, const QString& path);
    // Back closes what the page shows over itself (an enlarged picture) before leaving the page;
    // true when it did. The base shows nothing over itself.
    virtual bool closeInner();
    // Asks again for what failed (the user tapped the failure message); true when a request went
    // out. The base has nothing to ask for.
    virtual bool retry();

    int savedScroll = -1;
    bool pressed = false;
    QPointF pressPos;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
};

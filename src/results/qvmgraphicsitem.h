#pragma once

#include <QAccessible>
#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>
#include <QString>

// One thing of a page that the keyboard and a screen reader reach (a row, a field, a link), in the
// page's reading order; made on demand, so a long list costs nothing until somebody asks.
struct qvmPageEntry
{
    enum Role
    {
        Row,
        MoreRow,
        Field,
        Text,
        Link,
        Button,
        Picture
    };
    int role = Row;
    QString name;
    QString description;
    // In the page's coordinates.
    QRectF rect;
    // Return opens it; the keyboard's focus stops only at these.
    bool actionable = false;
};

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

    // The entries of the page, in reading order; the base has none.
    virtual int entryCount() const;
    virtual qvmPageEntry entry(int index) const;
    // The cheap parts of entry(), for walking a long page without making its texts.
    virtual QRectF entryRect(int index) const;
    virtual bool entryActionable(int index) const;
    // Does what a tap on the entry does; false when nothing happened.
    virtual bool activateEntry(int index);
    // Left and Right inside the page (the next or previous enlarged picture); false when unused.
    virtual bool step(int delta);
    // What a screen reader says of the whole page ("二手房，共 20 套"); the title unless a page knows more.
    virtual QString summary() const;
    // What a screen reader takes the page for: a list, a document, or (the base) a plain pane.
    virtual QAccessible::Role accessibleRole() const;

    // The entry the keyboard's focus is on, -1 before the keyboard moved it.
    int focusEntry = -1;
    int savedScroll = -1;
    bool pressed = false;
    QPointF pressPos;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
};

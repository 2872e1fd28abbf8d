#pragma once

#include "qvmgraphicsitem.h"

#include <QList>

class qvmListItem;
struct qvmLink;
class qvmResultView;

// The detail page of one listing (or district, street, housing area): fetches the full record
// once, lets the row paint its detail body, downloads the pictures the body shows one after the
// other, and turns taps on the body's links into new pages. The row is borrowed (usually from the
// list page below); the page owns only its request state.
class qvmResultDetailItem : public qvmGraphicsItem
{
public:
    qvmResultDetailItem(qvmResultView* view, int category, qvmListItem* row);
    ~qvmResultDetailItem() override;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    bool retry() override;
    void onResponse(int id, int err) override;
    void relayout() override;
    void activate(bool again) override;
    void clicked(const QPointF& point) override;
    QString title() const override;
    int kind() const override;
    QAccessible::Role accessibleRole() const override;
    bool pictureReady(int id, const QString& path) override;
    // The body's fields, description, links and phone blocks, top to bottom.
    int entryCount() const override;
    qvmPageEntry entry(int index) const override;
    bool activateEntry(int index) override;

    // The detail address of the row: detail endpoint of the city, the row's id and the device id.
    QString detailUrl() const;

    qvmResultView* view = nullptr;
    int category = -1;
    qvmListItem* row = nullptr;
    int detailRequest = -1;
    QList<qvmListItem*> pendingPictures;
    int pictureRequest = 0;

private:
    // Where an entry comes from: a shown field, a link of the body, or a phone block.
    struct Source
    {
        int kind;
        int index;
        int top;
    };
    QList<Source> sources() const;
    // Shows the view's contact panel for one phone block of the body.
    void openContact(const qvmLink& phone);
    // Queues the row's picture and up to two pictures of items its body shows.
    void collectPictures();
    void nextPicture();
    QList<qvmListItem*> pictureHolders() const;

    qreal width = 0;
    qreal height = 0;
};

#pragma once

#include "qvmgraphicsitem.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class qvmListItem;
class qvmResultView;

// One picture of a listing's picture list: both addresses, the small picture once loaded, and the
// cell it is drawn in.
struct qvmPictureEntry
{
    QString smallUrl;
    QString bigUrl;
    QImage small;
    int smallRequest = 0;
    // The small picture could not be downloaded or decoded.
    bool failed = false;
    QRectF cell;
};

// The page of a listing's pictures: a grid of small pictures, one of which can be enlarged and
// closed again. Owns the entries and the enlarged big picture; the row is borrowed.
class qvmGItemImageList : public qvmGraphicsItem
{
public:
    enum
    {
        CellWidth = 120,
        CellHeight = 90
    };

    qvmGItemImageList(qvmResultView* view, qvmListItem* row);
    ~qvmGItemImageList() override;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    bool retry() override;
    void onResponse(int id, int err) override;
    void relayout() override;
    void activate(bool again) override;
    void clicked(const QPointF& point) override;
    QString title() const override;
    bool pictureReady(int id, const QString& path) override;

    // The picture-list address of the row's kind; empty for kinds without pictures.
    QString listUrl() const;
    // Number of grid columns for a view width (at least one).
    static int columns(int viewWidth);
    // The image scaled to fit the box whole, keeping its aspect ratio, centred.
    static QRect fitInto(const QSize& image, const QRect& box);
    bool closeInner() override;
    // The pictures of the grid, or the enlarged one alone.
    int entryCount() const override;
    qvmPageEntry entry(int index) const override;
    bool activateEntry(int index) override;
    // The previous or next picture while one is enlarged.
    bool step(int delta) override;
    void enlarge(int index);
    void closeEnlarged();

    qvmResultView* view = nullptr;
    qvmListItem* row = nullptr;
    QList<qvmPictureEntry> pictures;
    bool enlarged = false;
    int enlargedIndex = -1;
    QImage* bigImage = nullptr;
    int bigRequest = 0;
    bool bigFailed = false;
    QRectF closeRect;
    int listRequest = 0;
    // The row's kind has no picture list: the page shows the row's own picture.
    bool ownPictureOnly = false;

    // The pictures a picture-list document names, in its order; entries without a small picture are
    // left out. Nothing is fetched.
    // `readable` (when given) is false when the body is not a picture list at all.
    static QList<qvmPictureEntry> readList(const QByteArray& body, bool* readable = nullptr);

private:
    // Adds a picture, taking a finished or pending download of its small picture when there is one.
    void addEntry(qvmPictureEntry entry);
    int pictureCount() const;
    static QString failedText();
    // The part of the page the view shows right now, where the enlarged picture is drawn.
    QRectF visibleArea() const;
    QRectF closeArea() const;

    qreal width = 0;
    qreal height = 0;
};

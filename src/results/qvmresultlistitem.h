#pragma once

#include "qvmgraphicsitem.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QVector>

class kwdFinder;
class qvmListItem;
class qvmResultView;

// A page of the result view showing a paged search result: requests the pages of the result
// document, parses them into rows, draws the visible rows and the load-more row, and opens a row's
// detail when it is tapped. Owns its rows (unless they were handed in as fixed rows) and, when told
// so, its search record.
class qvmResultListItem : public qvmGraphicsItem
{
public:
    // Hit-test value of the load-more row.
    enum
    {
        MoreRow = 65534
    };
    enum
    {
        RowsPerPage = 20
    };

    explicit qvmResultListItem(qvmResultView* view);
    ~qvmResultListItem() override;

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
    // The rows, then the load-more row when there is one.
    int entryCount() const override;
    qvmPageEntry entry(int index) const override;
    QRectF entryRect(int index) const override;
    bool entryActionable(int index) const override;
    bool activateEntry(int index) override;
    QString summary() const override;

    void start(int category, const QString& query);
    void fetchMore();
    // Shows rows that belong to someone else; no page is ever requested for them.
    void setRows(const QList<qvmListItem*>& rows, int category);
    // Shows rows that become the list's own (deleted with it); no page is ever requested for them.
    void adoptRows(const QList<qvmListItem*>& rows, int category);
    void setCondition(kwdFinder* record, bool owns);
    // Forgets the rows (deleting them unless fixed) and any list request in flight.
    void dropRows();
    // Queues a row whose picture is to be downloaded after the current reply.
    void queuePicture(qvmListItem* row);

    // Opens row `index`'s detail as a tap on it does, or (MoreRow) asks for the next page.
    void openRow(int index);

    // Row index under a point (item coordinates), MoreRow for the load-more row, -1 for nothing.
    int hitTest(const QPointF& point) const;
    QRectF rowRect(int index) const;
    // The rows whose rectangles meet the given vertical range, as [first, last]; first > last if none.
    QPair<int, int> visibleRange(qreal top, qreal bottom) const;
    // The city whose host serves this list: that of the list's record, else of the current search.
    QString cityCode() const;
    // Record tag of a category in the result document ("ha", "forsale", ...), empty for others.
    static QString recordTag(int category);

    int lastIndex = 0;
    int total = 0;
    int page = 0;
    int category = -1;
    int selected = -1;
    bool distanceMode = false;
    double refLatitude = 0;
    double refLongitude = 0;
    int listRequest = -1;
    QList<qvmListItem*> rows;
    qvmResultView* view = nullptr;
    QString query;
    QString extraQuery;
    QList<qvmListItem*> imageQueue;
    QRectF moreRect;
    kwdFinder* condition = nullptr;
    bool ownsCondition = false;
    QString customTitle;
    bool fixedRows = false;
    // The last page asked for never arrived (or was unreadable).
    bool failed = false;
    // Fixed rows that the list was given to keep: deleted by the list like fetched ones.
    bool ownsFixedRows = false;

protected:
    // Sends the request for `url`; false when it could not be started.
    bool sendListRequest(const QString& url, bool offScreen);
    void handleListReply(int id, int err);
    void handlePictureReply(int id, int err);
    void nextPicture();
    // False when the body is not a result document of this page's category.
    bool parseDocument(const QByteArray& body, int& firstAppended);

private:
    // Top of every row and, last, the total height of the rows: offsets[i] .. offsets[i + 1] is row i.
    QVector<int> offsets;
    qreal width = 0;
    qreal height = 0;
};

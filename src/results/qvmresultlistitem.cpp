#include "qvmresultlistitem.h"

#include "kwdfinder.h"
#include "kwdnetworkerror.h"
#include "kwdresultdocument.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "qvmhttpholder.h"
#include "qvminteritem.h"
#include "qvmleaseitem.h"
#include "qvmlistitem.h"
#include "qvmprojectitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFontMetrics>
#include <QGeoCoordinate>
#include <QGraphicsScene>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

namespace {
// Height of the load-more row in points.
constexpr int kMoreRowPoints = 36;
} // namespace

qvmResultListItem::qvmResultListItem(qvmResultView* owner) : view(owner) {}

qvmResultListItem::~qvmResultListItem()
{
    if (!fixedRows || ownsFixedRows)
        qDeleteAll(rows);
    if (ownsCondition)
        delete condition;
}

QString qvmResultListItem::recordTag(int category)
{
    switch (category) {
    case 1:
        return QStringLiteral("ha");
    case 2:
        return QStringLiteral("forsale");
    case 3:
        return QStringLiteral("lease");
    case 4:
        return QStringLiteral("co");
    case 5:
        return QStringLiteral("district");
    case 6:
        return QStringLiteral("street");
    default:
        return QString();
    }
}

QRectF qvmResultListItem::boundingRect() const
{
    return QRectF(0, 0, width, height);
}

QString qvmResultListItem::title() const
{
    return customTitle.isEmpty() ? kwdStore::categoryTitle(category) : customTitle;
}

int qvmResultListItem::kind() const
{
    return KindList;
}

QAccessible::Role qvmResultListItem::accessibleRole() const
{
    return QAccessible::List;
}

void qvmResultListItem::setCondition(kwdFinder* record, bool owns)
{
    if (record == condition) {
        // The same record run again (sorting, the condition form) stays ours if it was.
        ownsCondition = ownsCondition || owns;
        return;
    }
    if (ownsCondition)
        delete condition;
    condition = record;
    ownsCondition = owns;
}

QString qvmResultListItem::cityCode() const
{
    const kwdFinder* c = condition ? condition : kwdStore::instance()->currentFinder;
    return c ? kwdStore::instance()->cityCode(c->field(kwdFinder::City)) : QString();
}

void qvmResultListItem::dropRows()
{
    if (!fixedRows || ownsFixedRows)
        qDeleteAll(rows);
    rows.clear();
    imageQueue.clear();
    fixedRows = false;
    ownsFixedRows = false;
    selected = -1;
    focusEntry = -1;
    failed = false;
    lastIndex = 0;
    total = 0;
    page = 0;
    // A reply to the previous search must not land in the new one.
    if (listRequest > 0) {
        if (qvmHttpHolder* holder = qvmHttpHolder::instance())
            holder->remove(listRequest);
    }
    listRequest = -1;
}

void qvmResultListItem::setRows(const QList<qvmListItem*>& list, int cat)
{
    dropRows();
    category = cat;
    fixedRows = true;
    rows = list;
    lastIndex = total = rows.size();
    relayout();
    setPos(0, 0);
}

void qvmResultListItem::adoptRows(const QList<qvmListItem*>& list, int cat)
{
    setRows(list, cat);
    ownsFixedRows = true;
}

void qvmResultListItem::activate(bool)
{
    if (fixedRows)
        return;
    kwdFinder* source = condition ? condition : kwdStore::instance()->currentFinder;
    distanceMode = false;
    if (condition && condition->field(kwdFinder::Mode).toInt() == 102) {
        distanceMode = true;
        refLatitude = condition->field(kwdFinder::Latitude).toDouble();
        refLongitude = condition->field(kwdFinder::Longitude).toDouble();
    }
    start(category, source ? source->buildQuery() : QString());
}

void qvmResultListItem::start(int cat, const QString& q)
{
    category = cat;
    query = q;
    QString url = kwdStore::instance()->listUrl(category, cityCode(), false);
    url += QStringLiteral("?page=1&");
    url += QStringLiteral("percount=%1").arg(int(RowsPerPage));
    if (!query.isEmpty())
        url += QLatin1Char('&') + query;
    page = 1;
    sendListRequest(url, false);
}

void qvmResultListItem::fetchMore()
{
    if (listRequest >= 1 || fixedRows)
        return;
    ++page;
    QString url = kwdStore::instance()->listUrl(category, cityCode(), false);
    url += QStringLiteral("?page=%1&").arg(page);
    url += QStringLiteral("percount=%1").arg(int(RowsPerPage));
    if (!query.isEmpty())
        url += QLatin1Char('&') + query;
    if (!extraQuery.isEmpty())
        url += QLatin1Char('&') + extraQuery;
    if (!sendListRequest(url, true))
        --page; // the page was never asked for; the next tap asks for it again
}

bool qvmResultListItem::sendListRequest(const QString& url, bool offScreen)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (listRequest > 0 && holder)
        holder->remove(listRequest);
    listRequest = holder ? holder->get(url, view, false) : 0;
    if (listRequest <= 0)
        return false;
    view->registerRequest(listRequest, this);
    view->showWait(QString(), offScreen);
    return true;
}

void qvmResultListItem::onResponse(int id, int err)
{
    if (id == listRequest)
        handleListReply(id, err);
    else
        handlePictureReply(id, err);
}

void qvmResultListItem::handleListReply(int id, int err)
{
    listRequest = -1;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* record = holder ? holder->request(id) : nullptr;
    if (!record)
        return;
    const bool onTop = view->topPage() == this;
    int firstAppended = -1;
    // Cut or broken markup is a failed page too, not an empty result: the user may ask again.
    const bool unreadable = err == 0 && !(record->body && parseDocument(*record->body, firstAppended));
    failed = err != 0 || unreadable;
    if (failed) {
        // The page never arrived: the next tap on the load-more row asks for it again instead of
        // skipping its listings.
        if (page > 1)
            --page;
        view->showFailure(this,
                          unreadable ? kwdNetworkError::unreadable() : kwdNetworkError::describe(record));
    } else {
        relayout();
        if (firstAppended >= 0 && onTop)
            view->scrollLater(int(rowRect(firstAppended).top()));
        if (rows.isEmpty()) {
            view->showStatus(true, QCoreApplication::translate("qvmResultView", "No more data fetched..."));
        } else {
            view->showStatus(false, QString());
            if (onTop)
                view->setSceneRect(boundingRect());
        }
        if (scene())
            scene()->update();
    }
    holder->remove(id);
    view->pageChanged(this);
    if (!imageQueue.isEmpty())
        nextPicture();
}

bool qvmResultListItem::parseDocument(const QByteArray& body, int& firstAppended)
{
    kwdResultDocument doc;
    if (!doc.read(body, category))
        return false;
    total = doc.total;
    const int skip = doc.skip;
    const QDomNodeList records = doc.records();
    const QGeoCoordinate reference(refLatitude, refLongitude);
    int appended = 0;
    for (int i = 0; i < records.size(); ++i) {
        qvmListItem* row = qvmListItem::createForKind(category);
        if (!row)
            continue;
        if (!row->read(records.at(i).toElement())) {
            delete row;
            continue;
        }
        if (distanceMode && row->latitude != 0 && row->longitude != 0) {
            const double metres = QGeoCoordinate(row->latitude, row->longitude).distanceTo(reference);
            row->distance = QString::number(metres, 'f', 8);
        }
        if (firstAppended < 0)
            firstAppended = rows.size();
        rows.append(row);
        ++appended;
    }
    lastIndex = appended + skip - 1;
    return true;
}

void qvmResultListItem::queuePicture(qvmListItem* row)
{
    if (row && row->picture && !row->picture->url.isEmpty() && !imageQueue.contains(row))
        imageQueue.append(row);
}

void qvmResultListItem::handlePictureReply(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* record = holder ? holder->request(id) : nullptr;
    if (err != 0 || !record) {
        if (holder)
            holder->remove(id);
        if (!imageQueue.isEmpty())
            imageQueue.removeFirst();
    } else if (!imageQueue.isEmpty()) {
        qvmListItem* row = imageQueue.takeFirst();
        const int index = rows.indexOf(row);
        if (index >= 0 && row->loadPicture(record->text))
            update(rowRect(index));
    }
    nextPicture();
}

bool qvmResultListItem::pictureReady(int id, const QString& path)
{
    bool taken = false;
    for (int i = 0; i < rows.size(); ++i) {
        qvmListItem* row = rows.at(i);
        if (row->picture && row->picture->requestId == id && !row->picture->image && row->loadPicture(path)) {
            update(rowRect(i));
            taken = true;
        }
    }
    return taken;
}

void qvmResultListItem::nextPicture()
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    while (!imageQueue.isEmpty()) {
        qvmListItem* row = imageQueue.first();
        if (!rows.contains(row) || !row->picture) {
            imageQueue.removeFirst();
            continue;
        }
        const QString url = row->picture->url;
        const qvmHttpRequest* r = holder->requestByUrl(url);
        if (!r) {
            const int id = holder->get(url, view, true);
            row->picture->requestId = id;
            if (id > 0) {
                view->registerRequest(id, this);
                return; // one download at a time
            }
            imageQueue.removeFirst();
        } else if (r->state == qvmHttpRequest::Done) {
            row->loadPicture(r->text);
            update();
            imageQueue.removeFirst();
        } else {
            // Somebody is already fetching it: wait for that download instead of a second one.
            row->picture->requestId = r->id;
            imageQueue.removeFirst();
        }
    }
}

void qvmResultListItem::relayout()
{
    const int w = view->viewport()->width();
    prepareGeometryChange();
    offsets.resize(rows.size() + 1);
    int y = 0;
    offsets[0] = 0;
    for (int i = 0; i < rows.size(); ++i) {
        y += rows.at(i)->height(w, 0);
        offsets[i + 1] = y;
    }
    if (!rows.isEmpty() && lastIndex != total)
        moreRect = QRectF(0, y, w, kwdStore::instance()->pointsToPixels(kMoreRowPoints));
    else
        moreRect = QRectF();
    width = w;
    height = y + moreRect.height();
    if (view->topPage() == this)
        view->setSceneRect(boundingRect());
}

QRectF qvmResultListItem::rowRect(int index) const
{
    if (index < 0 || index + 1 >= offsets.size())
        return QRectF();
    return QRectF(0, offsets.at(index), width, offsets.at(index + 1) - offsets.at(index));
}

QPair<int, int> qvmResultListItem::visibleRange(qreal top, qreal bottom) const
{
    const int n = offsets.size() - 1;
    if (n <= 0 || bottom <= 0 || top >= offsets.at(n))
        return {0, -1};
    // Row i spans [offsets[i], offsets[i + 1]); binary search on the cumulative heights.
    const auto firstIt = std::upper_bound(offsets.cbegin(), offsets.cend(), int(std::floor(top)));
    const int first = qMax(0, int(firstIt - offsets.cbegin()) - 1);
    const auto lastIt = std::lower_bound(offsets.cbegin(), offsets.cend(), int(std::ceil(bottom)));
    const int last = qMin(n - 1, int(lastIt - offsets.cbegin()) - 1);
    return {first, last};
}

int qvmResultListItem::hitTest(const QPointF& point) const
{
    if (!moreRect.isEmpty() && moreRect.contains(point))
        return MoreRow;
    const int n = offsets.size() - 1;
    if (n <= 0 || point.y() < 0 || point.y() >= offsets.at(n) || point.x() < 0 || point.x() >= width)
        return -1;
    const auto it = std::upper_bound(offsets.cbegin(), offsets.cend(), point.y(),
                                     [](qreal y, int offset) { return y < offset; });
    return int(it - offsets.cbegin()) - 1;
}

void qvmResultListItem::clicked(const QPointF& point)
{
    openRow(hitTest(point));
}

void qvmResultListItem::openRow(int hit)
{
    if (hit == MoreRow) {
        fetchMore();
        selected = -1;
        update();
    } else if (hit >= 0 && hit < rows.size()) {
        const int previous = selected;
        selected = hit;
        update(rowRect(previous));
        update(rowRect(hit));
        view->openDetail(category, rows.at(hit));
    }
}

void qvmResultListItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    QRectF exposed = option ? option->exposedRect : boundingRect();
    // Rendering into an image exposes the whole item; the clip still tells what can show.
    if (painter->hasClipping())
        exposed = exposed.intersected(painter->clipBoundingRect());
    const int w = int(width);
    const QPixmap arrow = kwdTheme::instance()->image(kwdTheme::LeftArrow);
    static const int m = QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing() / 2;
    const QPair<int, int> range = visibleRange(exposed.top(), exposed.bottom());
    for (int i = range.first; i <= range.second; ++i) {
        const int top = offsets.at(i);
        const int h = offsets.at(i + 1) - top;
        const QRect r(0, top, w, h);
        if (i == selected)
            painter->fillRect(r, QColor(243, 243, 243));
        painter->save();
        rows.at(i)->paint(painter, r, 0);
        painter->restore();
        painter->setPen(QColor(218, 218, 218));
        painter->drawLine(0, top + h - 1, w, top + h - 1);
        if (!arrow.isNull())
            painter->drawPixmap(w - m - arrow.width(), top + (h - arrow.height()) / 2, arrow);
    }
    if (!moreRect.isEmpty() && moreRect.intersects(exposed)) {
        QFont font(QStringLiteral("sans-serif"), 12);
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(QColor(86, 86, 86));
        painter->drawText(moreRect, Qt::AlignCenter, QStringLiteral("加载更多"));
    }
}

int qvmResultListItem::entryCount() const
{
    return int(rows.size()) + (moreRect.isEmpty() ? 0 : 1);
}

qvmPageEntry qvmResultListItem::entry(int index) const
{
    qvmPageEntry e;
    if (index == rows.size() && !moreRect.isEmpty()) {
        e.role = qvmPageEntry::MoreRow;
        e.name = QStringLiteral("加载更多");
        e.rect = moreRect;
        e.actionable = true;
    } else if (index >= 0 && index < rows.size()) {
        const qvmListItem* row = rows.at(index);
        e.name = row->name;
        e.description = row->shownText();
        e.rect = rowRect(index);
        e.actionable = true;
    }
    return e;
}

QRectF qvmResultListItem::entryRect(int index) const
{
    return index == rows.size() ? moreRect : rowRect(index);
}

bool qvmResultListItem::entryActionable(int index) const
{
    return index >= 0 && index < entryCount();
}

bool qvmResultListItem::activateEntry(int index)
{
    if (index < 0 || index >= entryCount())
        return false;
    openRow(index == rows.size() ? int(MoreRow) : index);
    return true;
}

QString qvmResultListItem::summary() const
{
    const QString name = title();
    if (failed)
        return QCoreApplication::translate("qvmResultListItem", "%1，加载失败").arg(name);
    if (rows.isEmpty() && listRequest > 0)
        return QCoreApplication::translate("qvmResultListItem", "%1，正在加载").arg(name);
    // Homes are counted in 套, everything else (housing areas, agencies) in 个.
    const bool homes = category == 2 || category == 3;
    const QString shown = homes ? QCoreApplication::translate("qvmResultListItem", "%1，共 %2 套")
                                : QCoreApplication::translate("qvmResultListItem", "%1，共 %2 个");
    if (total > rows.size()) {
        const QString listed =
            homes ? QCoreApplication::translate("qvmResultListItem", "%1，共 %2 套，已列出 %3 套")
                  : QCoreApplication::translate("qvmResultListItem", "%1，共 %2 个，已列出 %3 个");
        return listed.arg(name).arg(total).arg(rows.size());
    }
    return shown.arg(name).arg(rows.size());
}

bool qvmResultListItem::retry()
{
    if (fixedRows || listRequest >= 1)
        return false;
    // A failed first page starts the search again; a failed later page is asked for again.
    if (rows.isEmpty()) {
        activate(true);
    } else {
        fetchMore();
    }
    return listRequest >= 1;
}

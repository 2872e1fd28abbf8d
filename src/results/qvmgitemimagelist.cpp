#include "qvmgitemimagelist.h"

#include "kwdnetworkerror.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmresultview.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QImageReader>
#include <QNetworkReply>
#include <QPainter>
#include <QScrollBar>

namespace {
// Room above and below the grid.
constexpr int kGridMargin = 9;

QImage readImage(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

QRect qvmGItemImageList::fitInto(const QSize& image, const QRect& box)
{
    if (image.isEmpty() || box.isEmpty())
        return QRect();
    const QSize s = image.scaled(box.size(), Qt::KeepAspectRatio);
    return QRect(box.left() + (box.width() - s.width()) / 2, box.top() + (box.height() - s.height()) / 2,
                 s.width(), s.height());
}

qvmGItemImageList::qvmGItemImageList(qvmResultView* owner, qvmListItem* item) : view(owner), row(item)
{
    relayout();
}

qvmGItemImageList::~qvmGItemImageList()
{
    delete bigImage;
}

QRectF qvmGItemImageList::boundingRect() const
{
    return QRectF(0, 0, width, height);
}

QString qvmGItemImageList::title() const
{
    return QStringLiteral("图片列表");
}

int qvmGItemImageList::columns(int viewWidth)
{
    return qMax(viewWidth / CellWidth, 1);
}

QString qvmGItemImageList::listUrl() const
{
    int key = 0;
    switch (row ? row->category() : -1) {
    case 1:
        key = kwdStore::urlHaImages;
        break;
    case 2:
        key = kwdStore::urlForsaleImages;
        break;
    case 3:
        key = kwdStore::urlLeaseImages;
        break;
    default:
        return QString();
    }
    return QStringLiteral("http://") + view->cityCode() + QLatin1Char('.') +
           kwdStore::instance()->config(key).toString() + QStringLiteral("?id=") + row->id;
}

void qvmGItemImageList::activate(bool)
{
    if (listRequest > 0 || !pictures.isEmpty())
        return;
    const QString url = listUrl();
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    if (url.isEmpty()) {
        // Districts and streets have no picture list: show the one picture their page has.
        ownPictureOnly = true;
        if (row && row->picture && !row->picture->url.isEmpty()) {
            qvmPictureEntry entry;
            entry.smallUrl = entry.bigUrl = row->picture->url;
            addEntry(entry);
        }
        relayout();
        update();
        return;
    }
    listRequest = holder->get(url, view, false);
    if (listRequest <= 0)
        return;
    view->registerRequest(listRequest, this);
    view->showWait(QString(), false);
}

void qvmGItemImageList::onResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* record = holder ? holder->request(id) : nullptr;
    if (id == listRequest) {
        listRequest = 0;
        bool readable = false;
        if (err != 0 && record) {
            view->showFailure(this, kwdNetworkError::describe(record));
        } else {
            const QList<qvmPictureEntry> entries =
                record && record->body ? readList(*record->body, &readable) : QList<qvmPictureEntry>();
            for (const qvmPictureEntry& entry : entries)
                addEntry(entry);
            // Broken markup is not a listing without pictures: say so and offer to ask again.
            if (readable)
                view->showStatus(false, QString());
            else
                view->showFailure(this, kwdNetworkError::unreadable());
        }
        if (holder)
            holder->remove(id);
        relayout();
        update();
        return;
    }
    if (err != 0 || !record) {
        // Said on the cell (or the enlarged picture) instead of waiting for ever.
        for (qvmPictureEntry& e : pictures) {
            if (e.smallRequest == id && e.small.isNull())
                e.failed = true;
        }
        if (enlarged && bigRequest == id)
            bigFailed = true;
        // A missing picture is the listing's; anything else (the network) is worth asking again.
        if (record && record->error != QNetworkReply::ContentNotFoundError &&
            record->error != QNetworkReply::ContentGoneError)
            view->showFailure(this, kwdNetworkError::describe(record));
        if (holder)
            holder->remove(id);
        update();
        return;
    }
    pictureReady(id, record->text);
}

QList<qvmPictureEntry> qvmGItemImageList::readList(const QByteArray& body, bool* readable)
{
    QList<qvmPictureEntry> entries;
    if (readable)
        *readable = false;
    QDomDocument doc;
    if (!doc.setContent(body))
        return entries;
    const QDomNodeList items = doc.elementsByTagName(QStringLiteral("items"));
    for (int i = 0; i < items.size(); ++i) {
        qvmPictureEntry entry;
        for (QDomElement c = items.at(i).firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
            const QString name = c.attribute(QStringLiteral("name"));
            if (name == QLatin1String("small"))
                entry.smallUrl = c.text().trimmed();
            else if (name == QLatin1String("big"))
                entry.bigUrl = c.text().trimmed();
        }
        if (!entry.smallUrl.isEmpty())
            entries.append(entry);
    }
    if (readable)
        *readable = true;
    return entries;
}

void qvmGItemImageList::addEntry(qvmPictureEntry entry)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    const qvmHttpRequest* r = holder->requestByUrl(entry.smallUrl);
    if (r && r->state == qvmHttpRequest::Done) {
        entry.small = readImage(r->text);
        entry.failed = entry.small.isNull();
    } else if (r && r->state == qvmHttpRequest::Pending) {
        entry.smallRequest = r->id;
    } else {
        entry.smallRequest = holder->get(entry.smallUrl, view, true);
        view->registerRequest(entry.smallRequest, this);
    }
    pictures.append(entry);
}

bool qvmGItemImageList::pictureReady(int id, const QString& path)
{
    bool taken = false;
    for (qvmPictureEntry& e : pictures) {
        if (e.smallRequest == id && e.small.isNull()) {
            e.small = readImage(path);
            e.failed = e.small.isNull();
            taken = true;
        }
    }
    if (enlarged && bigRequest == id && !bigImage) {
        QImage image = readImage(path);
        if (!image.isNull())
            bigImage = new QImage(image);
        bigFailed = image.isNull();
        taken = true;
    }
    if (taken)
        update();
    return taken;
}

void qvmGItemImageList::relayout()
{
    const int w = view->viewport()->width();
    const int cols = columns(w);
    const int count = pictureCount();
    const int gridRows = (count + cols - 1) / cols;
    prepareGeometryChange();
    width = w;
    height = qMax(gridRows * CellHeight + 2 * kGridMargin, view->viewport()->height());
    const qreal cellWidth = qreal(w) / cols;
    for (int i = 0; i < pictures.size(); ++i)
        pictures[i].cell =
            QRectF((i % cols) * cellWidth, kGridMargin + (i / cols) * CellHeight, cellWidth, CellHeight);
    if (view->topPage() == this)
        view->setSceneRect(boundingRect());
}

int qvmGItemImageList::pictureCount() const
{
    // The listing's count reserves cells while its list downloads; a page without a list shows
    // only what it has.
    if (ownPictureOnly)
        return int(pictures.size());
    return qMax(int(pictures.size()), row ? row->imageCount : 0);
}

QString qvmGItemImageList::failedText()
{
    return QCoreApplication::translate("qvmGItemImageList", "Picture failed to load");
}

QRectF qvmGItemImageList::visibleArea() const
{
    const qreal top = view->topPage() == this ? view->verticalScrollBar()->value() : 0;
    return QRectF(0, top, width, view->viewport()->height());
}

QRectF qvmGItemImageList::closeArea() const
{
    const QRectF area = visibleArea();
    const QPixmap close = kwdTheme::instance()->image(kwdTheme::Close);
    const QSize size = close.isNull() ? QSize(32, 32) : close.size();
    return QRectF(area.right() - size.width() - 4, area.top() + 4, size.width(), size.height());
}

void qvmGItemImageList::enlarge(int index)
{
    if (index < 0 || index >= pictures.size())
        return;
    enlarged = true;
    enlargedIndex = index;
    closeRect = closeArea();
    delete bigImage;
    bigImage = nullptr;
    bigRequest = 0;
    bigFailed = false;
    const QString url = pictures.at(index).bigUrl;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    const qvmHttpRequest* r = holder && !url.isEmpty() ? holder->requestByUrl(url) : nullptr;
    if (r && r->state == qvmHttpRequest::Done) {
        const QImage image = readImage(r->text);
        if (!image.isNull())
            bigImage = new QImage(image);
        bigFailed = image.isNull();
    } else if (r && r->state == qvmHttpRequest::Pending) {
        bigRequest = r->id;
    } else if (holder && !url.isEmpty()) {
        bigRequest = holder->get(url, view, true);
        view->registerRequest(bigRequest, this);
    }
    update();
}

void qvmGItemImageList::closeEnlarged()
{
    delete bigImage;
    bigImage = nullptr;
    enlarged = false;
    enlargedIndex = -1;
    bigRequest = 0;
    closeRect = QRectF();
    update();
}

int qvmGItemImageList::entryCount() const
{
    return enlarged ? 1 : int(pictures.size());
}

qvmPageEntry qvmGItemImageList::entry(int index) const
{
    qvmPageEntry e;
    const int shown = enlarged ? enlargedIndex : index;
    if (index < 0 || index >= entryCount() || shown < 0 || shown >= pictures.size())
        return e;
    e.role = qvmPageEntry::Picture;
    e.name =
        QCoreApplication::translate("qvmGItemImageList", "图片 %1/%2").arg(shown + 1).arg(pictures.size());
    if (enlarged) {
        e.description = QCoreApplication::translate("qvmGItemImageList", "放大显示，左右键换图，Esc 返回");
        e.rect = visibleArea();
    } else {
        e.rect = pictures.at(shown).cell;
        e.actionable = true;
    }
    if (pictures.at(shown).failed)
        e.description = failedText();
    return e;
}

bool qvmGItemImageList::activateEntry(int index)
{
    if (enlarged || index < 0 || index >= pictures.size())
        return false;
    enlarge(index);
    return true;
}

bool qvmGItemImageList::step(int delta)
{
    if (!enlarged || pictures.isEmpty())
        return false;
    const int next = qBound(0, enlargedIndex + delta, int(pictures.size()) - 1);
    if (next != enlargedIndex)
        enlarge(next);
    return true;
}

bool qvmGItemImageList::closeInner()
{
    if (!enlarged)
        return false;
    closeEnlarged();
    return true;
}

void qvmGItemImageList::clicked(const QPointF& point)
{
    if (enlarged) {
        if (closeRect.contains(point))
            closeEnlarged();
        return;
    }
    for (int i = 0; i < pictures.size(); ++i) {
        if (!pictures.at(i).cell.isEmpty() && pictures.at(i).cell.contains(point)) {
            enlarge(i);
            return;
        }
    }
}

void qvmGItemImageList::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    kwdTheme* theme = kwdTheme::instance();
    const QPixmap downloading = theme->image(kwdTheme::Downloading);
    const int w = int(width);
    const int cols = columns(w);
    const int count = pictureCount();
    const qreal cellWidth = qreal(w) / cols;
    for (int i = 0; i < count; ++i) {
        const QRect cell =
            QRectF((i % cols) * cellWidth, kGridMargin + (i / cols) * CellHeight, cellWidth, CellHeight)
                .toRect();
        painter->fillRect(cell, QColor(243, 243, 243));
        painter->setPen(QColor(208, 208, 208));
        painter->drawRect(cell.adjusted(0, 0, -1, -1));
        const QRect inner = cell.adjusted(4, 4, -4, -4);
        if (i < pictures.size() && !pictures.at(i).small.isNull()) {
            const QImage& small = pictures.at(i).small;
            painter->drawImage(fitInto(small.size(), inner), small);
        } else if (i < pictures.size() && pictures.at(i).failed) {
            painter->setPen(QColor(150, 150, 150));
            painter->setFont(QFont(QStringLiteral("sans-serif"), 9));
            painter->drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, failedText());
        } else if (!downloading.isNull()) {
            painter->drawPixmap(inner.left() + (inner.width() - downloading.width()) / 2,
                                inner.top() + (inner.height() - downloading.height()) / 2, downloading);
        }
    }
    if (!enlarged)
        return;

    const QRectF area = visibleArea();
    // Never outside the page: what is painted there would stay on screen after the page leaves.
    painter->setClipRect(boundingRect());
    painter->fillRect(area, QColor(243, 243, 243));
    if (bigImage && !bigImage->isNull()) {
        painter->drawImage(fitInto(bigImage->size(), area.toRect().adjusted(4, 4, -4, -4)), *bigImage);
    } else {
        painter->setPen(QColor(34, 34, 34));
        painter->setFont(QFont(QStringLiteral("sans-serif"), 10));
        painter->drawText(area, Qt::AlignCenter,
                          bigFailed ? failedText()
                                    : QCoreApplication::translate("qvmGItemImageList", "Please Wait..."));
    }
    const QPixmap close = theme->image(kwdTheme::Close);
    closeRect = closeArea();
    if (!close.isNull())
        painter->drawPixmap(closeRect.topLeft(), close);
    else
        painter->drawText(closeRect, Qt::AlignCenter, QStringLiteral("X"));
}

bool qvmGItemImageList::retry()
{
    if (listRequest > 0)
        return false;
    if (pictures.isEmpty()) {
        activate(true);
        return listRequest > 0;
    }
    // The list came; ask again for the pictures that failed.
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    bool asked = false;
    for (qvmPictureEntry& e : pictures) {
        if (!e.failed || !holder)
            continue;
        e.failed = false;
        e.smallRequest = holder->get(e.smallUrl, view, true);
        view->registerRequest(e.smallRequest, this);
        asked = true;
    }
    update();
    return asked;
}

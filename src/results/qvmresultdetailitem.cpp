#include "qvmresultdetailitem.h"

#include "international.h"
#include "kwddevice.h"
#include "kwdnetworkerror.h"
#include "kwdresultdocument.h"
#include "kwdstore.h"
#include "qvmcontactpanel.h"
#include "qvmhttpholder.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmlistitem.h"
#include "qvmprojectitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QGraphicsScene>
#include <QPainter>

#include <algorithm>

namespace {
// Besides the listing's own picture the body shows at most this many pictures of linked items.
constexpr int kExtraPictures = 2;

bool wantsPicture(const qvmListItem* item)
{
    return item && item->picture && !item->picture->url.isEmpty() && !item->picture->image;
}
} // namespace

qvmResultDetailItem::qvmResultDetailItem(qvmResultView* owner, int cat, qvmListItem* item)
    : view(owner), category(cat), row(item)
{
    relayout();
}

qvmResultDetailItem::~qvmResultDetailItem() = default;

QRectF qvmResultDetailItem::boundingRect() const
{
    return QRectF(0, 0, width, height);
}

QString qvmResultDetailItem::title() const
{
    static const QString suffix = QStringLiteral("详细");
    const int cat = row ? row->category() : -1;
    if (cat < 0)
        return suffix;
    return kwdStore::categoryTitle(cat) + suffix;
}

int qvmResultDetailItem::kind() const
{
    return KindDetail;
}

QAccessible::Role qvmResultDetailItem::accessibleRole() const
{
    return QAccessible::Document;
}

QString qvmResultDetailItem::detailUrl() const
{
    return kwdStore::instance()->listUrl(category, view->cityCode(), true) +
           QStringLiteral("?id=%1").arg(row->id) + QStringLiteral("&sn=%1").arg(kwdDevice::id());
}

void qvmResultDetailItem::activate(bool)
{
    if (!row)
        return;
    if (row->complete || detailRequest > 0) {
        // The record is already whole: only pictures that were never fetched are still missing.
        collectPictures();
        return;
    }
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    detailRequest = holder ? holder->get(detailUrl(), view, false) : 0;
    if (detailRequest <= 0)
        return;
    view->registerRequest(detailRequest, this);
    view->showWait(QString(), false);
}

void qvmResultDetailItem::onResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* record = holder ? holder->request(id) : nullptr;
    if (id != detailRequest) {
        // A picture of the body.
        if (err != 0 || !record) {
            if (holder)
                holder->remove(id);
            if (!pendingPictures.isEmpty())
                pendingPictures.removeFirst();
        } else {
            pictureReady(id, record->text);
        }
        pictureRequest = 0;
        nextPicture();
        return;
    }

    detailRequest = -1;
    if (!record)
        return;
    if (err != 0) {
        view->showFailure(this, kwdNetworkError::describe(record));
        holder->remove(id);
        view->pageChanged(this);
        return;
    }
    kwdResultDocument doc;
    const bool readable = record->body && doc.read(*record->body, category);
    if (readable) {
        const QDomElement element = doc.firstRecord();
        if (!element.isNull() && row->read(element)) {
            row->complete = true;
            row->invalidate();
        }
    }
    holder->remove(id);
    relayout();
    // Broken markup leaves the page with the list's few fields: say so and offer to ask again.
    if (readable)
        view->showStatus(false, QString());
    else
        view->showFailure(this, kwdNetworkError::unreadable());
    update();
    view->pageChanged(this);
    collectPictures();
}

QList<qvmListItem*> qvmResultDetailItem::pictureHolders() const
{
    QList<qvmListItem*> holders;
    if (!row)
        return holders;
    holders << row;
    QList<qvmListItem*> linked;
    linked << row->housingArea << row->district << row->street;
    linked += row->children;
    int extra = 0;
    for (qvmListItem* item : std::as_const(linked)) {
        if (extra == kExtraPictures)
            break;
        if (item && item->picture && !item->picture->url.isEmpty()) {
            holders << item;
            ++extra;
        }
    }
    return holders;
}

void qvmResultDetailItem::collectPictures()
{
    const QList<qvmListItem*> holders = pictureHolders();
    for (qvmListItem* item : holders) {
        if (wantsPicture(item) && !pendingPictures.contains(item))
            pendingPictures.append(item);
    }
    if (pictureRequest <= 0)
        nextPicture();
}

void qvmResultDetailItem::nextPicture()
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    while (!pendingPictures.isEmpty()) {
        qvmListItem* item = pendingPictures.first();
        if (!wantsPicture(item)) {
            pendingPictures.removeFirst();
            continue;
        }
        const QString url = item->picture->url;
        const qvmHttpRequest* r = holder->requestByUrl(url);
        if (!r) {
            const int id = holder->get(url, view, true);
            item->picture->requestId = id;
            if (id > 0) {
                pictureRequest = id;
                view->registerRequest(id, this);
                return;
            }
            pendingPictures.removeFirst();
        } else if (r->state == qvmHttpRequest::Done) {
            if (item->loadPicture(r->text)) {
                relayout();
                update();
            }
            pendingPictures.removeFirst();
        } else if (r->state == qvmHttpRequest::Pending) {
            // Another page is fetching the same picture; its reply is shared with us.
            item->picture->requestId = r->id;
            pendingPictures.removeFirst();
        } else {
            pendingPictures.removeFirst();
        }
    }
}

bool qvmResultDetailItem::pictureReady(int id, const QString& path)
{
    bool taken = false;
    const QList<qvmListItem*> holders = pictureHolders();
    for (qvmListItem* item : holders) {
        if (item->picture && item->picture->requestId == id && !item->picture->image &&
            item->loadPicture(path)) {
            pendingPictures.removeAll(item);
            taken = true;
        }
    }
    if (taken) {
        relayout();
        update();
    }
    return taken;
}

void qvmResultDetailItem::relayout()
{
    const int w = view->viewport()->width();
    prepareGeometryChange();
    width = w;
    height = row && w > 0 ? row->height(w, 1) : 0;
    if (view->topPage() == this)
        view->setSceneRect(boundingRect());
}

void qvmResultDetailItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!row || width <= 0)
        return;
    painter->save();
    row->paint(painter, QRect(0, 0, int(width), int(height)), 1);
    painter->restore();
}

void qvmResultDetailItem::clicked(const QPointF& point)
{
    if (!row)
        return;
    view->hideDetailAction();
    const QPoint p = point.toPoint();
    // A phone block wins over a link beneath it.
    for (const qvmLink& phone : std::as_const(row->contactLinks)) {
        if (phone.rect.contains(p)) {
            openContact(phone);
            return;
        }
    }
    const QList<qvmLink> links = row->links();
    for (const qvmLink& link : links) {
        if (link.rect.contains(p)) {
            view->openRelated(link.action, link.target ? link.target : row, link.title);
            return;
        }
    }
}

namespace {
enum SourceKind
{
    FromField,
    FromLink,
    FromPhone
};
} // namespace

QList<qvmResultDetailItem::Source> qvmResultDetailItem::sources() const
{
    QList<Source> list;
    if (!row)
        return list;
    QList<bool> named(row->detailLinks.size(), false);
    for (int i = 0; i < row->shownFields.size(); ++i) {
        const qvmShownField& f = row->shownFields.at(i);
        list.append(Source{FromField, i, f.rect.top()});
        if (f.link >= 0 && f.link < named.size())
            named[f.link] = true;
    }
    // Links that are not the value of a field (the picture, the related groups, the searches).
    for (int i = 0; i < row->detailLinks.size(); ++i) {
        if (!named.at(i))
            list.append(Source{FromLink, i, row->detailLinks.at(i).rect.top()});
    }
    for (int i = 0; i < row->contactLinks.size(); ++i)
        list.append(Source{FromPhone, i, row->contactLinks.at(i).rect.top()});
    std::stable_sort(list.begin(), list.end(),
                     [](const Source& a, const Source& b) { return a.top < b.top; });
    return list;
}

int qvmResultDetailItem::entryCount() const
{
    return int(sources().size());
}

qvmPageEntry qvmResultDetailItem::entry(int index) const
{
    const QList<Source> list = sources();
    qvmPageEntry e;
    if (index < 0 || index >= list.size())
        return e;
    const Source s = list.at(index);
    if (s.kind == FromField) {
        const qvmShownField& f = row->shownFields.at(s.index);
        e.role = f.link >= 0           ? qvmPageEntry::Link
                 : f.caption.isEmpty() ? qvmPageEntry::Text
                                       : qvmPageEntry::Field;
        e.name = f.caption.isEmpty() ? f.value : f.caption;
        e.description = f.caption.isEmpty() ? QString() : f.value;
        if (f.link >= 0) {
            // A link reads as what it opens; its caption tells what that is.
            e.name = f.value;
            e.description = f.caption;
            e.rect = row->detailLinks.value(f.link).rect;
            e.actionable = true;
        } else {
            e.rect = f.rect;
        }
    } else if (s.kind == FromLink) {
        const qvmLink& l = row->detailLinks.at(s.index);
        e.role = qvmPageEntry::Link;
        e.rect = l.rect;
        e.actionable = true;
        if (!l.title.isEmpty())
            e.name = l.title;
        else if (l.action == qvmListItem::LinkPictures)
            e.name = QCoreApplication::translate("qvmResultDetailItem", "查看图片");
        else if ((l.action == qvmListItem::LinkMoreSales || l.action == qvmListItem::LinkMoreLeases) &&
                 row->labels)
            e.name = row->labels->label(l.action == qvmListItem::LinkMoreSales ? 51 : 52);
        else if (l.target)
            e.name = l.target->name;
    } else {
        const qvmLink& phone = row->contactLinks.at(s.index);
        const qvmListItem* owner = phone.target ? phone.target : row;
        e.role = qvmPageEntry::Button;
        e.name = QCoreApplication::translate("qvmResultDetailItem", "联系 %1").arg(owner->name);
        e.description = owner->phoneNumbers().join(QLatin1Char(' '));
        e.rect = phone.rect;
        e.actionable = true;
    }
    return e;
}

bool qvmResultDetailItem::activateEntry(int index)
{
    const QList<Source> list = sources();
    if (!row || index < 0 || index >= list.size())
        return false;
    const Source s = list.at(index);
    int link = -1;
    if (s.kind == FromField)
        link = row->shownFields.at(s.index).link;
    else if (s.kind == FromLink)
        link = s.index;
    if (s.kind == FromPhone) {
        view->hideDetailAction();
        openContact(row->contactLinks.at(s.index));
        return true;
    }
    if (link < 0 || link >= row->detailLinks.size())
        return false;
    view->hideDetailAction();
    const qvmLink l = row->detailLinks.at(link);
    view->openRelated(l.action, l.target ? l.target : row, l.title);
    return true;
}

void qvmResultDetailItem::openContact(const qvmLink& phone)
{
    const qvmListItem* owner = phone.target ? phone.target : row;
    const QStringList numbers = owner->phoneNumbers();
    if (numbers.isEmpty())
        return;
    const QRect area = view->mapFromScene(mapRectToScene(QRectF(phone.rect))).boundingRect();
    // A band inside a listing speaks of the listing; an agency's own phone line sends its name.
    const bool listing = owner != row;
    const QString contact = listing ? owner->name : row->name;
    if (qvmContactPanel* panel = view->detailAction())
        panel->offer(contact, numbers.join(QLatin1Char(' ')), area, row->name, listing);
}

bool qvmResultDetailItem::retry()
{
    if (!row || detailRequest > 0)
        return false;
    activate(true);
    return detailRequest > 0 || pictureRequest > 0;
}

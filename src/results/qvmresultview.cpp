#include "qvmresultview.h"

#include "kwdclock.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdscrollbar.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "qvmaccessibleresultview.h"
#include "qvmcontactpanel.h"
#include "qvmgitemimagelist.h"
#include "qvmgraphicsitem.h"
#include "qvmhttpholder.h"
#include "qvmitemrelateha.h"
#include "qvmlistitem.h"
#include "qvmnewhouselistitem.h"
#include "qvmprojectitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "titlebar.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QEasingCurve>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QtMath>

#include <algorithm>

namespace {
// Movement below this (Manhattan, pixels) is still a tap, not a drag.
constexpr int kDragSlop = 15;
// A flick must travel this far before the view coasts on.
constexpr int kFlickDistance = 100;
constexpr double kMaxVelocity = 1000.0;
// How much the coast slows down on every tick (pixels per second).
constexpr double kCoastFriction = 83.33333333333333;
constexpr int kCoastInterval = 32;
// The keyboard's focus frame: the colour of the rows' titles, so it reads as part of the list.
const QColor kFocusColour(54, 98, 169);
} // namespace

qvmResultView::qvmResultView(QWidget* parent, TitleBar* bar) : QGraphicsView(parent), titleBar(bar)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFrameShape(QFrame::NoFrame);
    setScene(new QGraphicsScene(this));
    setFocusPolicy(Qt::StrongFocus);
    qvmAccessibleResultView::install();

    message = new kwdShowScroll(this, this);
    indicator = new kwdScrollBar;
    indicator->setZValue(2.0);
    indicator->hide();
    scene()->addItem(indicator);

    pendTimer = new QTimer(this);
    pendTimer->setSingleShot(true);
    pendTimer->setInterval(10);
    connect(pendTimer, &QTimer::timeout, this, &qvmResultView::onPendScroll);

    posAnimation = new QPropertyAnimation(this, "HScrollPos", this);
    posAnimation->setDuration(300);
    posAnimation->setEasingCurve(QEasingCurve::InSine);
    nextAnimation = new QPropertyAnimation(this, "HScrollNext", this);
    nextAnimation->setDuration(300);
    nextAnimation->setEasingCurve(QEasingCurve::InSine);

    // Swiping the last page away returns to the search conditions of the hosting page.
    if (parent && parent->metaObject()->indexOfSlot("onGoBack()") >= 0)
        connect(this, SIGNAL(gotoCondition()), parent, SLOT(onGoBack()));
}

qvmResultView::~qvmResultView()
{
    coastTimer.stop();
    posAnimation->stop();
    nextAnimation->stop();
    // Requests still in flight must never reach a view that is gone: cancel them at the holder.
    if (qvmHttpHolder* holder = qvmHttpHolder::instance()) {
        const QList<int> ids = requests.keys();
        for (int id : ids)
            holder->remove(id);
    }
    requests.clear();
    clear();
}

bool qvmResultView::hasPage(const qvmGraphicsItem* page) const
{
    return page && std::find(pages.cbegin(), pages.cend(), page) != pages.cend();
}

bool qvmResultView::isScrollPending() const
{
    return pendTimer->isActive();
}

bool qvmResultView::isAnimating() const
{
    return posAnimation->state() == QAbstractAnimation::Running ||
           nextAnimation->state() == QAbstractAnimation::Running;
}

kwdFinder* qvmResultView::baseCondition() const
{
    if (!pages.isEmpty()) {
        const int k = pages.first()->kind();
        if (k == qvmGraphicsItem::KindList || k == qvmGraphicsItem::KindPush) {
            if (kwdFinder* c = static_cast<qvmResultListItem*>(pages.first())->condition)
                return c;
        }
    }
    return kwdStore::instance()->currentFinder;
}

QString qvmResultView::cityCode() const
{
    const kwdFinder* c = baseCondition();
    return c ? kwdStore::instance()->cityCode(c->field(kwdFinder::City)) : QString();
}

namespace {
double slideScale = 1.0;
} // namespace

void qvmResultView::setSlideScale(double scale)
{
    slideScale = qMax(0.0, scale);
}

int qvmResultView::slideDuration(int ms)
{
    return int(ms * slideScale);
}

void qvmResultView::openList(kwdFinder* condition, bool push, bool owns)
{
    qvmResultListItem* list = nullptr;
    qvmGraphicsItem* top = topPage();
    const bool reuse = !push && top && top->kind() == qvmGraphicsItem::KindList;
    if (reuse) {
        list = static_cast<qvmResultListItem*>(top);
        list->dropRows();
        list->relayout();
    } else {
        // Without a list on top there is nothing to reuse: the search opens as a new page.
        list = new qvmResultListItem(this);
        push = true;
    }
    list->setCondition(condition, owns);
    kwdFinder* source = condition ? condition : kwdStore::instance()->currentFinder;
    list->category = source ? source->category : -1;

    if (push) {
        pushPage(list);
        return;
    }
    list->setPos(0, 0);
    setSceneRect(0, 0, viewport()->width(), list->boundingRect().height());
    scene()->update();
    list->activate(false);
    updateTitle();
}

void qvmResultView::openDetail(int category, qvmListItem* row)
{
    if (!row)
        return;
    pushPage(new qvmResultDetailItem(this, category, row));
}

void qvmResultView::openRelated(int action, qvmListItem* row, const QString& title)
{
    if (!row)
        return;
    switch (action) {
    case qvmListItem::LinkPictures:
        pushPage(new qvmGItemImageList(this, row));
        break;
    case qvmListItem::LinkDistrict:
        openDetail(5, row);
        break;
    case qvmListItem::LinkStreet:
        openDetail(6, row);
        break;
    case qvmListItem::LinkHousingArea:
        openDetail(1, row);
        break;
    case qvmListItem::LinkMoreSales:
    case qvmListItem::LinkMoreLeases: {
        auto* c = new kwdFinder(QString(), action == qvmListItem::LinkMoreSales ? 2 : 3);
        c->setField(kwdFinder::Mode, QStringLiteral("103"));
        if (const kwdFinder* base = baseCondition()) {
            c->setField(kwdFinder::Province, base->field(kwdFinder::Province));
            c->setField(kwdFinder::City, base->field(kwdFinder::City));
        }
        c->setField(kwdFinder::HaId, row->id);
        c->setField(kwdFinder::HaName, row->name);
        openList(c, true, true);
        break;
    }
    case qvmListItem::LinkRelated: {
        auto* list = new qvmResultListItem(this);
        list->customTitle = title;
        QList<qvmListItem*> group;
        const qvmItemRelateHA* related = row->relatedAreas();
        if (related)
            group = related->groupRows(title);
        list->setRows(group, 1);
        pushPage(list);
        break;
    }
    default:
        break;
    }
}

qvmContactPanel* qvmResultView::detailAction()
{
    if (!contactPanel)
        contactPanel = qvmContactPanel::make(this);
    return contactPanel;
}

bool qvmResultView::hideDetailAction()
{
    const bool shown = contactPanel && contactPanel->isShown();
    if (contactPanel)
        contactPanel->dismiss();
    return shown;
}

void qvmResultView::pushPage(qvmGraphicsItem* page)
{
    if (!page)
        return;
    hideDetailAction();
    // A scroll meant for the page below must not move the new one.
    pendTimer->stop();
    if (nextAnimation->state() == QAbstractAnimation::Running) {
        // Land the page that is still sliding in first, so that it is placed and activated.
        nextAnimation->stop();
        setHScrollNext(nextEnd);
    }
    const int w = viewport()->width();
    if (pages.isEmpty()) {
        pages.append(page);
        scene()->addItem(page);
        page->setPos(0, 0);
        setSceneRect(0, 0, w, page->boundingRect().height());
        // The stack may have been cleared while scrolled: the first page starts at its top.
        verticalScrollBar()->setValue(0);
        scene()->update();
        page->activate(false);
    } else {
        qvmGraphicsItem* top = pages.last();
        if (top->kind() == qvmGraphicsItem::KindPush)
            setPushBarVisible(false);
        const int scroll = verticalScrollBar()->value();
        top->savedScroll = scroll;
        pages.append(page);
        scene()->addItem(page);
        page->setPos(w, 0);
        top->setPos(0, -scroll);
        verticalScrollBar()->setValue(0);
        scene()->update();
        nextEnd = w;
        hNext = -1;
        if (w <= 0) {
            // Nothing to slide across while the view has no width yet: the page lands at once.
            setHScrollNext(nextEnd);
            updateTitle();
            return;
        }
        nextAnimation->setDuration(slideDuration(300));
        nextAnimation->setStartValue(0);
        nextAnimation->setEndValue(w);
        nextAnimation->start();
    }
    updateTitle();
}

void qvmResultView::setHScrollNext(int v)
{
    if (v == hNext)
        return;
    hNext = v;
    if (pages.isEmpty())
        return;
    const int w = viewport()->width();
    qvmGraphicsItem* top = pages.last();
    qvmGraphicsItem* below = pages.size() > 1 ? pages.at(pages.size() - 2) : nullptr;
    if (v != nextEnd) {
        top->setPos(w - v, top->y());
        if (below) {
            below->setVisible(true);
            below->setPos(-v, below->y());
        }
        return;
    }
    if (below)
        below->hide();
    top->setPos(0, 0);
    setSceneRect(0, 0, w, top->boundingRect().height());
    top->activate(false);
}

void qvmResultView::goBack()
{
    if (posAnimation->state() == QAbstractAnimation::Running || coastTimer.isActive() || pages.isEmpty())
        return;
    hideDetailAction();
    if (pages.last()->closeInner()) {
        // The page stays: put back what a swipe moved.
        pages.last()->setPos(0, 0);
        if (pages.size() >= 2)
            pages.at(pages.size() - 2)->hide();
        return;
    }
    if (nextAnimation->state() == QAbstractAnimation::Running) {
        nextAnimation->stop();
        setHScrollNext(nextEnd);
    }
    pendTimer->stop();
    const int w = viewport()->width();
    qvmGraphicsItem* top = pages.last();
    posEnd = w + 1;
    hPos = int(top->x()) - 1;
    posAnimation->setStartValue(int(top->x()));
    posAnimation->setEndValue(posEnd);
    if (top->kind() == qvmGraphicsItem::KindPush)
        setPushBarVisible(false);
    if (pages.size() >= 2) {
        posAnimation->setDuration(slideDuration(350));
        qvmGraphicsItem* below = pages.at(pages.size() - 2);
        // The page below shows the place it was left at.
        const int scroll = verticalScrollBar()->value();
        below->setPos(below->x(), scroll - qMax(below->savedScroll, 0));
        if (below->kind() == qvmGraphicsItem::KindPush)
            setPushBarVisible(true);
    } else {
        posAnimation->setDuration(slideDuration(100));
    }
    posAnimation->start();
    indicator->hide();
    message->hide();
}

void qvmResultView::setHScrollPos(int v)
{
    if (v == hPos)
        return;
    hPos = v;
    if (pages.isEmpty())
        return;
    const int w = viewport()->width();
    qvmGraphicsItem* top = pages.last();
    qvmGraphicsItem* below = pages.size() > 1 ? pages.at(pages.size() - 2) : nullptr;
    if (v != posEnd) {
        top->setPos(v, top->y());
        if (below) {
            below->setVisible(true);
            below->setPos(v - w, below->y());
        }
        return;
    }
    if (pages.size() < 2) {
        top->setPos(0, 0);
        emit gotoCondition();
        return;
    }
    destroyPage(top);
    updateTitle();
    qvmGraphicsItem* now = pages.last();
    setSceneRect(now->boundingRect());
    now->setPos(0, 0);
    if (now->savedScroll != -1)
        verticalScrollBar()->setValue(now->savedScroll);
    pagePopped();
}

void qvmResultView::showPush(const QList<qvmListItem*>& rows, int category)
{
    // The pages opened from an earlier push page show its rows, which the caller may be replacing:
    // they go together with it.
    int old = -1;
    for (int i = 0; i < pages.size(); ++i) {
        if (pages.at(i)->kind() == qvmGraphicsItem::KindPush) {
            old = i;
            break;
        }
    }
    if (old >= 0) {
        posAnimation->stop();
        nextAnimation->stop();
        while (pages.size() > old)
            destroyPage(pages.last());
        if (qvmGraphicsItem* top = topPage()) {
            top->setPos(0, 0);
            top->show();
            setSceneRect(top->boundingRect());
            if (top->savedScroll != -1)
                verticalScrollBar()->setValue(top->savedScroll);
        }
    }
    auto* page = new qvmNewHouseListItem(this);
    page->setRows(rows, category);
    pushPage(page);
}

void qvmResultView::toggleFavorite(int action, bool checked)
{
    qvmGraphicsItem* top = topPage();
    if (action != 2 || !top || top->kind() != qvmGraphicsItem::KindDetail)
        return;
    qvmListItem* row = static_cast<qvmResultDetailItem*>(top)->row;
    if (!row)
        return;
    const int c = row->category();
    if (c < 1 || c > 3)
        return;
    if (checked)
        kwdFavorites::instance()->add(row);
    else
        kwdFavorites::instance()->remove(row);
}

void qvmResultView::registerRequest(int id, qvmGraphicsItem* page)
{
    if (id > 0)
        requests.insert(id, page);
}

void qvmResultView::showStatus(bool error, const QString& text)
{
    if (error)
        message->showMessage(text);
    else
        message->hide();
}

void qvmResultView::showFailure(qvmGraphicsItem* page, const QString& text)
{
    message->showMessage(text, [this, page] {
        // The page may have left the stack since the failure: compare, never dereference.
        if (!pages.contains(page))
            return;
        message->hide();
        page->retry();
    });
}

void qvmResultView::showWait(const QString& text, bool offScreen)
{
    message->showWait(text.isEmpty() ? tr("Downloading") : text, offScreen);
}

void qvmResultView::scrollLater(int y)
{
    pendingScroll = y;
    pendTimer->start();
}

void qvmResultView::onPendScroll()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(qBound(0, pendingScroll, bar->maximum()));
}

void qvmResultView::clear()
{
    hideDetailAction();
    stopMotion();
    destroyPages();
}

void qvmResultView::stopMotion()
{
    pendTimer->stop();
    posAnimation->stop();
    nextAnimation->stop();
    coastTimer.stop();
    dragging = false;
    message->hide();
    indicator->hide();
}

void qvmResultView::destroyPages()
{
    while (!pages.isEmpty())
        destroyPage(pages.last());
}

qvmGraphicsItem* qvmResultView::takeFirstPage()
{
    if (pages.isEmpty())
        return nullptr;
    qvmGraphicsItem* page = pages.takeFirst();
    forgetRequestsOf(page);
    if (pressedPage == page)
        pressedPage = nullptr;
    if (page->scene())
        page->scene()->removeItem(page);
    return page;
}

void qvmResultView::putFirstPage(qvmGraphicsItem* page)
{
    if (!page || hasPage(page))
        return;
    pages.prepend(page);
    scene()->addItem(page);
    page->setPos(0, 0);
    page->setVisible(pages.size() == 1);
    if (pages.size() == 1)
        setSceneRect(0, 0, viewport()->width(), viewport()->height());
}

void qvmResultView::pagePopped() {}

void qvmResultView::updateTitle()
{
    qvmGraphicsItem* top = topPage();
    // Every new top page is a new set of entries, and is where the keyboard goes on.
    announce();
    if (top)
        takeKeyboard();
    if (!titleBar || !top)
        return;
    titleBar->setTitle(top->title(), QString(), QString());
    switch (top->kind()) {
    case qvmGraphicsItem::KindList: {
        auto* list = static_cast<qvmResultListItem*>(top);
        // Only a list that is still waiting for its page says so; an empty answer is final.
        if (list->rows.isEmpty() && list->listRequest > 0)
            showWait(QString(), false);
        // Conditions carried over from another search narrow this one: the bar says how many.
        const kwdFinder* c = list->condition ? list->condition : kwdStore::instance()->currentFinder;
        titleBar->setConditionCount(!list->fixedRows && c ? c->activeConditions() : 0);
        titleBar->setButtons(list->fixedRows ? 0 : TitleBar::ShowCondition, false);
        break;
    }
    case qvmGraphicsItem::KindDetail: {
        qvmListItem* row = static_cast<qvmResultDetailItem*>(top)->row;
        const int t = row ? row->type() : -1;
        if (t == qvmListItem::TypeRoad || t == qvmListItem::TypeRegion)
            titleBar->setButtons(0, false);
        else
            titleBar->setButtons(TitleBar::ShowFavorite, row && kwdFavorites::instance()->contains(row));
        break;
    }
    case qvmGraphicsItem::KindPush:
        titleBar->setBackFlags(TitleBar::ShowBack);
        titleBar->setButtons(0, false);
        break;
    default:
        titleBar->setButtons(0, false);
        break;
    }
    setSceneRect(top->boundingRect());
}

void qvmResultView::pageChanged(qvmGraphicsItem* page)
{
    if (page && page == topPage())
        announce();
}

void qvmResultView::announce()
{
    ++generation;
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
    QAccessibleEvent name(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    const qvmGraphicsItem* top = topPage();
    QAccessibleValueChangeEvent value(this, top ? top->summary() : QString());
    QAccessible::updateAccessibility(&value);
}

QRectF qvmResultView::visibleSceneRect() const
{
    return mapToScene(viewport()->rect()).boundingRect();
}

int qvmResultView::nextActionable(const qvmGraphicsItem* page, int from, int delta) const
{
    const int n = page->entryCount();
    for (int i = from + delta; i >= 0 && i < n; i += delta) {
        if (page->entryActionable(i))
            return i;
    }
    return -1;
}

void qvmResultView::setFocusEntry(int index)
{
    qvmGraphicsItem* top = topPage();
    if (!top || index < 0 || index >= top->entryCount())
        return;
    top->focusEntry = index;
    ensureVisible(top->mapRectToScene(top->entryRect(index)), 0, 0);
    viewport()->update();
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
}

void qvmResultView::moveFocus(int delta)
{
    qvmGraphicsItem* top = topPage();
    const QRectF shown = visibleSceneRect();
    int target = -1;
    if (top->focusEntry < 0 || top->focusEntry >= top->entryCount()) {
        // The first move starts from what is on screen, not from the top of a scrolled list.
        const int n = top->entryCount();
        for (int i = delta > 0 ? 0 : n - 1; i >= 0 && i < n; i += delta) {
            if (!top->entryActionable(i))
                continue;
            const QRectF r = top->mapRectToScene(top->entryRect(i));
            if (delta > 0 ? r.bottom() > shown.top() : r.top() < shown.bottom()) {
                target = i;
                break;
            }
        }
    } else {
        target = nextActionable(top, top->focusEntry, delta);
    }
    if (target >= 0) {
        // A link far below (a long description between) is reached by scrolling, not by a jump.
        const QRectF r = top->mapRectToScene(top->entryRect(target));
        if (r.bottom() >= shown.top() - shown.height() && r.top() <= shown.bottom() + shown.height()) {
            setFocusEntry(target);
            return;
        }
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + delta * qMax(1, bar->singleStep()) * 3);
}

void qvmResultView::moveFocusByPage(int delta)
{
    qvmGraphicsItem* top = topPage();
    const QRectF shown = visibleSceneRect();
    const int current = top->focusEntry;
    if (current < 0 || current >= top->entryCount() || !top->entryActionable(current)) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() + delta * bar->pageStep());
        return;
    }
    const qreal y = top->mapRectToScene(top->entryRect(current)).center().y() + delta * shown.height();
    int target = current;
    for (int i = nextActionable(top, current, delta); i >= 0; i = nextActionable(top, i, delta)) {
        const QRectF r = top->mapRectToScene(top->entryRect(i));
        target = i;
        if (delta > 0 ? r.bottom() >= y : r.top() <= y)
            break;
    }
    setFocusEntry(target);
}

bool qvmResultView::reload()
{
    qvmGraphicsItem* top = topPage();
    if (!top || isAnimating())
        return false;
    if (top->retry())
        return true;
    if (top->kind() == qvmGraphicsItem::KindList) {
        auto* list = static_cast<qvmResultListItem*>(top);
        if (!list->fixedRows) {
            openList(list->condition, false, false);
            return true;
        }
    }
    return false;
}

void qvmResultView::takeKeyboard()
{
    if (!isVisible() || hasFocus())
        return;
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == window() && focused->isVisible() &&
        (qobject_cast<QLineEdit*>(focused) || qobject_cast<QTextEdit*>(focused) ||
         qobject_cast<QPlainTextEdit*>(focused) || qobject_cast<QAbstractSpinBox*>(focused)))
        return;
    setFocus(Qt::OtherFocusReason);
}

void qvmResultView::keyPressEvent(QKeyEvent* event)
{
    qvmGraphicsItem* top = topPage();
    if (!top || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveFocus(event->key() == Qt::Key_Down ? 1 : -1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        moveFocusByPage(event->key() == Qt::Key_PageDown ? 1 : -1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool end = event->key() == Qt::Key_End;
        const int target = nextActionable(top, end ? top->entryCount() : -1, end ? -1 : 1);
        if (target >= 0) {
            setFocusEntry(target);
        } else {
            QScrollBar* bar = verticalScrollBar();
            bar->setValue(end ? bar->maximum() : 0);
        }
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (top->focusEntry >= 0 && !isAnimating())
            top->activateEntry(top->focusEntry);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        top->step(event->key() == Qt::Key_Right ? 1 : -1);
        break;
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void qvmResultView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    const qvmGraphicsItem* top = topPage();
    if (!top || top->focusEntry < 0 || !hasFocus() || isAnimating() || top->focusEntry >= top->entryCount())
        return;
    const QRectF r = top->mapRectToScene(top->entryRect(top->focusEntry)).adjusted(1, 1, -1, -1);
    if (!r.intersects(rect))
        return;
    painter->save();
    painter->setPen(QPen(kFocusColour, 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r);
    painter->restore();
}

void qvmResultView::focusInEvent(QFocusEvent* event)
{
    QGraphicsView::focusInEvent(event);
    // The reader starts at the row the keyboard was on.
    if (const qvmGraphicsItem* top = topPage(); top && top->focusEntry >= 0) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(top->focusEntry);
        QAccessible::updateAccessibility(&focus);
    }
}

void qvmResultView::onHttpResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    const auto it = requests.find(id);
    if (it == requests.end()) {
        // The page that asked is gone; a finished picture may still serve a page waiting for it.
        bool taken = false;
        const qvmHttpRequest* r = holder ? holder->request(id) : nullptr;
        if (err == 0 && r && r->toFile && r->state == qvmHttpRequest::Done) {
            for (qvmGraphicsItem* p : std::as_const(pages))
                taken = p->pictureReady(id, r->text) || taken;
        }
        if (!taken && holder)
            holder->remove(id);
        return;
    }
    qvmGraphicsItem* page = it.value();
    requests.erase(it);
    if (!hasPage(page)) {
        if (holder)
            holder->remove(id);
        return;
    }
    page->onResponse(id, err);
    // Other pages that found this picture download pending take the finished file as well.
    const qvmHttpRequest* r = holder ? holder->request(id) : nullptr;
    if (err == 0 && r && r->toFile && r->state == qvmHttpRequest::Done) {
        const QString path = r->text;
        const QList<qvmGraphicsItem*> others = pages;
        for (qvmGraphicsItem* p : others) {
            if (p != page && hasPage(p))
                p->pictureReady(id, path);
        }
    }
}

void qvmResultView::mousePressEvent(QMouseEvent* event)
{
    QGraphicsView::mousePressEvent(event);
    coastTimer.stop();
    // The finger takes over: a scroll still pending from a reply would yank the list away from it.
    pendTimer->stop();
    dragging = true;
    pressPoint = lastPoint = event->position().toPoint();
    pressTime = kwdClock::now();
    pressedPage = topPage();
    if (verticalScrollBar()->maximum() > 0) {
        placeIndicator();
        indicator->show();
    }
}

void qvmResultView::placeIndicator()
{
    const QScrollBar* bar = verticalScrollBar();
    const double vh = viewport()->height();
    const double ratio = vh / (bar->maximum() + vh);
    const QPointF origin = mapToScene(QPoint(0, 0));
    const double x = viewport()->width() - indicator->rect.width() - 2.0;
    indicator->setPos(origin + QPointF(x, bar->value() * ratio));
    indicator->setLength(int(vh * ratio));
}

void qvmResultView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    if (!dragging || (pos - pressPoint).manhattanLength() <= kDragSlop)
        return;
    const int w = viewport()->width();
    QScrollBar* bar = verticalScrollBar();
    if (qAbs(pos.y() - pressPoint.y()) <= qAbs(pos.x() - pressPoint.x())) {
        const int dx = pos.x() - pressPoint.x();
        if (dx >= 1 && !pages.isEmpty() && !isAnimating()) {
            qvmGraphicsItem* top = pages.last();
            top->setPos(dx, 0);
            if (dx > 5 && pages.size() >= 2) {
                qvmGraphicsItem* below = pages.at(pages.size() - 2);
                below->setPos(dx - w - 5, bar->value() - qMax(below->savedScroll, 0));
                below->show();
            }
            if (dx > w / 3) {
                dragging = false;
                goBack();
            }
        }
    } else {
        const int step = pos.y() - lastPoint.y();
        if (bar->maximum() >= 1 && step != 0) {
            bar->setValue(qBound(0, bar->value() - step, bar->maximum()));
            placeIndicator();
        }
    }
    lastPoint = pos;
}

void qvmResultView::mouseReleaseEvent(QMouseEvent* event)
{
    QGraphicsView::mouseReleaseEvent(event);
    if (!dragging)
        return;
    const QDateTime now = kwdClock::now();
    const qint64 dt = pressTime.msecsTo(now);
    const int dy = pressPoint.y() - event->position().toPoint().y();
    if (qAbs(dy) >= kFlickDistance && dt != 0) {
        velocity = qBound(-kMaxVelocity, double(dy) / double(dt) * 1000.0, kMaxVelocity);
        if (velocity != 0) {
            coastStart = now;
            coastTimer.start(kCoastInterval, this);
        }
    }
    indicator->hide();
    if (!pages.isEmpty() && pages.last() == pressedPage && !isAnimating()) {
        pages.last()->setPos(0, 0);
        if (pages.size() >= 2)
            pages.at(pages.size() - 2)->hide();
    }
    dragging = false;
}

void qvmResultView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != coastTimer.timerId()) {
        QGraphicsView::timerEvent(event);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    if (velocity == 0 || bar->maximum() == 0) {
        coastTimer.stop();
        return;
    }
    const qint64 elapsed = coastStart.msecsTo(kwdClock::now());
    const int value = bar->value() + int(double(elapsed) * velocity / 1000.0);
    bar->setValue(value);
    if (value >= 0 && value <= bar->maximum()) {
        if (velocity > 0)
            velocity = qMax(0.0, velocity - kCoastFriction);
        else
            velocity = qMin(0.0, velocity + kCoastFriction);
        if (velocity != 0)
            return;
    }
    coastTimer.stop();
}

void qvmResultView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (isAnimating()) {
        posAnimation->stop();
        nextAnimation->stop();
        if (hNext != nextEnd)
            setHScrollNext(nextEnd);
    }
    // Pages lay out for the viewport's width; a new width means new row heights.
    for (qvmGraphicsItem* p : std::as_const(pages))
        p->relayout();
    if (qvmGraphicsItem* top = topPage()) {
        top->setPos(0, 0);
        setSceneRect(top->boundingRect());
    }
}

void qvmResultView::destroyPage(qvmGraphicsItem* page)
{
    ++generation;
    pages.removeAll(page);
    forgetRequestsOf(page);
    if (pressedPage == page)
        pressedPage = nullptr;
    if (page->scene())
        page->scene()->removeItem(page);
    delete page;
}

void qvmResultView::forgetRequestsOf(const qvmGraphicsItem* page)
{
    for (auto it = requests.begin(); it != requests.end();) {
        if (it.value() == page)
            it = requests.erase(it);
        else
            ++it;
    }
}

void qvmResultView::setPushBarVisible(bool visible)
{
    if (pushWidget)
        pushWidget->setVisible(visible);
}

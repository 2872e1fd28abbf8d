#pragma once

#include <QBasicTimer>
#include <QDateTime>
#include <QGraphicsView>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QPointer>

class QPropertyAnimation;
class QTimer;
class TitleBar;
class kwdFinder;
class kwdScrollBar;
class kwdShowScroll;
class qvmContactPanel;
class qvmGraphicsItem;
class qvmListItem;
class qvmResultListItem;

// The scrolling surface of every result: a stack of pages (lists, details, pictures, pushed
// listings) that slide in from the right and are swiped away to the right, vertical dragging with
// a kinetic coast, the scroll indicator and the message box. Owns its pages and the map from
// request identifiers to the pages that started them; it is the receiver of all their requests.
class qvmResultView : public QGraphicsView
{
    Q_OBJECT
    Q_PROPERTY(int HScrollPos READ hScrollPos WRITE setHScrollPos)
    Q_PROPERTY(int HScrollNext READ hScrollNext WRITE setHScrollNext)
public:
    explicit qvmResultView(QWidget* parent, TitleBar* titleBar = nullptr);
    ~qvmResultView() override;

    void openList(kwdFinder* condition, bool push, bool owns);
    virtual void openDetail(int category, qvmListItem* row);
    void openRelated(int action, qvmListItem* row, const QString& title);
    void pushPage(qvmGraphicsItem* page);
    void goBack();
    void showPush(const QList<qvmListItem*>& rows, int category);
    void toggleFavorite(int action, bool checked);
    void registerRequest(int id, qvmGraphicsItem* page);
    void showStatus(bool error, const QString& text);
    // A failure of the page's request, with a tap on the message asking the page again.
    void showFailure(qvmGraphicsItem* page, const QString& text);
    void showWait(const QString& text, bool offScreen);
    void scrollLater(int y);
    virtual void clear();
    virtual void updateTitle();

    // The bar of pushed listings of the page that hosts the view; hidden while no push page is on top.
    void setPushBar(QWidget* bar) { pushWidget = bar; }

    int pageCount() const { return pages.size(); }
    qvmGraphicsItem* topPage() const { return pages.isEmpty() ? nullptr : pages.last(); }
    qvmGraphicsItem* pageAt(int index) const { return pages.value(index); }
    bool hasPage(const qvmGraphicsItem* page) const;
    // The search record of the list at the bottom of the stack, else the store's current record:
    // every page of the stack requests from that record's city.
    kwdFinder* baseCondition() const;
    QString cityCode() const;
    // Request identifiers still waiting for their reply (tests, diagnostics).
    QList<int> pendingRequests() const { return requests.keys(); }
    bool isCoasting() const { return coastTimer.isActive(); }
    double coastVelocity() const { return velocity; }
    bool isAnimating() const;
    // A scroll asked for by scrollLater() that has not been applied yet.
    bool isScrollPending() const;
    kwdShowScroll* messageBox() const { return message; }
    // The contact panel over the view: made on first use by the panel factory the program set (null
    // without one) and reused for every listing.
    qvmContactPanel* detailAction();
    // Hides the contact panel when there is one (a tap elsewhere, another page); true when it was shown.
    bool hideDetailAction();
    kwdScrollBar* scrollIndicator() const { return indicator; }
    TitleBar* titleBarWidget() const { return titleBar; }

    // Scales every slide's duration of every view (1: as designed; benchmarks that cycle through
    // pages shorten them).
    static void setSlideScale(double scale);
    static int slideDuration(int ms);

    // A page changed what it shows (its reply arrived or failed, rows were added): tells a screen
    // reader, when it is the page on top.
    void pageChanged(qvmGraphicsItem* page);
    // Puts the keyboard's focus on entry `index` of the top page and scrolls it into view.
    void setFocusEntry(int index);
    // Reloads the top page, or asks again for what failed; false when there is nothing to ask for.
    bool reload();
    // Counts the changes of the top page's entries, so that what was made of them can be dropped.
    int entryGeneration() const { return generation; }

    int hScrollPos() const { return hPos; }
    void setHScrollPos(int v);
    int hScrollNext() const { return hNext; }
    void setHScrollNext(int v);

Q_SIGNALS:
    void gotoCondition();
    void back();

public Q_SLOTS:
    void onHttpResponse(int id, int err);
    void onPendScroll();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void focusInEvent(QFocusEvent* event) override;

    // For views that keep a page of their own across clear():
    // Takes the bottom page out of the stack and the scene without deleting it and forgets its
    // requests; the caller owns it until putFirstPage(). Null when the stack is empty.
    qvmGraphicsItem* takeFirstPage();
    // Places a page as the bottom page at (0, 0) and fits the scene to the view's size. The page is
    // not activated, so a list placed here sends no request for the current search record.
    void putFirstPage(qvmGraphicsItem* page);
    // Deletes every page of the stack.
    void destroyPages();
    // Stops slides, coasting and pending scrolls and hides the indicator and the message box.
    void stopMotion();
    // Called after the top page has been swiped away and deleted (the stack is never empty then).
    virtual void pagePopped();

private:
    // The entries of the top page changed: drop what was made of them and tell a screen reader.
    void announce();
    void moveFocus(int delta);
    void moveFocusByPage(int delta);
    // The nearest actionable entry from `from` in direction `delta` (1 or -1), -1 when none.
    int nextActionable(const qvmGraphicsItem* page, int from, int delta) const;
    // The part of the scene the viewport shows.
    QRectF visibleSceneRect() const;
    // Takes the keyboard when a new page shows, unless the user is typing somewhere.
    void takeKeyboard();
    void placeIndicator();
    void fitSceneToTop();
    // Takes a page out of the scene and the stack, forgets its requests, and deletes it.
    void destroyPage(qvmGraphicsItem* page);
    void forgetRequestsOf(const qvmGraphicsItem* page);
    void setPushBarVisible(bool visible);

    QList<qvmGraphicsItem*> pages;
    kwdShowScroll* message = nullptr;
    qvmContactPanel* contactPanel = nullptr;
    QMap<int, qvmGraphicsItem*> requests;
    kwdScrollBar* indicator = nullptr;
    bool dragging = false;
    QPoint pressPoint;
    QPoint lastPoint;
    QDateTime pressTime;
    qvmGraphicsItem* pressedPage = nullptr;
    int pendingScroll = 0;
    QTimer* pendTimer = nullptr;
    int hPos = 0;
    QPropertyAnimation* posAnimation = nullptr;
    int posEnd = 0;
    int hNext = 0;
    QPropertyAnimation* nextAnimation = nullptr;
    int nextEnd = 0;
    TitleBar* titleBar = nullptr;
    QPointer<QWidget> pushWidget;
    double velocity = 0;
    QBasicTimer coastTimer;
    QDateTime coastStart;
    int generation = 0;
};

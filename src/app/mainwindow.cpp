#include "mainwindow.h"

#include "closehint.h"
#include "kwdannouncedlistings.h"
#include "kwdcheckbonus.h"
#include "kwddatabase.h"
#include "kwddesktopnotifier.h"
#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdlazypage.h"
#include "kwdnewhousereply.h"
#include "kwdnewhouses.h"
#include "kwdprizereply.h"
#include "kwdserviceconfig.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "kwdupdatehandler.h"
#include "kwdupdateinfo.h"
#include "kwdweblink.h"
#include "qvmdetailaction.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmnotice.h"
#include "qvmresultview.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetfavorite.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"
#include "qvmwidgetsystem.h"
#include "titlebar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedLayout>
#include <QTimer>
#include <QTimerEvent>
#include <QVBoxLayout>

MainWindow::TrayProbe MainWindow::trayProbe = &QSystemTrayIcon::isSystemTrayAvailable;

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    // Every page sends its requests through this holder, so it must exist before any page.
    holder = new qvmHttpHolder(this);
    // A phone block of any detail opens the contact panel.
    qvmDetailAction::install();

    buildForm();

    waitBox = new kwdShowWait(this);
    waitBox->hide();

    kwdStore* store = kwdStore::instance();
    if (store->config(kwdStore::cfgOnClose).toString() == QLatin1String("0")) {
        setAttribute(Qt::WA_QuitOnClose, false);
        QApplication::setQuitOnLastWindowClosed(false);
        askOnClose = true;
    } else {
        setAttribute(Qt::WA_QuitOnClose, store->config(kwdStore::cfgOnQuit).toString() != QLatin1String("0"));
        askOnClose = false;
    }

    popupOpacity = 1.0;
    firstNewHouseCheck = true;
    fadeStart = new QTimer(this);
    fadeStart->setSingleShot(true);
    connect(fadeStart, &QTimer::timeout, this, &MainWindow::closeNewHouseWidget);
    createTray();

    QTimer::singleShot(10000, this, &MainWindow::check_newhouse);
    QTimer::singleShot(200, this, qOverload<>(&MainWindow::check_update));
    QTimer::singleShot(5000, this, &MainWindow::check_notice);

    createShortcuts();
    updateWindowTitle();
}

MainWindow::~MainWindow()
{
    saveWindowGeometry();
    kwdStore* store = kwdStore::instance();
    store->saveFinders(store->finders);
    store->saveNewHouseFinders(store->newHouseFinders);
    if (newHousePopup) {
        newHousePopup->close();
        delete newHousePopup;
        newHousePopup = nullptr;
    }
    newHouseRecords.clear();
    qDeleteAll(seenListings);
    seenListings.clear();
    saveAnnounced();
    delete announced;
    announced = nullptr;
    delete holder;
    holder = nullptr;
    kwdDatabase::instance()->close();
}

void MainWindow::buildForm()
{
    setObjectName(QStringLiteral("MainWindow"));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralwidget"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The stack is placed first, so that each page is made in the parent it keeps.
    pages = new QStackedLayout;
    layout->addLayout(pages, 1);
    createPages();

    segment = new qvmWidgetSegement(central);
    segment->setObjectName(QStringLiteral("SegMainWindow"));
    segment->addSegment(tr("XinXiCHAXun"));
    segment->addSegment(tr("GPSGuide"));
    segment->addSegment(tr("Favorite"));
    segment->addSegment(tr("SystemMenu"));
    layout->addWidget(segment);
    connect(segment, &qvmWidgetSegement::valueChanged, pages, &QStackedLayout::setCurrentIndex);
    connect(segment, &qvmWidgetSegement::valueChanged, this, &MainWindow::updateWindowTitle);
    for (int i = 0; i < segment->count(); ++i)
        segment->button(i)->setToolTip(tr("%1 (Ctrl+%2)").arg(segment->button(i)->text()).arg(i + 1));
    segment->setValue(0);

    setCentralWidget(central);
}

void MainWindow::createPages()
{
    // The four pages in selector order: search, around me, favourites, system menu. Only the search
    // page is built at start; the others build themselves when first shown.
    auto* source = new qvmWidgetSource(pages->parentWidget());
    source->setObjectName(QStringLiteral("pageSource"));
    pages->addWidget(source);
    watchTitles(source);
    addLazyPage(QStringLiteral("pageAround"), [](QWidget* parent) { return new qvmWidgetAround(parent); });
    addLazyPage(QStringLiteral("pageFavorite"),
                [](QWidget* parent) { return new qvmWidgetFavorite(parent); });
    addLazyPage(QStringLiteral("pageSystem"), [](QWidget* parent) { return new qvmWidgetSystem(parent); });
}

void MainWindow::addLazyPage(const QString& name, const std::function<QWidget*(QWidget*)>& factory)
{
    auto* page = new kwdLazyPage(factory, pages->parentWidget());
    page->setObjectName(name);
    pages->addWidget(page);
    connect(page, &kwdLazyPage::built, this, [this](QWidget* content) {
        watchTitles(content);
        updateWindowTitle();
    });
}

void MainWindow::watchTitles(QWidget* page)
{
    const QList<TitleBar*> bars = page->findChildren<TitleBar*>();
    for (TitleBar* bar : bars)
        connect(bar, &TitleBar::titleChanged, this, &MainWindow::updateWindowTitle, Qt::UniqueConnection);
}

void MainWindow::updateWindowTitle()
{
    // The page's own title ("二手房"), else the name of the main page it is on ("信息查询").
    QString page;
    if (TitleBar* bar = currentTitleBar())
        page = bar->titleText();
    if (page.isEmpty() && segment && segment->button(segment->value()))
        page = segment->button(segment->value())->text();
    const QString program = tr("KWDPersonal");
    setWindowTitle(page.isEmpty() ? program : tr("%1 — %2").arg(page, program));
}

TitleBar* MainWindow::currentTitleBar() const
{
    QWidget* page = pages ? pages->currentWidget() : nullptr;
    if (auto* lazy = qobject_cast<kwdLazyPage*>(page))
        page = lazy->builtContent();
    if (!page)
        return nullptr;
    const QList<TitleBar*> bars = page->findChildren<TitleBar*>();
    for (TitleBar* bar : bars) {
        if (bar->isVisibleTo(page))
            return bar;
    }
    return bars.value(0);
}

qvmResultView* MainWindow::currentResultView() const
{
    QWidget* page = pages ? pages->currentWidget() : nullptr;
    if (auto* lazy = qobject_cast<kwdLazyPage*>(page))
        page = lazy->builtContent();
    if (!page)
        return nullptr;
    const QList<qvmResultView*> views = page->findChildren<qvmResultView*>();
    for (qvmResultView* view : views) {
        if (view->isVisibleTo(page))
            return view;
    }
    return nullptr;
}

void MainWindow::createShortcuts()
{
    // Window-wide, so they work from whatever has the focus; a text input keeps the keys that edit
    // text (Backspace, Home, ...), as Qt asks it first.
    const auto add = [this](const QList<QKeySequence>& keys, auto slot) {
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, this, slot);
        }
    };
    add({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Backspace)},
        &MainWindow::keyBack);
    add({QKeySequence(Qt::CTRL | Qt::Key_F)}, &MainWindow::keyConditionForm);
    add({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)}, &MainWindow::keyReload);
    add({QKeySequence(Qt::CTRL | Qt::Key_D)}, &MainWindow::keyFavorite);
    add({QKeySequence(Qt::CTRL | Qt::Key_Q)}, &MainWindow::quitApplication);
    add({QKeySequence(Qt::CTRL | Qt::Key_W)}, &MainWindow::keyHide);
    for (int i = 0; i < 4; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this);
        connect(shortcut, &QShortcut::activated, this, [this, i] { segment->setValue(i); });
    }
}

bool MainWindow::keyBack()
{
    // What lies on top goes first: a panel that rose over the window, then the contact panel.
    for (QWidget* panel : {static_cast<QWidget*>(updateHandler), static_cast<QWidget*>(bonus),
                           static_cast<QWidget*>(notice)}) {
        if (panel && panel->isVisible() && !panel->isWindow()) {
            panel->hide();
            return true;
        }
    }
    qvmResultView* view = currentResultView();
    if (view && view->hideDetailAction())
        return true;
    TitleBar* bar = currentTitleBar();
    if (bar && bar->backButton()->isVisible() && bar->backButton()->isEnabled()) {
        bar->backButton()->click();
        return true;
    }
    return false;
}

bool MainWindow::keyConditionForm()
{
    TitleBar* bar = currentTitleBar();
    if (!bar || !bar->conditionButton()->isVisible())
        return false;
    bar->conditionButton()->click();
    return true;
}

bool MainWindow::keyReload()
{
    qvmResultView* view = currentResultView();
    return view && view->reload();
}

bool MainWindow::keyFavorite()
{
    TitleBar* bar = currentTitleBar();
    if (!bar || !bar->favoriteButton()->isVisible())
        return false;
    bar->favoriteButton()->click();
    return true;
}

bool MainWindow::keyHide()
{
    if (!trayPresent())
        return false;
    hide();
    return true;
}

bool MainWindow::restoreWindowGeometry()
{
    const QRect saved = kwdStore::instance()->config(kwdStore::cfgWindowGeometry).toRect();
    if (!saved.isValid())
        return false;
    // A screen that has gone (a monitor unplugged, another resolution) must not leave the window
    // out of sight: only a place that fits whole on a present screen is taken back.
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().contains(saved)) {
            setGeometry(saved);
            return true;
        }
    }
    return false;
}

void MainWindow::saveWindowGeometry()
{
    const QRect r = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    if (r.isValid())
        kwdStore::instance()->setConfig(kwdStore::cfgWindowGeometry, r);
}

QWidget* MainWindow::pageContent(int index) const
{
    if (auto* lazy = qobject_cast<kwdLazyPage*>(pages->widget(index)))
        return lazy->content();
    return pages->widget(index);
}

void MainWindow::createTray()
{
    actList = new QAction(tr("&List"), this);
    actList->setData(1);
    actSetting = new QAction(tr("&Setting"), this);
    actSetting->setData(2);
    actOpen = new QAction(tr("&Open"), this);
    actOpen->setData(3);
    actExit = new QAction(tr("E&xit"), this);
    actExit->setData(4);
    for (QAction* action : {actList, actSetting, actOpen, actExit})
        connect(action, &QAction::triggered, this, &MainWindow::on_menu_trigger);

    sourceMenu = new QMenu(tr("show source"), this);
    sourceMenu->addAction(actSetting);
    sourceMenu->addAction(actList);
    trayMenu = new QMenu(this);
    trayMenu->addAction(actOpen);
    trayMenu->addMenu(sourceMenu);
    trayMenu->addSeparator();
    trayMenu->addAction(actExit);

    trayPresent();
}

bool MainWindow::trayPresent()
{
    trayAvailable = trayProbe();
    if (trayAvailable && !tray)
        createTrayIcon();
    return trayAvailable;
}

void MainWindow::createTrayIcon()
{
    const QPixmap icon = kwdTheme::instance()->image(kwdTheme::AppIcon);
    tray = new QSystemTrayIcon(this);
    if (!icon.isNull())
        tray->setIcon(QIcon(icon.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    tray->setToolTip(tr("kwd"));
    tray->setContextMenu(trayMenu);
    tray->setVisible(true);
    connect(tray, &QSystemTrayIcon::activated, this, &MainWindow::trayIconActivated);
}

void MainWindow::check_prize(bool bauto)
{
    if (!holder)
        return;
    if (prizeRequests[0] || prizeRequests[1]) {
        // A press during the automatic check makes it the user's: it waits in the panel and ends
        // with an answer there, instead of being ignored.
        if (!bauto && prizeAuto) {
            prizeAuto = false;
            ensureBonus()->showPrize(QString(), QString());
        }
        return;
    }
    prizeAuto = bauto;
    if (!bauto)
        ensureBonus()->showPrize(QString(), QString());
    prizeRequests[0] =
        holder->get(kwdServiceConfig::instance().statisticsBase() +
                        QStringLiteral("/kwd/webservice/kwdsnprize.php?sn=%1").arg(kwdDevice::id()),
                    this);
}

void MainWindow::check_prize()
{
    check_prize(false);
}

kwdCheckBonus* MainWindow::ensureBonus()
{
    if (!bonus)
        bonus = new kwdCheckBonus(this);
    return bonus;
}

void MainWindow::onPrizeReply(int id, int err)
{
    prizeRequests[0] = 0;
    if (err != 0) {
        if (!prizeAuto && bonus)
            bonus->showMessage(tr("Failed to check bonus,try later..."));
        return;
    }
    const qvmHttpRequest* r = holder->request(id);
    const kwdPrizeReply reply = kwdPrizeReply::parsePrize(r && r->body ? *r->body : QByteArray());
    if (!reply.readable) {
        // An automatic check shows nothing but a won prize.
        if (!prizeAuto)
            ensureBonus()->showMessage(tr("Failed to check bonus,try later...") + QLatin1Char('\n') +
                                       reply.error);
        return;
    }
    kwdStore::instance()->setConfig(kwdStore::prizeFlag,
                                    reply.status ? QStringLiteral("1") : QStringLiteral("0"));
    if (reply.unclaimedPrize()) {
        ensureBonus()->showPrize(reply.prize, reply.code);
        return;
    }
    if (!prizeAuto)
        prizeRequests[1] =
            holder->get(kwdServiceConfig::instance().statisticsBase() +
                            QStringLiteral("/kwd/webservice/kwdsnview.php?sn=%1").arg(kwdDevice::id()),
                        this);
}

void MainWindow::onCountReply(int id, int err)
{
    prizeRequests[1] = 0;
    if (err != 0) {
        if (!prizeAuto && bonus)
            bonus->showMessage(tr("Failed to check bonus status,try later..."));
        return;
    }
    const qvmHttpRequest* r = holder->request(id);
    const kwdPrizeReply reply = kwdPrizeReply::parseCounts(r && r->body ? *r->body : QByteArray());
    if (!reply.readable) {
        ensureBonus()->showMessage(tr("Failed to check bonus status,try later...") + QLatin1Char('\n') +
                                   reply.error);
        return;
    }
    ensureBonus()->showCounts(reply.today, reply.week, reply.code);
}

void MainWindow::onHttpResponse(int id, int err)
{
    if (!holder)
        return;
    if (id != 0 && id == updateRequest)
        onUpdateReply(id, err);
    else if (id != 0 && id == prizeRequests[0])
        onPrizeReply(id, err);
    else if (id != 0 && id == prizeRequests[1])
        onCountReply(id, err);
    if (id != 0 && id == newHouseRequest)
        onNewHouseReply(id, err);
    // The record is always forgotten afterwards (the usage report's among them, whose identifier
    // nobody keeps).
    holder->remove(id);
}

kwdUpdateHandler* MainWindow::ensureUpdateHandler()
{
    if (!updateHandler) {
        updateHandler = new kwdUpdateHandler(this);
        connect(updateHandler, &kwdUpdateHandler::doUpdate, this, &MainWindow::doUpdate);
    }
    return updateHandler;
}

void MainWindow::check_update(bool bauto)
{
    // Every automatic check first reports the device's use to the statistics host; nobody waits for
    // the answer, so no identifier is kept and onHttpResponse only forgets it.
    if (bauto && holder) {
        holder->login(kwdDevice::id(), QString(), this);
        check_prize(true);
    }
    if (!kwdUpdateInfo::checkBuiltIn()) {
        // Built for a distribution: its package manager brings new versions, nothing is asked here.
        if (!bauto) {
            ensureUpdateHandler()->showMessage(tr("Updates come with the system's package manager"),
                                               QString());
            updateHandler->popUp();
        }
        return;
    }
    kwdStore* store = kwdStore::instance();
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    const QDateTime now = QDateTime::currentDateTime();
    if (bauto) {
        const QDateTime last =
            QDateTime::fromString(store->config(kwdStore::cfgLastUpdate).toString(), format);
        // An unreadable time, or one ahead of the clock (the clock was set back), would hold the
        // check off for good; both count as due.
        if (last.isValid() && last <= now &&
            last.daysTo(now) < store->config(kwdStore::cfgUpdateInterval).toInt())
            return;
    } else {
        ensureUpdateHandler()->showMessage(tr("Checking Update..."), QString());
        updateHandler->popUp();
    }
    store->setConfig(kwdStore::cfgLastUpdate, now.toString(format));
    // Set only with the request it judges: an automatic check held off by the interval must not turn
    // a pending check by hand into an automatic one.
    updateAuto = bauto;
    if (holder)
        updateRequest = holder->get(store->config(kwdStore::urlUpdate).toString(), this);
}

void MainWindow::check_update()
{
    check_update(true);
}

void MainWindow::onUpdateReply(int id, int err)
{
    updateRequest = 0;
    if (err != 0) {
        if (updateHandler)
            updateHandler->showMessage(tr("Check update failed"), QString());
        return;
    }
    const qvmHttpRequest* r = holder->request(id);
    const kwdUpdateInfo info = kwdUpdateInfo::parse(r && r->body ? *r->body : QByteArray());
    kwdStore* store = kwdStore::instance();
    const int known =
        updateAuto ? store->config(kwdStore::cfgLastUpdateBuild).toInt() : kwdUpdateInfo::ownBuild;
    if (info.build > kwdUpdateInfo::threshold(updateAuto, known)) {
        store->setConfig(kwdStore::cfgLastUpdateBuild, info.build);
        const QString text = tr("Found new version: ") + info.version + QLatin1Char('\n') +
                             tr("Update Time: ") + info.updateTime + QLatin1Char('\n') + tr("Update Now?");
        if (updateHandler) {
            updateHandler->showMessage(text, info.url);
        } else {
            ensureUpdateHandler()->showMessage(text, info.url);
            updateHandler->popUp();
        }
    } else if (updateHandler) {
        updateHandler->showMessage(tr("You have latest app"), QString());
    }
}

void MainWindow::check_notice()
{
    if (!notice)
        notice = new qvmnotice(this);
    notice->check();
}

void MainWindow::check_newhouse()
{
    kwdStore* store = kwdStore::instance();
    kwdFinder* push = store->currentNewHouseFinder;
    if (!push || push->field(kwdFinder::PushFlag) != QLatin1String("1"))
        return;
    if (!newHousePopup) {
        newHousePopup = new kwdNewHouses;
        connect(newHousePopup, &kwdNewHouses::look, this, &MainWindow::onLookNewHouse);
        newHousePopup->installEventFilter(this);
    }
    if (firstNewHouseCheck && holder) {
        firstNewHouseCheck = false;
        const QString url = store->listUrl(push->category == 2 ? 2 : 3,
                                           store->cityCode(push->field(kwdFinder::City)), false) +
                            QStringLiteral("?page=1&percount=%1&").arg(50) + push->buildQuery();
        newHouseRequest = holder->get(url, this);
    }
    if (newHouseTimer)
        killTimer(newHouseTimer);
    const QString interval = push->field(kwdFinder::PushInterval);
    newHouseTimer = startTimer(interval == QLatin1String("0")   ? pollIntervals[0]
                               : interval == QLatin1String("1") ? pollIntervals[1]
                                                                : pollIntervals[2]);
}

void MainWindow::pollNewHouses()
{
    ++pollTicks;
    kwdStore* store = kwdStore::instance();
    kwdFinder* push = store->currentNewHouseFinder;
    if (!push || push->field(kwdFinder::PushFlag) != QLatin1String("1") || !holder)
        return;
    const QString url =
        kwdServiceConfig::instance().statisticsBase() +
        (push->category == 2 ? QStringLiteral("/kwdTT/forsalequery") : QStringLiteral("/kwdTT/leasequery")) +
        QStringLiteral("?city=%1&page=1&percount=%2&")
            .arg(store->cityCode(push->field(kwdFinder::City)))
            .arg(50) +
        push->buildQuery();
    // Only the latest poll is tracked; an earlier reply arriving later is only forgotten.
    newHouseRequest = holder->get(url, this);
}

void MainWindow::onNewHouseReply(int id, int err)
{
    newHouseRequest = 0;
    newHouseCount = 0;
    if (err != 0)
        return;
    kwdStore* store = kwdStore::instance();
    kwdFinder* push = store->currentNewHouseFinder;
    const qvmHttpRequest* r = holder->request(id);
    if (push && r && r->body) {
        // Read at the first reply rather than at start: without a subscription it is never needed.
        if (!announced) {
            announced = new kwdAnnouncedListings(store->dataFile(QStringLiteral("announced")));
            announced->load();
        }
        const kwdNewHouseReply reply = kwdNewHouseReply::read(*r->body, *push, *announced, seenListings);
        if (!reply.ids.isEmpty()) {
            push->setField(reply.kind == 2 ? kwdFinder::PushLastSale : kwdFinder::PushLastLease,
                           reply.ids.first());
            announced->add(reply.kind, reply.ids);
            newHouseCount = reply.ids.size();
            addNewHouses(reply.rows, reply.kind);
            // Written right after the popup is up (a durable write costs more than the rest of the
            // reply), not at the end of the run: a run that ends abnormally does not announce these
            // again.
            if (!announcedDirty) {
                announcedDirty = true;
                QTimer::singleShot(0, this, &MainWindow::saveAnnounced);
            }
        }
    }
    fadeStart->start(fadeDelay);
}

void MainWindow::saveAnnounced()
{
    if (!announcedDirty || !announced)
        return;
    announcedDirty = false;
    announced->save();
}

void MainWindow::addNewHouses(const QList<qvmListItem*>& rows, int kind)
{
    // Listings announced before and not yet looked at stay in the list, below the newer ones: each
    // is announced only once, so dropping it here would lose it for good.
    if (newHouseLooked || kind != newHouseKind)
        newHouseRecords = rows;
    else
        newHouseRecords = rows + newHouseRecords;
    newHouseLooked = false;
    newHouseKind = kind;
    fadeStart->stop();
    stopFade();
    if (newHousePopup)
        newHousePopup->setCount(int(newHouseRecords.size()));
    Q_EMIT showBtnNew();
    if (!isVisible() || isMinimized())
        notifyDesktop();
}

void MainWindow::setNotifier(kwdDesktopNotifier* n)
{
    if (notifier && notifier != n)
        delete notifier;
    notifier = n;
    if (notifier)
        connect(notifier, &kwdDesktopNotifier::activated, this, &MainWindow::onLookNewHouse);
}

void MainWindow::notifyDesktop()
{
    if (!notifier)
        setNotifier(new kwdDesktopNotifier(this));
    const QString summary = kwdNewHouses::tr("最新房源提醒：");
    notifier->notify(summary, kwdNewHouses::tr("%1new house").arg(newHouseRecords.size()));
}

void MainWindow::stopFade()
{
    if (fadeTimer)
        killTimer(fadeTimer);
    fadeTimer = 0;
    fadeSteps = 0;
    popupOpacity = 1.0;
    applyOpacity();
}

void MainWindow::applyOpacity()
{
    if (newHousePopup && newHousePopup->windowOpacity() != popupOpacity)
        newHousePopup->setWindowOpacity(popupOpacity);
}

void MainWindow::closeNewHouseWidget()
{
    fadeStart->stop();
    stopFade();
    // Nothing to fade out: a reply without news while the popup is closed.
    if (!newHousePopup || !newHousePopup->isVisible())
        return;
    fadeTimer = startTimer(fadeTick);
}

void MainWindow::fadeStep()
{
    // Counted in steps rather than by subtracting 0.02 repeatedly, which drifts past 0.4.
    if (fadeSteps < 30) {
        ++fadeSteps;
        popupOpacity = 1.0 - 0.02 * fadeSteps;
    } else {
        killTimer(fadeTimer);
        fadeTimer = 0;
        fadeSteps = 0;
        popupOpacity = 1.0;
        if (newHousePopup)
            newHousePopup->close();
    }
    applyOpacity();
}

void MainWindow::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != 0 && event->timerId() == newHouseTimer)
        pollNewHouses();
    else if (event->timerId() != 0 && event->timerId() == fadeTimer)
        fadeStep();
    else
        QMainWindow::timerEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == newHousePopup && newHousePopup) {
        switch (event->type()) {
        case QEvent::Enter:
            // The user reads it: no fade now, nor one still pending from before.
            fadeStart->stop();
            stopFade();
            break;
        case QEvent::Leave:
            fadeStart->start(leaveDelay);
            break;
        case QEvent::Close:
            fadeStart->stop();
            stopFade();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::onLookNewHouse()
{
    Q_EMIT hideBtnNew();
    newHouseLooked = true;
    segment->setValue(0);
    pages->setCurrentIndex(0);
    if (auto* source = qobject_cast<qvmWidgetSource*>(pages->widget(0)))
        source->showPushResults(newHouseRecords, newHouseKind);
    if (notifier)
        notifier->withdraw();
    if (isVisible() && !isMinimized()) {
        setFocus();
        activateWindow();
    } else {
        showNormal();
        raise();
        setFocus();
        activateWindow();
    }
}

void MainWindow::showFromTray()
{
    showNormal();
    raise();
}

void MainWindow::on_menu_trigger()
{
    auto* action = qobject_cast<QAction*>(sender());
    if (!action)
        return;
    switch (action->data().toInt()) {
    case 1:
        showFromTray();
        onLookNewHouse();
        break;
    case 2:
        showFromTray();
        segment->setValue(0);
        pages->setCurrentIndex(0);
        if (auto* source = qobject_cast<qvmWidgetSource*>(pages->widget(0)))
            source->onSearchFromAreaView(true);
        break;
    case 3:
        showFromTray();
        break;
    case 4:
        quitApplication();
        break;
    default:
        break;
    }
}

void MainWindow::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    showFromTray();
    activateWindow();
}

void MainWindow::doUpdate(QString str)
{
    // Called from the prompt's own button: it goes once that call has returned.
    if (updateHandler) {
        updateHandler->hide();
        updateHandler->deleteLater();
        updateHandler = nullptr;
    }
    if (!str.isEmpty())
        kwdWebLink::open(str);
}

MainWindow::CloseAction MainWindow::closeWithoutPrompt()
{
    if (testAttribute(Qt::WA_QuitOnClose))
        return CloseAndQuit;
    // Keep running: a window hidden without a tray could never be reached again, so it goes to
    // the task bar, where the push's desktop notification can still bring it back.
    return trayPresent() ? CloseToTray : CloseMinimized;
}

MainWindow::CloseAction MainWindow::applyCloseAnswer(QCloseEvent* event, int result, int choice, int remind)
{
    if (result != CloseHint::Confirmed) {
        event->ignore();
        return CloseKeepOpen;
    }
    if (remind == CloseHint::DontAsk)
        askOnClose = false;
    // The tray as it was when the prompt showed, so that what happens is what its text promised.
    const CloseAction action = choice != CloseHint::ToTray ? CloseAndQuit
                               : trayAvailable             ? CloseToTray
                                                           : CloseMinimized;
    if (action == CloseMinimized) {
        event->ignore();
        showMinimized();
        return action;
    }
    if (action == CloseAndQuit)
        quitApplication();
    QMainWindow::closeEvent(event);
    return action;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveWindowGeometry();
    if (!askOnClose) {
        if (closeWithoutPrompt() == CloseMinimized) {
            event->ignore();
            showMinimized();
            return;
        }
        QMainWindow::closeEvent(event);
        return;
    }
    if (!closeHint)
        closeHint = new CloseHint(this);
    closeHint->setModal(true);
    closeHint->prepare(trayPresent());
    closeHint->exec();
    applyCloseAnswer(event, closeHint->result, closeHint->choice, closeHint->remind);
}

void MainWindow::quitApplication()
{
    saveWindowGeometry();
    // exit() ends the event loop at once; quit() would first try to close every window, which runs
    // the close prompt again (or lets it veto the exit the user just chose).
    QCoreApplication::exit(0);
}

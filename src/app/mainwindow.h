#pragma once

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>

class CloseHint;
class QAction;
class QCloseEvent;
class QMenu;
class QStackedLayout;
class QTimer;
class TitleBar;
class qvmResultView;
class kwdAnnouncedListings;
class kwdDesktopNotifier;
class kwdFinder;
class kwdNewHouses;
class kwdCheckBonus;
class kwdShowWait;
class kwdUpdateHandler;
class qvmHttpHolder;
class qvmListItem;
class qvmWidgetSegement;
class qvmnotice;

// The one top-level window: owns the request holder, the four pages and their selector, the shared
// wait box, the tray icon and menu, the close prompt, and the timers and request identifiers of the
// background checks (update, notices, new-listing push, prize draw).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // What a close of the window does once the prompt (if any) has been answered.
    enum CloseAction
    {
        CloseKeepOpen,
        CloseToTray,
        CloseAndQuit,
        // Keeps running without a tray: the window goes to the task bar instead of out of reach.
        CloseMinimized
    };
    using TrayProbe = bool (*)();
    // Asks whether a system tray is there now; Qt's answer unless a test sets another.
    static TrayProbe trayProbe;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Applies one answer of the close prompt (result, choice, remind as CloseHint records them) to a
    // close event: updates askOnClose, accepts or ignores the event and quits when asked to.
    CloseAction applyCloseAnswer(QCloseEvent* event, int result, int choice, int remind);
    // What a close does when the prompt is not shown.
    CloseAction closeWithoutPrompt();
    // Asks for the tray now (it can come or go while the program runs), records the answer in
    // trayAvailable and makes the tray icon when a tray has appeared since the start.
    bool trayPresent();
    // The content of page `index` of the selector, built now if it was not yet.
    QWidget* pageContent(int index) const;
    // One step of the popup's fade (what each tick of fadeTimer does).
    void fadeStep();
    // The desktop notifier for a hidden window (owned; the session bus's unless one is set).
    void setNotifier(kwdDesktopNotifier* n);

    // The size and place of the last run, when they fit on a screen there is now; false otherwise.
    bool restoreWindowGeometry();
    void saveWindowGeometry();

    // What the keys do (the same on every page); each returns whether it did something.
    // Back: closes what lies on top (a popup panel, the contact panel), else presses the back button.
    bool keyBack();
    bool keyConditionForm();
    bool keyReload();
    bool keyFavorite();
    // Hides the window to the tray, when there is one.
    bool keyHide();
    // The title bar and result view of the page shown now (null when it has none or none visible).
    TitleBar* currentTitleBar() const;
    qvmResultView* currentResultView() const;

    QStackedLayout* pages = nullptr;
    qvmWidgetSegement* segment = nullptr;
    CloseHint* closeHint = nullptr;
    bool askOnClose = false;
    bool firstNewHouseCheck = true;
    QAction* actList = nullptr;
    QAction* actSetting = nullptr;
    QAction* actOpen = nullptr;
    QAction* actExit = nullptr;
    QMenu* sourceMenu = nullptr;
    QMenu* trayMenu = nullptr;
    // The tray's presence as last asked: at the start, at every close.
    bool trayAvailable = false;
    QSystemTrayIcon* tray = nullptr;
    bool updateAuto = true;
    kwdUpdateHandler* updateHandler = nullptr;
    int updateRequest = 0;
    qvmnotice* notice = nullptr;
    int prizeRequests[2] = {0, 0};
    bool prizeAuto = false;
    kwdCheckBonus* bonus = nullptr;
    int newHouseRequest = 0;
    int newHouseTimer = 0;
    int fadeTimer = 0;
    int newHouseKind = -1;
    int newHouseCount = 0;
    double popupOpacity = 1.0;
    QList<qvmListItem*> newHouseRecords;
    QMap<QString, qvmListItem*> seenListings;
    kwdNewHouses* newHousePopup = nullptr;
    // Listings announced in this and earlier runs, per kind (the file "announced").
    kwdAnnouncedListings* announced = nullptr;
    bool announcedDirty = false;
    kwdDesktopNotifier* notifier = nullptr;
    // Rows of newHouseRecords the user has not looked at yet keep adding up until they do.
    bool newHouseLooked = true;
    // Timings of the push, in milliseconds: poll for field 25 "0", "1" and anything else, the fade
    // after a reply, the fade after the mouse left the popup, and one fade step.
    int pollIntervals[3] = {300000, 600000, 1800000};
    int fadeDelay = 5000;
    int leaveDelay = 3000;
    int fadeTick = 100;
    // Poll ticks seen in this run, answered or not (the subscription may be off).
    int pollTicks = 0;
    // Fade steps taken in the running fade; 30 steps take the popup from 1.0 to 0.4.
    int fadeSteps = 0;
    // The pending start of a fade (after a reply or after the mouse left); one at a time.
    QTimer* fadeStart = nullptr;

    qvmHttpHolder* holder = nullptr;
    kwdShowWait* waitBox = nullptr;

Q_SIGNALS:
    void showBtnNew();
    void hideBtnNew();

public Q_SLOTS:
    void check_prize(bool bauto);
    void check_prize();
    void onHttpResponse(int id, int err);
    void check_update(bool bauto);
    void check_update();
    void check_notice();
    void check_newhouse();
    void closeNewHouseWidget();
    void onLookNewHouse();
    void on_menu_trigger();
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void doUpdate(QString str);

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Ends the run; a separate step so that the close decisions can be exercised without quitting.
    virtual void quitApplication();

private:
    void buildForm();
    void createShortcuts();
    // Follows the title bars of a page so that the window's title names what is shown.
    void watchTitles(QWidget* page);
    void updateWindowTitle();
    void createPages();
    void addLazyPage(const QString& name, const std::function<QWidget*(QWidget*)>& factory);
    void createTray();
    void createTrayIcon();
    void showFromTray();
    kwdUpdateHandler* ensureUpdateHandler();
    kwdCheckBonus* ensureBonus();
    void onUpdateReply(int id, int err);
    void onPrizeReply(int id, int err);
    void onCountReply(int id, int err);
    void pollNewHouses();
    void onNewHouseReply(int id, int err);
    void addNewHouses(const QList<qvmListItem*>& rows, int kind);
    void stopFade();
    void applyOpacity();
    void saveAnnounced();
    void notifyDesktop();
};

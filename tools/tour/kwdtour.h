#pragma once

#include <QDir>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>

class MainWindow;
class kwdLocation;
class QPoint;
class QMessageBox;
class QWidget;
class qvmResultListItem;
class qvmResultView;
class qvmWidgetAround;
class qvmWidgetGPSGuide;
class qvmWidgetSource;

// The screenshot tour: drives the main window with synthetic taps and drags through a search (area
// page, lists, paging, detail, pictures, district, the list walked with keys, condition form, other
// categories), the around-me
// page, the contact panel, the favourites page, the system menu (About, update check, notice, prize
// draw), the publication of a listing and the new-listing push, and saves a picture of the window
// after every step. Owns nothing but its bookkeeping; the window is the caller's.
class kwdTour
{
public:
    // `drive` is the local service's simulated drive (host:port of its NMEA), which the guide
    // steps follow.
    kwdTour(MainWindow* window, const QString& outDir, const QString& drive);

    // Runs every step; false (with the reason on stderr) as soon as one does not reach its page.
    bool run();

    QStringList shots() const { return written; }

private:
    bool step(const char* name, const std::function<bool()>& action);
    bool shot(const QString& name);
    bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000);
    // Waits until the view stands still: no slide, no coast, no list request in flight.
    bool settle(int timeoutMs = 10000);
    void tap(QWidget* widget, const QPoint& pos);
    void tapButton(const char* objectName);
    // A key pressed and released where the keyboard's focus is, as a user types it.
    void key(int key);
    void drag(const QPoint& from, const QPoint& to, int steps);
    qvmResultListItem* topList() const;
    // Scrolls the view so that the scene rectangle's top is visible and returns its viewport point.
    QPoint bringIntoView(const QRect& sceneRect);
    bool search(const char* button);
    // Sets the local service's documents through its control host; true on "ok", with the
    // answer's text in `answer` when given.
    bool control(const QString& pathAndQuery, QString* answer = nullptr);
    bool systemSteps();
    // The contact panel of an agency band with two numbers: list, buttons, SMS, add contact, call.
    bool runContact();
    // Publication: log in as the sample publisher, fill and post a sale listing with a photo, find
    // it in the city's sale list, log out.
    bool publishSteps();
    // The last message box, shown without blocking so that the shot can include it.
    void closeBox();
    // The around-me page: locating, the address, a sale search around the user, its conditions, back.
    bool runAround();
    bool runGuide(qvmWidgetAround* around);
    // Stops the simulated drive's clock and makes it the position source's receiver.
    bool useDrive(kwdLocation* location);
    // Fast-forwards the drive by `metres` and waits for the guide to follow.
    bool driveOn(qvmWidgetGPSGuide* guide, double metres);
    // Stars a sale and a lease, shows the favourites page in each category, opens a favourite,
    // unstars it and goes back to the shorter list.
    bool runFavorites();
    // From the search page's results back to its area page.
    bool backToArea();
    // Searches with the button, opens each of the first `count` rows and stars it.
    bool starRows(const char* button, int count);
    // The new-listing push: the subscription form, the popup of new listings, their page, cancelling.
    bool pushSteps();
    // The close prompt on a desktop without a system tray, cancelled.
    bool closeSteps();

    MainWindow* window = nullptr;
    qvmWidgetSource* source = nullptr;
    qvmResultView* view = nullptr;
    QDir dir;
    QString driveAddress;
    double driveSpeed = 0;
    int number = 0;
    QStringList written;
    QString failure;
    QPointer<QMessageBox> box;
    // A dialog that runs its own loop, grabbed inside it: drawn over the next shot.
    QPixmap overlay;
    QStringList boxTexts;
};

#pragma once

#include "kwdguidetrail.h"

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

class GuideTitle;
class QLabel;
class QSpacerItem;
class kwdFinder;
class kwdLocation;
class qvmGuideHeader;
class qvmGuideRequest;
class qvmViewFavorite;

// The GPS price guide, page 3 of the around-me page: follows the user, asks for the price level and
// the compounds near every request point, charts the last kilometres in its header band and lists
// the compounds below. Owns the trail, the header band, its title and its compound list.
class qvmWidgetGPSGuide : public QWidget
{
    Q_OBJECT
public:
    explicit qvmWidgetGPSGuide(kwdLocation* source, QWidget* parent = nullptr);
    ~qvmWidgetGPSGuide() override;

    void setArea(QString jm, int range);
    void startGuide();
    void stopGuide();
    void updateNow();
    void clearTrail();

    int headerHeight() const { return bandHeight; }
    // What the header band's chart shows, in words: the latest average price, the speed and the
    // last points of the trail.
    QString chartName() const;
    // The chart as a screen reader finds it: an image over the band, named by chartName().
    QLabel* chartImage() const { return chart; }

    QString jm;
    QString city;
    double range = 1000;
    // The request points, newest first, and where and when the guide asks next. The page's
    // position members below are the trail's own, so there is one bookkeeping of them.
    kwdGuideTrail trail;
    double& distanceStep = trail.distanceStep;
    double& minInterval = trail.minInterval;
    bool active = false;
    bool& tracking = trail.tracking;
    double& latitude = trail.latitude;
    double& longitude = trail.longitude;
    double& requestLatitude = trail.requestLatitude;
    double& requestLongitude = trail.requestLongitude;
    double& sinceRequest = trail.sinceRequest;
    double& travelled = trail.travelled;
    double& lastStep = trail.lastStep;
    // Steady-clock milliseconds, so that midnight or a clock change never blocks a manual update.
    qint64& lastRequestTime = trail.lastRequestTime;
    double speed = 0;
    int guideType = 1;
    QTimer animation;
    int phase = 0;
    GuideTitle* title = nullptr;
    qvmViewFavorite* listView = nullptr;
    kwdFinder* condition = nullptr;
    QRect tapRect;
    bool pressed = false;

Q_SIGNALS:
    void requestDetailResult(float lat, float lon, float range);

public Q_SLOTS:
    void onPositionChanged(double lat, double lon);
    void onAddressChange(QString province, QString city, QString address);
    void onHttpResponse(int id, int err);
    void onGPSTimer();
    void onHATitleAction();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void handlePosition(double lat, double lon);
    // The title tells that the city has no code to ask with, and what to do.
    void sayNoCityCode();
    void sendRequest();
    void repaintBand();
    QRect band() const;

    kwdLocation* location = nullptr;
    qvmGuideHeader* header = nullptr;
    int bandHeight = 0;
    QLabel* chart = nullptr;
};

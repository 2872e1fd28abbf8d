#pragma once

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

class GuideTitle;
class QSpacerItem;
class kwdFinder;
class kwdGuideTrail;
class kwdLocation;
class qvmGuideHeader;
class qvmGuideRequest;
class qvmViewFavorite;

// The GPS price guide, page 3 of the around-me page: follows the user, asks for the price level and
// the compounds near every request point, charts the last kilometres in its header band and lists
// the compounds below. Owns the trail, the header painter, its title and its compound list.
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

    const kwdGuideTrail& guideTrail() const { return *trail; }
    qvmViewFavorite* compoundList() const { return listView; }
    GuideTitle* guideTitle() const { return title; }
    int headerHeight() const { return bandHeight; }

    QString jm;
    QString city;
    double range = 1000;
    bool active = false;
    double speed = 0;
    int guideType = 1;
    int phase = 0;
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

private:
    void handlePosition(double lat, double lon);
    void sendRequest();
    void repaintBand();
    QRect band() const;

    kwdLocation* location = nullptr;
    kwdGuideTrail* trail = nullptr;
    qvmGuideHeader* header = nullptr;
    QTimer animation;
    GuideTitle* title = nullptr;
    qvmViewFavorite* listView = nullptr;
    int bandHeight = 0;
};

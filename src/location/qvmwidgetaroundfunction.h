#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QTimer;
class QVBoxLayout;
class kwdFinder;
class qvmNavButton;
class qvmWidgetSegement;

// The around-me form: the address line, the radius choice and the five navigation buttons. Starts
// positioning when shown, lets it go when the around-me page has stayed hidden, and prepares the
// around-me search condition. Owns the form's widgets, the condition and the monitor timer.
class qvmWidgetAroundFunction : public QWidget
{
    Q_OBJECT
public:
    explicit qvmWidgetAroundFunction(QWidget* parent = nullptr);
    ~qvmWidgetAroundFunction() override;

    kwdFinder* condition() const { return cond; }
    // The radius in metres chosen in the segment.
    int range() const;
    // Rich text of the message shown when there is no position source.
    static QString noGpsText(const QString& siteUrl);
    // Positioning for whichever page of the around-me stack is shown: started when it is off, and
    // the monitor armed while the form itself is out of sight.
    void startPositioning();

    QLabel* lblGeoInfo = nullptr;
    QCheckBox* chkUseSatellite = nullptr;
    qvmWidgetSegement* segGPSRange = nullptr;
    QWidget* widgetBtns = nullptr;
    QWidget* widgetButton = nullptr;
    qvmNavButton* btnSale = nullptr;
    qvmNavButton* btnLease = nullptr;
    qvmNavButton* btnHA = nullptr;
    qvmNavButton* btnGPSGuide = nullptr;
    qvmNavButton* btnGPSGuideLease = nullptr;
    // Ticks every two minutes while the form is hidden and positioning runs.
    QTimer* monitor = nullptr;
    QString city;
    QString address;
    int hiddenTicks = 0;

Q_SIGNALS:
    void doSearch(QString address, QString range);
    void doGPSGuide(QString jm, int range, int type);

public Q_SLOTS:
    void onBtnClicked();
    void onBtnGPSGuideClicked();
    void onPositionChanged(double lat, double lon);
    void onAddressChanged(QString province, QString city, QString address);
    void onMonitorTimeout();
    void onLinkActive(QString url);
    void onChkUseSatellite(bool checked);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    // The accepted city of the last lookup, else the city of the store's current search.
    QString searchCity() const;
    void notSupported(const QString& cityName);

    kwdFinder* cond = nullptr;
};

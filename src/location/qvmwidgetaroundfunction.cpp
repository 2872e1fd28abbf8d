#include "qvmwidgetaroundfunction.h"

#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdlog.h"
#include "kwdmessage.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "qvmnavbutton.h"
#include "qvmwidgetsegement.h"

#include <QCheckBox>
#include <QDebug>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpacerItem>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

qvmWidgetAroundFunction::qvmWidgetAroundFunction(QWidget* parent) : QWidget(parent)
{
    cond = new kwdFinder;
    buildForm();

    segGPSRange->addSegment(tr("500M"));
    segGPSRange->addSegment(tr("1000M"));
    segGPSRange->addSegment(tr("2000M"));
    cond->setField(kwdFinder::Mode, QStringLiteral("102"));

    const kwdFinder* current = kwdStore::instance()->currentFinder;
    const int radius = current ? current->field(kwdFinder::Radius).toInt() : 0;
    segGPSRange->setValue(radius == 500 ? 0 : radius == 2000 ? 2 : 1);

    lblGeoInfo->setText(tr("Locating..."));
    chkUseSatellite->setChecked(false);
    chkUseSatellite->hide();

    for (qvmNavButton* b : {btnSale, btnLease, btnHA})
        connect(b, &QPushButton::clicked, this, &qvmWidgetAroundFunction::onBtnClicked);
    for (qvmNavButton* b : {btnGPSGuide, btnGPSGuideLease})
        connect(b, &QPushButton::clicked, this, &qvmWidgetAroundFunction::onBtnGPSGuideClicked);
    if (kwdLocation* location = kwdLocation::instance()) {
        connect(location, &kwdLocation::positionChange, this, &qvmWidgetAroundFunction::onPositionChanged);
        connect(location, &kwdLocation::addressChange, this, &qvmWidgetAroundFunction::onAddressChanged);
    }
    connect(lblGeoInfo, &QLabel::linkActivated, this, &qvmWidgetAroundFunction::onLinkActive);

    monitor = new QTimer(this);
    monitor->setInterval(120000);
    connect(monitor, &QTimer::timeout, this, &qvmWidgetAroundFunction::onMonitorTimeout);
    widgetButton->hide();
}

qvmWidgetAroundFunction::~qvmWidgetAroundFunction()
{
    delete cond;
}

void qvmWidgetAroundFunction::buildForm()
{
    setObjectName(QStringLiteral("qvmWidgetAroundFunction"));
    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("verticalLayout_3"));

    auto* frame1 = new QFrame(this);
    frame1->setObjectName(QStringLiteral("frame1"));
    frame1->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QVBoxLayout(frame1);

    auto* frameAddress = new QFrame(frame1);
    frameAddress->setObjectName(QStringLiteral("frame_address"));
    auto* addressLayout = new QVBoxLayout(frameAddress);
    addressLayout->setContentsMargins(0, 0, 0, 0);
    lblGeoInfo = new QLabel(frameAddress);
    lblGeoInfo->setObjectName(QStringLiteral("lblGeoInfo"));
    lblGeoInfo->setTextFormat(Qt::RichText);
    lblGeoInfo->setAlignment(Qt::AlignCenter);
    lblGeoInfo->setWordWrap(true);
    addressLayout->addWidget(lblGeoInfo);
    frameLayout->addWidget(frameAddress);

    auto* frameRange = new QFrame(frame1);
    frameRange->setObjectName(QStringLiteral("frame_range"));
    auto* rangeLayout = new QHBoxLayout(frameRange);
    rangeLayout->setContentsMargins(0, 0, 0, 0);
    chkUseSatellite = new QCheckBox(QStringLiteral("使用高精度定位"), frameRange);
    chkUseSatellite->setObjectName(QStringLiteral("chkUseSatellite"));
    rangeLayout->addWidget(chkUseSatellite);
    auto* rangeCaption = new QLabel(QStringLiteral("半　径："), frameRange);
    rangeCaption->setObjectName(QStringLiteral("lblGeoInfo_2"));
    rangeLayout->addWidget(rangeCaption);
    segGPSRange = new qvmWidgetSegement(frameRange);
    segGPSRange->setObjectName(QStringLiteral("segGPSRange"));
    rangeLayout->addWidget(segGPSRange, 1);
    frameLayout->addWidget(frameRange);
    layout->addWidget(frame1);

    widgetBtns = new QWidget(this);
    widgetBtns->setObjectName(QStringLiteral("widget_btns"));
    auto* btnsLayout = new QVBoxLayout(widgetBtns);
    widgetButton = new QWidget(widgetBtns);
    widgetButton->setObjectName(QStringLiteral("widget_button"));
    auto* buttonLayout = new QVBoxLayout(widgetButton);
    struct Nav
    {
        qvmNavButton** button;
        const char* name;
        QString text;
    };
    const Nav navs[] = {
        {&btnSale, "btnSale", QStringLiteral("二手房导航")},
        {&btnLease, "btnLease", QStringLiteral("租房导航")},
        {&btnHA, "btnHA", QStringLiteral("楼盘小区导航")},
        {&btnGPSGuide, "btnGPSGuide", QStringLiteral("房价导航")},
        {&btnGPSGuideLease, "btnGPSGuideLease", QStringLiteral("租金导航")},
    };
    int type = 0;
    for (const Nav& n : navs) {
        auto* b = new qvmNavButton(widgetButton);
        b->setObjectName(QLatin1String(n.name));
        b->setText(n.text);
        b->setMaximumSize(2000, 2000);
        b->navType = type++;
        buttonLayout->addWidget(b);
        *n.button = b;
    }
    btnsLayout->addWidget(widgetButton);
    btnsLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    layout->addWidget(widgetBtns, 1);
}

int qvmWidgetAroundFunction::range() const
{
    switch (segGPSRange->value()) {
    case 0:
        return 500;
    case 1:
        return 1000;
    default:
        return 2000;
    }
}

QString qvmWidgetAroundFunction::noGpsText(const QString& siteUrl)
{
    return tr("your device doesn't support GPS,") + QStringLiteral("<br>") + tr("see ") +
           QStringLiteral("<a href=\"%1\" style=\"text-decoration: underline; color: #0000ff;\">%1</a>")
               .arg(siteUrl.toHtmlEscaped());
}

void qvmWidgetAroundFunction::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    startPositioning();
}

void qvmWidgetAroundFunction::startPositioning()
{
    hiddenTicks = 0;
    kwdLocation* location = kwdLocation::instance();
    if (!location || !location->isRunning()) {
        widgetButton->hide();
        if (!location || !location->start())
            lblGeoInfo->setText(noGpsText(kwdServiceConfig::instance().siteUrl));
    }
    // Behind a sub-page the form stays hidden and gets no hide event: the monitor must watch from
    // here, or leaving the page again would never let positioning go.
    if (isVisible() || !location || !location->isRunning())
        monitor->stop();
    else if (!monitor->isActive())
        monitor->start();
}

void qvmWidgetAroundFunction::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    kwdLocation* location = kwdLocation::instance();
    if (location && location->isRunning())
        monitor->start();
}

void qvmWidgetAroundFunction::onMonitorTimeout()
{
    if (isVisible()) {
        monitor->stop();
        return;
    }
    // Scroll viewport, scroll area, around-me page: while one of the page's own sub-pages is up the
    // page is visible and positioning stays on.
    QWidget* page = parentWidget();
    for (int i = 0; page && i < 2; ++i)
        page = page->parentWidget();
    if (!page || !page->isVisible())
        ++hiddenTicks;
    if (hiddenTicks < 2)
        return;
    kwdLocation* location = kwdLocation::instance();
    if (location && location->isRunning()) {
        location->stop();
        widgetButton->hide();
        qCDebug(kwdLocationLog) << "Close Gps,since user hide the window";
        monitor->stop();
    }
}

void qvmWidgetAroundFunction::onPositionChanged(double lat, double lon)
{
    if (lat != 0.0 && lon != 0.0) {
        if (city.isEmpty())
            lblGeoInfo->setText(tr("Searching GeoLocation..."));
        if (widgetButton->isHidden())
            widgetButton->show();
    } else {
        lblGeoInfo->setText(tr("Location failed..."));
    }
}

void qvmWidgetAroundFunction::onAddressChanged(QString province, QString cityText, QString addressText)
{
    Q_UNUSED(province)
    if (cityText.isEmpty()) {
        city = QStringLiteral("error");
        lblGeoInfo->setText(tr("Searching GeoLoation failed") + QStringLiteral("<br>") +
                            addressText.toHtmlEscaped());
        return;
    }
    lblGeoInfo->setText(tr("Your Address:") + addressText.toHtmlEscaped());
    address = addressText;
    const QString c = cityText.trimmed().remove(QStringLiteral("市"));
    if (c.isEmpty() || c == city)
        return;
    city.clear();
    const kwdStore* store = kwdStore::instance();
    for (auto it = store->cities.cbegin(); it != store->cities.cend(); ++it) {
        for (const kwdNameCode& entry : it.value()) {
            if (entry.name == c) {
                city = c;
                return;
            }
        }
    }
}

QString qvmWidgetAroundFunction::searchCity() const
{
    if (!city.isEmpty() && city != QLatin1String("error"))
        return city;
    const kwdFinder* current = kwdStore::instance()->currentFinder;
    return current ? current->field(kwdFinder::City) : QString();
}

void qvmWidgetAroundFunction::notSupported(const QString& cityName)
{
    kwdMessage::information(tr("error"), tr("your city[") + cityName + tr("] is not support"));
}

void qvmWidgetAroundFunction::onBtnClicked()
{
    kwdLocation* location = kwdLocation::instance();
    double lon = 0.0;
    double lat = 0.0;
    if (!location || !location->position(&lon, &lat)) {
        kwdMessage::information(tr("error"), tr("GPS Data is not valid"));
        return;
    }
    kwdStore* store = kwdStore::instance();
    const QString name = searchCity();
    if (name.isEmpty() || store->cityCode(name).isEmpty()) {
        notSupported(name);
        return;
    }
    const QString provinceName = store->provinceOf(name);
    if (provinceName.isEmpty()) {
        notSupported(name);
        return;
    }
    QObject* from = sender();
    cond->category = from == btnSale ? 2 : from == btnLease ? 3 : 1;
    cond->setField(kwdFinder::Province, provinceName);
    cond->setField(kwdFinder::City, name);
    cond->setField(kwdFinder::Mode, QStringLiteral("102"));
    const QString radius = QString::number(range());
    cond->setField(kwdFinder::Radius, radius);
    cond->setField(kwdFinder::Latitude, QString::number(lat, 'f', 8));
    cond->setField(kwdFinder::Longitude, QString::number(lon, 'f', 8));
    if (kwdFinder* current = store->currentFinder) {
        current->setField(kwdFinder::Radius, radius);
        cond->copyConditions(*current);
    }
    emit doSearch(address, radius);
}

void qvmWidgetAroundFunction::onBtnGPSGuideClicked()
{
    const QString name = searchCity();
    if (name.isEmpty()) {
        kwdMessage::information(tr("error"), tr("your city is not valid"));
        return;
    }
    kwdStore* store = kwdStore::instance();
    const QString jm = store->cityCode(name);
    const QString provinceName = store->provinceOf(name);
    if (jm.isEmpty() || provinceName.isEmpty()) {
        notSupported(name);
        return;
    }
    cond->setField(kwdFinder::Province, provinceName);
    cond->setField(kwdFinder::City, name);
    const QString radius = QString::number(range());
    if (kwdFinder* current = store->currentFinder)
        current->setField(kwdFinder::Radius, radius);
    cond->setField(kwdFinder::Radius, radius);
    emit doGPSGuide(jm, range(), sender() == btnGPSGuideLease ? 2 : 1);
}

void qvmWidgetAroundFunction::onLinkActive(QString url)
{
    QDesktopServices::openUrl(QUrl(url));
}

void qvmWidgetAroundFunction::onChkUseSatellite(bool checked)
{
    // Kept for the high-accuracy switch; the box stays hidden and nothing connects it.
    Q_UNUSED(checked)
}

void qvmWidgetAroundFunction::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    const QRect panel = widgetBtns->geometry();
    p.setPen(QColor(208, 208, 208));
    p.setBrush(QColor(243, 243, 243));
    p.drawRect(panel.adjusted(0, 0, -1, -1));
    const QPixmap pic = kwdTheme::instance()->image(kwdTheme::IndexPic);
    if (pic.isNull() || pic.width() <= 0)
        return;
    const int w = qMin(pic.width(), panel.width());
    const int h = pic.height() * w / pic.width();
    const QRect target(panel.left() + (panel.width() - w) / 2, panel.bottom() - 6 - h, w, h);
    p.drawPixmap(target, pic);
}

#include "qvmwidgetgpsguide.h"

#include "guidetitle.h"
#include "kwdfinder.h"
#include "kwdguidetrail.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdnetworkerror.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "qvmguideheader.h"
#include "qvmguiderequest.h"
#include "qvmhttpholder.h"
#include "qvmitemguideproject.h"
#include "qvmresultlistitem.h"
#include "qvmviewfavorite.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

qvmWidgetGPSGuide::qvmWidgetGPSGuide(kwdLocation* source, QWidget* parent)
    : QWidget(parent), location(source), header(new qvmGuideHeader)
{
    setObjectName(QStringLiteral("qvmWidgetGPSGuide"));
    bandHeight = header->bandHeight();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(bandHeight);
    // The band is painted by this page; a transparent picture over it gives a screen reader an image
    // to name (Qt reads a label with a picture as one). Taps go through to the page.
    chart = new QLabel(this);
    chart->setObjectName(QStringLiteral("guideChart"));
    QPixmap clear(1, 1);
    clear.fill(Qt::transparent);
    chart->setPixmap(clear);
    chart->setAttribute(Qt::WA_TransparentForMouseEvents);
    chart->setGeometry(0, 0, width(), bandHeight);
    chart->setAccessibleName(chartName());
    title = new GuideTitle(this);
    layout->addWidget(title);
    listView = new qvmViewFavorite(this, title);
    layout->addWidget(listView, 1);
    animation.setInterval(200);
    connect(&animation, &QTimer::timeout, this, &qvmWidgetGPSGuide::onGPSTimer);
    connect(title, &TitleBar::goBack, this, &qvmWidgetGPSGuide::onHATitleAction);
    if (location) {
        connect(location, &kwdLocation::positionChange, this, &qvmWidgetGPSGuide::onPositionChanged);
        connect(location, &kwdLocation::addressChange, this, &qvmWidgetGPSGuide::onAddressChange);
    }
}

qvmWidgetGPSGuide::~qvmWidgetGPSGuide()
{
    delete header;
}

void qvmWidgetGPSGuide::setArea(QString code, int metres)
{
    if (!code.isEmpty())
        jm = code;
    if (metres > 0)
        range = metres;
}

void qvmWidgetGPSGuide::startGuide()
{
    speed = 0;
    active = true;
    trail.restart();
    kwdStore* store = kwdStore::instance();
    range = store->config(kwdStore::cfgGuideRange).toFloat();
    distanceStep = store->config(kwdStore::cfgGuideDistance).toFloat();
    minInterval = store->config(kwdStore::cfgGuideUpdateInterval).toFloat();
    animation.start();
    title->setTitle(tr("Locating..."), QString(), QString());
    if (qvmResultListItem* page = listView->listPage()) {
        page->condition = condition;
        page->ownsCondition = false;
    }
    const QString located = location ? location->city() : QString();
    if (!located.isEmpty()) {
        // A city the catalogue lacks has no hosts to ask: the code given (the city chosen for the
        // search) stays, and so does the condition's city that the compound rows open details in.
        // The located name is kept to know the city when its addresses come again.
        const QString code = store->cityCode(located);
        city = located;
        if (!code.isEmpty()) {
            jm = code;
            if (condition)
                condition->setField(kwdFinder::City, located);
        }
        double lon = 0;
        double lat = 0;
        if (!jm.isEmpty() && location->position(&lon, &lat))
            handlePosition(lat, lon);
    } else {
        const QString code = store->config(kwdStore::guideCityCode).toString();
        const QString name = store->config(kwdStore::cfgCity).toString();
        if (!code.isEmpty() && !name.isEmpty()) {
            jm = code;
            city = name;
            if (condition)
                condition->setField(kwdFinder::City, name);
        }
    }
    if (jm.isEmpty())
        sayNoCityCode();
}

void qvmWidgetGPSGuide::sayNoCityCode()
{
    // Nothing will be asked here: "Locating..." would promise an answer that never comes.
    animation.stop();
    title->setTitle(tr("No guide for this city: go back and open it again"), QString(), QString());
}

void qvmWidgetGPSGuide::stopGuide()
{
    active = false;
    trail.restart();
    listView->clear();
    animation.stop();
}

void qvmWidgetGPSGuide::clearTrail()
{
    trail.clear();
    update();
}

void qvmWidgetGPSGuide::updateNow()
{
    if (!active || !tracking || jm.isEmpty())
        return;
    if (trail.manualUpdate())
        sendRequest();
}

void qvmWidgetGPSGuide::onPositionChanged(double lat, double lon)
{
    if (!active || jm.isEmpty() || lat == 0 || lon == 0)
        return;
    handlePosition(lat, lon);
}

void qvmWidgetGPSGuide::handlePosition(double lat, double lon)
{
    const double now = location ? location->groundSpeed() * 3.6 : 0;
    if (qAbs(now - speed) > 0.01)
        speed = now;
    if (trail.position(lat, lon))
        sendRequest();
    phase = (phase + 1) % 6;
    repaintBand();
}

void qvmWidgetGPSGuide::onAddressChange(QString, QString newCity, QString address)
{
    if (!active || newCity.isEmpty() || address.isEmpty())
        return;
    // The same city with the same code changes nothing; a city the catalogue does not know would
    // otherwise announce itself again at every address of the drive, or take away the code the
    // guide was opened with there.
    const QString code = kwdStore::instance()->cityCode(newCity);
    if (newCity == city && (code == jm || code.isEmpty()))
        return;
    jm = code;
    city = newCity;
    if (condition)
        condition->setField(kwdFinder::City, newCity);
    update();
    trail.restart();
    double lon = 0;
    double lat = 0;
    if (jm.isEmpty())
        sayNoCityCode();
    else if (location && location->position(&lon, &lat) && lat != 0 && lon != 0)
        handlePosition(lat, lon);
    kwdMessage::information(tr("Info"), tr("Your City Has been changed to") + QStringLiteral(" [") + newCity +
                                            QStringLiteral("]"));
}

void qvmWidgetGPSGuide::sendRequest()
{
    if (jm.isEmpty())
        return;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    const kwdServiceConfig& config = kwdServiceConfig::instance();
    const bool hadEntries = !trail.entries().isEmpty();
    if (hadEntries) {
        listView->clear();
        title->setTitle(tr("Searching relate HA"), QString(), QString());
        trail.newest()->clearItems();
    }
    qvmGuideRequest* entry = trail.addRequest();
    if (holder) {
        entry->statId =
            holder->get(qvmGuideRequest::statisticsUrl(config.statisticsBase(), jm, entry->latitude,
                                                       entry->longitude, range, guideType),
                        this, false);
        entry->listId = holder->get(
            qvmGuideRequest::listUrl(config.listingDomain, jm, entry->latitude, entry->longitude, range),
            this, false);
    }
    update();
}

void qvmWidgetGPSGuide::onHttpResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* r = holder ? holder->request(id) : nullptr;
    qvmGuideRequest* entry = trail.find(id);
    if (entry && entry->statId == id) {
        if (err == 0 && r && r->body)
            entry->readStatistics(*r->body);
        entry->statId = 0;
        update();
    } else if (entry && entry->listId == id && entry == trail.newest()) {
        if (err == 0 && r && r->body && entry->readList(*r->body, guideType)) {
            title->setTitle(tr("relate HA"), QString(), QString());
            listView->clear();
            QList<qvmListItem*> rows;
            for (qvmItemGuideProject* row : std::as_const(entry->items))
                rows.append(row);
            listView->showCopies(rows, 1, tr("relate HA"));
        } else {
            // The title would go on saying it searches; the next request point asks again.
            title->setTitle(err != 0 ? kwdNetworkError::describe(r ? r->error : 0, QString())
                                     : kwdNetworkError::unreadable(),
                            QString(), QString());
        }
    }
    if (holder)
        holder->remove(id);
}

void qvmWidgetGPSGuide::onGPSTimer()
{
    if (tracking) {
        animation.stop();
        return;
    }
    phase = (phase + 1) % 6;
    repaintBand();
}

void qvmWidgetGPSGuide::onHATitleAction()
{
    if (listView->pageCount() > 1)
        listView->goBack();
}

QRect qvmWidgetGPSGuide::band() const
{
    return QRect(0, 0, width(), qMax(1, title->y()));
}

void qvmWidgetGPSGuide::repaintBand()
{
    update(QRect(0, 0, width(), qMax(1, title->y() - 2)));
}

void qvmWidgetGPSGuide::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    tapRect = header->paint(&painter, band(), trail.entries(), guideType, speed, tracking);
    // Whatever changed the band changed what the chart says.
    const QString name = chartName();
    if (chart->accessibleName() != name)
        chart->setAccessibleName(name);
}

void qvmWidgetGPSGuide::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    chart->setGeometry(0, 0, width(), bandHeight);
}

QString qvmWidgetGPSGuide::chartName() const
{
    QStringList points;
    double latest = -1;
    for (const qvmGuideRequest* r : trail.entries()) {
        if (r->supply < 0)
            continue;
        if (latest < 0)
            latest = r->supply;
        if (points.size() < 5)
            points << QString::number(r->supply, 'f', 0);
    }
    const QString price = latest < 0 ? QStringLiteral("--") : QString::number(latest, 'f', 0);
    const QString kmh = speed > 0.01 ? QString::number(speed, 'f', 1) : QStringLiteral("--");
    return tr("价格走势图：均价 %1，速度 %2 公里/小时，最近 %3 个点 %4")
        .arg(price, kmh)
        .arg(points.size())
        .arg(points.join(QStringLiteral("、")));
}

void qvmWidgetGPSGuide::mousePressEvent(QMouseEvent* event)
{
    pressed = tapRect.isValid() && tapRect.contains(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void qvmWidgetGPSGuide::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = tapRect.isValid() && tapRect.contains(event->position().toPoint());
    if (pressed && inside && !trail.entries().isEmpty()) {
        const qvmGuideRequest* newest = trail.newest();
        emit requestDetailResult(float(newest->latitude), float(newest->longitude), float(range));
    }
    pressed = false;
    QWidget::mouseReleaseEvent(event);
}

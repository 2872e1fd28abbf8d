#include "qvmguiderequest.h"

#include "qvmitemguideproject.h"

#include "kwdguidetrail.h"
#include "kwdstore.h"

#include <QByteArray>
#include <QDomDocument>

#include <algorithm>
#include <limits>

namespace {

QString location(double lat, double lon, double range)
{
    return QStringLiteral("%1|%2|%3")
        .arg(QString::number(lat, 'f', 6), QString::number(lon, 'f', 6))
        .arg(range);
}

} // namespace

qvmGuideRequest::qvmGuideRequest(double lat, double lon, double stepMetres)
    : latitude(lat), longitude(lon), step(stepMetres)
{
}

qvmGuideRequest::~qvmGuideRequest()
{
    clearItems();
}

QString qvmGuideRequest::statisticsUrl(const QString& base, const QString& jm, double lat, double lon,
                                       double range, int guideType)
{
    QString url = base + QStringLiteral("/kwdstat/fst_idata_price.php?city=") + jm +
                  QStringLiteral("&location=") + location(lat, lon, range);
    if (guideType == 2)
        url += QStringLiteral("&flag=2");
    return url;
}

QString qvmGuideRequest::listUrl(const QString& domain, const QString& jm, double lat, double lon,
                                 double range)
{
    return QStringLiteral("http://") + jm + QLatin1Char('.') + domain +
           QStringLiteral("/webservice/kwdhalist.html?page=1&percount=100&location=") +
           location(lat, lon, range) + QStringLiteral("&haclcode=pa&ob=d1");
}

bool qvmGuideRequest::readStatistics(const QByteArray& body)
{
    const QList<QByteArray> parts = body.trimmed().split('|');
    if (parts.size() < 2)
        return false;
    // A text that is not a number would read as 0 and plot a false price: keep the point pending.
    bool okSupply = false;
    bool okDemand = false;
    const double s = parts.at(0).trimmed().toDouble(&okSupply);
    const double d = parts.at(1).trimmed().toDouble(&okDemand);
    if (!okSupply || !okDemand)
        return false;
    supply = s;
    demand = d;
    return true;
}

bool qvmGuideRequest::readList(const QByteArray& body, int guideType)
{
    QDomDocument doc;
    if (!doc.setContent(body))
        return false;
    const QDomElement result = doc.elementsByTagName(QStringLiteral("resultlist")).item(0).toElement();
    const QString tag = kwdStore::categoryKey(1);
    if (result.isNull() || result.attribute(QStringLiteral("type")) != tag)
        return false;
    clearItems();
    const QDomNodeList records = result.elementsByTagName(tag);
    for (int i = 0; i < records.size(); ++i) {
        auto* row = new qvmItemGuideProject(guideType);
        if (!row->read(records.at(i).toElement())) {
            delete row;
            continue;
        }
        if (row->latitude > 0 && row->longitude > 0) {
            const double d = kwdGuideTrail::distance(latitude, longitude, row->latitude, row->longitude);
            row->distance = QString::number(d, 'f', 8);
        }
        items.append(row);
    }
    sortItems();
    return true;
}

void qvmGuideRequest::sortItems()
{
    // An empty distance would read as 0 metres and put compounds of unknown place first.
    auto key = [](const qvmItemGuideProject* row) {
        bool ok = false;
        const double d = row->distance.toDouble(&ok);
        return ok ? d : std::numeric_limits<double>::infinity();
    };
    std::stable_sort(
        items.begin(), items.end(),
        [&key](const qvmItemGuideProject* a, const qvmItemGuideProject* b) { return key(a) < key(b); });
}

void qvmGuideRequest::clearItems()
{
    qDeleteAll(items);
    items.clear();
}

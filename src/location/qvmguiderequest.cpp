#include "qvmguiderequest.h"

#include "qvmitemguideproject.h"

#include <QByteArray>

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

void qvmGuideRequest::clearItems()
{
    qDeleteAll(items);
    items.clear();
}

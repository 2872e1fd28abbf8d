#include "kwdweblink.h"

#include "kwdmessage.h"

#include <QDesktopServices>
#include <QUrl>

bool kwdWebLink::isWebAddress(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

bool kwdWebLink::open(const QString& address)
{
    if (!isWebAddress(address)) {
        kwdMessage::information(
            tr("Error"), tr("This address is not a web page and was not opened:\n%1").arg(address.left(200)));
        return false;
    }
    return QDesktopServices::openUrl(QUrl(address.trimmed(), QUrl::StrictMode));
}

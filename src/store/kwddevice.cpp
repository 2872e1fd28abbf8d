#include "kwddevice.h"

#include "kwdlog.h"

#include <QDebug>
#include <QNetworkInterface>

QString kwdDevice::id()
{
    static const QString id = [] {
        QString mac;
        const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& i : interfaces) {
            const QNetworkInterface::InterfaceFlags flags = i.flags();
            if (i.type() != QNetworkInterface::Ethernet || !(flags & QNetworkInterface::IsUp) ||
                !(flags & QNetworkInterface::IsRunning) || (flags & QNetworkInterface::IsLoopBack))
                continue;
            mac = i.hardwareAddress().remove(QLatin1Char(':'));
            if (!mac.isEmpty())
                break;
        }
        if (mac.isEmpty())
            mac = QStringLiteral("invalidsymbiansn");
        qCDebug(kwdNetLog).noquote() << QStringLiteral("IMEI:") + mac;
        return mac;
    }();
    return id;
}

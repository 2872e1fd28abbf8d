#include "kwdupdateinfo.h"

#include <QByteArray>
#include <QDomDocument>
#include <QDomElement>

#ifndef KWD_UPDATE_CHECK
#define KWD_UPDATE_CHECK 1
#endif

QString kwdUpdateInfo::ownVersion()
{
    return QStringLiteral("1.1.6");
}

bool kwdUpdateInfo::checkBuiltIn()
{
    return KWD_UPDATE_CHECK != 0;
}

kwdUpdateInfo kwdUpdateInfo::parse(const QByteArray& body)
{
    kwdUpdateInfo info;
    QDomDocument doc(QStringLiteral("kwdupdate"));
    if (!doc.setContent(body))
        return info;
    const QDomElement record = doc.elementsByTagName(QStringLiteral("kwd")).item(0).toElement();
    if (record.isNull())
        return info;
    auto text = [&record](const char* name) {
        return record.elementsByTagName(QLatin1String(name)).item(0).toElement().text().trimmed();
    };
    // A build below 1 announces nothing; kept as it stands it would pass for a number to compare.
    info.build = qMax(0, text("build").toInt());
    if (info.build > 0) {
        info.version = text("version");
        info.updateTime = text("updatetime");
        info.url = text("updateurl");
    }
    return info;
}

int kwdUpdateInfo::threshold(bool automatic, int storedBuild)
{
    return qMax(automatic ? storedBuild : ownBuild, int(ownBuild));
}

#include "kwdserviceconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

const kwdServiceConfig& kwdServiceConfig::instance()
{
    static const kwdServiceConfig config = fromFile(defaultPath());
    return config;
}

QString kwdServiceConfig::defaultPath()
{
    const QString env = qEnvironmentVariable("KWDPERSONAL_CONF");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kwdpersonal.conf"));
}

kwdServiceConfig kwdServiceConfig::fromFile(const QString& path)
{
    kwdServiceConfig c;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return c;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("service"));
    auto read = [&](const char* key, QString& target) {
        const QString v = ini.value(QLatin1String(key)).toString().trimmed();
        if (!v.isEmpty())
            target = v;
    };
    read("listingDomain", c.listingDomain);
    read("statisticsHost", c.statisticsHost);
    read("geocoderHost", c.geocoderHost);
    read("geocoderToken", c.geocoderToken);
    read("siteUrl", c.siteUrl);
    read("prizeUrl", c.prizeUrl);
    return c;
}

QString kwdServiceConfig::statisticsBase() const
{
    return QStringLiteral("http://%1:8081").arg(statisticsHost);
}

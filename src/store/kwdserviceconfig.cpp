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
        // The INI reader splits an unquoted value at its commas (as in a URL's query); join it back.
        const QVariant raw = ini.value(QLatin1String(key));
        const QString v = (raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(QLatin1Char(','))
                                                                  : raw.toString())
                              .trimmed();
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

#pragma once

#include <QString>

// Deployment configuration: where the listing service, the statistics host and the geocoder live.
// Read once from the INI file that KWDPERSONAL_CONF names, else from kwdpersonal.conf next to the
// program; every value falls back to the reserved test domains our local service answers for.
class kwdServiceConfig
{
public:
    static const kwdServiceConfig& instance();

    // Reads a configuration file (missing file or keys keep the defaults).
    static kwdServiceConfig fromFile(const QString& path);
    // The file the running program reads: $KWDPERSONAL_CONF, else kwdpersonal.conf next to it.
    static QString defaultPath();

    QString listingDomain = QStringLiteral("kwd.test");
    QString statisticsHost = QStringLiteral("stat.kwd.test");
    QString geocoderHost = QStringLiteral("geo.kwd.test");
    QString geocoderToken = QStringLiteral("0f3c6a9e2b7d41c58e90a1b2c3d4e5f6");
    QString siteUrl = QStringLiteral("http://www.kwd.test/");
    QString prizeUrl = QStringLiteral("http://www.kwd.test/prize.html");

    // "http://<statistics host>:8081", the prefix of every statistics address.
    QString statisticsBase() const;
};

#pragma once

#include <QString>
#include <QStringList>

// Deployment configuration: where the listing service, the statistics host and the geocoder live.
// Read once from the INI file that KWDPERSONAL_CONF names, else from kwdpersonal.conf next to the
// program; every value falls back to the reserved test domains our local service answers for.
class kwdServiceConfig
{
public:
    static const kwdServiceConfig& instance();

    // Reads a configuration file: a missing file, key or unusable value keeps the default. Each thing
    // in the file the program cannot use (an unknown key, a host name with a scheme or a path, a token
    // that is not 32 hexadecimal digits, an address that is not http or https) adds one line to
    // `problems`, naming the file, the key and what is used instead.
    static kwdServiceConfig fromFile(const QString& path, QStringList* problems = nullptr);
    // The file the running program reads: $KWDPERSONAL_CONF, else kwdpersonal.conf next to it.
    static QString defaultPath();

    QString listingDomain = QStringLiteral("kwd.test");
    QString statisticsHost = QStringLiteral("stat.kwd.test");
    QString geocoderHost = QStringLiteral("geo.kwd.test");
    QString geocoderToken = QStringLiteral("0f3c6a9e2b7d41c58e90a1b2c3d4e5f6");
    QString siteUrl = QStringLiteral("http://www.kwd.test/");
    QString prizeUrl = QStringLiteral("http://www.kwd.test/prize.html");
    // The around-me receiver as the file gives it (key "source" of group "location"); judged where
    // the receivers are made.
    QString receiver;
    // The file the values came from; empty when none was read.
    QString file;
    // Of the running program's configuration (instance()): what fromFile() found, and a file that
    // KWDPERSONAL_CONF names but that does not exist or cannot be read. Read with the values, once.
    QStringList problems;

    // "http://<statistics host>:8081", the prefix of every statistics address.
    QString statisticsBase() const;
};

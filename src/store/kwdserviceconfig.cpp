#include "kwdserviceconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

#include <functional>

namespace {
// Why the running program's file cannot be opened at all; empty when it can, or when the optional
// file next to the program is simply not there.
QString openingProblem(const QString& path)
{
    const QFileInfo file(path);
    if (!qEnvironmentVariableIsEmpty("KWDPERSONAL_CONF") && !file.exists())
        return QStringLiteral("%1 (KWDPERSONAL_CONF): no such file; using the built-in values")
            .arg(QDir::toNativeSeparators(path));
    if (file.exists() && (!file.isFile() || !file.isReadable()))
        return QStringLiteral("%1: cannot be read; using the built-in values")
            .arg(QDir::toNativeSeparators(path));
    return QString();
}
} // namespace

const kwdServiceConfig& kwdServiceConfig::instance()
{
    static const kwdServiceConfig config = [] {
        const QString path = defaultPath();
        const QString opening = openingProblem(path);
        QStringList problems;
        kwdServiceConfig c = opening.isEmpty() ? fromFile(path, &problems) : kwdServiceConfig();
        if (!opening.isEmpty())
            problems << opening;
        c.problems = problems;
        return c;
    }();
    return config;
}

QString kwdServiceConfig::defaultPath()
{
    const QString env = qEnvironmentVariable("KWDPERSONAL_CONF");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kwdpersonal.conf"));
}

kwdServiceConfig kwdServiceConfig::fromFile(const QString& path, QStringList* problems)
{
    kwdServiceConfig c;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return c;
    QSettings ini(path, QSettings::IniFormat);
    const auto complain = [&](const QString& text) {
        if (problems)
            problems->append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), text));
    };
    if (ini.status() != QSettings::NoError) {
        complain(QStringLiteral("not a configuration file it can read; using the built-in values"));
        return c;
    }
    static const QStringList known = {
        QStringLiteral("service/listingDomain"), QStringLiteral("service/statisticsHost"),
        QStringLiteral("service/geocoderHost"),  QStringLiteral("service/geocoderToken"),
        QStringLiteral("service/siteUrl"),       QStringLiteral("service/prizeUrl"),
        QStringLiteral("location/source")};
    for (const QString& key : ini.allKeys()) {
        if (!known.contains(key))
            complain(QStringLiteral("unknown key \"%1\" ignored").arg(key));
    }

    // A host is a name only: a scheme, a path, a port or blanks would make every address wrong.
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    static const QRegularExpression token(QStringLiteral("^[0-9A-Fa-f]{32}$"));
    const auto isWebAddress = [](const QString& v) {
        const QUrl url(v, QUrl::StrictMode);
        return url.isValid() && !url.host().isEmpty() &&
               (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    };
    auto read = [&](const char* key, QString& target, const std::function<bool(const QString&)>& usable,
                    const char* expected) {
        // The INI reader splits an unquoted value at its commas (as in a URL's query); join it back.
        const QVariant raw = ini.value(QStringLiteral("service/") + QLatin1String(key));
        const QString v = (raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(QLatin1Char(','))
                                                                  : raw.toString())
                              .trimmed();
        if (v.isEmpty())
            return;
        if (!usable(v)) {
            complain(QStringLiteral("service/%1 \"%2\" is not %3; using \"%4\"")
                         .arg(QLatin1String(key), v, QLatin1String(expected), target));
            return;
        }
        target = v;
    };
    const auto isHost = [](const QString& v) { return hostName.match(v).hasMatch(); };
    const char* host = "a host name (no scheme, path or port)";
    read("listingDomain", c.listingDomain, isHost, host);
    read("statisticsHost", c.statisticsHost, isHost, host);
    read("geocoderHost", c.geocoderHost, isHost, host);
    read(
        "geocoderToken", c.geocoderToken, [](const QString& v) { return token.match(v).hasMatch(); },
        "32 hexadecimal digits");
    read("siteUrl", c.siteUrl, isWebAddress, "an http or https address");
    read("prizeUrl", c.prizeUrl, isWebAddress, "an http or https address");
    c.receiver = ini.value(QStringLiteral("location/source")).toString().trimmed();
    c.file = path;
    return c;
}

QString kwdServiceConfig::statisticsBase() const
{
    return QStringLiteral("http://%1:8081").arg(statisticsHost);
}

#include "kwdstore.h"

#include "kwdfinder.h"
#include "kwdprivatefile.h"
#include "kwdsecretstore.h"
#include "kwdserviceconfig.h"
#include "kwdstreamguard.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QSaveFile>
#include <QSettings>
#include <QWidget>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

namespace {

// The files' byte layout must not follow the Qt version: strings, int32 and bool are written the way
// every Qt since 4 writes them, and the version is pinned so that this stays true.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_4_6;

struct PersistedKey
{
    int key;
    const char* name;
    QVariant fallback;
};

const QList<PersistedKey>& persistedKeys()
{
    static const QList<PersistedKey> keys = {
        {kwdStore::cfgUpdateInterval, "cfgUpdateInterval", 1},
        {kwdStore::cfgAutoUpdate, "cfgAutoUpdate", 1},
        {kwdStore::cfgLastUpdate, "cfgLastUpdate", QStringLiteral("2011-01-14 11:11:11")},
        {kwdStore::cfgLastUpdateBuild, "cfgLastUpdateBuild", 1016},
        {kwdStore::cfgGuideDistance, "cfgGuideDistance", 500},
        {kwdStore::cfgGuideRange, "cfgGuideRange", 1000},
        {kwdStore::cfgGuideUpdateInterval, "cfgGuideUpdateInterval", 60},
        {kwdStore::cfgGPSRange, "cfgGPSRange", QStringLiteral("1|2|5")},
        {kwdStore::cfgAllowSkipReg, "cfgAllowSkipReg", 0},
        {kwdStore::cfgOnloadName, "cfgOnloadName", QString()},
        {kwdStore::cfgOnloadPassword, "cfgOnloadPassword", QString()},
        {kwdStore::cfgOnloadTel, "cfgOnloadTel", QString()},
        {kwdStore::cfgOnloadUser, "cfgOnloadUser", QString()},
        {kwdStore::cfgOnClose, "cfgOnClose", QStringLiteral("0")},
        {kwdStore::cfgOnQuit, "cfgOnQuit", QStringLiteral("0")},
        {kwdStore::cfgCity, "cfgCity", QString()},
        {kwdStore::cfgWindowGeometry, "cfgWindowGeometry", QRect()},
    };
    return keys;
}

// The INI format writes any group spelled "general" (any letter case) as the section "[%General]",
// which reads back as the group "General": only that spelling round-trips, and it also recovers the
// values that earlier runs wrote under "general" and could never read.
QString settingsGroup()
{
    return QStringLiteral("General");
}

const PersistedKey* persistedKey(int key)
{
    for (const PersistedKey& k : persistedKeys()) {
        if (k.key == key)
            return &k;
    }
    return nullptr;
}

QString endpointPath(int key)
{
    switch (key) {
    case kwdStore::urlCityInfo:
        return QStringLiteral("/webservice/kwdcity.html");
    case kwdStore::urlHaList:
        return QStringLiteral("/webservice/kwdhalist.html");
    case kwdStore::urlHaDetail:
        return QStringLiteral("/webservice/kwdhadetail.html");
    case kwdStore::urlForsaleList:
        return QStringLiteral("/webservice/kwdforsalelist.html");
    case kwdStore::urlForsaleDetail:
        return QStringLiteral("/webservice/kwdforsaledetail.html");
    case kwdStore::urlLeaseList:
        return QStringLiteral("/webservice/kwdleaselist.html");
    case kwdStore::urlLeaseDetail:
        return QStringLiteral("/webservice/kwdleasedetail.html");
    case kwdStore::urlCoList:
        return QStringLiteral("/webservice/kwdcolist.html");
    case kwdStore::urlCoDetail:
        return QStringLiteral("/webservice/kwdcodetail.html");
    case kwdStore::urlHaImages:
        return QStringLiteral("/webservice/kwdhaimages.html");
    case kwdStore::urlForsaleImages:
        return QStringLiteral("/webservice/kwdforsaleimages.html");
    case kwdStore::urlLeaseImages:
        return QStringLiteral("/webservice/kwdleaseimages.html");
    case kwdStore::urlStreetDetail:
        return QStringLiteral("/webservice/kwdstreetdetail.html");
    case kwdStore::urlDistrict:
        return QStringLiteral("/webservice/kwddistrict.html");
    default:
        return QString();
    }
}

// The endpoint entries are built once from the deployment configuration and stay constant for the run.
QString endpoint(int key)
{
    static const QMap<int, QString> table = [] {
        QMap<int, QString> t;
        const kwdServiceConfig& cfg = kwdServiceConfig::instance();
        for (int k = 21; k <= 42; ++k) {
            const QString path = endpointPath(k);
            if (!path.isEmpty())
                t.insert(k, cfg.listingDomain + path);
        }
        t.insert(kwdStore::urlUpdate, cfg.statisticsBase() + QStringLiteral("/update/kwdpersonal_win32.xml"));
        return t;
    }();
    return table.value(key);
}

std::unique_ptr<kwdStore>& storeSlot()
{
    static std::unique_ptr<kwdStore> slot;
    return slot;
}

} // namespace

bool kwdStore::writeFile(const QString& path, const std::function<void(QDataStream&)>& body)
{
    QSaveFile file(path);
    if (!kwdPrivateFile::open(file)) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }
    QDataStream out(&file);
    out.setVersion(kStreamVersion);
    body(out);
    if (out.status() != QDataStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void kwdStore::setStreamVersion(QDataStream& stream)
{
    stream.setVersion(kStreamVersion);
}

namespace {

// A program killed while it saved its settings can leave Qt's lock file behind before writing who
// holds it; every save of the next run would then wait for it to grow old (30 s). A lock that names
// nobody and was made before this store started is such a leftover: its writer would have filled it
// at once.
void clearStaleSettingsLock(const QString& settingsFile)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfo info(settingsFile + QStringLiteral(".lock"));
    if (info.exists() && info.size() == 0 && info.lastModified().toUTC() < now)
        QFile::remove(info.filePath());
}

// Qt writes the settings through a temporary file that takes the mode of the file it replaces: a
// file that is private before the first write stays private. Files of earlier versions are made so.
void makeSettingsPrivate(const QString& settingsFile)
{
#ifndef Q_OS_WIN
    const QString dir = QFileInfo(settingsFile).path();
    if (!kwdPrivateFile::makePath(dir))
        return;
    kwdPrivateFile::restrict(dir);
    QFile file(settingsFile);
    if (file.exists())
        kwdPrivateFile::restrict(settingsFile);
    else
        file.open(QIODevice::WriteOnly, kwdPrivateFile::fileMode);
#else
    Q_UNUSED(settingsFile)
#endif
}

QString settingsFileName()
{
    return QSettings(QStringLiteral("Nordal"), QStringLiteral("personal")).fileName();
}

// An earlier version kept the digest in the settings; nothing but the move to the secret store reads it.
const char* const kLegacySecret = "cfgOnloadPassword";

QVariant legacySecret()
{
    QSettings settings(QStringLiteral("Nordal"), QStringLiteral("personal"));
    settings.beginGroup(settingsGroup());
    return settings.value(QLatin1String(kLegacySecret));
}

void removeLegacySecret()
{
    QSettings settings(QStringLiteral("Nordal"), QStringLiteral("personal"));
    settings.beginGroup(settingsGroup());
    if (settings.contains(QLatin1String(kLegacySecret)))
        settings.remove(QLatin1String(kLegacySecret));
}

} // namespace

kwdStore* kwdStore::instance()
{
    auto& slot = storeSlot();
    if (!slot) {
        const QString settingsFile = settingsFileName();
        clearStaleSettingsLock(settingsFile);
        makeSettingsPrivate(settingsFile);
        slot.reset(new kwdStore);
    }
    return slot.get();
}

void kwdStore::destroy()
{
    storeSlot().reset();
}

kwdStore::kwdStore() = default;

kwdStore::~kwdStore()
{
    qDeleteAll(finders);
    qDeleteAll(newHouseFinders);
}

QString kwdStore::appFile(const QString& relative)
{
    // Next to the program (build tree, portable copy), else the installed data directory.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString roots[] = {program.path(), program.filePath(QStringLiteral(KWD_DATADIR_FROM_BIN)),
                             QStringLiteral(KWD_DATADIR)};
    for (const QString& root : roots) {
        const QString path = QDir(root).filePath(relative);
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    }
    return program.filePath(relative);
}

kwdStore::KeyKind kwdStore::keyKind(int key)
{
    if (persistedKey(key))
        return Persisted;
    if (key == prizeFlag || key == loggedIn || key == guideCityCode)
        return InMemory;
    if (!endpointPath(key).isEmpty() || key == urlUpdate)
        return Endpoint;
    return Unknown;
}

QVariant kwdStore::config(int key) const
{
    switch (keyKind(key)) {
    case Persisted: {
        if (key == cfgOnloadPassword)
            return const_cast<kwdStore*>(this)->secrets()->read();
        const PersistedKey* k = persistedKey(key);
        QSettings settings(QStringLiteral("Nordal"), QStringLiteral("personal"));
        settings.beginGroup(settingsGroup());
        return settings.value(QLatin1String(k->name), k->fallback);
    }
    case InMemory: {
        const QVariant v = configValues.value(key, QString());
        return key == guideCityCode ? QVariant(v.toString()) : v;
    }
    case Endpoint:
        return endpoint(key);
    case Unknown:
        break;
    }
    return QVariant();
}

void kwdStore::setConfig(int key, const QVariant& value)
{
    const KeyKind kind = keyKind(key);
    if (kind != Persisted && kind != InMemory)
        return;
    configValues.insert(key, value);
    if (key == cfgOnloadPassword) {
        // An empty digest is no digest: logging out removes it from wherever it was kept.
        const QString secret = value.toString();
        if (secret.isEmpty()) {
            secrets()->remove();
            removeLegacySecret();
        } else {
            secrets()->write(secret, removeLegacySecret);
        }
        return;
    }
    if (kind == Persisted) {
        QSettings settings(QStringLiteral("Nordal"), QStringLiteral("personal"));
        settings.beginGroup(settingsGroup());
        settings.setValue(QLatin1String(persistedKey(key)->name), value);
    }
}

QString kwdStore::dataPath()
{
    if (!dataDir.isEmpty())
        return dataDir;
    const QString home = QDir::homePath();
    QString candidate = QDir::toNativeSeparators(home.isEmpty() ? QStringLiteral("./kwdpersonal")
                                                                : home + QStringLiteral("/kwdpersonal"));
    QFileInfo info(candidate);
    if (!info.exists() || !info.isDir()) {
        if (!kwdPrivateFile::makePath(candidate))
            candidate = QStringLiteral(".");
    } else {
        // Made by an earlier version, readable by everyone.
        kwdPrivateFile::restrict(candidate);
    }
    dataDir = candidate;
    return dataDir;
}

QString kwdStore::dataFile(const QString& name)
{
    return dataPath() + QDir::separator() + name;
}

kwdSecretStore* kwdStore::secrets()
{
    if (!secretStore) {
        secretStore = std::make_unique<kwdSecretStore>(dataFile(QStringLiteral("publisher.secret")));
        // Moved from the settings of an earlier version as soon as anything asks for it.
        const QVariant legacy = legacySecret();
        if (!legacy.toString().isEmpty())
            secretStore->write(legacy.toString(), removeLegacySecret);
        else if (legacy.isValid())
            removeLegacySecret();
    }
    return secretStore.get();
}

int kwdStore::screenDpi()
{
    if (dpi == 0) {
        QWidget probe;
        dpi = probe.logicalDpiY();
        if (dpi == 0)
            dpi = 210;
    }
    return dpi;
}

int kwdStore::pointsToPixels(int points)
{
    return points * screenDpi() / 72;
}

void kwdStore::load()
{
    loadCities();
    if (cities.isEmpty()) {
        QFile file(appFile(QStringLiteral("citylist.xml")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qWarning() << "failed to load citylist.xml" << file.fileName();
        else if (!readCityList(&file))
            qWarning() << "citylist.xml is not a readable XML document";
    }
    loadFinders(finders);
    loadNewHouseFinders(newHouseFinders);
    if (finders.isEmpty()) {
        auto* f = new kwdFinder(QStringLiteral("default"), -1);
        f->setField(kwdFinder::Province, QStringLiteral("北京"));
        f->setField(kwdFinder::City, QStringLiteral("北京"));
        f->setField(kwdFinder::Mode, QStringLiteral("101"));
        finders.append(f);
    }
    currentFinder = finders.first();
    if (newHouseFinders.isEmpty()) {
        auto* f = new kwdFinder(QStringLiteral("default"), -1);
        f->setField(kwdFinder::Province, QStringLiteral("北京"));
        f->setField(kwdFinder::City, QStringLiteral("北京"));
        f->setField(kwdFinder::Mode, QStringLiteral("101"));
        f->setField(kwdFinder::PushFlag, QStringLiteral("0"));
        newHouseFinders.append(f);
    }
    currentNewHouseFinder = newHouseFinders.first();
    loadCityInfo();
    // The first start after an earlier version moves the digest out of the settings; the write to
    // the secret service goes on in the background.
    if (legacySecret().isValid())
        secrets();
}

bool kwdStore::loadFinderFile(const QString& name, QList<kwdFinder*>& list)
{
    qDeleteAll(list);
    list.clear();
    QFile file(dataFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    // A record needs at least its name length, category and field count.
    const qint32 count = kwdStreamGuard::readCount(in, 12);
    if (count < 0) {
        qWarning() << "damaged data file" << file.fileName();
        return false;
    }
    for (qint32 i = 0; i < count; ++i) {
        auto* f = new kwdFinder;
        if (!f->read(in)) {
            delete f;
            qWarning() << "damaged data file" << file.fileName() << "kept" << list.size() << "records";
            return false;
        }
        list.append(f);
    }
    return true;
}

bool kwdStore::saveFinderFile(const QString& name, const QList<kwdFinder*>& list)
{
    return writeFile(dataFile(name), [&](QDataStream& out) {
        out << qint32(list.size());
        for (const kwdFinder* f : list)
            f->write(out);
    });
}

bool kwdStore::loadFinders(QList<kwdFinder*>& list)
{
    return loadFinderFile(QStringLiteral("finders"), list);
}

bool kwdStore::saveFinders(const QList<kwdFinder*>& list)
{
    return saveFinderFile(QStringLiteral("finders"), list);
}

bool kwdStore::loadNewHouseFinders(QList<kwdFinder*>& list)
{
    return loadFinderFile(QStringLiteral("newhousefinders"), list);
}

bool kwdStore::saveNewHouseFinders(const QList<kwdFinder*>& list)
{
    return saveFinderFile(QStringLiteral("newhousefinders"), list);
}

bool kwdStore::loadCities()
{
    cities.clear();
    QFile file(dataFile(QStringLiteral("citylist")));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    const qint32 provinces = kwdStreamGuard::readCount(in, 8);
    bool ok = provinces >= 0;
    for (qint32 p = 0; ok && p < provinces; ++p) {
        QString province;
        in >> province;
        const qint32 n = kwdStreamGuard::readCount(in, 8);
        ok = n >= 0;
        QList<kwdNameCode> list;
        for (qint32 i = 0; ok && i < n; ++i) {
            kwdNameCode city;
            in >> city.code >> city.name;
            ok = in.status() == QDataStream::Ok;
            list.append(city);
        }
        if (ok)
            cities.insert(province, list);
    }
    if (!ok)
        qWarning() << "damaged data file" << file.fileName() << "kept" << cities.size() << "provinces";
    return ok;
}

bool kwdStore::saveCities()
{
    return writeFile(dataFile(QStringLiteral("citylist")), [&](QDataStream& out) {
        out << qint32(cities.size());
        for (auto it = cities.cbegin(); it != cities.cend(); ++it) {
            out << it.key() << qint32(it.value().size());
            for (const kwdNameCode& c : it.value())
                out << c.code << c.name;
        }
    });
}

bool kwdStore::loadCityInfo()
{
    cityInfo.clear();
    QFile file(dataFile(QStringLiteral("cityinfo")));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    const qint32 count = kwdStreamGuard::readCount(in, 8);
    bool ok = count >= 0;
    for (qint32 c = 0; ok && c < count; ++c) {
        QString code;
        in >> code;
        const qint32 lists = kwdStreamGuard::readCount(in, 4);
        ok = lists >= 0;
        QList<QList<kwdNameCode>> info;
        for (qint32 l = 0; ok && l < lists; ++l) {
            const qint32 n = kwdStreamGuard::readCount(in, 8);
            ok = n >= 0;
            QList<kwdNameCode> list;
            for (qint32 i = 0; ok && i < n; ++i) {
                kwdNameCode e;
                in >> e.code >> e.name;
                ok = in.status() == QDataStream::Ok;
                list.append(e);
            }
            info.append(list);
        }
        if (ok)
            cityInfo.insert(code, info);
    }
    if (!ok)
        qWarning() << "damaged data file" << file.fileName() << "kept" << cityInfo.size() << "cities";
    return ok;
}

bool kwdStore::saveCityInfo()
{
    return writeFile(dataFile(QStringLiteral("cityinfo")), [&](QDataStream& out) {
        out << qint32(cityInfo.size());
        for (auto it = cityInfo.cbegin(); it != cityInfo.cend(); ++it) {
            out << it.key() << qint32(it.value().size());
            for (const QList<kwdNameCode>& list : it.value()) {
                out << qint32(list.size());
                for (const kwdNameCode& e : list)
                    out << e.code << e.name;
            }
        }
    });
}

// ---- City catalogue and city information ----

void kwdStore::parseCityList(const QDomDocument& doc)
{
    QByteArray xml = doc.toByteArray();
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    readCityList(&buffer);
}

bool kwdStore::readCityList(QIODevice* device)
{
    // A stream reader, not a document: the first start reads the whole list before its window shows.
    cities.clear();
    QXmlStreamReader xml(device);
    QString provinceName;
    QList<kwdNameCode> kept;
    auto closeProvince = [&] {
        if (!provinceName.isEmpty() && !kept.isEmpty())
            cities.insert(provinceName, kept);
        provinceName.clear();
        kept.clear();
    };
    int depth = 0;
    int provinceDepth = -1;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (xml.name() == QLatin1String("province") && provinceDepth < 0) {
                provinceDepth = depth;
                provinceName = xml.attributes().value(QLatin1String("name")).toString();
            } else if (xml.name() == QLatin1String("city") && provinceDepth >= 0) {
                const QXmlStreamAttributes a = xml.attributes();
                kwdNameCode entry{a.value(QLatin1String("name")).toString(),
                                  a.value(QLatin1String("jm")).toString()};
                if (!entry.name.isEmpty() && !entry.code.isEmpty())
                    kept.append(entry);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == provinceDepth) {
                closeProvince();
                provinceDepth = -1;
            }
            --depth;
        }
    }
    if (xml.hasError()) {
        cities.clear();
        return false;
    }
    if (!cities.isEmpty())
        saveCities();
    return true;
}

bool kwdStore::parseCityInfo(const QDomDocument& doc, const QString& code)
{
    static const char* const parts[4][2] = {
        {"areas", "area"}, {"saleprice", "price"}, {"totalprice", "price"}, {"leaseprice", "price"}};
    QList<QList<kwdNameCode>> info;
    for (const auto& part : parts) {
        const QDomNodeList found = doc.elementsByTagName(QLatin1String(part[0]));
        if (found.isEmpty())
            return false;
        const bool isArea = qstrcmp(part[1], "area") == 0;
        const QDomNodeList entries = found.at(0).toElement().elementsByTagName(QLatin1String(part[1]));
        QList<kwdNameCode> list;
        for (int i = 0; i < entries.size(); ++i) {
            const QDomElement e = entries.at(i).toElement();
            kwdNameCode entry{e.text(), e.attribute(isArea ? QStringLiteral("jm") : QStringLiteral("val"))};
            if (!entry.name.isEmpty() && !entry.code.isEmpty())
                list.append(entry);
        }
        if (list.isEmpty())
            return false;
        info.append(list);
    }
    cityInfo.insert(code, info);
    saveCityInfo();
    return true;
}

QString kwdStore::cityCode(const QString& cityName) const
{
    for (auto it = cities.cbegin(); it != cities.cend(); ++it) {
        for (const kwdNameCode& c : it.value()) {
            if (c.name == cityName)
                return c.code;
        }
    }
    return QString();
}

QString kwdStore::provinceOf(const QString& cityName) const
{
    for (auto it = cities.cbegin(); it != cities.cend(); ++it) {
        for (const kwdNameCode& c : it.value()) {
            if (c.name == cityName)
                return it.key();
        }
    }
    return QString();
}

const QList<QList<kwdNameCode>>* kwdStore::cityInfoOf(const QString& code) const
{
    auto it = cityInfo.constFind(code);
    return it == cityInfo.cend() ? nullptr : &it.value();
}

QString kwdStore::districtCode(const QString& code, const QString& districtName) const
{
    const QList<QList<kwdNameCode>>* info = cityInfoOf(code);
    if (!info || info->isEmpty())
        return QString();
    for (const kwdNameCode& d : info->first()) {
        if (d.name == districtName)
            return d.code;
    }
    return QString();
}

QString kwdStore::listUrl(int category, const QString& code, bool detail) const
{
    static const int entries[6][2] = {{urlHaList, urlHaDetail},       {urlForsaleList, urlForsaleDetail},
                                      {urlLeaseList, urlLeaseDetail}, {urlCoList, urlCoDetail},
                                      {urlDistrict, urlDistrict},     {urlStreetDetail, urlStreetDetail}};
    if (category < 1 || category > 6)
        return QString();
    const int key = entries[category - 1][detail ? 1 : 0];
    return QStringLiteral("http://%1.%2").arg(code, config(key).toString());
}

QString kwdStore::categoryKey(int category)
{
    static const char* const keys[] = {"ha", "forsale", "lease", "co", "district", "street"};
    return category >= 1 && category <= 6 ? QLatin1String(keys[category - 1]) : QString();
}

QString kwdStore::categoryTitle(int category)
{
    static const char* const titles[] = {"楼盘小区", "二手房", "租房", "中介", "行政区", "道路"};
    return category >= 1 && category <= 6 ? QString::fromUtf8(titles[category - 1]) : QString();
}

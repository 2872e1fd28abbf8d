// Writes seed data files for the loaders' fuzz targets with the store's own writers, from the
// documents of the other corpora: kwd-fuzzseeds <corpus directory>. Run again when a file format
// changes; it replaces only the files it writes.
#include "kwdannouncedlistings.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdfuzzharness.h"
#include "kwdresultdocument.h"
#include "kwdstore.h"
#include "qvmlistitem.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>

#include <cstdio>

namespace {

QString corpus;

void keep(const QString& name, const QString& variant)
{
    kwdStore* store = kwdStore::instance();
    const QString dir = corpus + QStringLiteral("/file_") + name;
    QDir().mkpath(dir);
    const QString target = dir + QLatin1Char('/') + variant;
    QFile::remove(target);
    QFile::copy(store->dataFile(name), target);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first record of every detail document of a kind, as complete rows.
QList<qvmListItem*> detailRows(int kind)
{
    QList<qvmListItem*> rows;
    const QDir dir(corpus + QStringLiteral("/detail_") + kwdStore::categoryKey(kind));
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
        kwdResultDocument doc;
        if (!doc.read(readAll(dir.filePath(file)), kind))
            continue;
        qvmListItem* row = qvmListItem::createForKind(kind);
        if (row->read(doc.firstRecord()))
            rows << row;
        else
            delete row;
    }
    return rows;
}

QList<kwdFinder*> sampleFinders(bool push)
{
    QList<kwdFinder*> list;
    auto* plain = new kwdFinder(QStringLiteral("default"), -1);
    plain->setField(kwdFinder::Province, QStringLiteral("北京"));
    plain->setField(kwdFinder::City, QStringLiteral("北京"));
    plain->setField(kwdFinder::Mode, QStringLiteral("101"));
    list << plain;
    auto* full = new kwdFinder(QStringLiteral("海淀两居"), 2);
    full->setField(kwdFinder::Province, QStringLiteral("北京"));
    full->setField(kwdFinder::City, QStringLiteral("北京"));
    full->setField(kwdFinder::District, QStringLiteral("bj04"));
    full->setField(kwdFinder::Mode, QStringLiteral("103"));
    full->setField(kwdFinder::HaId, QStringLiteral("H10025"));
    full->setField(kwdFinder::PriceSale, QStringLiteral("250-430"));
    full->setField(kwdFinder::RoomType, QStringLiteral("2"));
    full->setField(kwdFinder::Keyword, QStringLiteral("学区 & 地铁"));
    full->setField(kwdFinder::Latitude, QStringLiteral("39.9"));
    full->setField(kwdFinder::Longitude, QStringLiteral("116.4"));
    if (push) {
        full->setField(kwdFinder::PushFlag, QStringLiteral("1"));
        full->setField(kwdFinder::PushInterval, QStringLiteral("600000"));
        full->setField(kwdFinder::PushLastSale, QStringLiteral("S200313"));
    }
    list << full;
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kwd-fuzzseeds <corpus directory>\n");
        return 2;
    }
    kwdFuzzHarness::init();
    corpus = QString::fromLocal8Bit(argv[1]);
    kwdStore* store = kwdStore::instance();

    for (bool push : {false, true}) {
        QList<kwdFinder*> list = sampleFinders(push);
        const QString name = push ? QStringLiteral("newhousefinders") : QStringLiteral("finders");
        push ? store->saveNewHouseFinders(list) : store->saveFinders(list);
        keep(name, QStringLiteral("two"));
        delete list.takeLast();
        push ? store->saveNewHouseFinders(list) : store->saveFinders(list);
        keep(name, QStringLiteral("default"));
        qDeleteAll(list);
    }

    // The announced listings: one kind, and both kinds with Chinese-free and odd identifiers.
    for (const char* variant : {"sale", "both"}) {
        kwdAnnouncedListings announced(store->dataFile(QStringLiteral("announced")));
        announced.add(2, {QStringLiteral("S200313"), QStringLiteral("S200314"), QStringLiteral("S200400")});
        if (QByteArray(variant) == "both")
            announced.add(3, {QStringLiteral("L100001"), QString(), QStringLiteral("L 2&=")});
        announced.save();
        keep(QStringLiteral("announced"), QLatin1String(variant));
    }

    QFile cityList(corpus + QStringLiteral("/citylistxml/full.xml"));
    if (cityList.open(QIODevice::ReadOnly) && store->readCityList(&cityList))
        keep(QStringLiteral("citylist"), QStringLiteral("full"));
    const auto all = store->cities;
    store->cities.clear();
    store->cities.insert(all.firstKey(), all.first());
    store->saveCities();
    keep(QStringLiteral("citylist"), QStringLiteral("one"));

    const QDir docs(corpus + QStringLiteral("/citydoc"));
    for (const QString& file : docs.entryList(QDir::Files, QDir::Name)) {
        QDomDocument doc;
        if (doc.setContent(QString::fromUtf8(readAll(docs.filePath(file)))))
            store->parseCityInfo(doc, QFileInfo(file).baseName());
        keep(QStringLiteral("cityinfo"), QString::number(store->cityInfo.size()));
    }

    QList<qvmListItem*> rows;
    for (int kind = 1; kind <= 3; ++kind) {
        const QList<qvmListItem*> found = detailRows(kind);
        if (!found.isEmpty())
            kwdFavorites::instance()->add(found.first());
        rows += found;
    }
    keep(QStringLiteral("favorite"), QStringLiteral("one_each"));
    for (const qvmListItem* row : std::as_const(rows))
        kwdFavorites::instance()->add(row);
    keep(QStringLiteral("favorite"), QStringLiteral("all"));
    qDeleteAll(rows);
    std::printf("seeds written below %s\n", qPrintable(corpus));
    return 0;
}

#include "kwdsampleworld.h"

#include "kwdsamplenames.h"
#include "kwdsamplerandom.h"

#include <QDomDocument>
#include <QFile>

kwdSampleWorld::kwdSampleWorld(quint64 seed, const QDateTime& reference) : baseSeed(seed), start(reference)
{
    clock.start();
    for (const kwdSampleNames::LargeCity& c : kwdSampleNames::largeCities())
        known.insert(QLatin1String(c.code), {QString::fromUtf8(c.name), QString::fromUtf8(c.province)});
}

bool kwdSampleWorld::loadCityList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDomDocument doc;
    if (!doc.setContent(&file))
        return false;
    const QDomNodeList provinces = doc.elementsByTagName(QStringLiteral("province"));
    for (int i = 0; i < provinces.size(); ++i) {
        const QDomElement p = provinces.at(i).toElement();
        const QString province = p.attribute(QStringLiteral("name"));
        const QDomNodeList cities = p.elementsByTagName(QStringLiteral("city"));
        for (int k = 0; k < cities.size(); ++k) {
            const QDomElement c = cities.at(k).toElement();
            const QString code = c.attribute(QStringLiteral("jm")).trimmed().toLower();
            const QString name = c.attribute(QStringLiteral("name")).trimmed();
            if (code.isEmpty() || name.isEmpty())
                continue;
            known.insert(code, {name, province});
        }
    }
    return true;
}

bool kwdSampleWorld::knows(const QString& code) const
{
    return known.contains(code);
}

QStringList kwdSampleWorld::codes() const
{
    return known.keys();
}

QDateTime kwdSampleWorld::now() const
{
    return start.addMSecs(clock.elapsed());
}

kwdSampleCity* kwdSampleWorld::city(const QString& code)
{
    auto it = generated.find(code);
    if (it == generated.end()) {
        const auto k = known.constFind(code);
        if (k == known.constEnd())
            return nullptr;
        auto g = std::make_shared<Generated>();
        g->city =
            kwdSampleCity::generate(kwdSampleCity::profileFor(code, k->name, k->province), baseSeed, start);
        g->serial = qMax(g->city.sales.size(), g->city.leases.size());
        it = generated.insert(code, g);
    }
    catchUp(code, it->get());
    return &it->get()->city;
}

void kwdSampleWorld::catchUp(const QString& code, Generated* g)
{
    if (freshSeconds <= 0)
        return;
    const qint64 due = start.secsTo(now()) / freshSeconds;
    // A long idle service adds at most a few listings at once.
    while (g->freshDone < due) {
        ++g->freshDone;
        if (due - g->freshDone >= 5)
            continue;
        kwdSampleRandom r(
            kwdSampleRandom::mix(baseSeed ^ kwdSampleRandom::hash(code.toUtf8()), g->freshDone));
        const QDateTime when = start.addSecs(qint64(g->freshDone) * freshSeconds);
        for (const bool lease : {false, true})
            g->city.addListing(g->city.makeListing(lease, r, when, g->serial++));
    }
}

kwdSampleListing kwdSampleWorld::addFresh(const QString& code, bool lease)
{
    kwdSampleCity* c = city(code);
    if (!c)
        return kwdSampleListing();
    Generated* g = generated.value(code).get();
    kwdSampleRandom r(
        kwdSampleRandom::mix(baseSeed ^ 0x5eedULL, kwdSampleRandom::hash(code.toUtf8()) + g->serial));
    const kwdSampleListing l = c->makeListing(lease, r, now(), g->serial++);
    c->addListing(l);
    return l;
}

QString kwdSampleWorld::nearestCity(double latitude, double longitude, double* metres) const
{
    QString best;
    double bestDistance = -1;
    for (auto it = known.constBegin(); it != known.constEnd(); ++it) {
        const kwdSampleCity::Profile p = kwdSampleCity::profileFor(it.key(), it->name, it->province);
        const double d = kwdSampleCity::distanceMetres(latitude, longitude, p.latitude, p.longitude);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = it.key();
        }
    }
    if (metres)
        *metres = bestDistance;
    return best;
}

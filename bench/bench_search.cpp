// Search: ordering the catalogue by pinyin, building the area page, building list query strings.
#include "kwdbench.h"
#include "kwddevice.h"
#include "kwdfinder.h"
#include "kwdpinyin.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmviewarea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

template <typename F> double perCall(int rounds, F&& f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        f();
    return double(t.nsecsElapsed()) / rounds / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    kwdStore* store = kwdStore::instance();
    store->load();

    QStringList provinces = store->cities.keys();
    QStringList cities;
    for (const auto& list : store->cities)
        for (const kwdNameCode& c : list)
            cities << c.name;
    std::printf("catalogue: %lld provinces, %lld cities\n", qint64(provinces.size()), qint64(cities.size()));

    const double sortProvinces = perCall(2000, [&] {
        QStringList copy = provinces;
        kwdPinyin::sort(copy);
    });
    const double sortCities = perCall(500, [&] {
        QStringList copy = cities;
        kwdPinyin::sort(copy);
    });
    std::printf("pinyin sort: provinces %.1f us, all cities at once %.1f us\n", sortProvinces, sortCities);

    const double page = perCall(50, [] {
        qvmViewArea area;
        area.resize(360, 640);
    });
    std::printf("area page with the full catalogue: %.0f us to build\n", page);

    kwdFinder f(QStringLiteral("default"), 3);
    const QStringList fields{"1=北京", "8=103",    "5=777",        "7=2000", "17=garden", "10=11", "15=3",
                             "16=1",   "14=50-90", "13=1000-2000", "18=8",   "19=1",      "21=9"};
    for (const QString& pair : fields)
        f.setField(pair.section(QLatin1Char('='), 0, 0).toInt(), pair.section(QLatin1Char('='), 1));
    kwdDevice::id();
    const double query = perCall(20000, [&] { f.buildQuery(); });
    std::printf("buildQuery, lease with every condition: %.2f us\n", query);
    return 0;
}

#include "kwdfinder.h"
#include "kwdpinyin.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "kwdwidgetarea.h"
#include "qvmviewarea.h"

#include <QApplication>
#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// Stands in for the main window: the ancestor whose slot the page calls by name.
class FakeMainWindow : public QWidget
{
    Q_OBJECT
public:
    int looks = 0;
public Q_SLOTS:
    void onLookNewHouse() { ++looks; }
};

namespace {

// category:province,city,district,housing area id,housing area name,mode
QString describe(const kwdFinder* f)
{
    QStringList parts;
    for (int key : {0, 1, 2, 5, 6, 8})
        parts << f->field(key);
    return QString::number(f->category) + QLatin1Char(':') + parts.join(QLatin1Char(','));
}

QString items(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts.join(QLatin1Char(' '));
}

} // namespace

// The area and category chooser: catalogue order, record updates, the push button's two ways; and the
// pinyin order of province and city names.
class TestWidgetArea : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { kwdStore::destroy(); }
    void cleanup()
    {
        delete window;
        window = nullptr;
        page = nullptr;
        kwdStore::destroy();
    }

    void startUp_data()
    {
        // shown: province, selected city, then the city list
        kwdColumns<QString, int, QString>("province", "category", "shown");

        kwdRow("first start, shipped catalogue: Beijing", "", -1, "北京 北京: 北京");
        kwdRow("never searched", "江苏", -1, "江苏 新城: 南京 新城");
        kwdRow("last search was for sale", "广东", 2, "广东 新城: 广州 深圳 新城");
        kwdRow("missing province selects the first", "Atlantis", -1, "安徽 合肥: 合肥");
    }

    void startUp()
    {
        QFETCH(int, category);
        if (kwdData<QString>("province").isEmpty())
            kwdStore::instance()->load();
        else
            setUp(kwdData<QString>("province"), category);
        const QString before = describe(kwdStore::instance()->currentFinder);
        build();
        QSignalSpy search(page, &kwdWidgetArea::doSearch);
        QCOMPARE(combo("cboProvince")->currentText() + QLatin1Char(' ') + combo("cboCity")->currentText() +
                     QStringLiteral(": ") + items(combo("cboCity")),
                 kwdData<QString>("shown"));
        // Shortly after start the last search, if any, runs again unchanged.
        QCOMPARE(search.wait(category == -1 ? 200 : 2000), category != -1);
        if (category != -1) {
            QCOMPARE(search.at(0).at(0).toBool(), false);
            QCOMPARE(describe(kwdStore::instance()->currentFinder), before);
        }
    }

    void buttons_data()
    {
        // chosen: province and city
        // outcome: "search", "push" (doSearch(true)) or "look" (main window)
        kwdColumns<QString, QString, bool, QString, QString, QString>("name", "chosen", "subscribed",
                                                                      "outcome", "current", "push");

        const char current[] = "-1:广东,新城,天河,77,花园,103";
        const char push[] = "-1:广东,新城,天河,,,101";
        // A new city drops the district and housing area and searches by district.
        kwdRow("sale", "btnSale", "广东 新城", false, "search", "2:广东,新城,天河,77,花园,103", push);
        kwdRow("lease, other city", "btnLease", "广东 深圳", false, "search", "3:广东,深圳,,,,101", push);
        kwdRow("areas, other province", "btnHA", "安徽 合肥", false, "search", "1:安徽,合肥,,,,101", push);
        kwdRow("same city, other province", "btnSale", "江苏 新城", false, "search",
               "2:江苏,新城,天河,77,花园,103", push);
        // The push button: subscribed, the main window shows the pushed houses; else the push form opens.
        kwdRow("push, new city", "btnpushres", "广东 深圳", false, "push", current, "-1:广东,深圳,,,,101");
        kwdRow("badge", "btnNew", "广东 广州", true, "look", current, "-1:广东,广州,,,,101");
    }

    void buttons()
    {
        QFETCH(QString, chosen);

        setUp(QStringLiteral("广东"), -1);
        kwdStore* store = kwdStore::instance();
        store->currentNewHouseFinder->setField(kwdFinder::PushFlag,
                                               kwdData<bool>("subscribed") ? QStringLiteral("1") : "0");
        build();
        QSignalSpy search(page, &kwdWidgetArea::doSearch);
        combo("cboProvince")->setCurrentText(chosen.section(QLatin1Char(' '), 0, 0));
        combo("cboCity")->setCurrentText(chosen.section(QLatin1Char(' '), 1));
        button(kwdData<QString>("name"))->click();

        QStringList happened;
        for (int i = 0; i < window->looks; ++i)
            happened << QStringLiteral("look");
        for (const QList<QVariant>& args : search)
            happened << (args.at(0).toBool() ? QStringLiteral("push") : QStringLiteral("search"));
        QCOMPARE(happened.join(QLatin1Char(' ')), kwdData<QString>("outcome"));
        QCOMPARE(describe(store->currentFinder), kwdData<QString>("current"));
        QCOMPARE(describe(store->currentNewHouseFinder), kwdData<QString>("push"));
    }

    void sort_data()
    {
        // Names separated by spaces, as the catalogue lists them and as they must come out (in pinyin
        // initials, compared as signed bytes, stable).
        kwdColumns<QString, QString>("names", "sorted");

        kwdRow("provinces", QStringLiteral("浙江 广东 重庆 北京 安徽"),
               QStringLiteral("安徽 北京 重庆 广东 浙江"));
        kwdRow("equal keys keep catalogue order", QStringLiteral("陕西 上海 山西 安徽"),
               QStringLiteral("安徽 上海 陕西 山西"));
        kwdRow("second character decides", QStringLiteral("北京 保定"), QStringLiteral("保定 北京"));
        kwdRow("a prefix ties", QStringLiteral("吉林市 吉林"), QStringLiteral("吉林市 吉林"));
        kwdRow("signed 8-bit: high byte is negative", QStringLiteral("a \u00e9"), QStringLiteral("\u00e9 a"));
    }

    void sort()
    {
        QStringList list = kwdData<QString>("names").split(QLatin1Char(' '));
        kwdPinyin::sort(list);
        QCOMPARE(list.join(QLatin1Char(' ')), kwdData<QString>("sorted"));
    }

    void placeNames_data()
    {
        // Each name of the shipped city list with the pinyin initials it must sort by: the city's code
        // where it spells the initials (one letter per character) or starts with the first syllable.
        // Provinces carry no code; their initials are written out here.
        // wholeName: false: only the first character is checked
        kwdColumns<QString, QString, bool>("name", "initials", "wholeName");
        const QStringList provinces =
            QStringLiteral(
                "北京 bj,天津 tj,河北 hb,山西 sx,内蒙古 nmg,辽宁 ln,吉林 jl,黑龙江 hlj,上海 sh,江苏 js,浙江 "
                "zj,安徽 ah,"
                "福建 fj,江西 jx,山东 sd,河南 hn,湖北 hb,湖南 hn,广东 gd,广西 gx,海南 hn,重庆 cq,四川 "
                "sc,贵州 gz,"
                "云南 yn,西藏 xz,陕西 sx,甘肃 gs,青海 qh,宁夏 nx,新疆 xj")
                .split(QLatin1Char(','));
        for (const QString& p : provinces) {
            const QStringList parts = p.split(QLatin1Char(' '));
            QTest::addRow("province %s", qPrintable(parts[0])) << parts[0] << parts[1] << true;
        }
        // Beyond the shipped names: the table's last ideograph (filled by hand), past it, and latin.
        kwdRow("last ideograph", QString(QChar(0x9FA6)), QString("c"), true);
        kwdRow("beyond the table", QString(QChar(0x9FA7)), QString(QChar(0x9FA7)), true);
        kwdRow("latin", QString("Q"), QString("Q"), true);
        QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/citylist.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&file));
        const QDomNodeList provinceNodes =
            doc.documentElement().elementsByTagName(QStringLiteral("province"));
        QCOMPARE(provinceNodes.size(), provinces.size());
        const QDomNodeList cities = doc.documentElement().elementsByTagName(QStringLiteral("city"));
        QVERIFY(cities.size() > 300);
        for (int i = 0; i < cities.size(); ++i) {
            const QDomElement city = cities.at(i).toElement();
            const QString name = city.attribute(QStringLiteral("name"));
            const QString code = city.attribute(QStringLiteral("jm"));
            QTest::addRow("city %s %s", qPrintable(name), qPrintable(code))
                << name << code << (code.size() == name.size());
        }
    }

    void placeNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, initials);
        QFETCH(bool, wholeName);
        QString keys;
        for (int i = 0; i < (wholeName ? name.size() : 1); ++i)
            keys += QChar(kwdPinyin::initial(name.at(i)));
        QCOMPARE(keys, wholeName ? initials : initials.left(1));
    }

private:
    // A small catalogue, a current search in 新城 (district and housing area chosen) and a push record.
    void setUp(const QString& province, int category)
    {
        kwdStore* store = kwdStore::instance();
        store->cities.insert("广东", {{"深圳", "sz"}, {"广州", "gz"}, {"新城", "xcg"}});
        store->cities.insert("江苏", {{"新城", "xcj"}, {"南京", "nj"}});
        store->cities.insert("安徽", {{"合肥", "hf"}});
        store->currentFinder = new kwdFinder(QStringLiteral("default"), category);
        store->currentNewHouseFinder = new kwdFinder(QStringLiteral("default"), -1);
        store->finders.append(store->currentFinder);
        store->newHouseFinders.append(store->currentNewHouseFinder);
        for (kwdFinder* f : {store->currentFinder, store->currentNewHouseFinder}) {
            f->setField(kwdFinder::Province, province);
            f->setField(kwdFinder::City, QStringLiteral("新城"));
            f->setField(kwdFinder::District, QStringLiteral("天河"));
            f->setField(kwdFinder::Mode, QStringLiteral("101"));
        }
        store->currentFinder->setField(kwdFinder::HaId, QStringLiteral("77"));
        store->currentFinder->setField(kwdFinder::HaName, QStringLiteral("花园"));
        store->currentFinder->setField(kwdFinder::Mode, QStringLiteral("103"));
    }

    QComboBox* combo(const char* name) const { return page->findChild<QComboBox*>(QLatin1String(name)); }
    QPushButton* button(const QString& name) const { return page->findChild<QPushButton*>(name); }
    void build()
    {
        window = new FakeMainWindow;
        window->resize(360, 640);
        auto* area = new qvmViewArea(window);
        area->resize(360, 640);
        page = area->area();
        QVERIFY(page);
    }

    FakeMainWindow* window = nullptr;
    kwdWidgetArea* page = nullptr;
};

KWD_TEST_MAIN(TestWidgetArea)
#include "tst_kwdwidgetarea.moc"

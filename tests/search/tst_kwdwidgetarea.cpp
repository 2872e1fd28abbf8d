#include "kwdfinder.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "kwdtheme.h"
#include "kwdwidgetarea.h"
#include "qvmviewarea.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// Stands in for the main window: the ancestor whose slot the page calls by name.
class FakeMainWindow : public QWidget
{
    Q_OBJECT
public:
    int looks = 0;
Q_SIGNALS:
    void showBtnNew();
    void hideBtnNew();
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

// The area and category chooser: catalogue order, record updates, the push button's two ways.
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

    void shippedCatalogueAndBadge()
    {
        QVERIFY(kwdStartup::installStyleSheet(qApp, kwdTheme::instance()->skinDir()));
        auto resetStyle = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        kwdStore::instance()->load();
        build();
        // The first start's record is Beijing.
        QCOMPARE(combo("cboProvince")->currentText() + combo("cboCity")->currentText(),
                 QStringLiteral("北京北京"));

        // The new-houses badge sits over the push button's right half, sticking out above it by half its
        // height. Drawn as the program shows it, with the skin's style sheet.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QPushButton* badge = button(QStringLiteral("btnNew"));
        const QPushButton* push = button(QStringLiteral("btnpushres"));
        QVERIFY(!badge->isVisible());
        Q_EMIT window->showBtnNew();
        QVERIFY(badge->isVisible());
        const QRect pushRect(push->mapTo(page, QPoint(0, 0)), push->size());
        QVERIFY(badge->x() > pushRect.center().x() && badge->x() < pushRect.right());
        QCOMPARE(badge->y() + pushRect.height() / 2, pushRect.top());
        const QImage image = window->grab().toImage();
        QVERIFY(image.save(kwdTestEnvironment::outputDir(QStringLiteral("search")) +
                           QStringLiteral("/area.png")));
        Q_EMIT window->hideBtnNew();
        QVERIFY(!badge->isVisible());
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("province");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("shown"); // province, selected city, then the city list

        kwdRow("never searched", "江苏", -1, "江苏 新城: 南京 新城");
        kwdRow("last search was for sale", "广东", 2, "广东 新城: 广州 深圳 新城");
        kwdRow("missing province selects the first", "Atlantis", -1, "安徽 合肥: 合肥");
    }

    void startUp()
    {
        QFETCH(QString, province);
        QFETCH(int, category);
        QFETCH(QString, shown);
        setUp(province, category);
        const QString before = describe(kwdStore::instance()->currentFinder);
        build();
        QSignalSpy search(page, &kwdWidgetArea::doSearch);
        QCOMPARE(combo("cboProvince")->currentText() + QLatin1Char(' ') + combo("cboCity")->currentText() +
                     QStringLiteral(": ") + items(combo("cboCity")),
                 shown);
        // Shortly after start the last search, if any, runs again unchanged.
        QCOMPARE(search.count(), 0);
        QCOMPARE(search.wait(category == -1 ? 200 : 2000), category != -1);
        if (category != -1) {
            QCOMPARE(search.at(0).at(0).toBool(), false);
            QCOMPARE(describe(kwdStore::instance()->currentFinder), before);
        }
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chosen"); // province and city
        QTest::addColumn<bool>("subscribed");
        QTest::addColumn<QString>("outcome"); // "search", "push" (doSearch(true)) or "look" (main window)
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("push");

        const char current[] = "-1:广东,新城,天河,77,花园,103";
        const char push[] = "-1:广东,新城,天河,,,101";
        // A new city drops the district and housing area and searches by district.
        kwdRow("sale", "btnSale", "广东 新城", false, "search", "2:广东,新城,天河,77,花园,103", push);
        kwdRow("lease, other city", "btnLease", "广东 深圳", false, "search", "3:广东,深圳,,,,101", push);
        kwdRow("areas, other province", "btnHA", "安徽 合肥", false, "search", "1:安徽,合肥,,,,101", push);
        kwdRow("same city, other province", "btnSale", "江苏 新城", false, "search",
               "2:江苏,新城,天河,77,花园,103", push);
        // The push button: subscribed, the main window shows the pushed houses; else the push form opens.
        kwdRow("push, subscribed", "btnpushres", "广东 新城", true, "look", current, push);
        kwdRow("push, not subscribed", "btnpushres", "广东 新城", false, "push", current, push);
        kwdRow("push, new city", "btnpushres", "广东 深圳", false, "push", current, "-1:广东,深圳,,,,101");
        kwdRow("badge", "btnNew", "广东 广州", true, "look", current, "-1:广东,广州,,,,101");
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        QFETCH(bool, subscribed);
        QFETCH(QString, outcome);
        QFETCH(QString, current);
        QFETCH(QString, push);

        setUp(QStringLiteral("广东"), -1);
        kwdStore* store = kwdStore::instance();
        store->currentNewHouseFinder->setField(kwdFinder::PushFlag, subscribed ? QStringLiteral("1") : "0");
        build();
        QSignalSpy search(page, &kwdWidgetArea::doSearch);
        combo("cboProvince")->setCurrentText(chosen.section(QLatin1Char(' '), 0, 0));
        combo("cboCity")->setCurrentText(chosen.section(QLatin1Char(' '), 1));
        button(name)->click();

        QStringList happened;
        for (int i = 0; i < window->looks; ++i)
            happened << QStringLiteral("look");
        for (const QList<QVariant>& args : search)
            happened << (args.at(0).toBool() ? QStringLiteral("push") : QStringLiteral("search"));
        QCOMPARE(happened.join(QLatin1Char(' ')), outcome);
        QCOMPARE(describe(store->currentFinder), current);
        QCOMPARE(describe(store->currentNewHouseFinder), push);
    }

private:
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

// A small catalogue, a current search in 新城 (district and housing area chosen) and a push record.
KWD_TEST_MAIN(TestWidgetArea)
#include "tst_kwdwidgetarea.moc"

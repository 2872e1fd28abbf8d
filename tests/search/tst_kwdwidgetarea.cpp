#include "kwdfinder.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
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

// The area and category chooser: catalogue order, record updates, the push button's two ways.
class TestWidgetArea : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void shippedCatalogueInPinyinOrder();
    void storedAreaSelected();
    void missingProvinceSelectsFirst();
    void categoryButtons_data();
    void categoryButtons();
    void pushButton_data();
    void pushButton();
    void badge();
    void restoreLastSearch_data();
    void restoreLastSearch();
    void render();

private:
    void setUpCatalogue(const QString& province, const QString& city, int category);
    QComboBox* combo(const char* name) const { return page->findChild<QComboBox*>(QLatin1String(name)); }
    QPushButton* button(const char* name) const { return page->findChild<QPushButton*>(QLatin1String(name)); }
    void build();

    FakeMainWindow* window = nullptr;
    qvmViewArea* area = nullptr;
    kwdWidgetArea* page = nullptr;
};

void TestWidgetArea::init()
{
    kwdStore::destroy();
}

void TestWidgetArea::cleanup()
{
    delete window;
    window = nullptr;
    area = nullptr;
    page = nullptr;
    kwdStore::destroy();
}

void TestWidgetArea::setUpCatalogue(const QString& province, const QString& city, int category)
{
    kwdStore* store = kwdStore::instance();
    store->cities.insert(QStringLiteral("广东"), {{QStringLiteral("深圳"), QStringLiteral("sz")},
                                                  {QStringLiteral("广州"), QStringLiteral("gz")},
                                                  {QStringLiteral("新城"), QStringLiteral("xcg")}});
    store->cities.insert(QStringLiteral("江苏"), {{QStringLiteral("新城"), QStringLiteral("xcj")},
                                                  {QStringLiteral("南京"), QStringLiteral("nj")}});
    store->cities.insert(QStringLiteral("安徽"), {{QStringLiteral("合肥"), QStringLiteral("hf")}});

    auto* current = new kwdFinder(QStringLiteral("default"), category);
    current->setField(kwdFinder::Province, province);
    current->setField(kwdFinder::City, city);
    current->setField(kwdFinder::District, QStringLiteral("天河"));
    current->setField(kwdFinder::HaId, QStringLiteral("77"));
    current->setField(kwdFinder::HaName, QStringLiteral("花园"));
    current->setField(kwdFinder::Mode, QStringLiteral("103"));
    store->finders.append(current);
    store->currentFinder = current;

    auto* push = new kwdFinder(QStringLiteral("default"), -1);
    push->setField(kwdFinder::Province, province);
    push->setField(kwdFinder::City, city);
    push->setField(kwdFinder::District, QStringLiteral("天河"));
    push->setField(kwdFinder::Mode, QStringLiteral("101"));
    push->setField(kwdFinder::PushFlag, QStringLiteral("0"));
    store->newHouseFinders.append(push);
    store->currentNewHouseFinder = push;
}

void TestWidgetArea::build()
{
    window = new FakeMainWindow;
    window->resize(360, 640);
    area = new qvmViewArea(window);
    area->resize(360, 640);
    page = area->area();
    QVERIFY(page);
}

void TestWidgetArea::shippedCatalogueInPinyinOrder()
{
    kwdStore::instance()->load();
    QVERIFY(kwdStore::instance()->cities.size() > 4);
    build();

    QStringList provinces;
    for (int i = 0; i < combo("cboProvince")->count(); ++i)
        provinces << combo("cboProvince")->itemText(i);
    QCOMPARE(provinces.size(), kwdStore::instance()->cities.size());
    const int anhui = provinces.indexOf(QStringLiteral("安徽"));
    const int beijing = provinces.indexOf(QStringLiteral("北京"));
    const int chongqing = provinces.indexOf(QStringLiteral("重庆"));
    const int guangdong = provinces.indexOf(QStringLiteral("广东"));
    const int zhejiang = provinces.indexOf(QStringLiteral("浙江"));
    QVERIFY(anhui >= 0);
    QVERIFY(anhui < beijing);
    QVERIFY(beijing < chongqing);
    QVERIFY(chongqing < guangdong);
    QVERIFY(guangdong < zhejiang);
    QCOMPARE(zhejiang, provinces.size() - 1);

    // The first start's record is Beijing.
    QCOMPARE(combo("cboProvince")->currentText(), QStringLiteral("北京"));
    QCOMPARE(combo("cboCity")->currentText(), QStringLiteral("北京"));
}

void TestWidgetArea::storedAreaSelected()
{
    setUpCatalogue(QStringLiteral("广东"), QStringLiteral("广州"), -1);
    build();
    QCOMPARE(combo("cboProvince")->currentText(), QStringLiteral("广东"));
    QCOMPARE(combo("cboCity")->currentText(), QStringLiteral("广州"));
    const QStringList expected{QStringLiteral("广州"), QStringLiteral("深圳"), QStringLiteral("新城")};
    QStringList cities;
    for (int i = 0; i < combo("cboCity")->count(); ++i)
        cities << combo("cboCity")->itemText(i);
    QCOMPARE(cities, expected);
}

void TestWidgetArea::missingProvinceSelectsFirst()
{
    setUpCatalogue(QStringLiteral("Atlantis"), QStringLiteral("广州"), -1);
    build();
    QCOMPARE(combo("cboProvince")->currentIndex(), 0);
    QCOMPARE(combo("cboProvince")->currentText(), QStringLiteral("安徽"));
    QCOMPARE(combo("cboCity")->currentText(), QStringLiteral("合肥"));
}

void TestWidgetArea::categoryButtons_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("city");
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("keepsChoices");

    QTest::newRow("sale, same city") << "btnSale" << QStringLiteral("广东") << QStringLiteral("新城") << 2
                                     << true;
    QTest::newRow("lease, other city")
        << "btnLease" << QStringLiteral("广东") << QStringLiteral("深圳") << 3 << false;
    QTest::newRow("housing areas, other province")
        << "btnHA" << QStringLiteral("安徽") << QStringLiteral("合肥") << 1 << false;
    QTest::newRow("same city name in another province")
        << "btnSale" << QStringLiteral("江苏") << QStringLiteral("新城") << 2 << true;
}

void TestWidgetArea::categoryButtons()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, province);
    QFETCH(QString, city);
    QFETCH(int, category);
    QFETCH(bool, keepsChoices);

    setUpCatalogue(QStringLiteral("广东"), QStringLiteral("新城"), -1);
    build();
    QSignalSpy search(page, &kwdWidgetArea::doSearch);
    combo("cboProvince")->setCurrentText(province);
    combo("cboCity")->setCurrentText(city);
    QCOMPARE(combo("cboCity")->currentText(), city);

    QTest::mouseClick(button(buttonName.toLatin1().constData()), Qt::LeftButton);

    QCOMPARE(search.count(), 1);
    QCOMPARE(search.at(0).at(0).toBool(), false);
    const kwdFinder* current = kwdStore::instance()->currentFinder;
    QCOMPARE(current->category, category);
    QCOMPARE(current->field(kwdFinder::Province), province);
    QCOMPARE(current->field(kwdFinder::City), city);
    QCOMPARE(current->field(kwdFinder::District), keepsChoices ? QStringLiteral("天河") : QString());
    QCOMPARE(current->field(kwdFinder::HaId), keepsChoices ? QStringLiteral("77") : QString());
    QCOMPARE(current->field(kwdFinder::HaName), keepsChoices ? QStringLiteral("花园") : QString());
    QCOMPARE(current->field(kwdFinder::Mode), keepsChoices ? QStringLiteral("103") : QStringLiteral("101"));
    // The push record is not touched by a category search.
    QCOMPARE(kwdStore::instance()->currentNewHouseFinder->field(kwdFinder::City), QStringLiteral("新城"));
    QCOMPARE(window->looks, 0);
}

void TestWidgetArea::pushButton_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("city");

    QTest::newRow("subscribed") << "btnpushres"
                                << "1" << QStringLiteral("新城");
    QTest::newRow("not subscribed") << "btnpushres"
                                    << "0" << QStringLiteral("新城");
    QTest::newRow("not subscribed, new city") << "btnpushres"
                                              << "0" << QStringLiteral("深圳");
    QTest::newRow("badge, subscribed") << "btnNew"
                                       << "1" << QStringLiteral("广州");
}

void TestWidgetArea::pushButton()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, flag);
    QFETCH(QString, city);

    setUpCatalogue(QStringLiteral("广东"), QStringLiteral("新城"), -1);
    kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
    push->setField(kwdFinder::PushFlag, flag);
    build();
    QSignalSpy search(page, &kwdWidgetArea::doSearch);
    combo("cboCity")->setCurrentText(city);

    QPushButton* b = button(buttonName.toLatin1().constData());
    b->click();

    const bool subscribed = flag == QLatin1String("1");
    QCOMPARE(window->looks, subscribed ? 1 : 0);
    QCOMPARE(search.count(), subscribed ? 0 : 1);
    if (!subscribed)
        QCOMPARE(search.at(0).at(0).toBool(), true);
    QCOMPARE(push->field(kwdFinder::City), city);
    QCOMPARE(push->field(kwdFinder::District),
             city == QStringLiteral("新城") ? QStringLiteral("天河") : QString());
    QCOMPARE(push->category, -1);
    // The current search record keeps its city and category.
    QCOMPARE(kwdStore::instance()->currentFinder->field(kwdFinder::City), QStringLiteral("新城"));
    QCOMPARE(kwdStore::instance()->currentFinder->category, -1);
}

void TestWidgetArea::badge()
{
    setUpCatalogue(QStringLiteral("广东"), QStringLiteral("广州"), -1);
    build();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QPushButton* badge = button("btnNew");
    QPushButton* push = button("btnpushres");
    QVERIFY(!badge->isVisible());
    QCOMPARE(badge->size(), QSize(38, 32));

    Q_EMIT window->showBtnNew();
    QVERIFY(badge->isVisible());
    const QRect pushRect(push->mapTo(page, QPoint(0, 0)), push->size());
    // Over the push button's right third, sticking out above it by half its height.
    QVERIFY(badge->x() > pushRect.left() + pushRect.width() / 2);
    QVERIFY(badge->x() < pushRect.right());
    QCOMPARE(badge->y() + pushRect.height() / 2, pushRect.top());

    Q_EMIT window->hideBtnNew();
    QVERIFY(!badge->isVisible());
}

void TestWidgetArea::restoreLastSearch_data()
{
    QTest::addColumn<int>("category");
    QTest::newRow("never searched") << -1;
    QTest::newRow("last search was for sale") << 2;
}

void TestWidgetArea::restoreLastSearch()
{
    QFETCH(int, category);
    setUpCatalogue(QStringLiteral("广东"), QStringLiteral("广州"), category);
    build();
    QSignalSpy search(page, &kwdWidgetArea::doSearch);
    QCOMPARE(search.count(), 0);
    if (category == -1) {
        QVERIFY(!search.wait(200));
        return;
    }
    QVERIFY(search.wait(2000));
    QCOMPARE(search.count(), 1);
    QCOMPARE(search.at(0).at(0).toBool(), false);
    const kwdFinder* current = kwdStore::instance()->currentFinder;
    QCOMPARE(current->category, category);
    QCOMPARE(current->field(kwdFinder::HaId), QStringLiteral("77"));
}

void TestWidgetArea::render()
{
    // Drawn as the program shows it, with the skin's style sheet.
    QVERIFY(kwdStartup::installStyleSheet(qApp, kwdTheme::instance()->skinDir()));
    auto resetStyle = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    kwdStore::instance()->load();
    build();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    Q_EMIT window->showBtnNew();
    const QImage image = window->grab().toImage();
    QCOMPARE(image.size(), QSize(360, 640));
    QVERIFY(
        image.save(kwdTestEnvironment::outputDir(QStringLiteral("search")) + QStringLiteral("/area.png")));
}

KWD_TEST_MAIN(TestWidgetArea)
#include "tst_kwdwidgetarea.moc"

#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"
#include "qvmnavbutton.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

// The main menu's buttons drawn over a skin of plain-coloured squares.
class TestQvmNavButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void paint_data();
    void paint();
    void paintsWithoutImages();
    void renderColumn();

private:
    QTemporaryDir skin;
};

namespace {

QImage shot(int navType)
{
    qvmNavButton button;
    button.navType = navType;
    button.setText(QStringLiteral("Sale"));
    button.resize(300, 60);
    return button.grab().toImage();
}

} // namespace

void TestQvmNavButton::initTestCase()
{
    const QList<QPair<const char*, QColor>> files = {
        {"kwdicon_03.png", Qt::red},    {"kwdicon_06.png", Qt::green},      {"kwdicon_08.png", Qt::blue},
        {"kwdicon_12.png", Qt::yellow}, {"pushhouseicon.png", Qt::magenta}, {"leftarrow.png", Qt::darkGray},
        {"leftarrowh.png", Qt::cyan}};
    QVERIFY(QDir().mkpath(skin.path() + QStringLiteral("/theme")));
    for (const auto& file : files) {
        QImage image(QSize(20, 20), QImage::Format_ARGB32);
        image.fill(file.second);
        QVERIFY(image.save(skin.path() + QStringLiteral("/theme/") + QLatin1String(file.first)));
    }
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestQvmNavButton::cleanupTestCase()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
}

void TestQvmNavButton::paint_data()
{
    QTest::addColumn<int>("navType");
    QTest::addColumn<QColor>("icon");
    QTest::addColumn<bool>("flat");

    QTest::newRow("0") << 0 << QColor(Qt::red) << false;
    QTest::newRow("1") << 1 << QColor(Qt::green) << false;
    QTest::newRow("2") << 2 << QColor(Qt::blue) << false;
    QTest::newRow("3") << 3 << QColor(Qt::yellow) << false;
    QTest::newRow("4 shares 3's icon") << 4 << QColor(Qt::yellow) << false;
    QTest::newRow("5 flat") << 5 << QColor(Qt::magenta) << true;
}

void TestQvmNavButton::paint()
{
    QFETCH(int, navType);
    QFETCH(QColor, icon);
    QFETCH(bool, flat);
    const QImage image = shot(navType);
    // The icon is centred in the square at the left, as wide as the button is high.
    QCOMPARE(QColor(image.pixel(20, 20)), icon);
    QCOMPARE(QColor(image.pixel(39, 39)), icon);
    QVERIFY(QColor(image.pixel(19, 30)) != icon && QColor(image.pixel(40, 30)) != icon);
    // Only type 5 is flat; the others shade downwards.
    QCOMPARE(image.pixel(200, 1) == image.pixel(200, 57), flat);
}

void TestQvmNavButton::paintsWithoutImages()
{
    QTemporaryDir empty;
    kwdTheme::instance()->setSkinDir(empty.path());
    const QColor centre(shot(0).pixel(30, 30));
    kwdTheme::instance()->setSkinDir(skin.path());
    // The icon square keeps its own grey gradient.
    QVERIFY(centre.red() < 248 && centre.red() > 220);
    QCOMPARE(centre.red(), centre.blue());
}

void TestQvmNavButton::renderColumn()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
    QWidget column;
    auto* layout = new QVBoxLayout(&column);
    const QStringList texts = {"楼盘小区", "二手房", "租房", "周边搜索", "周边楼盘", "新房源推送"};
    for (int type = 0; type < 6; ++type) {
        auto* button = new qvmNavButton(&column);
        button->navType = type;
        button->setText(texts.at(type));
        button->setDown(type == 2);
        layout->addWidget(button);
    }
    column.resize(360, 6 * 64);
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    QVERIFY(column.grab().toImage().save(kwdTestEnvironment::outputDir(QStringLiteral("app")) +
                                         QStringLiteral("/navbuttons.png")));
    kwdTheme::instance()->setSkinDir(skin.path());
}

KWD_TEST_MAIN(TestQvmNavButton)
#include "tst_qvmnavbutton.moc"

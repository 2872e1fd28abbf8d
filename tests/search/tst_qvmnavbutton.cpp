#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"
#include "qvmnavbutton.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

class TestQvmNavButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void construction();
    void iconByType_data();
    void iconByType();
    void background_data();
    void background();
    void arrowFollowsPress_data();
    void arrowFollowsPress();
    void paintsWithoutImages();
    void renderColumn();

private:
    QImage paint(int navType, bool pressed, QSize size = QSize(300, 60));
    QTemporaryDir skin;
};

namespace {

const QList<QPair<QString, QColor>>& iconFiles()
{
    static const QList<QPair<QString, QColor>> files = {
        {QStringLiteral("kwdicon_03.png"), QColor(255, 0, 0)},
        {QStringLiteral("kwdicon_06.png"), QColor(0, 160, 0)},
        {QStringLiteral("kwdicon_08.png"), QColor(0, 0, 255)},
        {QStringLiteral("kwdicon_12.png"), QColor(255, 160, 0)},
        {QStringLiteral("pushhouseicon.png"), QColor(128, 0, 128)},
        {QStringLiteral("leftarrow.png"), QColor(10, 10, 10)},
        {QStringLiteral("leftarrowh.png"), QColor(0, 200, 200)},
    };
    return files;
}

} // namespace

void TestQvmNavButton::initTestCase()
{
    QDir().mkpath(skin.path() + QStringLiteral("/theme"));
    for (const auto& file : iconFiles()) {
        QImage image(QSize(20, 20), QImage::Format_ARGB32);
        image.fill(file.second);
        QVERIFY(image.save(skin.path() + QStringLiteral("/theme/") + file.first));
    }
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestQvmNavButton::cleanupTestCase()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
}

QImage TestQvmNavButton::paint(int navType, bool pressed, QSize size)
{
    qvmNavButton button;
    button.navType = navType;
    button.setText(QStringLiteral("Sale"));
    button.resize(size);
    button.setDown(pressed);
    return button.grab().toImage();
}

void TestQvmNavButton::construction()
{
    qvmNavButton button;
    QCOMPARE(button.navType, 0);
    QCOMPARE(button.styleSheet(), QStringLiteral("padding-top:1em;padding-bottom:1em;"));
}

void TestQvmNavButton::iconByType_data()
{
    QTest::addColumn<int>("navType");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0") << 0 << QColor(255, 0, 0);
    QTest::newRow("1") << 1 << QColor(0, 160, 0);
    QTest::newRow("2") << 2 << QColor(0, 0, 255);
    QTest::newRow("3") << 3 << QColor(255, 160, 0);
    QTest::newRow("4 shares 3's icon") << 4 << QColor(255, 160, 0);
    QTest::newRow("5") << 5 << QColor(128, 0, 128);
}

void TestQvmNavButton::iconByType()
{
    QFETCH(int, navType);
    QFETCH(QColor, colour);
    const QImage shot = paint(navType, false);
    // The icon is centred in the square at the left, as wide as the button is high.
    QCOMPARE(QColor(shot.pixel(20, 20)), colour);
    QCOMPARE(QColor(shot.pixel(39, 39)), colour);
    QVERIFY(QColor(shot.pixel(19, 30)) != colour);
    QVERIFY(QColor(shot.pixel(40, 30)) != colour);
}

void TestQvmNavButton::background_data()
{
    QTest::addColumn<int>("navType");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QColor>("top");
    QTest::addColumn<QColor>("bottom");
    // Sampled just inside the border, at the top and the bottom of the text area.
    QTest::newRow("flat") << 5 << false << QColor(241, 241, 241) << QColor(241, 241, 241);
    QTest::newRow("flat pressed") << 5 << true << QColor(235, 235, 235) << QColor(235, 235, 235);
    QTest::newRow("gradient") << 0 << false << QColor(255, 255, 255) << QColor(233, 233, 233);
    QTest::newRow("gradient pressed") << 2 << true << QColor(246, 246, 246) << QColor(224, 224, 224);
    QTest::newRow("type 4 gradient") << 4 << false << QColor(255, 255, 255) << QColor(233, 233, 233);
}

void TestQvmNavButton::background()
{
    QFETCH(int, navType);
    QFETCH(bool, pressed);
    QFETCH(QColor, top);
    QFETCH(QColor, bottom);
    const QImage shot = paint(navType, pressed, QSize(300, 101));
    const QColor first(shot.pixel(250, 1));
    const QColor last(shot.pixel(250, 97));
    QVERIFY2(qAbs(first.red() - top.red()) <= 2 && qAbs(first.green() - top.green()) <= 2,
             qPrintable(first.name()));
    QVERIFY2(qAbs(last.red() - bottom.red()) <= 2 && qAbs(last.green() - bottom.green()) <= 2,
             qPrintable(last.name()));
    // The border runs one pixel inside the bottom-right edge.
    QCOMPARE(QColor(shot.pixel(0, 50)), QColor(208, 208, 208));
    QCOMPARE(QColor(shot.pixel(298, 50)), QColor(208, 208, 208));
    QVERIFY(QColor(shot.pixel(299, 50)) != QColor(208, 208, 208));
}

void TestQvmNavButton::arrowFollowsPress_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("released") << false << QColor(10, 10, 10);
    QTest::newRow("pressed") << true << QColor(0, 200, 200);
}

void TestQvmNavButton::arrowFollowsPress()
{
    QFETCH(bool, pressed);
    QFETCH(QColor, colour);
    const QImage shot = paint(1, pressed);
    // 12 pixels between the arrow's right edge and the button's.
    QCOMPARE(QColor(shot.pixel(300 - 13, 30)), colour);
    QCOMPARE(QColor(shot.pixel(300 - 32, 30)), colour);
    QVERIFY(QColor(shot.pixel(300 - 12, 30)) != colour);
    QVERIFY(QColor(shot.pixel(300 - 33, 30)) != colour);
}

void TestQvmNavButton::paintsWithoutImages()
{
    QTemporaryDir empty;
    kwdTheme::instance()->setSkinDir(empty.path());
    const QImage shot = paint(0, false);
    // The icon square keeps its own gradient fill.
    const QColor centre(shot.pixel(30, 30));
    QVERIFY(centre.red() < 248 && centre.red() > 220);
    QCOMPARE(centre.red(), centre.blue());
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestQvmNavButton::renderColumn()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
    QWidget column;
    auto* layout = new QVBoxLayout(&column);
    layout->setSpacing(4);
    const QStringList texts = {QString::fromUtf8("楼盘小区"), QString::fromUtf8("二手房"),
                               QString::fromUtf8("租房"),     QString::fromUtf8("周边搜索"),
                               QString::fromUtf8("周边楼盘"), QString::fromUtf8("新房源推送")};
    QList<qvmNavButton*> buttons;
    for (int type = 0; type < 6; ++type) {
        auto* button = new qvmNavButton(&column);
        button->navType = type;
        button->setText(texts.at(type));
        layout->addWidget(button);
        buttons << button;
    }
    buttons.at(2)->setDown(true);
    column.resize(360, 6 * 64);
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    const QImage shot = column.grab().toImage();
    QVERIFY(
        shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + QStringLiteral("/navbuttons.png")));
    for (qvmNavButton* button : buttons)
        QVERIFY(button->height() >= button->fontMetrics().lineSpacing());
    kwdTheme::instance()->setSkinDir(skin.path());
}

KWD_TEST_MAIN(TestQvmNavButton)
#include "tst_qvmnavbutton.moc"

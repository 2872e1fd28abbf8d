#include "kwdsplash.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TestKwdSplash : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void measures_data();
    void measures();
    void constructorUsesMeasures();
    void messages();
    void paintsWithoutImages();
    void paintsWithImages();
    void rendersShippedSkin();

private:
    void writeImage(const QString& file, QSize size, QColor colour);
    QTemporaryDir skin;
};

void TestKwdSplash::writeImage(const QString& file, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QDir().mkpath(skin.path() + QStringLiteral("/theme"));
    QVERIFY(image.save(skin.path() + QStringLiteral("/theme/") + file));
}

void TestKwdSplash::init()
{
    QDir(skin.path() + QStringLiteral("/theme")).removeRecursively();
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestKwdSplash::cleanupTestCase()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
}

void TestKwdSplash::measures_data()
{
    QTest::addColumn<bool>("images");
    QTest::addColumn<int>("desktopHeight");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("footer");
    // Band 33 pt and footer 18 pt at the DPI when the images are missing or the screen is small.
    QTest::newRow("no images 72 dpi") << false << 640 << 72 << 33 << 18;
    QTest::newRow("no images 96 dpi") << false << 640 << 96 << 44 << 24;
    QTest::newRow("no images 210 dpi") << false << 1080 << 210 << 96 << 52;
    QTest::newRow("images") << true << 640 << 96 << 60 << 30;
    QTest::newRow("images, just above small") << true << 321 << 96 << 60 << 30;
    QTest::newRow("images, small screen") << true << 320 << 96 << 44 << 24;
    QTest::newRow("images, tiny screen") << true << 240 << 72 << 33 << 18;
}

void TestKwdSplash::measures()
{
    QFETCH(bool, images);
    QFETCH(int, desktopHeight);
    QFETCH(int, dpi);
    QFETCH(int, band);
    QFETCH(int, footer);
    if (images) {
        writeImage(QStringLiteral("red_bg1.png"), QSize(12, 60), Qt::red);
        writeImage(QStringLiteral("logo2.png"), QSize(40, 20), Qt::gray);
    }
    QCOMPARE(kwdSplash::bandHeightFor(desktopHeight, dpi), band);
    QCOMPARE(kwdSplash::footerHeightFor(desktopHeight, dpi), footer);
}

void TestKwdSplash::constructorUsesMeasures()
{
    kwdStore::instance()->dpi = 144;
    kwdSplash small(300);
    QCOMPARE(small.bandHeight, 66);
    QCOMPARE(small.footerHeight, 36);
    writeImage(QStringLiteral("red_bg1.png"), QSize(12, 70), Qt::red);
    kwdTheme::instance()->setSkinDir(skin.path());
    kwdSplash large(800);
    QCOMPARE(large.bandHeight, 70);
    QCOMPARE(large.footerHeight, 36);
    kwdStore::instance()->dpi = 0;
}

void TestKwdSplash::messages()
{
    kwdSplash splash(640);
    QCOMPARE(splash.message, QStringLiteral("Initializing..."));
    splash.showMessage(QString::fromUtf8("正在加载数据..."));
    QCOMPARE(splash.message, QString::fromUtf8("正在加载数据..."));
}

void TestKwdSplash::paintsWithoutImages()
{
    kwdSplash splash(640);
    splash.resize(360, 640);
    splash.showMessage(QString::fromUtf8("正在检测数据库..."));
    const QImage shot = splash.grab().toImage();
    QVERIFY(shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) +
                      QStringLiteral("/splash-noskin.png")));
    // No band picture: the top stays white; the panel is filled just inside its frame.
    QCOMPARE(QColor(shot.pixel(5, 5)), QColor(Qt::white));
    const int m = splash.footerHeight / 3;
    QCOMPARE(QColor(shot.pixel(m + 3, splash.bandHeight + m + 3)), QColor(243, 243, 243));
    QCOMPARE(QColor(shot.pixel(m, splash.bandHeight + m + 3)), QColor(208, 208, 208));
    QCOMPARE(QColor(shot.pixel(m - 1, splash.bandHeight + m + 3)), QColor(Qt::white));
}

void TestKwdSplash::paintsWithImages()
{
    writeImage(QStringLiteral("red_bg1.png"), QSize(10, 80), QColor(200, 0, 0));
    writeImage(QStringLiteral("logo2.png"), QSize(10, 20), QColor(0, 0, 200));
    writeImage(QStringLiteral("horbar.png"), QSize(10, 4), QColor(0, 150, 0));
    kwdSplash splash(640);
    splash.resize(360, 640);
    splash.showMessage(QString::fromUtf8("正在加载数据..."));
    const QImage shot = splash.grab().toImage();
    QVERIFY(shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) +
                      QStringLiteral("/splash-plain.png")));
    QCOMPARE(splash.bandHeight, 80);
    QCOMPARE(splash.footerHeight, 30);
    QCOMPARE(QColor(shot.pixel(5, 5)), QColor(200, 0, 0));
    QCOMPARE(QColor(shot.pixel(355, 79)), QColor(200, 0, 0));
    QCOMPARE(QColor(shot.pixel(5, 80)), QColor(Qt::white));
    // The bar sits on the footer: its bottom row is the row just above the footer strip.
    QCOMPARE(QColor(shot.pixel(5, 640 - 30 - 1)), QColor(0, 150, 0));
    QCOMPARE(QColor(shot.pixel(5, 640 - 30 - 4)), QColor(0, 150, 0));
    QCOMPARE(QColor(shot.pixel(5, 640 - 30 - 5)), QColor(Qt::white));
    QCOMPARE(QColor(shot.pixel(5, 640 - 30)), QColor(Qt::white));
}

void TestKwdSplash::rendersShippedSkin()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
    const QPixmap band = kwdTheme::instance()->image(kwdTheme::RedBg1);
    if (band.isNull())
        QSKIP("the shipped skin has no band picture");
    kwdSplash splash(640);
    splash.resize(360, 640);
    splash.showMessage(QString::fromUtf8("正在加载数据..."));
    const QImage shot = splash.grab().toImage();
    QVERIFY(
        shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + QStringLiteral("/splash-skin.png")));
    QCOMPARE(splash.bandHeight, band.height());
    QVERIFY(QColor(shot.pixel(2, 2)) != QColor(Qt::white));
}

KWD_TEST_MAIN(TestKwdSplash)
#include "tst_kwdsplash.moc"

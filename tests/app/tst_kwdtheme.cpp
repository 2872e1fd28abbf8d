#include "kwdsplash.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

// The skin image cache (missing pictures, tiling) and the splash screen drawn from it.
class TestKwdTheme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void missingImagesAreNull();
    void decodedAhead_data();
    void decodedAhead();
    void drawTiled_data();
    void drawTiled();
    void splashMeasures_data();
    void splashMeasures();
    void splashPaints_data();
    void splashPaints();

private:
    // Writes a solid picture of that size under the skin directory.
    void writeImage(const QString& file, QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        QDir().mkpath(QFileInfo(skin.filePath(file)).path());
        QVERIFY(image.save(skin.filePath(file)));
    }
    QImage tiled(const QRect& rect, int no)
    {
        QImage image(200, 80, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        kwdTheme::instance()->drawTiled(&painter, rect, no);
        return image;
    }
    QTemporaryDir skin;
};

void TestKwdTheme::init()
{
    QDir(skin.path() + QStringLiteral("/theme")).removeRecursively();
    kwdTheme::instance()->setSkinDir(skin.path());
    kwdStore::instance()->dpi = 0;
}

void TestKwdTheme::missingImagesAreNull()
{
    writeImage(QStringLiteral("theme/kwdicon_12.png"), QSize(11, 12), Qt::green);
    for (int no = -1; no <= 27; ++no) // only 19 and 20 (one shared file) are there
        QCOMPARE(kwdTheme::instance()->image(no).size(), no == 19 || no == 20 ? QSize(11, 12) : QSize(0, 0));
    QVERIFY(kwdTheme::instance()->categoryIcon(QStringLiteral("商业")).isNull());
}

void TestKwdTheme::decodedAhead_data()
{
    QTest::addColumn<bool>("changeSkin");
    QTest::newRow("taken from the pool thread") << false;
    // A picture of the old skin must not be shown once the skin changed under the decoding.
    QTest::newRow("skin changed meanwhile") << true;
}

void TestKwdTheme::decodedAhead()
{
    QFETCH(bool, changeSkin);
    writeImage(QStringLiteral("theme/logo1.png"), QSize(30, 20), QColor(200, 10, 20));
    writeImage(QStringLiteral("theme/index_pic.png"), QSize(40, 25), QColor(0, 0, 255, 100));
    kwdTheme* theme = kwdTheme::instance();
    // Unknown, missing and repeated numbers are passed over.
    theme->decodeAhead({kwdTheme::Logo1, -1, kwdTheme::IndexPic, kwdTheme::Gps, kwdTheme::Logo1});
    QTemporaryDir other;
    if (changeSkin) {
        QImage small(5, 5, QImage::Format_RGB32);
        small.fill(Qt::green);
        QDir().mkpath(other.filePath(QStringLiteral("theme")));
        QVERIFY(small.save(other.filePath(QStringLiteral("theme/logo1.png"))));
        theme->setSkinDir(other.path());
    }
    const QDir dir(theme->skinDir());
    for (int no : {kwdTheme::IndexPic, kwdTheme::Logo1, kwdTheme::Gps}) {
        const QImage expected(dir.filePath(kwdTheme::imageFile(no)));
        const QImage shown = theme->image(no).toImage();
        QCOMPARE(shown.size(), expected.size());
        if (!expected.isNull())
            QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                     expected.convertToFormat(QImage::Format_ARGB32));
    }
}

void TestKwdTheme::drawTiled_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("no"); // RedBg2 is missing
    QTest::newRow("same height") << QSize(10, 20) << QRect(5, 10, 35, 20) << int(kwdTheme::RedBg1);
    QTest::newRow("exact fit") << QSize(10, 20) << QRect(0, 0, 40, 20) << int(kwdTheme::RedBg1);
    QTest::newRow("scaled down") << QSize(30, 40) << QRect(3, 2, 50, 20) << int(kwdTheme::RedBg1);
    QTest::newRow("scaled up") << QSize(7, 5) << QRect(0, 4, 60, 10) << int(kwdTheme::RedBg1);
    QTest::newRow("narrower than a tile") << QSize(40, 10) << QRect(2, 2, 9, 10) << int(kwdTheme::RedBg1);
    // Nothing at all is drawn, and nothing loops forever on a tile that scales to no width.
    QTest::newRow("missing image") << QSize(1, 50) << QRect(0, 0, 20, 20) << int(kwdTheme::RedBg2);
    QTest::newRow("zero height") << QSize(1, 50) << QRect(0, 0, 20, 0) << int(kwdTheme::RedBg1);
    QTest::newRow("zero width") << QSize(1, 50) << QRect(0, 0, 0, 20) << int(kwdTheme::RedBg1);
    QTest::newRow("tile rounds to zero width") << QSize(1, 50) << QRect(0, 0, 20, 1) << int(kwdTheme::RedBg1);
}

void TestKwdTheme::drawTiled()
{
    QFETCH(QSize, imageSize);
    QFETCH(QRect, rect);
    QFETCH(int, no);
    writeImage(QStringLiteral("theme/red_bg1.png"), imageSize, Qt::red);
    const QImage canvas = tiled(rect, no);
    // Tiles keep the image's proportions at the rectangle's height and start at its left edge; the
    // last one may run past the right edge, so the painted run ends on a whole number of tiles.
    const int tile = imageSize.width() * rect.height() / imageSize.height();
    if (tile == 0 || rect.isEmpty() || no != kwdTheme::RedBg1) {
        QImage blank(canvas.size(), QImage::Format_ARGB32);
        blank.fill(Qt::white);
        QCOMPARE(canvas, blank);
        return;
    }
    const int end = rect.left() + (rect.width() + tile - 1) / tile * tile;
    const int y = rect.top() + rect.height() / 2;
    const auto at = [&](int x, int y) { return QColor(canvas.pixel(x, y)); };
    // Inside: both edges and the last tile's end. Outside: after the run, left, above and below.
    QCOMPARE(QList<QColor>({at(rect.left(), y), at(rect.right(), y), at(end - 1, y), at(end, y),
                            rect.left() ? at(rect.left() - 1, y) : at(end, y),
                            at(rect.left(), rect.top() ? rect.top() - 1 : rect.bottom() + 1),
                            at(rect.left(), rect.bottom() + 1)}),
             QList<QColor>({Qt::red, Qt::red, Qt::red, Qt::white, Qt::white, Qt::white, Qt::white}));
}

void TestKwdTheme::splashMeasures_data()
{
    QTest::addColumn<bool>("images");
    QTest::addColumn<int>("desktopHeight");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("bandAndFooter");
    // Band 33 pt and footer 18 pt at the DPI when the images are missing or the screen is small.
    QTest::newRow("no images 72 dpi") << false << 640 << 72 << QSize(33, 18);
    QTest::newRow("no images 96 dpi") << false << 640 << 96 << QSize(44, 24);
    QTest::newRow("no images 210 dpi") << false << 1080 << 210 << QSize(96, 52);
    QTest::newRow("images") << true << 640 << 96 << QSize(60, 30);
    QTest::newRow("images, just above small") << true << 321 << 96 << QSize(60, 30);
    QTest::newRow("images, small screen") << true << 320 << 96 << QSize(44, 24);
    QTest::newRow("images, tiny screen") << true << 240 << 72 << QSize(33, 18);
}

void TestKwdTheme::splashMeasures()
{
    QFETCH(int, desktopHeight);
    QFETCH(int, dpi);
    QFETCH(QSize, bandAndFooter);
    QFETCH(bool, images);
    if (images) {
        writeImage(QStringLiteral("theme/red_bg1.png"), QSize(12, 60), Qt::red);
        writeImage(QStringLiteral("theme/logo2.png"), QSize(40, 20), Qt::gray);
    }
    kwdStore::instance()->dpi = dpi; // the splash screen measures itself at the store's DPI
    kwdSplash splash(desktopHeight);
    QCOMPARE(QSize(splash.bandHeight, splash.footerHeight), bandAndFooter);
}

void TestKwdTheme::splashPaints_data()
{
    QTest::addColumn<QString>("skinKind"); // "none", "plain" (solid test pictures), "shipped"
    for (const char* kind : {"none", "plain", "shipped"})
        QTest::newRow(kind) << QString(kind);
}

void TestKwdTheme::splashPaints()
{
    QFETCH(QString, skinKind);
    if (skinKind == "plain") {
        writeImage(QStringLiteral("theme/red_bg1.png"), QSize(10, 80), QColor(200, 0, 0));
        writeImage(QStringLiteral("theme/logo2.png"), QSize(10, 20), QColor(0, 0, 200));
        writeImage(QStringLiteral("theme/horbar.png"), QSize(10, 4), QColor(0, 150, 0));
    }
    if (skinKind == "shipped")
        kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
    const QPixmap band = kwdTheme::instance()->image(kwdTheme::RedBg1);
    kwdSplash splash(640);
    splash.resize(360, 640);
    splash.showMessage(QStringLiteral("正在加载数据..."));
    const QImage shot = splash.grab().toImage();
    QVERIFY(shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + "/splash-" + skinKind + ".png"));
    const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)); };
    if (skinKind == "none") {
        // No band picture: the top stays white; the panel is filled just inside its frame.
        const int m = splash.footerHeight / 3;
        const int y = splash.bandHeight + m + 3;
        QCOMPARE(QList<QColor>({at(5, 5), at(m + 3, y), at(m, y), at(m - 1, y)}),
                 QList<QColor>({Qt::white, QColor(243, 243, 243), QColor(208, 208, 208), Qt::white}));
    } else if (skinKind == "plain") {
        // The band at the top; the bar sits on the footer, its bottom row just above the footer strip.
        QCOMPARE(QSize(splash.bandHeight, splash.footerHeight), QSize(80, 30));
        QCOMPARE(
            QList<QColor>({at(5, 5), at(355, 79), at(5, 80), at(5, 609), at(5, 606), at(5, 605), at(5, 610)}),
            QList<QColor>({QColor(200, 0, 0), QColor(200, 0, 0), Qt::white, QColor(0, 150, 0),
                           QColor(0, 150, 0), Qt::white, Qt::white}));
    } else {
        QVERIFY2(!band.isNull(), "the shipped skin has a band picture");
        QCOMPARE(splash.bandHeight, band.height());
        QVERIFY(at(2, 2) != QColor(Qt::white));
    }
}

KWD_TEST_MAIN(TestKwdTheme)
#include "tst_kwdtheme.moc"

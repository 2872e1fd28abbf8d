#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Writes a solid picture of that size under the skin directory.
void writeImage(const QString& skinDir, const QString& file, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(skinDir + QLatin1Char('/') + file).path());
    QVERIFY(image.save(skinDir + QLatin1Char('/') + file));
}

} // namespace

class TestKwdTheme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void missingImagesAreNull_data();
    void missingImagesAreNull();
    void imagesLoadFromSkinDir();
    void sameFileForNineteenAndTwenty();
    void imagesStayCachedOnceLoaded();
    void categoryIcons_data();
    void categoryIcons();
    void drawTiledCoverage_data();
    void drawTiledCoverage();
    void drawTiledTileStarts();
    void drawTiledSkipsDegenerate_data();
    void drawTiledSkipsDegenerate();

private:
    QTemporaryDir skin;
};

void TestKwdTheme::init()
{
    QDir(skin.path()).removeRecursively();
    QDir().mkpath(skin.path());
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestKwdTheme::cleanupTestCase()
{
    kwdTheme::instance()->setSkinDir(QString());
}

void TestKwdTheme::missingImagesAreNull_data()
{
    QTest::addColumn<int>("no");
    for (int no = -1; no <= 27; ++no)
        QTest::addRow("image %d", no) << no;
}

void TestKwdTheme::missingImagesAreNull()
{
    QFETCH(int, no);
    QVERIFY(kwdTheme::instance()->image(no).isNull());
}

void TestKwdTheme::imagesLoadFromSkinDir()
{
    writeImage(skin.path(), QStringLiteral("theme/info.png"), QSize(30, 20), Qt::red);
    writeImage(skin.path(), QStringLiteral("theme/supplydot.png"), QSize(7, 9), Qt::blue);
    kwdTheme* theme = kwdTheme::instance();
    QCOMPARE(theme->image(kwdTheme::Info).size(), QSize(30, 20));
    QCOMPARE(theme->image(kwdTheme::SupplyDot).size(), QSize(7, 9));
    QVERIFY(theme->image(kwdTheme::DemandDot).isNull());
    QVERIFY(theme->image(27).isNull());
}

void TestKwdTheme::sameFileForNineteenAndTwenty()
{
    writeImage(skin.path(), QStringLiteral("theme/kwdicon_12.png"), QSize(11, 12), Qt::green);
    kwdTheme* theme = kwdTheme::instance();
    QCOMPARE(theme->image(19).size(), QSize(11, 12));
    QCOMPARE(theme->image(20).toImage(), theme->image(19).toImage());
    QCOMPARE(kwdTheme::imageFile(19), kwdTheme::imageFile(20));
    QVERIFY(kwdTheme::imageFile(18) != kwdTheme::imageFile(19));
}

void TestKwdTheme::imagesStayCachedOnceLoaded()
{
    writeImage(skin.path(), QStringLiteral("theme/logo1.png"), QSize(5, 5), Qt::red);
    kwdTheme* theme = kwdTheme::instance();
    QVERIFY(!theme->image(kwdTheme::Logo1).isNull());
    QVERIFY(theme->image(kwdTheme::Logo2).isNull());
    QVERIFY(QFile::remove(skin.path() + QStringLiteral("/theme/logo1.png")));
    writeImage(skin.path(), QStringLiteral("theme/logo2.png"), QSize(5, 5), Qt::red);
    // Both answers were cached at first request: the removed file stays, the added one stays missing.
    QVERIFY(!theme->image(kwdTheme::Logo1).isNull());
    QVERIFY(theme->image(kwdTheme::Logo2).isNull());
}

void TestKwdTheme::categoryIcons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << QStringLiteral("楼盘小区") << "theme/hotel.png";
    QTest::newRow("1") << QStringLiteral("商业") << "theme/shangye.png";
    QTest::newRow("2") << QStringLiteral("医疗") << "theme/medic.png";
    QTest::newRow("3") << QStringLiteral("教育") << "theme/edu.png";
    QTest::newRow("4") << QStringLiteral("宾馆") << "theme/hotel.png";
    QTest::newRow("5") << QStringLiteral("餐饮娱乐") << "theme/canyin.png";
    QTest::newRow("6") << QStringLiteral("公共场所") << "theme/gongong.png";
    QTest::newRow("7") << QStringLiteral("站场码头") << "theme/matou.png";
    QTest::newRow("8") << QStringLiteral("服务") << "theme/service.png";
    QTest::newRow("9") << QStringLiteral("地名") << "theme/diming.png";
    QTest::newRow("10") << QStringLiteral("其他") << "theme/other.png";
    QTest::newRow("unknown") << QStringLiteral("学校") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestKwdTheme::categoryIcons()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    kwdTheme* theme = kwdTheme::instance();
    QVERIFY(theme->categoryIcon(name).isNull());
    if (file.isEmpty())
        return;
    writeImage(skin.path(), file, QSize(13, 14), Qt::darkCyan);
    theme->setSkinDir(skin.path());
    QCOMPARE(theme->categoryIcon(name).size(), QSize(13, 14));
}

void TestKwdTheme::drawTiledCoverage_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("same height") << QSize(10, 20) << QRect(5, 10, 35, 20);
    QTest::newRow("exact fit") << QSize(10, 20) << QRect(0, 0, 40, 20);
    QTest::newRow("scaled down") << QSize(30, 40) << QRect(3, 2, 50, 20);
    QTest::newRow("scaled up") << QSize(7, 5) << QRect(0, 4, 60, 10);
    QTest::newRow("narrower than a tile") << QSize(40, 10) << QRect(2, 2, 9, 10);
}

void TestKwdTheme::drawTiledCoverage()
{
    QFETCH(QSize, imageSize);
    QFETCH(QRect, rect);
    writeImage(skin.path(), QStringLiteral("theme/red_bg1.png"), imageSize, Qt::red);

    QImage canvas(200, 80, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        kwdTheme::instance()->drawTiled(&painter, rect, kwdTheme::RedBg1);
    }
    // Tiles keep the image's proportions at the rectangle's height and start at its left edge; the
    // last one may run past the right edge, so the painted run ends on a whole number of tiles.
    const int tile = imageSize.width() * rect.height() / imageSize.height();
    const int tiles = (rect.width() + tile - 1) / tile;
    const int end = rect.left() + tiles * tile;
    const int y = rect.top() + rect.height() / 2;
    QCOMPARE(QColor(canvas.pixel(rect.left(), y)), QColor(Qt::red));
    QCOMPARE(QColor(canvas.pixel(rect.right(), y)), QColor(Qt::red));
    QCOMPARE(QColor(canvas.pixel(end - 1, y)), QColor(Qt::red));
    QCOMPARE(QColor(canvas.pixel(end, y)), QColor(Qt::white));
    if (rect.left() > 0)
        QCOMPARE(QColor(canvas.pixel(rect.left() - 1, y)), QColor(Qt::white));
    QCOMPARE(QColor(canvas.pixel(rect.left(), rect.top() - 1 >= 0 ? rect.top() - 1 : rect.bottom() + 1)),
             QColor(Qt::white));
    QCOMPARE(QColor(canvas.pixel(rect.left(), rect.bottom() + 1)), QColor(Qt::white));
}

void TestKwdTheme::drawTiledTileStarts()
{
    // A tile whose first column is blue: the blue columns show where each copy starts.
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 4; ++y)
        image.setPixel(0, y, qRgb(0, 0, 255));
    QDir().mkpath(skin.path() + QStringLiteral("/theme"));
    QVERIFY(image.save(skin.path() + QStringLiteral("/theme/horbar.png")));

    QImage canvas(60, 10, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        kwdTheme::instance()->drawTiled(&painter, QRect(3, 2, 30, 4), kwdTheme::HorBar);
    }
    QList<int> starts;
    for (int x = 0; x < canvas.width(); ++x) {
        if (QColor(canvas.pixel(x, 3)) == QColor(0, 0, 255))
            starts << x;
    }
    QCOMPARE(starts, (QList<int>{3, 11, 19, 27}));
    QCOMPARE(QColor(canvas.pixel(34, 3)), QColor(Qt::red));
    QCOMPARE(QColor(canvas.pixel(35, 3)), QColor(Qt::white));
}

void TestKwdTheme::drawTiledSkipsDegenerate_data()
{
    QTest::addColumn<int>("no");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("missing image") << int(kwdTheme::RedBg2) << QRect(0, 0, 20, 20);
    QTest::newRow("zero height") << int(kwdTheme::RedBg1) << QRect(0, 0, 20, 0);
    QTest::newRow("zero width") << int(kwdTheme::RedBg1) << QRect(0, 0, 0, 20);
    QTest::newRow("tile rounds to zero width") << int(kwdTheme::RedBg1) << QRect(0, 0, 20, 1);
}

void TestKwdTheme::drawTiledSkipsDegenerate()
{
    QFETCH(int, no);
    QFETCH(QRect, rect);
    // A 1x50 image scaled to one pixel of height is zero pixels wide: must not loop forever.
    writeImage(skin.path(), QStringLiteral("theme/red_bg1.png"), QSize(1, 50), Qt::red);
    QImage canvas(30, 30, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        kwdTheme::instance()->drawTiled(&painter, rect, no);
    }
    QImage blank(30, 30, QImage::Format_ARGB32);
    blank.fill(Qt::white);
    QCOMPARE(canvas, blank);
}

KWD_TEST_MAIN(TestKwdTheme)
#include "tst_kwdtheme.moc"

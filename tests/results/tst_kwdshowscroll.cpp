#include "kwdmessageitem.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A result-view-like view of a given size without scroll bars.
struct View
{
    explicit View(QSize size)
    {
        scene.setSceneRect(0, 0, 2000, 2000);
        view.setScene(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(size);
        view.show();
    }
    QGraphicsScene scene;
    QGraphicsView view;
};

} // namespace

class TestKwdShowScroll : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanupTestCase();
    void boxSize_data();
    void boxSize();
    void placement_data();
    void placement();
    void waitAnimates();
    void messageIsStill();
    void hideStopsTimer();
    void timerStopsWhenItemHidden();
    void paintsWithSkin();

private:
    void writeImage(const QString& file, QSize size, QColor colour);
    QTemporaryDir skin;
};

void TestKwdShowScroll::writeImage(const QString& file, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QDir().mkpath(skin.path() + QStringLiteral("/theme"));
    QVERIFY(image.save(skin.path() + QStringLiteral("/theme/") + file));
}

void TestKwdShowScroll::init()
{
    QDir(skin.path() + QStringLiteral("/theme")).removeRecursively();
    kwdTheme::instance()->setSkinDir(skin.path());
}

void TestKwdShowScroll::cleanupTestCase()
{
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
}

void TestKwdShowScroll::boxSize_data()
{
    QTest::addColumn<QSize>("info");
    QTest::addColumn<int>("viewWidth");
    QTest::addColumn<QSize>("expected");
    // Without the picture: 80 % of the view wide, 60 % of the view width high.
    QTest::newRow("no picture 360") << QSize() << 360 << QSize(288, 216);
    QTest::newRow("no picture 301") << QSize() << 301 << QSize(240, 180);
    QTest::newRow("no picture 0") << QSize() << 0 << QSize(0, 0);
    // With it: the picture's width when it fits, its height in proportion.
    QTest::newRow("picture fits") << QSize(200, 100) << 360 << QSize(200, 100);
    QTest::newRow("picture too wide") << QSize(400, 150) << 360 << QSize(288, 108);
    QTest::newRow("picture too wide, odd") << QSize(333, 100) << 240 << QSize(192, 57);
}

void TestKwdShowScroll::boxSize()
{
    QFETCH(QSize, info);
    QFETCH(int, viewWidth);
    QFETCH(QSize, expected);
    if (info.isValid())
        writeImage(QStringLiteral("info.png"), info, Qt::gray);
    QCOMPARE(kwdMessageItem::boxSize(viewWidth), expected);
    View view(QSize(viewWidth, 500));
    kwdShowScroll box(&view.view);
    box.showMessage(QStringLiteral("x"));
    QCOMPARE(box.item->boundingRect().size().toSize(), expected);
}

void TestKwdShowScroll::placement_data()
{
    QTest::addColumn<QSize>("viewSize");
    QTest::addColumn<bool>("offScreen");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("centred") << QSize(360, 600) << false << QPoint(36, 128);
    QTest::newRow("odd sizes") << QSize(301, 401) << false << QPoint(30, 73);
    QTest::newRow("off screen") << QSize(360, 600) << true << QPoint(360, 128);
}

void TestKwdShowScroll::placement()
{
    QFETCH(QSize, viewSize);
    QFETCH(bool, offScreen);
    QFETCH(QPoint, expected);
    View view(viewSize);
    view.view.centerOn(600, 700);
    QVERIFY(QTest::qWaitForWindowExposed(&view.view));
    kwdShowScroll box(&view.view);
    box.showWait(QStringLiteral("Loading"), offScreen);
    // Positions are in view coordinates; the item lives in the scene.
    const QPoint inView = view.view.mapFromScene(box.item->pos());
    QCOMPARE(inView, expected);
    const QRect onScreen = view.view.mapFromScene(box.item->sceneBoundingRect()).boundingRect();
    QCOMPARE(view.view.viewport()->rect().intersects(onScreen), !offScreen);
}

void TestKwdShowScroll::waitAnimates()
{
    writeImage(QStringLiteral("scroll.png"), QSize(60, 10), Qt::red);
    View view(QSize(360, 600));
    kwdShowScroll box(&view.view);
    box.showWait(QStringLiteral("Downloading"), false);
    QVERIFY(box.item->isVisible());
    QVERIFY(box.item->animated);
    QCOMPARE(box.item->text, QStringLiteral("Downloading"));
    QVERIFY(box.timer.isActive());
    QCOMPARE(box.timer.interval(), 200);
    const int start = box.item->frame;
    QTRY_VERIFY(box.item->frame >= start + 2);
}

void TestKwdShowScroll::messageIsStill()
{
    View view(QSize(360, 600));
    kwdShowScroll box(&view.view);
    box.showWait(QStringLiteral("Downloading"), false);
    box.showMessage(QStringLiteral("No result"));
    QVERIFY(!box.timer.isActive());
    QVERIFY(!box.item->animated);
    QVERIFY(box.item->isVisible());
    QCOMPARE(box.item->text, QStringLiteral("No result"));
    QCOMPARE(view.view.mapFromScene(box.item->pos()), QPoint(36, 128));
}

void TestKwdShowScroll::hideStopsTimer()
{
    View view(QSize(360, 600));
    kwdShowScroll box(&view.view);
    box.showWait(QStringLiteral("Downloading"), true);
    box.hide();
    QVERIFY(!box.timer.isActive());
    QVERIFY(!box.item->isVisible());
}

void TestKwdShowScroll::timerStopsWhenItemHidden()
{
    View view(QSize(360, 600));
    kwdShowScroll box(&view.view);
    box.showWait(QStringLiteral("Downloading"), false);
    // Hidden behind the box's back (the view cleared it): the next tick notices and stops.
    box.item->hide();
    const int frame = box.item->frame;
    box.onTimer();
    QVERIFY(!box.timer.isActive());
    QCOMPARE(box.item->frame, frame);
}

void TestKwdShowScroll::paintsWithSkin()
{
    writeImage(QStringLiteral("info.png"), QSize(300, 120), QColor(250, 250, 200));
    QImage strip(60, 10, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    // Six frames of 10 pixels: frame k is filled with a red of 40 * (k + 1).
    for (int k = 0; k < 6; ++k)
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(k * 10 + x, y, qRgb(40 * (k + 1), 0, 0));
    QVERIFY(strip.save(skin.path() + QStringLiteral("/theme/scroll.png")));
    kwdTheme::instance()->setSkinDir(skin.path());

    View view(QSize(360, 600));
    QVERIFY(QTest::qWaitForWindowExposed(&view.view));
    kwdShowScroll box(&view.view);
    box.showWait(QString::fromUtf8("正在加载..."), false);
    box.timer.stop();
    for (int frame : {0, 3, 7}) {
        box.item->frame = frame;
        QImage image(288, 115, QImage::Format_ARGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            box.item->paint(&painter, nullptr, nullptr);
        }
        QCOMPARE(QColor(image.pixel(2, 2)), QColor(250, 250, 200));
        // The spinner frame starts 14 pixels from the left, vertically centred.
        QCOMPARE(QColor(image.pixel(14, 57)), QColor(40 * (frame % 6 + 1), 0, 0));
        QCOMPARE(QColor(image.pixel(13, 57)), QColor(250, 250, 200));
        if (frame == 0)
            QVERIFY(image.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) +
                               QStringLiteral("/messagebox.png")));
    }
}

KWD_TEST_MAIN(TestKwdShowScroll)
#include "tst_kwdshowscroll.moc"

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

// A result-view-like view of a given size, without frame or scroll bars, on a large scene.
struct View
{
    explicit View(QSize size) : scene(0, 0, 2000, 2000)
    {
        view.setScene(&scene);
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(size);
        view.show();
    }
    QGraphicsScene scene;
    QGraphicsView view;
};

// The skin's box picture (none when invalid), the view, and the box's size and place there.
struct Box
{
    QSize info, view;
    bool offScreen;
    QSize size;
    QPoint place;
};

} // namespace

Q_DECLARE_METATYPE(Box)

// The result view's message box: its size from the skin, its place, its timer and its frames.
class TestKwdShowScroll : public QObject
{
    Q_OBJECT
    QTemporaryDir skin;

    void saveSkinImage(const QString& name, const QImage& image)
    {
        QVERIFY(image.save(skin.path() + QStringLiteral("/theme/") + name));
        kwdTheme::instance()->setSkinDir(skin.path());
    }

private Q_SLOTS:
    void init()
    {
        QDir(skin.path() + QStringLiteral("/theme")).removeRecursively();
        QDir().mkpath(skin.path() + QStringLiteral("/theme"));
        kwdTheme::instance()->setSkinDir(skin.path());
    }
    void cleanupTestCase() { kwdTheme::instance()->setSkinDir(kwdStore::appFile("skin/default")); }

    void boxAndPlace_data()
    {
        QTest::addColumn<Box>("b");
        // Without the picture 80 % of the view wide and 60 % of its width high; with it the picture's
        // width when that fits, its height in proportion. Centred, a third of the way down.
        QTest::newRow("no picture") << Box{{}, {360, 600}, false, {288, 216}, {36, 128}};
        QTest::newRow("no picture, odd") << Box{{}, {301, 401}, false, {240, 180}, {30, 73}};
        QTest::newRow("off screen") << Box{{}, {360, 600}, true, {288, 216}, {360, 128}};
        QTest::newRow("fits") << Box{{200, 100}, {360, 600}, false, {200, 100}, {80, 166}};
        QTest::newRow("too wide") << Box{{400, 150}, {360, 600}, false, {288, 108}, {36, 164}};
        QTest::newRow("too wide, odd") << Box{{333, 100}, {240, 500}, false, {192, 57}, {24, 147}};
    }

    void boxAndPlace()
    {
        QFETCH(Box, b);
        QImage info(b.info, QImage::Format_ARGB32);
        info.fill(Qt::gray);
        if (!info.isNull())
            saveSkinImage(QStringLiteral("info.png"), info);
        QCOMPARE(kwdMessageItem::boxSize(b.view.width()), b.size);
        View view(b.view);
        view.view.centerOn(600, 700);
        QVERIFY(QTest::qWaitForWindowExposed(&view.view));
        kwdShowScroll box(&view.view);
        box.showWait(QStringLiteral("Loading"), b.offScreen);
        QCOMPARE(box.item->boundingRect().size().toSize(), b.size);
        // Positions are in view coordinates; the item lives in the scene.
        QCOMPARE(view.view.mapFromScene(box.item->pos()), b.place);
        const QRect onScreen = view.view.mapFromScene(box.item->sceneBoundingRect()).boundingRect();
        QCOMPARE(view.view.viewport()->rect().intersects(onScreen), !b.offScreen);
    }

    void timerAndFrames()
    {
        QImage info(300, 120, QImage::Format_ARGB32);
        info.fill(QColor(250, 250, 200));
        saveSkinImage(QStringLiteral("info.png"), info);
        // Six spinner frames of 10 pixels: frame k is filled with a red of 40 * (k + 1).
        QImage strip(60, 10, QImage::Format_ARGB32);
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(x, y, qRgb(40 * (x / 10 + 1), 0, 0));
        saveSkinImage(QStringLiteral("scroll.png"), strip);
        View view(QSize(360, 600));
        kwdShowScroll box(&view.view);
        box.showWait(QString::fromUtf8("正在加载..."), false);
        QVERIFY(box.item->isVisible() && box.item->animated);
        QCOMPARE(box.timer.interval(), 200);
        const int start = box.item->frame;
        QTRY_VERIFY(box.item->frame >= start + 2);
        box.timer.stop();
        for (int frame : {0, 3, 7}) {
            box.item->frame = frame;
            QImage image(288, 115, QImage::Format_ARGB32);
            image.fill(Qt::black);
            QPainter painter(&image);
            box.item->paint(&painter, nullptr, nullptr);
            painter.end();
            // The frame starts 14 pixels from the left, vertically centred, on the box picture.
            QCOMPARE(QColor(image.pixel(2, 2)), QColor(250, 250, 200));
            QCOMPARE(QColor(image.pixel(13, 57)), QColor(250, 250, 200));
            QCOMPARE(QColor(image.pixel(14, 57)), QColor(40 * (frame % 6 + 1), 0, 0));
            if (frame == 0)
                QVERIFY(image.save(kwdTestEnvironment::outputDir("app") + "/messagebox.png"));
        }
        // A plain message stands still, in the same place.
        box.showMessage(QStringLiteral("No result"));
        QVERIFY(!box.timer.isActive() && !box.item->animated && box.item->isVisible());
        QCOMPARE(box.item->text, QStringLiteral("No result"));
        QCOMPARE(view.view.mapFromScene(box.item->pos()), QPoint(36, 161));
        box.showWait(QStringLiteral("Downloading"), true);
        box.hide();
        QVERIFY(!box.timer.isActive() && !box.item->isVisible());
        // Hidden behind the box's back (the view cleared it): the next tick notices and stops.
        box.showWait(QStringLiteral("Downloading"), false);
        box.item->hide();
        const int frame = box.item->frame;
        box.onTimer();
        QVERIFY(!box.timer.isActive());
        QCOMPARE(box.item->frame, frame);
    }
};

KWD_TEST_MAIN(TestKwdShowScroll)
#include "tst_kwdshowscroll.moc"

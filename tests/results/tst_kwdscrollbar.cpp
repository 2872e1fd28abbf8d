#include "kwdscrollbar.h"
#include "kwdscrollfloatbar.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtTest>

class TestKwdScrollBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void width_data();
    void width();
    void setLength_data();
    void setLength();
    void paintsTranslucentBlack();
    void floatBarWidth_data();
    void floatBarWidth();
};

void TestKwdScrollBar::cleanup()
{
    kwdStore::instance()->dpi = 0;
}

void TestKwdScrollBar::width_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");
    QTest::newRow("72 dpi") << 72 << 3;
    QTest::newRow("96 dpi") << 96 << 4;
    QTest::newRow("144 dpi") << 144 << 6;
    QTest::newRow("240 dpi") << 240 << 10;
    QTest::newRow("300 dpi, clamped") << 300 << 10;
    QTest::newRow("48 dpi, clamped") << 48 << 3;
}

void TestKwdScrollBar::width()
{
    QFETCH(int, dpi);
    QFETCH(int, expected);
    kwdStore::instance()->dpi = dpi;
    kwdScrollBar bar;
    QCOMPARE(bar.boundingRect(), QRectF(0, 0, expected, 100.0));
    QCOMPARE(kwdScrollBar::barWidth(dpi), expected);
}

void TestKwdScrollBar::setLength_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("shorter") << 40;
    QTest::newRow("same") << 100;
    QTest::newRow("longer") << 517;
    QTest::newRow("zero") << 0;
}

void TestKwdScrollBar::setLength()
{
    QFETCH(int, length);
    kwdStore::instance()->dpi = 72;
    QGraphicsScene scene;
    auto* bar = new kwdScrollBar;
    scene.addItem(bar);
    bar->setPos(10, 20);
    bar->setLength(length);
    QCOMPARE(bar->boundingRect(), QRectF(0, 0, 3, length));
    // The scene learns the new extent, so nothing of the old bar is left drawn.
    QCOMPARE(scene.itemsBoundingRect(), QRectF(10, 20, 3, length));
}

void TestKwdScrollBar::paintsTranslucentBlack()
{
    kwdStore::instance()->dpi = 144;
    kwdScrollBar bar;
    bar.setLength(20);
    QImage image(20, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        bar.paint(&painter, nullptr, nullptr);
    }
    QCOMPARE(qAlpha(image.pixel(0, 0)), 175);
    QCOMPARE(qAlpha(image.pixel(5, 19)), 175);
    QCOMPARE(qRed(image.pixel(5, 19)), 0);
    QCOMPARE(qAlpha(image.pixel(6, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(0, 20)), 0);
}

void TestKwdScrollBar::floatBarWidth_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");
    QTest::newRow("not yet known") << 0 << 10;
    QTest::newRow("72 dpi") << 72 << 5;
    QTest::newRow("144 dpi") << 144 << 10;
    QTest::newRow("216 dpi") << 216 << 15;
}

void TestKwdScrollBar::floatBarWidth()
{
    QFETCH(int, dpi);
    QFETCH(int, expected);
    kwdStore::instance()->dpi = dpi;
    kwdScrollFloatBar bar;
    QCOMPARE(bar.barWidth, expected);
}

KWD_TEST_MAIN(TestKwdScrollBar)
#include "tst_kwdscrollbar.moc"

#include "kwdscrollbar.h"
#include "kwdscrollfloatbar.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtTest>

// The list's scroll indicator and the form's float bar: widths per DPI, extent and paint.
class TestKwdScrollBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { kwdStore::instance()->dpi = 0; }

    void width_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("floatWidth");
        QTest::newRow("72 dpi") << 72 << 3 << 5;
        QTest::newRow("144 dpi") << 144 << 6 << 10;
        QTest::newRow("300 dpi, clamped") << 300 << 10 << 20;
        QTest::newRow("48 dpi, clamped") << 48 << 3 << 3;
    }

    void width()
    {
        QFETCH(int, dpi);
        QFETCH(int, expected);
        QCOMPARE(kwdScrollFloatBar().barWidth, 10); // before the DPI is known
        kwdStore::instance()->dpi = dpi;
        QTEST(kwdScrollFloatBar().barWidth, "floatWidth");
        QGraphicsScene scene;
        auto* bar = new kwdScrollBar;
        scene.addItem(bar);
        bar->setPos(10, 20);
        for (int length : {40, 517, 0, 20}) {
            bar->setLength(length);
            // The scene learns the new extent, so nothing of the old bar is left drawn.
            QCOMPARE(scene.itemsBoundingRect(), QRectF(10, 20, expected, length));
        }
        QImage image(20, 30, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        bar->paint(&painter, nullptr, nullptr);
        painter.end();
        QCOMPARE(image.pixel(expected - 1, 19), qRgba(0, 0, 0, 175));
        QCOMPARE(qAlpha(image.pixel(expected, 0)) + qAlpha(image.pixel(0, 20)), 0);
    }
};

KWD_TEST_MAIN(TestKwdScrollBar)
#include "tst_kwdscrollbar.moc"

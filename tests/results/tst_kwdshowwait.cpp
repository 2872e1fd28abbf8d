#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The pages' wait box: one per process, its geometry, its timer and its spinner frames.
class TestKwdShowWait : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        kwdStore::instance()->dpi = 0;
        kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
    }

    void instanceTextAndTimer()
    {
        QVERIFY(!kwdShowWait::instance());
        {
            QWidget parent;
            parent.show();
            auto* box = new kwdShowWait(&parent);
            QCOMPARE(kwdShowWait::instance(), box);
            QCOMPARE(box->text, QStringLiteral("Downloading,Please wait"));
            box->showAt(10, QStringLiteral("Sending"));
            box->showAt(10); // no text keeps the last one
            QCOMPARE(box->text, QStringLiteral("Sending"));
            QVERIFY(box->isSpinning());
            box->stop();
            QVERIFY(box->isHidden() && !box->isSpinning());
            // Hidden by another route (the page went away): the spinner stops as well.
            box->showAt(10);
            box->hide();
            QVERIFY(!box->isSpinning());
        }
        QVERIFY(!kwdShowWait::instance());
    }

    void geometry_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("height"); // 30 points at the DPI
        const QString longText(80, QLatin1Char('W'));
        QTest::newRow("72 dpi, long text") << 72 << 360 << longText << 100 << 30;
        QTest::newRow("96 dpi, long text") << 96 << 361 << longText << 0 << 40;
        QTest::newRow("210 dpi, long text") << 210 << 300 << longText << 7 << 87;
        QTest::newRow("empty text") << 96 << 360 << QString() << 50 << 40;
        QTest::newRow("short text") << 96 << 360 << QStringLiteral("Wait") << 50 << 40;
        QTest::newRow("chinese") << 144 << 360 << QString::fromUtf8("正在提交，请稍候") << 220 << 60;
    }

    void geometry()
    {
        QFETCH(int, dpi);
        QFETCH(int, pageWidth);
        QFETCH(QString, text);
        QFETCH(int, y);
        kwdStore::instance()->dpi = dpi;
        QWidget page;
        page.resize(pageWidth, 600);
        kwdShowWait box(&page);
        box.text = text;
        box.showAt(y);
        QCOMPARE(box.y(), y);
        QTEST(box.height(), "height");
        // Centred, and as wide as spinner, margins and text need, up to three quarters of the page.
        QVERIFY(qAbs(2 * box.x() + box.width() - pageWidth) <= 1);
        const int needed = QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).horizontalAdvance(text);
        QVERIFY(box.width() <= 3 * pageWidth / 4);
        QCOMPARE(box.width() == 3 * pageWidth / 4, needed > box.width() - box.height() / 2 - 18);
    }

    void renderAndSpinner()
    {
        kwdStore::instance()->dpi = 96;
        QWidget page;
        page.resize(360, 300);
        page.setAutoFillBackground(true);
        page.setPalette(QPalette(QColor(230, 236, 245)));
        (new QLabel(QString::fromUtf8("二手房 搜索条件"), &page))->move(20, 20);
        kwdShowWait box(&page);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        box.showAt(120, QStringLiteral("Downloading,Please wait"));
        const QImage shot = page.grab().toImage();
        QVERIFY(shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + "/waitbox.png"));
        // The outline runs along the box's top edge; the page shows around it.
        const QRect g = box.geometry();
        QCOMPARE(QColor(shot.pixel(g.left() - 1, g.center().y())), QColor(230, 236, 245));
        QVERIFY(QColor(shot.pixel(g.center().x(), g.top())) != QColor(230, 236, 245));

        // With six spinner frames of 10 pixels, frame k filled with a red of 40 * (k + 1), each paint
        // shows the next frame, wrapping after the sixth.
        QTemporaryDir skin;
        QDir().mkpath(skin.path() + QStringLiteral("/theme"));
        QImage strip(60, 10, QImage::Format_ARGB32);
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(x, y, qRgb(40 * (x / 10 + 1), 0, 0));
        QVERIFY(strip.save(skin.path() + QStringLiteral("/theme/scroll.png")));
        kwdTheme::instance()->setSkinDir(skin.path());
        box.frame = 0;
        QList<int> reds;
        for (int i = 0; i < 8; ++i)
            reds << qRed(box.grab().toImage().pixel(6 + box.height() / 4, box.height() / 2));
        QCOMPARE(reds, (QList<int>{80, 120, 160, 200, 240, 40, 80, 120}));
    }
};

KWD_TEST_MAIN(TestKwdShowWait)
#include "tst_kwdshowwait.moc"

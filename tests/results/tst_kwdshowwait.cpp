#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

class TestKwdShowWait : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void oneInstance();
    void defaultText();
    void geometry_data();
    void geometry();
    void showStartsAndStopStops();
    void hidingByAnyRouteStopsTimer();
    void spinnerCycles();
    void render();
};

void TestKwdShowWait::cleanup()
{
    kwdStore::instance()->dpi = 0;
    kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default")));
}

void TestKwdShowWait::oneInstance()
{
    QVERIFY(!kwdShowWait::instance());
    {
        QWidget parent;
        auto* box = new kwdShowWait(&parent);
        QCOMPARE(kwdShowWait::instance(), box);
    }
    QVERIFY(!kwdShowWait::instance());
}

void TestKwdShowWait::defaultText()
{
    QWidget parent;
    kwdShowWait box(&parent);
    QCOMPARE(box.text, QStringLiteral("Downloading,Please wait"));
    box.showAt(10, QStringLiteral("Sending"));
    QCOMPARE(box.text, QStringLiteral("Sending"));
    box.showAt(10);
    QCOMPARE(box.text, QStringLiteral("Sending"));
}

void TestKwdShowWait::geometry_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("parentWidth");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("clamped");
    // Height: 30 points at the DPI.
    const QString longText(80, QLatin1Char('W'));
    QTest::newRow("72 dpi, long text") << 72 << 360 << longText << 100 << 30 << true;
    QTest::newRow("96 dpi, long text") << 96 << 361 << longText << 0 << 40 << true;
    QTest::newRow("210 dpi, long text") << 210 << 300 << longText << 7 << 87 << true;
    QTest::newRow("empty text") << 96 << 360 << QString() << 50 << 40 << false;
    QTest::newRow("short text") << 96 << 360 << QStringLiteral("Wait") << 50 << 40 << false;
    QTest::newRow("chinese") << 144 << 360 << QString::fromUtf8("正在提交，请稍候") << 220 << 60 << false;
}

void TestKwdShowWait::geometry()
{
    QFETCH(int, dpi);
    QFETCH(int, parentWidth);
    QFETCH(QString, text);
    QFETCH(int, y);
    QFETCH(int, height);
    QFETCH(bool, clamped);
    kwdStore::instance()->dpi = dpi;
    QWidget parent;
    parent.resize(parentWidth, 600);
    kwdShowWait box(&parent);
    box.text = text;
    box.showAt(y);
    QVERIFY(!box.isHidden());
    QCOMPARE(box.height(), height);
    QCOMPARE(box.y(), y);
    // Never wider than three quarters of the page, centred on it.
    QVERIFY(box.width() <= 3 * parentWidth / 4);
    QVERIFY(qAbs(2 * box.x() + box.width() - parentWidth) <= 1);
    // Wide enough for the spinner, the margins and the whole text when it fits at all.
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSize(10);
    const int s = height / 2;
    const int room = box.width() - s - 18;
    const int needed = QFontMetrics(font).horizontalAdvance(text);
    if (clamped) {
        QCOMPARE(box.width(), 3 * parentWidth / 4);
    } else {
        QVERIFY(box.width() < 3 * parentWidth / 4);
        QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1 > %2").arg(needed).arg(room)));
    }
    if (text.isEmpty())
        QCOMPARE(box.width(), height / 2 + 30);
}

void TestKwdShowWait::showStartsAndStopStops()
{
    QWidget parent;
    parent.resize(360, 640);
    kwdShowWait box(&parent);
    QVERIFY(box.isHidden());
    box.showAt(100);
    QVERIFY(!box.isHidden());
    QVERIFY(box.isSpinning());
    box.stop();
    QVERIFY(box.isHidden());
    QVERIFY(!box.isSpinning());
}

void TestKwdShowWait::hidingByAnyRouteStopsTimer()
{
    QWidget parent;
    parent.resize(360, 640);
    parent.show();
    kwdShowWait box(&parent);
    box.showAt(100);
    box.hide();
    QVERIFY(!box.isSpinning());
}

void TestKwdShowWait::spinnerCycles()
{
    QTemporaryDir skin;
    QDir().mkpath(skin.path() + QStringLiteral("/theme"));
    QImage strip(60, 10, QImage::Format_ARGB32);
    for (int k = 0; k < 6; ++k)
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                strip.setPixel(k * 10 + x, y, qRgb(40 * (k + 1), 0, 0));
    QVERIFY(strip.save(skin.path() + QStringLiteral("/theme/scroll.png")));
    kwdTheme::instance()->setSkinDir(skin.path());
    kwdStore::instance()->dpi = 96;

    QWidget parent;
    parent.resize(360, 640);
    kwdShowWait box(&parent);
    box.showAt(100, QStringLiteral("Wait"));
    // Each paint shows the next frame, wrapping after the sixth.
    const int s = box.height() / 2;
    const QPoint probe(6 + s / 2, box.height() / 2);
    QList<int> reds;
    for (int i = 0; i < 8; ++i) {
        const QImage shot = box.grab().toImage();
        reds << qRed(shot.pixel(probe));
        QCOMPARE(box.frame, (i + 1) % 6);
    }
    QCOMPARE(reds, (QList<int>{80, 120, 160, 200, 240, 40, 80, 120}));
}

void TestKwdShowWait::render()
{
    kwdStore::instance()->dpi = 96;
    QWidget page;
    page.resize(360, 300);
    page.setAutoFillBackground(true);
    page.setPalette(QPalette(QColor(230, 236, 245)));
    auto* label = new QLabel(QString::fromUtf8("二手房 搜索条件"), &page);
    label->move(20, 20);
    kwdShowWait box(&page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    box.showAt(120);
    QVERIFY(box.isVisible());
    const QImage shot = page.grab().toImage();
    QVERIFY(shot.save(kwdTestEnvironment::outputDir(QStringLiteral("app")) + QStringLiteral("/waitbox.png")));
    // The outline runs along the box's top edge; the page shows around it.
    const QRect g = box.geometry();
    QCOMPARE(QColor(shot.pixel(g.left() - 1, g.center().y())), QColor(230, 236, 245));
    QVERIFY(QColor(shot.pixel(g.center().x(), g.top())) != QColor(230, 236, 245));
}

KWD_TEST_MAIN(TestKwdShowWait)
#include "tst_kwdshowwait.moc"

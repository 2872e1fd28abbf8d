#include "kwdscrollfloatbar.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmscrollarea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>

namespace {

// A form of a fixed height in an area of 200 by 300.
struct Form
{
    explicit Form(int formHeight)
    {
        auto* content = new QWidget;
        content->setMinimumHeight(formHeight);
        content->setFocusPolicy(Qt::StrongFocus);
        area.setFrameShape(QFrame::NoFrame);
        area.setWidget(content);
        area.resize(200, 300);
        area.show();
    }
    qvmScrollArea area;
};

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

bool sendKey(QWidget* target, int key, const QString& text = QString())
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    event.ignore();
    QCoreApplication::sendEvent(target, &event);
    return event.isAccepted();
}

} // namespace

class TestQvmScrollArea : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void verticalDrag_data();
    void verticalDrag();
    void horizontalDragDoesNotScroll();
    void floatBarDuringDrag();
    void shortFormNeverShowsBar();
    void keys_data();
    void keys();
    void shortFormIgnoresKeys();
    void contextKeyFocusesForm();
    void otherKeysGoToParent();
};

void TestQvmScrollArea::construction()
{
    qvmScrollArea area;
    QCOMPARE(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(area.widgetResizable());
    QVERIFY(area.floatBar);
    QVERIFY(area.floatBar->isHidden());
    QVERIFY(!area.dragging);
}

void TestQvmScrollArea::verticalDrag_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("ys");
    QTest::addColumn<int>("expected");
    // The finger moves from y 150 through the listed rows; the content follows it, within its range.
    QTest::newRow("up scrolls down") << 0 << QList<int>{120, 90} << 60;
    QTest::newRow("down scrolls up") << 200 << QList<int>{170, 180, 210} << 140;
    QTest::newRow("clamped at top") << 20 << QList<int>{200, 260} << 0;
    QTest::newRow("clamped at bottom") << 680 << QList<int>{100, 20} << 700;
    QTest::newRow("no movement") << 50 << QList<int>{150, 150} << 50;
}

void TestQvmScrollArea::verticalDrag()
{
    QFETCH(int, start);
    QFETCH(QList<int>, ys);
    QFETCH(int, expected);
    Form form(1000);
    QScrollBar* bar = form.area.verticalScrollBar();
    QCOMPARE(bar->maximum(), 700);
    bar->setValue(start);
    QWidget* viewport = form.area.viewport();
    sendMouse(viewport, QEvent::MouseButtonPress, QPoint(100, 150));
    QVERIFY(form.area.dragging);
    for (int y : ys)
        sendMouse(viewport, QEvent::MouseMove, QPoint(102, y));
    QCOMPARE(bar->value(), expected);
    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(102, ys.last()));
    QVERIFY(!form.area.dragging);
    QCOMPARE(bar->value(), expected);
}

void TestQvmScrollArea::horizontalDragDoesNotScroll()
{
    Form form(1000);
    QScrollBar* bar = form.area.verticalScrollBar();
    bar->setValue(100);
    QWidget* viewport = form.area.viewport();
    sendMouse(viewport, QEvent::MouseButtonPress, QPoint(20, 150));
    sendMouse(viewport, QEvent::MouseMove, QPoint(100, 140));
    sendMouse(viewport, QEvent::MouseMove, QPoint(180, 130));
    QCOMPARE(bar->value(), 100);
    QCOMPARE(form.area.lastPoint, QPoint(20, 150));
    // Moves without a press change nothing either.
    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(180, 130));
    sendMouse(viewport, QEvent::MouseMove, QPoint(180, 20));
    QCOMPARE(bar->value(), 100);
}

void TestQvmScrollArea::floatBarDuringDrag()
{
    Form form(1200);
    QVERIFY(QTest::qWaitForWindowExposed(&form.area));
    QScrollBar* bar = form.area.verticalScrollBar();
    const int h = form.area.contentsRect().height();
    QCOMPARE(bar->maximum(), 1200 - h);
    QWidget* viewport = form.area.viewport();
    kwdScrollFloatBar* floatBar = form.area.floatBar;

    sendMouse(viewport, QEvent::MouseButtonPress, QPoint(100, 200));
    QVERIFY(floatBar->isVisible());
    // The bar is as long as the visible share of the form, at the right edge.
    QVERIFY(qAbs(floatBar->height() - h * h / 1200) <= 1);
    QCOMPARE(floatBar->y(), 0);
    QCOMPARE(floatBar->x(), 200 - floatBar->barWidth * 3 / 2);

    sendMouse(viewport, QEvent::MouseMove, QPoint(100, 100));
    QCOMPARE(bar->value(), 100);
    QVERIFY(qAbs(floatBar->y() - 100 * h / 1200) <= 1);
    QVERIFY(floatBar->isVisible());

    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(100, 100));
    QVERIFY(!floatBar->isVisible());
}

void TestQvmScrollArea::shortFormNeverShowsBar()
{
    Form form(100);
    QCOMPARE(form.area.verticalScrollBar()->maximum(), 0);
    QWidget* viewport = form.area.viewport();
    sendMouse(viewport, QEvent::MouseButtonPress, QPoint(100, 200));
    QVERIFY(!form.area.floatBar->isVisible());
    sendMouse(viewport, QEvent::MouseMove, QPoint(100, 50));
    QCOMPARE(form.area.verticalScrollBar()->value(), 0);
    QVERIFY(!form.area.floatBar->isVisible());
    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(100, 50));
}

void TestQvmScrollArea::keys_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("3 up") << 350 << int(Qt::Key_3) << 250;
    QTest::newRow("3 up to the top") << 40 << int(Qt::Key_3) << 0;
    QTest::newRow("3 at the top") << 0 << int(Qt::Key_3) << 0;
    QTest::newRow("6 down") << 350 << int(Qt::Key_6) << 450;
    QTest::newRow("6 down to the end") << 650 << int(Qt::Key_6) << 700;
    QTest::newRow("6 at the end") << 700 << int(Qt::Key_6) << 700;
}

void TestQvmScrollArea::keys()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    Form form(1000);
    QScrollBar* bar = form.area.verticalScrollBar();
    bar->setValue(start);
    QVERIFY(sendKey(&form.area, key, QString::number(key - Qt::Key_0)));
    QCOMPARE(bar->value(), expected);
}

void TestQvmScrollArea::shortFormIgnoresKeys()
{
    Form form(100);
    QVERIFY(!sendKey(&form.area, Qt::Key_3, QStringLiteral("3")));
    QVERIFY(!sendKey(&form.area, Qt::Key_6, QStringLiteral("6")));
    QCOMPARE(form.area.verticalScrollBar()->value(), 0);
}

void TestQvmScrollArea::contextKeyFocusesForm()
{
    Form form(1000);
    form.area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form.area));
    QVERIFY(sendKey(&form.area, Qt::Key_Context1));
    QTRY_VERIFY(form.area.widget()->hasFocus());
}

void TestQvmScrollArea::otherKeysGoToParent()
{
    Form form(1000);
    QScrollBar* bar = form.area.verticalScrollBar();
    bar->setValue(300);
    QVERIFY(!sendKey(&form.area, Qt::Key_Down));
    QVERIFY(!sendKey(&form.area, Qt::Key_PageDown));
    QVERIFY(!sendKey(&form.area, Qt::Key_5, QStringLiteral("5")));
    QCOMPARE(bar->value(), 300);
}

KWD_TEST_MAIN(TestQvmScrollArea)
#include "tst_qvmscrollarea.moc"

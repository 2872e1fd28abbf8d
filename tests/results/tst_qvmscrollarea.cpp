#include "kwdscrollfloatbar.h"
#include "kwdtestenvironment.h"
#include "qvmscrollarea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>

namespace {

// A form of a fixed height in an area of 200 by 300, and the finger and keys on it.
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
    void mouse(QEvent::Type type, QPoint pos)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, area.viewport()->mapToGlobal(pos), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(area.viewport(), &event);
    }
    bool key(int key)
    {
        const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, digit ? QString::number(key - Qt::Key_0) : "");
        event.ignore();
        QCoreApplication::sendEvent(&area, &event);
        return event.isAccepted();
    }
    qvmScrollArea area;
    QScrollBar* bar = area.verticalScrollBar();
};

// A drag (press, then moves) or a key, where the content ends, and whether the area acts on it
// (shows its float bar while dragging, takes the key).
struct Case
{
    int formHeight, start;
    QList<QPoint> points;
    int key, expected;
    bool acts;
};

} // namespace

Q_DECLARE_METATYPE(Case)

// The form area: finger drags, the float bar while dragging, and the 3/6 keys.
class TestQvmScrollArea : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drag_data()
    {
        QTest::addColumn<Case>("c");
        // The content follows the finger within its range of 0 to 700, and only a vertical finger.
        QTest::newRow("up") << Case{1000, 0, {{100, 150}, {102, 120}, {102, 90}}, 0, 60, true};
        QTest::newRow("down") << Case{1000, 200, {{100, 150}, {102, 170}, {102, 210}}, 0, 140, true};
        QTest::newRow("clamped at top") << Case{1000, 20, {{100, 150}, {102, 260}}, 0, 0, true};
        QTest::newRow("clamped at end") << Case{1000, 680, {{100, 150}, {102, 100}, {102, 20}}, 0, 700, true};
        QTest::newRow("horizontal") << Case{1000, 100, {{20, 150}, {100, 140}, {180, 130}}, 0, 100, true};
        QTest::newRow("form fits") << Case{100, 0, {{100, 200}, {100, 50}}, 0, 0, false};
    }

    void drag()
    {
        QFETCH(Case, c);
        Form form(c.formHeight);
        form.bar->setValue(c.start);
        form.mouse(QEvent::MouseButtonPress, c.points.first());
        for (const QPoint& p : c.points.mid(1))
            form.mouse(QEvent::MouseMove, p);
        QCOMPARE(form.bar->value(), c.expected);
        // The float bar shows while dragging, never for a form that fits: as long as the visible
        // share of the form, at the right edge, where the content stands.
        kwdScrollFloatBar* floatBar = form.area.floatBar;
        QCOMPARE(floatBar->isVisible(), c.acts);
        if (c.acts) {
            QVERIFY(qAbs(floatBar->height() - 300 * 300 / c.formHeight) <= 1);
            QVERIFY(qAbs(floatBar->y() - c.expected * 300 / c.formHeight) <= 1);
            QCOMPARE(floatBar->x(), 200 - floatBar->barWidth * 3 / 2);
        }
        form.mouse(QEvent::MouseButtonRelease, c.points.last());
        QVERIFY(!floatBar->isVisible());
        // Moves without a press change nothing.
        form.mouse(QEvent::MouseMove, c.points.first() + QPoint(0, 100));
        QCOMPARE(form.bar->value(), c.expected);
    }

    void keys_data()
    {
        QTest::addColumn<Case>("c");
        QTest::newRow("3 up") << Case{1000, 350, {}, Qt::Key_3, 250, true};
        QTest::newRow("3 up to the top") << Case{1000, 40, {}, Qt::Key_3, 0, true};
        QTest::newRow("6 down") << Case{1000, 350, {}, Qt::Key_6, 450, true};
        QTest::newRow("6 down to the end") << Case{1000, 650, {}, Qt::Key_6, 700, true};
        QTest::newRow("3, form fits") << Case{100, 0, {}, Qt::Key_3, 0, false};
        QTest::newRow("6, form fits") << Case{100, 0, {}, Qt::Key_6, 0, false};
        QTest::newRow("5 is the page's") << Case{1000, 300, {}, Qt::Key_5, 300, false};
        QTest::newRow("page down is the page's") << Case{1000, 300, {}, Qt::Key_PageDown, 300, false};
        QTest::newRow("context key focuses the form") << Case{1000, 300, {}, Qt::Key_Context1, 300, true};
    }

    void keys()
    {
        QFETCH(Case, c);
        Form form(c.formHeight);
        form.area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form.area));
        form.bar->setValue(c.start);
        QCOMPARE(form.key(c.key), c.acts);
        QCOMPARE(form.bar->value(), c.expected);
        if (c.key == Qt::Key_Context1)
            QTRY_VERIFY(form.area.widget()->hasFocus());
    }
};

KWD_TEST_MAIN(TestQvmScrollArea)
#include "tst_qvmscrollarea.moc"

#include "guidetitle.h"
#include "kwdmessageitem.h"
#include "kwdscrollbar.h"
#include "kwdscrollfloatbar.h"
#include "kwdshowscroll.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "kwdtheme.h"
#include "qvmscrollarea.h"
#include "qvmwidgetsegement.h"
#include "titlebar.h"

#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Which segments are checked, e.g. "010".
QString checkedStates(const qvmWidgetSegement& segment)
{
    QString states;
    for (int i = 0; i < segment.count(); ++i)
        states += segment.button(i)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

// A finger on the form area: a press, then moves (empty: a key instead), and what follows.
struct Touch
{
    int formHeight, start;
    QList<QPoint> points;
    int key, expected;
    bool acts; // shows the float bar while dragging, or takes the key
};

} // namespace

Q_DECLARE_METATYPE(Touch)

// The widgets every page shares: the title bar's buttons and what they report, the segmented
// control's one checked segment, the form area's finger and keys, the wait and message boxes'
// states, and the skin's pictures.
class TestSharedWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { kwdTheme::instance()->setSkinDir(kwdStore::appFile(QStringLiteral("skin/default"))); }

    void titleBar_data()
    {
        kwdColumns<bool, QString, int, bool>("guide", "title", "flags", "checked");
        // Condition, favourite, then the reserved control: action and whether the favourite is checked.
        QTest::addColumn<QString>("reports");
        kwdRow("logo: no button at all", false, QString(), 14, true, "1:1");
        kwdRow("all, favourite checked", false, "t", 14, true, "0:1 2:0 1:0");
        kwdRow("all but back, favourite unchecked", false, "t", 6, false, "0:0 2:1 1:1");
        // The guide's bar has only its back button, shown with or without a title.
        kwdRow("guide bar", true, "Guide", 14, true, "1:0");
    }

    void titleBar()
    {
        QFETCH(bool, guide);
        QFETCH(QString, title);
        QFETCH(int, flags);
        QWidget host;
        TitleBar* bar = guide ? new GuideTitle(&host) : new TitleBar(&host);
        bar->resize(360, bar->height());
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        // A new bar shows the logo; a title brings the back button, and taking it away every button.
        QVERIFY(guide || (!bar->showsTitle() && bar->backButton()->isHidden()));
        const bool shown = !title.isEmpty() && !guide;
        bar->setButtons(flags, kwdData<bool>("checked"));
        bar->setTitle(title);
        if (shown)
            bar->setBackFlags(flags);
        if (guide)
            bar->setTitle(QString());
        QCOMPARE(bar->titleText(), shown ? title : QString());
        QVERIFY(guide || bar->showsTitle() == shown);
        QPushButton* condition = bar->conditionButton();
        QPushButton* favorite = bar->favoriteButton();
        QCOMPARE(condition && condition->isVisible(), shown && bool(flags & 4));
        QCOMPARE(favorite && favorite->isVisible(), shown && bool(flags & 2));
        QCOMPARE(bar->backButton()->isVisible(), guide || (shown && bool(flags & 8)));
        QSignalSpy spy(bar, &TitleBar::doAction);
        QSignalSpy back(bar, &TitleBar::goBack);
        for (QPushButton* b : {condition, favorite, bar->backButton()})
            if (b && b->isVisible())
                QTest::mouseClick(b, Qt::LeftButton);
        bar->onRightButtonClicked();
        QStringList reports;
        for (const QList<QVariant>& report : std::as_const(spy))
            reports << QStringLiteral("%1:%2").arg(report.at(0).toInt()).arg(report.at(1).toUInt());
        QTEST(reports.join(QLatin1Char(' ')), "reports");
        QCOMPARE(back.count(), int(bar->backButton()->isVisible()));
    }

    void segments_data()
    {
        kwdColumns<int, QString, int, int, int>("initial", "action", "target", "expected", "emitted");
        // setValue: a change is announced once; the same value or one out of range changes nothing.
        kwdRow("set, change", 0, "set", 2, 2, 1);
        kwdRow("set, past the end", 1, "set", 3, 1, 0);
        // A checked segment swallows presses and the handset's ok key.
        kwdRow("press on checked", 1, "press", 1, 1, 0);
        kwdRow("ok key on checked", 1, "ok", 1, 1, 0);
        // A keyboard activation toggles the checked button off; the row keeps it checked, silently.
        kwdRow("keyboard on checked", 0, "key", 0, 0, 0);
        kwdRow("keyboard on another", 0, "key", 1, 1, 1);
    }

    void segments()
    {
        QFETCH(QString, action);
        QFETCH(int, target);
        QFETCH(int, expected);
        qvmWidgetSegement segment;
        segment.addSegment(QStringLiteral("0"));
        segment.addSegment(QStringLiteral("1"));
        segment.setValue(2); // not there yet: ignored
        // The last segment is a button of the caller's own, taken over like the others.
        auto* own = new QPushButton(QStringLiteral("own"));
        segment.addButton(own);
        QVERIFY(own->isCheckable() && own->parentWidget() == &segment && segment.value() == -1);
        segment.resize(300, 40);
        segment.show();
        QVERIFY(QTest::qWaitForWindowExposed(&segment));
        segment.setValue(kwdData<int>("initial"));
        QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
        QPushButton* button = segment.button(target);
        if (action == QLatin1String("set")) {
            segment.setValue(target);
        } else if (action == QLatin1String("press")) {
            QTest::mousePress(button, Qt::LeftButton);
            QVERIFY(!button->isDown());
            QTest::mouseRelease(button, Qt::LeftButton);
        } else if (action == QLatin1String("ok")) {
            QEvent ok{QEvent::Type(94)};
            QVERIFY(QCoreApplication::sendEvent(button, &ok));
        } else if (action == QLatin1String("key")) {
            button->click();
        }
        QCOMPARE(segment.value(), expected);
        QTEST(int(spy.count()), "emitted");
        if (!spy.isEmpty())
            QCOMPARE(spy.at(0).at(0).toInt(), expected);
        QString states(3, QLatin1Char('0'));
        states[expected] = QLatin1Char('1');
        QCOMPARE(checkedStates(segment), states);
        QVERIFY(!segment.button(expected)->isDown());
    }

    void formArea_data()
    {
        QTest::addColumn<Touch>("t");
        // The content follows a vertical finger within its range of 0 to 700.
        kwdRow("drag up", Touch{1000, 0, {{100, 150}, {102, 120}, {102, 90}}, 0, 60, true});
        kwdRow("clamped at end", Touch{1000, 680, {{100, 150}, {102, 100}, {102, 20}}, 0, 700, true});
        kwdRow("horizontal", Touch{1000, 100, {{20, 150}, {100, 140}, {180, 130}}, 0, 100, true});
        kwdRow("form fits", Touch{100, 0, {{100, 200}, {100, 50}}, 0, 0, false});
        // 3 and 6 page the form; 5 is the page's.
        kwdRow("3 up", Touch{1000, 350, {}, Qt::Key_3, 250, true});
        kwdRow("6 down", Touch{1000, 350, {}, Qt::Key_6, 450, true});
        kwdRow("5 is the page's", Touch{1000, 300, {}, Qt::Key_5, 300, false});
        kwdRow("context key focuses the form", Touch{1000, 300, {}, Qt::Key_Context1, 300, true});
    }

    void formArea()
    {
        QFETCH(Touch, t);
        qvmScrollArea area;
        auto* content = new QWidget;
        content->setMinimumHeight(t.formHeight);
        content->setFocusPolicy(Qt::StrongFocus);
        area.setFrameShape(QFrame::NoFrame);
        area.setWidget(content);
        area.resize(200, 300);
        area.show();
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QScrollBar* bar = area.verticalScrollBar();
        bar->setValue(t.start);
        const auto mouse = [&](QEvent::Type type, QPoint pos) {
            const Qt::MouseButtons buttons =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, pos, area.viewport()->mapToGlobal(pos), Qt::LeftButton, buttons, {});
            QCoreApplication::sendEvent(area.viewport(), &event);
        };
        if (t.points.isEmpty()) {
            const bool digit = t.key >= Qt::Key_0 && t.key <= Qt::Key_9;
            QKeyEvent event(QEvent::KeyPress, t.key, Qt::NoModifier,
                            digit ? QString::number(t.key - Qt::Key_0) : "");
            event.ignore();
            QCoreApplication::sendEvent(&area, &event);
            QCOMPARE(event.isAccepted(), t.acts);
            QCOMPARE(bar->value(), t.expected);
            if (t.key == Qt::Key_Context1)
                QTRY_VERIFY(content->hasFocus());
            return;
        }
        mouse(QEvent::MouseButtonPress, t.points.first());
        for (const QPoint& p : t.points.mid(1))
            mouse(QEvent::MouseMove, p);
        QCOMPARE(bar->value(), t.expected);
        // The float bar shows while dragging, never for a form that fits.
        QCOMPARE(area.floatBar->isVisible(), t.acts);
        mouse(QEvent::MouseButtonRelease, t.points.last());
        QVERIFY(!area.floatBar->isVisible());
        // Moves without a press change nothing.
        mouse(QEvent::MouseMove, t.points.first() + QPoint(0, 100));
        QCOMPARE(bar->value(), t.expected);
    }

    // The pages' wait box: one per process, and a spinner that turns only while it shows.
    void waitBox()
    {
        QVERIFY(!kwdShowWait::instance());
        {
            QWidget page;
            page.resize(360, 600);
            page.show();
            auto* box = new kwdShowWait(&page);
            QCOMPARE(kwdShowWait::instance(), box);
            box->showAt(10, QStringLiteral("Sending"));
            QVERIFY(box->isSpinning());
            box->stop();
            QVERIFY(box->isHidden() && !box->isSpinning());
        }
        QVERIFY(!kwdShowWait::instance());
    }

    // The result view's message box: a wait turns its spinner, a message stands still, both go.
    void messageBox()
    {
        QGraphicsScene scene(0, 0, 2000, 2000);
        QGraphicsView view(&scene);
        view.resize(360, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        kwdShowScroll box(&view);
        // Off screen: in the scene, out of the user's sight; then in sight.
        for (bool offScreen : {true, false}) {
            box.showWait(QStringLiteral("Loading"), offScreen);
            const QRect shown = view.mapFromScene(box.item->sceneBoundingRect()).boundingRect();
            QVERIFY(offScreen ? !view.viewport()->rect().intersects(shown)
                              : view.viewport()->rect().contains(shown));
        }
        QVERIFY(box.item->isVisible() && box.item->animated && box.timer.isActive());
        const int start = box.item->frame;
        QTRY_VERIFY(box.item->frame >= start + 2);
        box.showMessage(QStringLiteral("No result"));
        QVERIFY(!box.timer.isActive() && !box.item->animated && box.item->isVisible());
        box.showWait(QStringLiteral("Downloading"), true);
        box.hide();
        QVERIFY(!box.timer.isActive() && !box.item->isVisible());
    }

    // The list's scroll indicator: the scene learns each new length, so nothing of the old bar stays drawn.
    void scrollIndicatorExtent()
    {
        QGraphicsScene scene;
        auto* bar = new kwdScrollBar;
        scene.addItem(bar);
        bar->setPos(10, 20);
        for (int length : {40, 517, 0, 20}) {
            bar->setLength(length);
            QCOMPARE(scene.itemsBoundingRect().height(), qreal(length));
        }
    }

    void skinPictures_data()
    {
        QTest::addColumn<bool>("changeSkin");
        kwdRow("decoded ahead on the pool thread", false);
        // A picture of the old skin must not be shown once the skin changed under the decoding.
        kwdRow("skin changed meanwhile", true);
    }

    void skinPictures()
    {
        QFETCH(bool, changeSkin);
        QTemporaryDir skin, other;
        const auto write = [](const QTemporaryDir& dir, const char* file, QSize size, QColor colour) {
            QImage image(size, QImage::Format_ARGB32);
            image.fill(colour);
            QDir().mkpath(dir.filePath(QStringLiteral("theme")));
            QVERIFY(image.save(dir.filePath(QStringLiteral("theme/") + QLatin1String(file))));
        };
        write(skin, "logo1.png", QSize(30, 20), QColor(200, 10, 20));
        write(skin, "index_pic.png", QSize(40, 25), QColor(0, 0, 255, 100));
        kwdTheme* theme = kwdTheme::instance();
        theme->setSkinDir(skin.path());
        // Unknown, missing and repeated numbers are passed over.
        theme->decodeAhead({kwdTheme::Logo1, -1, kwdTheme::IndexPic, kwdTheme::Gps, kwdTheme::Logo1});
        if (changeSkin) {
            write(other, "logo1.png", QSize(5, 5), Qt::green);
            theme->setSkinDir(other.path());
        }
        const QDir dir(theme->skinDir());
        for (int no : {kwdTheme::IndexPic, kwdTheme::Logo1, kwdTheme::Gps, kwdTheme::Phone}) {
            const QImage expected(dir.filePath(kwdTheme::imageFile(no)));
            const QImage shown = theme->image(no).toImage();
            QCOMPARE(shown.size(), expected.size());
            if (!expected.isNull())
                QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                         expected.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void tiles_data()
    {
        // no: RedBg2 is missing
        kwdColumns<QSize, QRect, int, bool>("imageSize", "rect", "no", "drawn");
        kwdRow("scaled tiles", QSize(30, 40), QRect(3, 2, 50, 20), int(kwdTheme::RedBg1), true);
        // Nothing at all is drawn, and nothing loops forever on a tile that scales to no width.
        kwdRow("missing image", QSize(1, 50), QRect(0, 0, 20, 20), int(kwdTheme::RedBg2), false);
        kwdRow("tile rounds to zero width", QSize(1, 50), QRect(0, 0, 20, 1), int(kwdTheme::RedBg1), false);
    }

    void tiles()
    {
        QFETCH(QRect, rect);
        QTemporaryDir skin;
        QImage tile(kwdData<QSize>("imageSize"), QImage::Format_ARGB32);
        tile.fill(Qt::red);
        QVERIFY(QDir().mkpath(skin.filePath("theme")) && tile.save(skin.filePath("theme/red_bg1.png")));
        kwdTheme::instance()->setSkinDir(skin.path());
        QImage canvas(200, 80, QImage::Format_ARGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        kwdTheme::instance()->drawTiled(&painter, rect, kwdData<int>("no"));
        painter.end();
        QImage blank(canvas.size(), canvas.format());
        blank.fill(Qt::white);
        QFETCH(bool, drawn);
        QCOMPARE(canvas != blank, drawn);
        if (!drawn)
            return;
        // From the rectangle's left edge across its whole width, never beside, above or below it.
        const auto at = [&](int x, int y) { return canvas.pixelColor(x, y); };
        const int y = rect.center().y();
        QCOMPARE(QList<QColor>({at(rect.left(), y), at(rect.right(), y), at(rect.left() - 1, y),
                                at(rect.left(), rect.top() - 1), at(rect.left(), rect.bottom() + 1)}),
                 QList<QColor>({Qt::red, Qt::red, Qt::white, Qt::white, Qt::white}));
    }
};

KWD_TEST_MAIN(TestSharedWidgets)
#include "tst_sharedwidgets.moc"

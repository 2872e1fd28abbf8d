#include "kwdtestenvironment.h"
#include "qvmwidgetsegement.h"

#include <QPushButton>
#include <QtTest>

// The segmented control: naming for the style sheet, one checked segment, valueChanged only on change.
class TestQvmWidgetSegement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void naming_data();
    void naming();
    void events_data();
    void events();
};

namespace {

// Which segments are checked, e.g. "010"; the value and the signals must agree with it.
QString checkedStates(const qvmWidgetSegement& segment)
{
    QString states;
    for (int i = 0; i < segment.count(); ++i)
        states += segment.button(i)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

QString onlyChecked(int count, int index)
{
    QString states(count, QLatin1Char('0'));
    if (index >= 0)
        states[index] = QLatin1Char('1');
    return states;
}

void fill(qvmWidgetSegement& segment, int count)
{
    for (int i = 0; i < count; ++i)
        segment.addSegment(QString::number(i));
}

} // namespace

void TestQvmWidgetSegement::naming_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("names");
    QTest::newRow("one") << 1 << "Left";
    QTest::newRow("two") << 2 << "Left Right";
    QTest::newRow("three") << 3 << "Left Middle Right";
    QTest::newRow("five") << 5 << "Left Middle Middle Middle Right";
}

void TestQvmWidgetSegement::naming()
{
    QFETCH(int, count);
    QFETCH(QString, names);
    // The last segment is a button of the caller's own, taken over like the others.
    qvmWidgetSegement segment;
    fill(segment, count - 1);
    segment.setValue(count - 1); // not there yet: ignored, even on an empty row
    auto* own = new QPushButton(QStringLiteral("own"));
    segment.addButton(own);
    QStringList actual;
    for (int i = 0; i < segment.count(); ++i) {
        QVERIFY(segment.button(i)->isCheckable());
        actual << segment.button(i)->objectName().remove(QStringLiteral("SegButton"));
    }
    QCOMPARE(actual.join(QLatin1Char(' ')), names);
    QCOMPARE(segment.button(count - 1), own);
    QCOMPARE(own->parentWidget(), &segment);
    QCOMPARE(segment.value(), -1);
    QCOMPARE(checkedStates(segment), onlyChecked(count, -1));
}

void TestQvmWidgetSegement::events_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("emitted");

    // setValue: a change is announced once; the same value or one out of range changes nothing.
    QTest::newRow("set, first choice") << -1 << "set" << 0 << 0 << 1;
    QTest::newRow("set, change") << 0 << "set" << 2 << 2 << 1;
    QTest::newRow("set, same value") << 1 << "set" << 1 << 1 << 0;
    QTest::newRow("set, negative") << 1 << "set" << -1 << 1 << 0;
    QTest::newRow("set, past the end") << 1 << "set" << 3 << 1 << 0;
    QTest::newRow("set, out of range before any choice") << -1 << "set" << 5 << -1 << 0;
    QTest::newRow("click from none") << -1 << "click" << 2 << 2 << 1;
    QTest::newRow("click right to left") << 2 << "click" << 0 << 0 << 1;
    // A checked segment swallows presses, double clicks and the handset's ok key.
    QTest::newRow("press on checked") << 1 << "press" << 1 << 1 << 0;
    QTest::newRow("double click on checked") << 1 << "dclick" << 1 << 1 << 0;
    QTest::newRow("ok key on checked") << 1 << "ok" << 1 << 1 << 0;
    // A keyboard activation toggles the checked button off; the row keeps it checked, silently.
    QTest::newRow("keyboard on checked") << 0 << "key" << 0 << 0 << 0;
    QTest::newRow("keyboard on another") << 0 << "key" << 1 << 1 << 1;
    QTest::newRow("call from a stranger") << 1 << "stray" << 0 << 1 << 0;
}

void TestQvmWidgetSegement::events()
{
    QFETCH(int, initial);
    QFETCH(QString, action);
    QFETCH(int, target);
    QFETCH(int, expected);
    QFETCH(int, emitted);

    qvmWidgetSegement segment;
    fill(segment, 3);
    segment.resize(300, 40);
    segment.show();
    QVERIFY(QTest::qWaitForWindowExposed(&segment));
    segment.setValue(initial);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    QPushButton* button = segment.button(target);
    QPushButton stranger;
    connect(&stranger, &QPushButton::clicked, &segment, &qvmWidgetSegement::onButtonClicked);
    if (action == QLatin1String("set")) {
        segment.setValue(target);
    } else if (action == QLatin1String("press")) {
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(!button->isDown());
        QTest::mouseRelease(button, Qt::LeftButton);
    } else if (action == QLatin1String("click")) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (action == QLatin1String("dclick")) {
        QTest::mouseDClick(button, Qt::LeftButton);
    } else if (action == QLatin1String("ok")) {
        QEvent ok{QEvent::Type(94)};
        QVERIFY(QCoreApplication::sendEvent(button, &ok));
    } else if (action == QLatin1String("key")) {
        button->click();
    } else {
        stranger.click();
    }
    QCOMPARE(segment.value(), expected);
    QCOMPARE(spy.count(), emitted);
    if (emitted)
        QCOMPARE(spy.at(0).at(0).toInt(), expected);
    QCOMPARE(checkedStates(segment), onlyChecked(3, expected));
    QVERIFY(expected < 0 || !segment.button(expected)->isDown());
}

KWD_TEST_MAIN(TestQvmWidgetSegement)
#include "tst_qvmwidgetsegement.moc"

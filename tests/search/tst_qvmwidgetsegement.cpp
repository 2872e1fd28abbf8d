#include "kwdtestenvironment.h"
#include "qvmwidgetsegement.h"

#include <QPushButton>
#include <QtTest>

namespace {

QList<bool> checkedStates(const qvmWidgetSegement& segment)
{
    QList<bool> states;
    for (int i = 0; i < segment.count(); ++i)
        states << segment.button(i)->isChecked();
    return states;
}

QList<bool> onlyChecked(int count, int index)
{
    QList<bool> states;
    for (int i = 0; i < count; ++i)
        states << (i == index);
    return states;
}

} // namespace

class TestQvmWidgetSegement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void naming_data();
    void naming();
    void addButtonTakesExisting();
    void startsUnchosen();
    void setValue_data();
    void setValue();
    void clickChoosesSegment_data();
    void clickChoosesSegment();
    void checkedSegmentSwallowsPresses_data();
    void checkedSegmentSwallowsPresses();
    void keyboardOnCheckedSegmentStaysSilent();
    void strayCallChangesNothing();
};

void TestQvmWidgetSegement::naming_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("one") << 1 << QStringList{"LeftSegButton"};
    QTest::newRow("two") << 2 << QStringList{"LeftSegButton", "RightSegButton"};
    QTest::newRow("three") << 3 << QStringList{"LeftSegButton", "MiddleSegButton", "RightSegButton"};
    QTest::newRow("five") << 5
                          << QStringList{"LeftSegButton", "MiddleSegButton", "MiddleSegButton",
                                         "MiddleSegButton", "RightSegButton"};
}

void TestQvmWidgetSegement::naming()
{
    QFETCH(int, count);
    QFETCH(QStringList, names);
    qvmWidgetSegement segment;
    for (int i = 0; i < count; ++i)
        segment.addSegment(QString::number(i));
    QCOMPARE(segment.count(), count);
    QStringList actual;
    for (int i = 0; i < count; ++i) {
        actual << segment.button(i)->objectName();
        QCOMPARE(segment.button(i)->text(), QString::number(i));
        QVERIFY(segment.button(i)->isCheckable());
        QCOMPARE(segment.button(i)->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    }
    QCOMPARE(actual, names);
}

void TestQvmWidgetSegement::addButtonTakesExisting()
{
    qvmWidgetSegement segment;
    auto* button = new QPushButton(QStringLiteral("own"));
    QVERIFY(!button->isCheckable());
    segment.addSegment(QStringLiteral("first"));
    segment.addButton(button);
    QCOMPARE(segment.count(), 2);
    QCOMPARE(segment.button(1), button);
    QVERIFY(button->isCheckable());
    QCOMPARE(button->parentWidget(), &segment);
    QCOMPARE(button->objectName(), QStringLiteral("RightSegButton"));
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    button->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
}

void TestQvmWidgetSegement::startsUnchosen()
{
    qvmWidgetSegement segment;
    QCOMPARE(segment.value(), -1);
    segment.addSegment(QStringLiteral("a"));
    segment.addSegment(QStringLiteral("b"));
    QCOMPARE(segment.value(), -1);
    QCOMPARE(checkedStates(segment), onlyChecked(2, -1));
}

void TestQvmWidgetSegement::setValue_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("emitted");
    QTest::newRow("first choice") << 3 << -1 << 0 << 0 << 1;
    QTest::newRow("change") << 3 << 0 << 2 << 2 << 1;
    QTest::newRow("same value is silent") << 3 << 1 << 1 << 1 << 0;
    QTest::newRow("negative ignored") << 3 << 1 << -1 << 1 << 0;
    QTest::newRow("past the end ignored") << 3 << 1 << 3 << 1 << 0;
    QTest::newRow("far past the end ignored") << 3 << 2 << 100 << 2 << 0;
    QTest::newRow("empty control") << 0 << -1 << 0 << -1 << 0;
    QTest::newRow("out of range before any choice") << 2 << -1 << 5 << -1 << 0;
}

void TestQvmWidgetSegement::setValue()
{
    QFETCH(int, count);
    QFETCH(int, initial);
    QFETCH(int, v);
    QFETCH(int, expected);
    QFETCH(int, emitted);
    qvmWidgetSegement segment;
    for (int i = 0; i < count; ++i)
        segment.addSegment(QString::number(i));
    segment.setValue(initial);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    segment.setValue(v);
    QCOMPARE(segment.value(), expected);
    QCOMPARE(spy.count(), emitted);
    if (emitted)
        QCOMPARE(spy.at(0).at(0).toInt(), expected);
    QCOMPARE(checkedStates(segment), onlyChecked(count, expected));
}

void TestQvmWidgetSegement::clickChoosesSegment_data()
{
    QTest::addColumn<int>("initial");
    QTest::addColumn<int>("clicked");
    QTest::newRow("from none") << -1 << 2;
    QTest::newRow("left to right") << 0 << 3;
    QTest::newRow("right to left") << 3 << 0;
    QTest::newRow("to middle") << 0 << 1;
}

void TestQvmWidgetSegement::clickChoosesSegment()
{
    QFETCH(int, initial);
    QFETCH(int, clicked);
    qvmWidgetSegement segment;
    for (int i = 0; i < 4; ++i)
        segment.addSegment(QString::number(i));
    segment.resize(400, 40);
    segment.show();
    QVERIFY(QTest::qWaitForWindowExposed(&segment));
    segment.setValue(initial);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    QTest::mouseClick(segment.button(clicked), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), clicked);
    QCOMPARE(segment.value(), clicked);
    QCOMPARE(checkedStates(segment), onlyChecked(4, clicked));
}

void TestQvmWidgetSegement::checkedSegmentSwallowsPresses_data()
{
    QTest::addColumn<int>("eventType");
    QTest::newRow("press") << int(QEvent::MouseButtonPress);
    QTest::newRow("double click") << int(QEvent::MouseButtonDblClick);
    QTest::newRow("handset ok") << 94;
}

void TestQvmWidgetSegement::checkedSegmentSwallowsPresses()
{
    QFETCH(int, eventType);
    qvmWidgetSegement segment;
    segment.addSegment(QStringLiteral("a"));
    segment.addSegment(QStringLiteral("b"));
    segment.resize(200, 40);
    segment.show();
    QVERIFY(QTest::qWaitForWindowExposed(&segment));
    segment.setValue(1);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    QPushButton* checked = segment.button(1);
    QPushButton* other = segment.button(0);

    if (eventType == QEvent::MouseButtonPress) {
        QTest::mouseClick(checked, Qt::LeftButton);
    } else if (eventType == QEvent::MouseButtonDblClick) {
        QTest::mouseDClick(checked, Qt::LeftButton);
    } else {
        QEvent ok{QEvent::Type(eventType)};
        QVERIFY(QCoreApplication::sendEvent(checked, &ok));
    }
    QCOMPARE(spy.count(), 0);
    QCOMPARE(segment.value(), 1);
    QVERIFY(checked->isChecked());
    QVERIFY(!checked->isDown());

    // The same event on the unchecked segment passes through the filter.
    QObject* filter = &segment;
    const QPointF centre = QRectF(other->rect()).center();
    QMouseEvent mouse(QEvent::Type(eventType == 94 ? int(QEvent::MouseButtonPress) : eventType), centre,
                      other->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QEvent ok{QEvent::Type(94)};
    QVERIFY(!filter->eventFilter(other, eventType == 94 ? &ok : static_cast<QEvent*>(&mouse)));
    // Other events on the checked segment pass too.
    QEvent enter(QEvent::Enter);
    QVERIFY(!filter->eventFilter(checked, &enter));
}

void TestQvmWidgetSegement::keyboardOnCheckedSegmentStaysSilent()
{
    qvmWidgetSegement segment;
    segment.addSegment(QStringLiteral("a"));
    segment.addSegment(QStringLiteral("b"));
    segment.setValue(0);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    // A keyboard activation toggles the checked button off; the row keeps one checked segment.
    segment.button(0)->click();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(segment.value(), 0);
    QCOMPARE(checkedStates(segment), onlyChecked(2, 0));
    segment.button(1)->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(checkedStates(segment), onlyChecked(2, 1));
}

void TestQvmWidgetSegement::strayCallChangesNothing()
{
    qvmWidgetSegement segment;
    segment.addSegment(QStringLiteral("a"));
    segment.addSegment(QStringLiteral("b"));
    segment.setValue(1);
    QSignalSpy spy(&segment, &qvmWidgetSegement::valueChanged);
    segment.onButtonClicked();
    QPushButton stranger;
    connect(&stranger, &QPushButton::clicked, &segment, &qvmWidgetSegement::onButtonClicked);
    stranger.click();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(segment.value(), 1);
    QCOMPARE(checkedStates(segment), onlyChecked(2, 1));
}

KWD_TEST_MAIN(TestQvmWidgetSegement)
#include "tst_qvmwidgetsegement.moc"

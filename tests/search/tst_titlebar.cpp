#include "guidetitle.h"
#include "kwdtestenvironment.h"
#include "titlebar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestTitleBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsWithLogo();
    void setTitle_data();
    void setTitle();
    void setButtons_data();
    void setButtons();
    void backFlags();
    void actions_data();
    void actions();
    void titleIsDrawn();
    void guideTitle();
};

void TestTitleBar::startsWithLogo()
{
    TitleBar bar;
    QVERIFY(!bar.showsTitle());
    QCOMPARE(bar.height(), 54);
    QVERIFY(bar.backButton()->isHidden());
}

void TestTitleBar::setTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("backShown");
    QTest::newRow("no title") << QString() << QStringLiteral("Back") << QString() << QString();
    QTest::newRow("title, default back")
        << QStringLiteral("二手房") << QString() << QString() << QStringLiteral("GoBack");
    QTest::newRow("title with texts") << QStringLiteral("租房") << QStringLiteral("Back")
                                      << QStringLiteral("Set Condition") << QStringLiteral("Back");
}

void TestTitleBar::setTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, back);
    QFETCH(QString, right);
    QFETCH(QString, backShown);
    QWidget host;
    auto* bar = new TitleBar(&host);
    bar->setTitle(QStringLiteral("earlier"), QString(), QString());
    bar->setButtons(TitleBar::ShowCondition | TitleBar::ShowFavorite, true);
    host.show();
    const QString rightBefore = bar->conditionButton()->text();
    bar->setTitle(title, back, right);
    QCOMPARE(bar->titleText(), title);
    QCOMPARE(bar->showsTitle(), !title.isEmpty());
    QCOMPARE(bar->backButton()->isVisible(), !title.isEmpty());
    if (title.isEmpty()) {
        QCOMPARE(bar->height(), 54);
        QVERIFY(!bar->conditionButton()->isVisible());
        QVERIFY(!bar->favoriteButton()->isVisible());
    } else {
        QCOMPARE(bar->height(), bar->conditionButton()->sizeHint().height() + 12);
        QCOMPARE(bar->backButton()->text(), backShown);
    }
    QCOMPARE(bar->conditionButton()->text(), right.isEmpty() ? rightBefore : right);
}

void TestTitleBar::setButtons_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("checked");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("favourite checked") << 2 << true;
    QTest::newRow("favourite unchecked") << 2 << false;
    QTest::newRow("condition") << 4 << false;
    QTest::newRow("both") << 6 << true;
    QTest::newRow("back flag is not a button") << 8 << false;
}

void TestTitleBar::setButtons()
{
    QFETCH(int, flags);
    QFETCH(bool, checked);
    QWidget host;
    auto* bar = new TitleBar(&host);
    bar->setTitle(QStringLiteral("t"));
    host.show();
    bar->setButtons(flags, checked);
    QCOMPARE(bar->conditionButton()->isVisible(), bool(flags & 4));
    QCOMPARE(bar->favoriteButton()->isVisible(), bool(flags & 2));
    if (flags & 2)
        QCOMPARE(bar->favoriteButton()->isChecked(), checked);
    QVERIFY(bar->backButton()->isVisible());
}

void TestTitleBar::backFlags()
{
    QWidget host;
    auto* bar = new TitleBar(&host);
    host.show();
    bar->setBackFlags(8);
    QVERIFY(bar->backButton()->isVisible());
    bar->setBackFlags(4);
    QVERIFY(!bar->backButton()->isVisible());
    QSignalSpy back(bar, &TitleBar::goBack);
    bar->setBackFlags(8);
    QTest::mouseClick(bar->backButton(), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
}

void TestTitleBar::actions_data()
{
    QTest::addColumn<bool>("favoriteButton");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("act");
    QTest::addColumn<quint32>("param");
    QTest::newRow("condition, favourite off") << false << false << 0 << quint32(0);
    QTest::newRow("condition, favourite on") << false << true << 0 << quint32(1);
    QTest::newRow("favourite switched on") << true << false << 2 << quint32(1);
    QTest::newRow("favourite switched off") << true << true << 2 << quint32(0);
}

void TestTitleBar::actions()
{
    QFETCH(bool, favoriteButton);
    QFETCH(bool, checkedBefore);
    QFETCH(int, act);
    QFETCH(quint32, param);
    QWidget host;
    auto* bar = new TitleBar(&host);
    bar->setTitle(QStringLiteral("t"));
    bar->setButtons(6, checkedBefore);
    host.show();
    QSignalSpy spy(bar, &TitleBar::doAction);
    QTest::mouseClick(favoriteButton ? bar->favoriteButton() : bar->conditionButton(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toInt(), act);
    QCOMPARE(spy.first().at(1).value<quint32>(), param);
    // Called by anything else (the reserved sort control), the action is 1.
    spy.clear();
    bar->onRightButtonClicked();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toInt(), 1);
}

void TestTitleBar::titleIsDrawn()
{
    TitleBar bar;
    bar.resize(360, 54);
    bar.setTitle(QStringLiteral("Title"));
    bar.setButtons(0, false);
    bar.show();
    const QImage image = bar.grab().toImage();
    // The title is white text in the middle of the bar.
    int white = 0;
    for (int x = 120; x < 240; ++x) {
        for (int y = 0; y < image.height(); ++y)
            white += image.pixelColor(x, y) == QColor(255, 255, 255) ? 1 : 0;
    }
    QVERIFY(white > 0);
    image.save(kwdTestEnvironment::outputDir(QStringLiteral("titlebar")) + QStringLiteral("/title.png"));
}

void TestTitleBar::guideTitle()
{
    QWidget host;
    auto* bar = new GuideTitle(&host);
    host.show();
    QVERIFY(!bar->conditionButton());
    QVERIFY(!bar->favoriteButton());
    QCOMPARE(bar->height(), 2 * QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing());
    bar->setTitle(QStringLiteral("Guide"), QStringLiteral("ignored"), QStringLiteral("ignored"));
    QCOMPARE(bar->titleText(), QStringLiteral("Guide"));
    QVERIFY(bar->backButton()->isVisible());
    QCOMPARE(bar->backButton()->text(), QStringLiteral("GoBack"));
    // Without its other buttons the bar still answers every call safely.
    bar->setButtons(6, true);
    QSignalSpy spy(bar, &TitleBar::doAction);
    bar->onRightButtonClicked();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(1).value<quint32>(), quint32(0));
    bar->setTitle(QString());
    QVERIFY(bar->backButton()->isVisible());
}

KWD_TEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"

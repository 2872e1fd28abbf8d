#include "guidetitle.h"
#include "kwdtestenvironment.h"
#include "titlebar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// The title bar: heights with and without a title, buttons by flags, the actions and their parameter,
// the title's font, and the plain guide bar.
class TestTitleBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        host = new QWidget;
        host->resize(360, 100);
        bar = new TitleBar(host);
        bar->resize(360, bar->height());
        // A new bar shows the logo.
        QVERIFY(!bar->showsTitle() && bar->backButton()->isHidden());
        QCOMPARE(bar->height(), 54);
        host->show();
    }

    void cleanup() { delete host; }

    void setTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("backShown");
        QTest::newRow("no title") << QString() << QStringLiteral("Back") << QString() << QString();
        QTest::newRow("title, default back")
            << QStringLiteral("二手房") << QString() << QString() << "GoBack";
        QTest::newRow("title with texts") << QStringLiteral("租房") << QStringLiteral("Back")
                                          << QStringLiteral("Set Condition") << QStringLiteral("Back");
    }

    void setTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, back);
        QFETCH(QString, right);
        bar->setTitle(QStringLiteral("earlier"), QString(), QString());
        bar->setButtons(TitleBar::ShowCondition | TitleBar::ShowFavorite, true);
        const QString rightBefore = bar->conditionButton()->text();
        bar->setTitle(title, back, right);
        QCOMPARE(bar->titleText(), title);
        QCOMPARE(bar->showsTitle(), !title.isEmpty());
        QCOMPARE(bar->backButton()->isVisible(), !title.isEmpty());
        // Height 54 exactly without a title; without one, no button either.
        QCOMPARE(bar->height(), title.isEmpty() ? 54 : bar->conditionButton()->sizeHint().height() + 12);
        if (title.isEmpty())
            QVERIFY(!bar->conditionButton()->isVisible() && !bar->favoriteButton()->isVisible());
        else
            QTEST(bar->backButton()->text(), "backShown");
        QCOMPARE(bar->conditionButton()->text(), right.isEmpty() ? rightBefore : right);
    }

    void setButtons_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("checked");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("favourite checked") << 2 << true;
        QTest::newRow("favourite unchecked") << 2 << false;
        QTest::newRow("condition") << 4 << false;
        QTest::newRow("back") << 8 << false;
        QTest::newRow("all") << 14 << true;
    }

    void setButtons()
    {
        QFETCH(int, flags);
        QFETCH(bool, checked);
        bar->setTitle(QStringLiteral("t"));
        bar->setButtons(flags, checked);
        // The back flag is not one of setButtons' buttons.
        QVERIFY(bar->backButton()->isVisible());
        bar->setBackFlags(flags);
        QCOMPARE(bar->conditionButton()->isVisible(), bool(flags & 4));
        QCOMPARE(bar->favoriteButton()->isVisible(), bool(flags & 2));
        QCOMPARE(bar->backButton()->isVisible(), bool(flags & 8));
        if (flags & 2)
            QCOMPARE(bar->favoriteButton()->isChecked(), checked);
    }

    void actions_data()
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

    void actions()
    {
        QFETCH(bool, favoriteButton);
        QFETCH(bool, checkedBefore);
        QFETCH(quint32, param);
        bar->setTitle(QStringLiteral("t"));
        bar->setButtons(6, checkedBefore);
        QSignalSpy spy(bar, &TitleBar::doAction);
        QSignalSpy back(bar, &TitleBar::goBack);
        QTest::mouseClick(favoriteButton ? bar->favoriteButton() : bar->conditionButton(), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QTEST(spy.first().at(0).toInt(), "act");
        QCOMPARE(spy.first().at(1).value<quint32>(), param);
        // Called by anything else (the reserved sort control), the action is 1.
        bar->onRightButtonClicked();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.last().at(0).toInt(), 1);
        QCOMPARE(back.count(), 0);
        QTest::mouseClick(bar->backButton(), Qt::LeftButton);
        QCOMPARE(back.count(), 1);
    }

    void titleFont_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("points");
        QTest::newRow("short title") << QStringLiteral("Homes for sale") << 11;
        QTest::newRow("longer than the gap") << QStringLiteral("A title far too long for the gap") << 10;
    }

    void titleFont()
    {
        QFETCH(QString, title);
        QFETCH(int, points);
        bar->setTitle(title);
        bar->setButtons(TitleBar::ShowCondition, false);
        QVERIFY(QTest::qWaitForWindowExposed(host));
        const QImage picture = bar->grab().toImage();
        picture.save(kwdTestEnvironment::outputDir(QStringLiteral("titlebar")) + QLatin1Char('/') +
                     QTest::currentDataTag() + QStringLiteral(".png"));
        // The bar alone, without its buttons: the title's white ink is as wide as in its font.
        QImage image(bar->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        bar->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        int left = image.width();
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGreen(image.pixel(x, y)) > 128) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
        }
        auto off = [&](int size) {
            return qAbs(
                QFontMetrics(QFont(QStringLiteral("sans-serif"), size)).tightBoundingRect(title).width() -
                (right - left + 1));
        };
        QVERIFY2(off(points) < off(21 - points),
                 qPrintable(QStringLiteral("ink from %1 to %2").arg(left).arg(right)));
    }

    void guideTitle()
    {
        auto* guide = new GuideTitle(host);
        guide->show();
        QVERIFY(!guide->conditionButton() && !guide->favoriteButton());
        QCOMPARE(guide->height(), 2 * QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing());
        guide->setTitle(QStringLiteral("Guide"), QStringLiteral("ignored"), QStringLiteral("ignored"));
        QCOMPARE(guide->titleText(), QStringLiteral("Guide"));
        QCOMPARE(guide->backButton()->text(), QStringLiteral("GoBack"));
        // Without its other buttons the bar still answers every call safely.
        guide->setButtons(6, true);
        QSignalSpy spy(guide, &TitleBar::doAction);
        guide->onRightButtonClicked();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(1).value<quint32>(), quint32(0));
        guide->setTitle(QString());
        QVERIFY(guide->backButton()->isVisible());
    }

private:
    QWidget* host = nullptr;
    TitleBar* bar = nullptr;
};

KWD_TEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"

#include "guidetitle.h"
#include "kwdtestenvironment.h"
#include "titlebar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QtTest>

// The title bar: heights with and without a title, buttons by flags and the actions they report,
// the title's font, and the plain guide bar.
class TestTitleBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        host = new QWidget;
        bar = new TitleBar(host);
        bar->resize(360, bar->height());
        // A new bar shows the logo.
        QVERIFY(!bar->showsTitle() && bar->backButton()->isHidden() && bar->height() == 54);
        host->show();
    }

    void cleanup() { delete host; }

    void setTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("right");
        QTest::newRow("no title") << QString() << QStringLiteral("Back") << QString();
        QTest::newRow("title, default back") << QStringLiteral("二手房") << QString() << QString();
        QTest::newRow("title with texts") << "租房" << QStringLiteral("Back") << "Set Condition";
    }

    void setTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, back);
        QFETCH(QString, right);
        bar->setTitle(QStringLiteral("earlier"));
        bar->setButtons(TitleBar::ShowCondition | TitleBar::ShowFavorite, true);
        const QString rightBefore = bar->conditionButton()->text();
        bar->setTitle(title, back, right);
        QCOMPARE(bar->titleText(), title);
        QVERIFY(bar->showsTitle() == !title.isEmpty() && bar->backButton()->isVisible() == !title.isEmpty());
        QVERIFY(title.isEmpty() || bar->backButton()->text() == (back.isEmpty() ? "GoBack" : back));
        // Height 54 exactly without a title; without one, no button either.
        QCOMPARE(bar->height(), title.isEmpty() ? 54 : bar->conditionButton()->sizeHint().height() + 12);
        QVERIFY(!title.isEmpty() ||
                !(bar->conditionButton()->isVisible() || bar->favoriteButton()->isVisible()));
        QCOMPARE(bar->conditionButton()->text(), right.isEmpty() ? rightBefore : right);
    }

    void buttons_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("checked");
        // Condition, favourite, then the reserved control: action and whether the favourite is checked.
        QTest::addColumn<QString>("reports");
        QTest::newRow("none") << 0 << false << "1:0";
        QTest::newRow("favourite checked") << 2 << true << "2:0 1:0";
        QTest::newRow("favourite unchecked") << 2 << false << "2:1 1:1";
        QTest::newRow("condition and back") << 12 << false << "0:0 1:0";
        QTest::newRow("all, favourite checked") << 14 << true << "0:1 2:0 1:0";
        QTest::newRow("all, favourite unchecked") << 14 << false << "0:0 2:1 1:1";
    }

    void buttons()
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
        QSignalSpy spy(bar, &TitleBar::doAction);
        QSignalSpy back(bar, &TitleBar::goBack);
        if (flags & 4)
            QTest::mouseClick(bar->conditionButton(), Qt::LeftButton);
        if (flags & 2)
            QTest::mouseClick(bar->favoriteButton(), Qt::LeftButton);
        if (flags & 8)
            QTest::mouseClick(bar->backButton(), Qt::LeftButton);
        bar->onRightButtonClicked();
        QStringList reports;
        for (const QList<QVariant>& report : std::as_const(spy))
            reports << QStringLiteral("%1:%2").arg(report.at(0).toInt()).arg(report.at(1).toUInt());
        QTEST(reports.join(QLatin1Char(' ')), "reports");
        QCOMPARE(back.count(), flags & 8 ? 1 : 0);
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
        bar->grab().save(kwdTestEnvironment::outputDir("titlebar") + "/" + QTest::currentDataTag() + ".png");
        // The bar alone, without its buttons: the title's white ink is as wide as in its font.
        QImage image(bar->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        bar->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QRect ink;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                ink |= qGreen(image.pixel(x, y)) > 128 ? QRect(x, y, 1, 1) : QRect();
        auto off = [&](int size) {
            return qAbs(QFontMetrics(QFont("sans-serif", size)).tightBoundingRect(title).width() -
                        ink.width());
        };
        QVERIFY2(off(points) < off(21 - points), qPrintable(QStringLiteral("ink %1 wide").arg(ink.width())));
    }

    void guideTitle()
    {
        auto* guide = new GuideTitle(host);
        guide->show();
        QVERIFY(!guide->conditionButton() && !guide->favoriteButton());
        QCOMPARE(guide->height(), 2 * QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing());
        // The texts are ignored, and without its other buttons the bar still answers every call safely.
        guide->setTitle(QStringLiteral("Guide"), QStringLiteral("ignored"), QStringLiteral("ignored"));
        guide->setButtons(6, true);
        QSignalSpy spy(guide, &TitleBar::doAction);
        guide->onRightButtonClicked();
        QCOMPARE(spy.value(0), QVariantList({1, quint32(0)}));
        QCOMPARE(guide->titleText() + guide->backButton()->text(), QStringLiteral("GuideGoBack"));
        guide->setTitle(QString());
        QVERIFY(guide->backButton()->isVisible());
    }

private:
    QWidget* host = nullptr;
    TitleBar* bar = nullptr;
};

KWD_TEST_MAIN(TestTitleBar)
#include "tst_titlebar.moc"

#include "closehint.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestCloseHint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void form();
    void confirm_data();
    void confirm();
    void cancelKeepsSettings();
    void closingByFrameCountsAsCancel();
};

void TestCloseHint::init()
{
    kwdStore::instance()->setConfig(kwdStore::cfgOnClose, QStringLiteral("0"));
    kwdStore::instance()->setConfig(kwdStore::cfgOnQuit, QStringLiteral("0"));
}

void TestCloseHint::form()
{
    CloseHint hint;
    QCOMPARE(hint.objectName(), QStringLiteral("CloseHint"));
    QCOMPARE(hint.windowTitle(), QStringLiteral("close set"));
    for (const char* name : {"lblimage", "label_4", "rdbmini", "rdbedit", "checkBox", "btnok1", "btncancel"})
        QVERIFY2(hint.findChild<QWidget*>(QLatin1String(name)), name);
    QVERIFY(hint.rdbedit->isChecked());
    QVERIFY(!hint.rdbmini->isChecked());
    QVERIFY(!hint.checkBox->isChecked());
    QCOMPARE(hint.result, int(CloseHint::Cancelled));
    QCOMPARE(hint.choice, 0);
    QCOMPARE(hint.remind, 0);
}

void TestCloseHint::confirm_data()
{
    QTest::addColumn<bool>("toTray");
    QTest::addColumn<bool>("dontAsk");
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("remind");
    QTest::addColumn<QString>("onQuit");
    QTest::addColumn<QString>("onClose");
    QTest::newRow("exit, ask again") << false << false << 4 << 5 << "1"
                                     << "0";
    QTest::newRow("exit, do not ask") << false << true << 4 << 6 << "1"
                                      << "1";
    QTest::newRow("tray, ask again") << true << false << 3 << 5 << "0"
                                     << "0";
    QTest::newRow("tray, do not ask") << true << true << 3 << 6 << "0"
                                      << "1";
}

void TestCloseHint::confirm()
{
    QFETCH(bool, toTray);
    QFETCH(bool, dontAsk);
    QFETCH(int, choice);
    QFETCH(int, remind);
    QFETCH(QString, onQuit);
    QFETCH(QString, onClose);
    // Start from the opposite stored values so that every write shows.
    kwdStore::instance()->setConfig(kwdStore::cfgOnQuit, onQuit == QLatin1String("1") ? "0" : "1");
    kwdStore::instance()->setConfig(kwdStore::cfgOnClose, onClose == QLatin1String("1") ? "0" : "1");

    CloseHint hint;
    hint.show();
    (toTray ? hint.rdbmini : hint.rdbedit)->setChecked(true);
    hint.checkBox->setChecked(dontAsk);
    QTest::mouseClick(hint.btnok1, Qt::LeftButton);

    QCOMPARE(hint.result, int(CloseHint::Confirmed));
    QCOMPARE(hint.choice, choice);
    QCOMPARE(hint.remind, remind);
    QVERIFY(!hint.isVisible());
    QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnQuit).toString(), onQuit);
    QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnClose).toString(), onClose);
}

void TestCloseHint::cancelKeepsSettings()
{
    CloseHint hint;
    hint.show();
    hint.rdbmini->setChecked(true);
    hint.checkBox->setChecked(true);
    QTest::mouseClick(hint.btncancel, Qt::LeftButton);
    QCOMPARE(hint.result, int(CloseHint::Cancelled));
    QCOMPARE(hint.choice, 0);
    QVERIFY(!hint.isVisible());
    QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnQuit).toString(), QStringLiteral("0"));
    QCOMPARE(kwdStore::instance()->config(kwdStore::cfgOnClose).toString(), QStringLiteral("0"));
}

void TestCloseHint::closingByFrameCountsAsCancel()
{
    CloseHint hint;
    hint.prepare();
    QTimer::singleShot(0, &hint, &QWidget::close);
    hint.exec();
    QCOMPARE(hint.result, int(CloseHint::Cancelled));
    QCOMPARE(hint.choice, 0);
    QCOMPARE(hint.remind, 0);
}

KWD_TEST_MAIN(TestCloseHint)
#include "tst_closehint.moc"

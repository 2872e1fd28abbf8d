#include "closehint.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The close prompt on its own: each way of answering it, what it records and what it stores.
class TestCloseHint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answer_data();
    void answer();
};

void TestCloseHint::answer_data()
{
    QTest::addColumn<QString>("how"); // "ok", "cancel", or "frame" (closed by the window frame)
    QTest::addColumn<int>("toTray");  // -1: the form as it opens
    QTest::addColumn<bool>("dontAsk");
    QTest::addColumn<QList<int>>("answer"); // result, choice, remind
    QTest::addColumn<QString>("stored");    // the stored "on quit" and "on close" values
    QTest::newRow("as it opens") << "ok" << -1 << false << QList<int>{1, 4, 5} << "1 0";
    QTest::newRow("exit, do not ask") << "ok" << 0 << true << QList<int>{1, 4, 6} << "1 1";
    QTest::newRow("tray, ask again") << "ok" << 1 << false << QList<int>{1, 3, 5} << "0 0";
    QTest::newRow("tray, do not ask") << "ok" << 1 << true << QList<int>{1, 3, 6} << "0 1";
    QTest::newRow("cancel keeps the settings") << "cancel" << 1 << true << QList<int>{2, 0, 0} << "x x";
    QTest::newRow("frame close counts as cancel") << "frame" << 1 << true << QList<int>{2, 0, 0} << "x x";
}

void TestCloseHint::answer()
{
    QFETCH(QString, how);
    QFETCH(int, toTray);
    QFETCH(bool, dontAsk);
    // Start from stored values no answer gives, so that every write shows.
    kwdStore::instance()->setConfig(kwdStore::cfgOnQuit, QStringLiteral("x"));
    kwdStore::instance()->setConfig(kwdStore::cfgOnClose, QStringLiteral("x"));
    CloseHint hint;
    QCOMPARE(QList<int>({hint.result, hint.choice, hint.remind}), QList<int>({2, 0, 0}));
    if (toTray >= 0) {
        (toTray ? hint.rdbmini : hint.rdbedit)->setChecked(true);
        hint.checkBox->setChecked(dontAsk);
    }
    hint.prepare();
    QTimer::singleShot(0, &hint, [&] {
        if (how == "frame")
            hint.close();
        else
            QTest::mouseClick(how == "ok" ? hint.btnok1 : hint.btncancel, Qt::LeftButton);
    });
    hint.exec();
    QVERIFY(!hint.isVisible());
    QTEST(QList<int>({hint.result, hint.choice, hint.remind}), "answer");
    QTEST(kwdStore::instance()->config(kwdStore::cfgOnQuit).toString() + ' ' +
              kwdStore::instance()->config(kwdStore::cfgOnClose).toString(),
          "stored");
}

KWD_TEST_MAIN(TestCloseHint)
#include "tst_closehint.moc"

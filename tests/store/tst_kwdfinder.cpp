#include "kwdfinder.h"
#include "kwdtestenvironment.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QtTest>

class TestFinder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copyConditions();
};

void TestFinder::copyConditions()
{
    kwdFinder a;
    a.setField(1, QStringLiteral("x"));
    kwdFinder b;
    b.setField(9, QStringLiteral("pa"));
    a.copyConditions(b);
    QCOMPARE(a.field(9), QStringLiteral("pa"));
    QCOMPARE(a.field(1), QStringLiteral("x"));
}

KWD_TEST_MAIN(TestFinder)
#include "tst_kwdfinder.moc"

#include "kwdbytelayout.h"
#include "kwdfavorites.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmitemregion.h"
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The favourites held as "kind:id,id;kind:id".
QString stored()
{
    QStringList kinds;
    const auto& favorites = kwdFavorites::instance()->rows;
    for (auto it = favorites.cbegin(); it != favorites.cend(); ++it) {
        QStringList ids;
        for (const qvmListItem* row : it.value())
            ids << row->id;
        if (!ids.isEmpty())
            kinds << QString::number(it.key()) + ':' + ids.join(',');
    }
    return kinds.join(';');
}

// What the next start reads back from the favourites file.
QString reloaded(bool whole = true)
{
    kwdFavorites::destroy();
    kwdStore::destroy();
    return kwdFavorites::instance()->load() == whole ? stored() : QStringLiteral("wrong result");
}

} // namespace

// The favourites: kept as copies and saved at once, by kind, and what is kept of a damaged file.
class TestFavorites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        kwdFavorites::destroy();
        kwdStore::destroy();
        QDir(QDir::homePath() + "/kwdpersonal").removeRecursively();
    }

    void addRemoveAndDuplicates()
    {
        kwdFavorites* favorites = kwdFavorites::instance();
        qvmSaleItem sale;
        sale.id = "s1";
        sale.totalPrice = "120";
        favorites->add(&sale);
        favorites->add(&sale);
        // The store holds its own copy, saved at once without any explicit save: a crash later loses nothing.
        QVERIFY(favorites->rows.value(2).first() != &sale);
        QCOMPARE(static_cast<qvmSaleItem*>(favorites->rows.value(2).first())->totalPrice,
                 QStringLiteral("120"));
        QCOMPARE(reloaded(), QStringLiteral("2:s1"));
        // Same id but another kind is a different favourite.
        favorites = kwdFavorites::instance();
        qvmLeaseItem lease;
        lease.id = "s1";
        QVERIFY(!favorites->contains(&lease));
        favorites->add(&lease);
        favorites->remove(&sale);
        // Housing areas are kept too; districts and plain rows are not.
        qvmProjectItem project;
        qvmItemRegion district;
        qvmListItem plain;
        for (qvmListItem* row : std::initializer_list<qvmListItem*>{&project, &district, &plain}) {
            row->id = "x";
            favorites->add(row);
        }
        QCOMPARE(reloaded(), QStringLiteral("1:x;3:s1"));
    }

    void damaged_data()
    {
        kwdColumns<QByteArray, QString>("bytes", "kept");
        // Three sales truncated anywhere: the rows that ended before the cut are kept.
        kwdByteLayout sales;
        sales.i32(1).i32(2).i32(3);
        QList<qsizetype> ends;
        for (const char* id : {"s0", "s1", "s2"})
            ends << sales.row(id, QStringLiteral("名字 ") + id).bytes.size();
        for (int cut = 0; cut < sales.bytes.size(); cut += 3) {
            const auto rows =
                std::count_if(ends.cbegin(), ends.cend(), [cut](qsizetype end) { return end <= cut; });
            const QString ids = QStringList({"s0", "s1", "s2"}).mid(0, rows).join(',');
            QTest::addRow("cut at %d", cut) << sales.bytes.left(cut) << (ids.isEmpty() ? ids : "2:" + ids);
        }
        kwdByteLayout unknownKind;
        unknownKind.i32(3).i32(2).i32(2).row("s1").row("s2").i32(7).i32(1).row("x");
        kwdRow("unknown kind keeps earlier rows", unknownKind.i32(3).i32(1).row("l").bytes, "2:s1,s2");
        kwdRow("absurd row count", kwdByteLayout().i32(1).i32(2).i32(0x7fffffff).row("s1").bytes, "");
        kwdRow("negative kind count", kwdByteLayout().i32(-5).bytes, "");
    }

    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kept);
        QFile f(kwdStore::instance()->dataFile(QStringLiteral("favorite")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("damaged data file")));
        QCOMPARE(reloaded(false), kept);
        // The next change rewrites the whole file from what was kept: it reads back whole.
        qvmLeaseItem lease;
        lease.id = "l9";
        kwdFavorites::instance()->add(&lease);
        QCOMPARE(reloaded(), (kept.isEmpty() ? QString() : kept + ';') + QStringLiteral("3:l9"));
    }
};

KWD_TEST_MAIN(TestFavorites)
#include "tst_kwdfavorites.moc"

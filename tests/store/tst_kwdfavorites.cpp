#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "qvmitemregion.h"
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDataStream>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString favoriteFile()
{
    return kwdStore::instance()->dataFile(QStringLiteral("favorite"));
}

QByteArray fileBytes()
{
    QFile f(favoriteFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFileBytes(const QByteArray& bytes)
{
    QFile f(favoriteFile());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The stored form of a sale written field by field, as the file holds it.
void putSale(QDataStream& s, const QString& id, const QString& name, const QString& price)
{
    s << id << name << false << QString() << qint32(0) << qint32(0) << qint32(0);
    s << price << QString() << QString() << QString() << QString();
}

int storedCount()
{
    int n = 0;
    for (const auto& list : std::as_const(kwdStore::instance()->favorites))
        n += list.size();
    return n;
}

QStringList storedIds(int kind)
{
    QStringList ids;
    for (const qvmListItem* row : kwdStore::instance()->favorites.value(kind))
        ids << row->id;
    return ids;
}

} // namespace

// The favourites of the local store: add, remove, duplicates, the "favorite" file and damaged files.
class TestFavorites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void addRemoveAndDuplicates();
    void onlyListingKinds_data();
    void onlyListingKinds();
    void savedWhenChanged();
    void fileLayout();
    void roundTrip();
    void unknownKindKeepsEarlierRows();
    void truncatedFile_data();
    void truncatedFile();
    void hugeCountDoesNotHang();
    void damagedFileRewrittenWhole();
};

void TestFavorites::init()
{
    kwdStore::destroy();
    QFile::remove(favoriteFile());
}

void TestFavorites::cleanup()
{
    kwdStore::destroy();
}

void TestFavorites::addRemoveAndDuplicates()
{
    kwdStore* store = kwdStore::instance();
    qvmSaleItem sale;
    sale.id = "s1";
    sale.name = "Flat";
    sale.totalPrice = "120";
    QVERIFY(!store->isFavorite(&sale));
    store->addFavorite(&sale);
    QVERIFY(store->isFavorite(&sale));
    store->addFavorite(&sale);
    QCOMPARE(store->favorites.value(2).size(), 1);
    // The store holds its own copy.
    QVERIFY(store->favorites.value(2).first() != &sale);
    QCOMPARE(static_cast<qvmSaleItem*>(store->favorites.value(2).first())->totalPrice, QStringLiteral("120"));

    // Same id but another kind is a different favourite.
    qvmLeaseItem lease;
    lease.id = "s1";
    QVERIFY(!store->isFavorite(&lease));
    store->addFavorite(&lease);
    QCOMPARE(storedCount(), 2);

    qvmSaleItem other;
    other.id = "s2";
    store->removeFavorite(&other);
    QCOMPARE(storedCount(), 2);
    store->removeFavorite(&sale);
    QVERIFY(!store->isFavorite(&sale));
    QVERIFY(store->isFavorite(&lease));
    QCOMPARE(storedCount(), 1);
}

void TestFavorites::onlyListingKinds_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("stored");
    QTest::newRow("project") << 0 << 1 << true;
    QTest::newRow("sale") << 1 << 2 << true;
    QTest::newRow("lease") << 2 << 3 << true;
    QTest::newRow("district") << 3 << 5 << false;
    QTest::newRow("base row") << 4 << -1 << false;
}

void TestFavorites::onlyListingKinds()
{
    QFETCH(int, which);
    std::unique_ptr<qvmListItem> row;
    switch (which) {
    case 0:
        row.reset(new qvmProjectItem);
        break;
    case 1:
        row.reset(new qvmSaleItem);
        break;
    case 2:
        row.reset(new qvmLeaseItem);
        break;
    case 3:
        row.reset(new qvmItemRegion);
        break;
    default:
        row.reset(new qvmListItem);
        break;
    }
    row->id = "x";
    QTEST(kwdStore::favoriteKind(row.get()), "kind");
    kwdStore::instance()->addFavorite(row.get());
    QTEST(kwdStore::instance()->isFavorite(row.get()), "stored");
    QFETCH(bool, stored);
    QCOMPARE(storedCount(), stored ? 1 : 0);
}

void TestFavorites::savedWhenChanged()
{
    qvmProjectItem project;
    project.id = "h1";
    project.name = "Garden";
    kwdStore::instance()->addFavorite(&project);
    // On disk at once, without any explicit save: a crash later loses nothing.
    kwdStore::destroy();
    kwdStore::instance()->loadFavorites();
    QVERIFY(kwdStore::instance()->isFavorite(&project));

    kwdStore::instance()->removeFavorite(&project);
    kwdStore::destroy();
    kwdStore::instance()->loadFavorites();
    QVERIFY(!kwdStore::instance()->isFavorite(&project));
}

void TestFavorites::fileLayout()
{
    kwdStore* store = kwdStore::instance();
    qvmLeaseItem lease;
    lease.id = "l1";
    lease.price = "3500";
    qvmSaleItem sale1;
    sale1.id = "s1";
    sale1.name = "A";
    sale1.totalPrice = "100";
    qvmSaleItem sale2;
    sale2.id = "s2";
    sale2.name = "B";
    sale2.totalPrice = "200";
    store->addFavorite(&lease);
    store->addFavorite(&sale1);
    store->addFavorite(&sale2);

    QByteArray expected;
    QDataStream s(&expected, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(2);
    s << qint32(2) << qint32(2);
    putSale(s, "s1", "A", "100");
    putSale(s, "s2", "B", "200");
    s << qint32(3) << qint32(1);
    s << QString("l1") << QString() << false << QString() << qint32(0) << qint32(0) << qint32(0);
    s << QString("3500") << QString() << QString() << QString() << QString();
    QCOMPARE(fileBytes().toHex(), expected.toHex());
}

void TestFavorites::roundTrip()
{
    kwdStore* store = kwdStore::instance();
    qvmSaleItem sale;
    sale.id = "s1";
    sale.name = QString::fromUtf8("朝阳精装两居");
    sale.address = "Road 5";
    sale.totalPrice = "320";
    sale.areaSize = "89.5";
    sale.floor = "6/18";
    sale.publishTime = "2011-05-01 10:00:00";
    sale.ageText = "2daysbefore";
    sale.district = new qvmItemRegion;
    sale.district->id = "d7";
    sale.district->name = "East";
    qvmProjectItem project;
    project.id = "h1";
    project.saleSum = 7;
    project.price = "23000";
    project.leasePrice = "45.5";
    store->addFavorite(&sale);
    store->addFavorite(&project);

    kwdStore::destroy();
    store = kwdStore::instance();
    QVERIFY(store->loadFavorites());
    QCOMPARE(storedIds(2), QStringList{"s1"});
    QCOMPARE(storedIds(1), QStringList{"h1"});
    auto* back = static_cast<qvmSaleItem*>(store->favorites.value(2).first());
    QCOMPARE(back->name, sale.name);
    QCOMPARE(back->address, sale.address);
    QCOMPARE(back->totalPrice, sale.totalPrice);
    QCOMPARE(back->areaSize, sale.areaSize);
    QCOMPARE(back->floor, sale.floor);
    QCOMPARE(back->publishTime, sale.publishTime);
    // The age it had when it was stored.
    QCOMPARE(back->ageText, sale.ageText);
    QVERIFY(back->district);
    QCOMPARE(back->district->id, QStringLiteral("d7"));
    QCOMPARE(back->district->name, QStringLiteral("East"));
    auto* projectBack = static_cast<qvmProjectItem*>(store->favorites.value(1).first());
    QCOMPARE(projectBack->saleSum, 7);
    QCOMPARE(projectBack->leasePrice, QStringLiteral("45.5"));
}

void TestFavorites::unknownKindKeepsEarlierRows()
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(3);
    s << qint32(2) << qint32(2);
    putSale(s, "s1", "A", "1");
    putSale(s, "s2", "B", "2");
    s << qint32(7) << qint32(1);
    putSale(s, "x", "X", "9");
    s << qint32(3) << qint32(1);
    putSale(s, "l1", "L", "5");
    writeFileBytes(bytes);

    kwdStore* store = kwdStore::instance();
    QVERIFY(!store->loadFavorites());
    QCOMPARE(storedIds(2), QStringList({"s1", "s2"}));
    QVERIFY(!store->favorites.contains(7));
    QVERIFY(!store->favorites.contains(3));
}

void TestFavorites::truncatedFile_data()
{
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("kept");

    // Where each stored row ends in an intact file of three sales.
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(1) << qint32(2) << qint32(3);
    QList<int> ends;
    for (int i = 0; i < 3; ++i) {
        putSale(s, QStringLiteral("s%1").arg(i), QStringLiteral("Name %1").arg(i), QString::number(i));
        ends << int(bytes.size());
    }
    for (int cut = 0; cut <= bytes.size(); cut += 3) {
        int kept = 0;
        for (int end : ends)
            kept += end <= cut ? 1 : 0;
        QTest::addRow("cut at %d", cut) << cut << kept;
    }
}

void TestFavorites::truncatedFile()
{
    QFETCH(int, cut);
    QFETCH(int, kept);
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(1) << qint32(2) << qint32(3);
    for (int i = 0; i < 3; ++i)
        putSale(s, QStringLiteral("s%1").arg(i), QStringLiteral("Name %1").arg(i), QString::number(i));
    writeFileBytes(bytes.left(cut));
    if (cut != bytes.size())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("damaged data file")));

    kwdStore* store = kwdStore::instance();
    const bool whole = store->loadFavorites();
    QCOMPARE(whole, cut == bytes.size());
    QCOMPARE(storedCount(), kept);
    for (int i = 0; i < kept; ++i)
        QCOMPARE(storedIds(2).at(i), QStringLiteral("s%1").arg(i));
}

void TestFavorites::hugeCountDoesNotHang()
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(1) << qint32(2) << qint32(0x7fffffff);
    putSale(s, "s1", "A", "1");
    writeFileBytes(bytes);
    QVERIFY(!kwdStore::instance()->loadFavorites());
    QCOMPARE(storedCount(), 0);

    bytes.clear();
    QDataStream t(&bytes, QIODevice::WriteOnly);
    t.setVersion(QDataStream::Qt_4_6);
    t << qint32(-5);
    writeFileBytes(bytes);
    QVERIFY(!kwdStore::instance()->loadFavorites());
    QCOMPARE(storedCount(), 0);
}

void TestFavorites::damagedFileRewrittenWhole()
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(2) << qint32(2) << qint32(1);
    putSale(s, "s1", "A", "1");
    s << qint32(99) << QByteArray("garbage that follows");
    writeFileBytes(bytes);

    kwdStore* store = kwdStore::instance();
    QVERIFY(!store->loadFavorites());
    qvmLeaseItem lease;
    lease.id = "l1";
    store->addFavorite(&lease);

    kwdStore::destroy();
    QVERIFY(kwdStore::instance()->loadFavorites());
    QCOMPARE(storedIds(2), QStringList{"s1"});
    QCOMPARE(storedIds(3), QStringList{"l1"});
}

KWD_TEST_MAIN(TestFavorites)
#include "tst_kwdfavorites.moc"

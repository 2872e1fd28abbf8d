#include "kwdaddressbook.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Address books in a temporary directory: cards written, read back, filtered and appended to.
class TestAddressBook : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString book(const char* name) const { return dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("phone");
        kwdRow("chinese given name", QString(), QStringLiteral("王小明"), QStringLiteral("13812345678"));
        kwdRow("family and given", QStringLiteral("欧阳"), QStringLiteral("娜娜"),
               QStringLiteral("010-62345678"));
        kwdRow("separators and backslash", QStringLiteral("链家;地产"), QStringLiteral("东四,店\\二部"),
               QStringLiteral("400-820-1234"));
        kwdRow("line break", QString(), QStringLiteral("销售中心\n周末"), QStringLiteral("13900000000"));
        // Longer than one 75-octet line: folded between characters, never inside one.
        kwdRow("folded", QString(), QString(40, QChar(0x623F)), QStringLiteral("13700000000"));
    }

    void roundTrip()
    {
        QFETCH(QString, family);
        QFETCH(QString, given);
        QFETCH(QString, phone);
        const QString path = book(QTest::currentDataTag());
        kwdAddressBook store(path);
        QVERIFY(store.save(kwdContactCard{family, given, family + given, phone}));
        QCOMPARE(store.error(), kwdAddressBook::NoError);
        const QList<kwdContactCard> read = kwdAddressBook(path).contacts();
        QCOMPARE(read.size(), 1);
        const kwdContactCard& c = read.first();
        QCOMPARE(QStringList({c.family, c.given, c.formatted, c.phone}),
                 QStringList({family, given, family + given, phone}));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
        for (const QByteArray& line : bytes.split('\n')) {
            QVERIFY2(line.size() <= 76, line.constData());     // 75 octets and the CR
            QVERIFY(QString::fromUtf8(line).toUtf8() == line); // no split UTF-8 sequence
        }
    }

    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("names");
        kwdRow("all", QString(), QStringList{"张三", "李四", "张伟"});
        kwdRow("digits match the number", QStringLiteral("6234"), QStringList{"李四"});
        kwdRow("digits across the dash", QStringLiteral("0106"), QStringList{"李四"});
        kwdRow("name", QStringLiteral("张"), QStringList{"张三", "张伟"});
        kwdRow("nothing", QStringLiteral("赵"), QStringList{});
    }

    void filter()
    {
        QFETCH(QString, filter);
        const QString path = book("filter");
        kwdAddressBook store(path);
        if (store.contacts().isEmpty()) {
            const QList<QPair<QString, QString>> people = {
                {"张三", "13811112222"}, {"李四", "010-62345678"}, {"张伟", "13933334444"}};
            for (const auto& [name, phone] : people)
                QVERIFY(store.save(kwdContactCard{QString(), name, name, phone}));
        }
        QStringList names;
        for (const kwdContactCard& c : store.contacts(filter))
            names << c.displayName();
        QTEST(names, "names");
    }

    // Cards written by other programs: groups, parameters, folding, family;given order.
    void foreignCards()
    {
        const QByteArray data = "BEGIN:VCARD\nVERSION:3.0\nN:张;三丰;;;\nFN:张三丰\n"
                                "item1.TEL;TYPE=CELL:138 0000\r\n 1111\nEND:VCARD\r\n"
                                "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:只有全名\r\nTEL:400-1\r\nEND:VCARD\r\n";
        const QList<kwdContactCard> cards = kwdAddressBook::decode(data);
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards.at(0).displayName(), QStringLiteral("张三丰"));
        QCOMPARE(cards.at(0).phone, QStringLiteral("138 00001111"));
        QCOMPARE(cards.at(1).displayName(), QStringLiteral("只有全名"));
    }

    void appendKeepsTheBook_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        const QByteArray foreign =
            "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:王五\r\nTEL:13700000000\r\nX-OTHER:keep\r\nEND:VCARD";
        kwdRow("new person after a card of another program", foreign, QStringLiteral("赵六"), 0);
        kwdRow("the same person again", foreign, QStringLiteral("王五"),
               int(kwdAddressBook::AlreadyExistsError));
        kwdRow("empty name", QByteArray(), QString(), int(kwdAddressBook::BadArgumentError));
    }

    void appendKeepsTheBook()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(int, error);
        const QString path = book(QTest::currentDataTag());
        if (!before.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        kwdAddressBook store(path);
        QCOMPARE(store.save(kwdContactCard{QString(), name, name, QStringLiteral("13700000000")}),
                 error == 0);
        QCOMPARE(int(store.error()), error);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            QVERIFY(before.isEmpty());
            return;
        }
        const QByteArray after = f.readAll();
        // What was there stays byte for byte, whatever the outcome.
        QVERIFY(after.startsWith(before));
        QCOMPARE(store.contacts().size(), error == 0 ? 2 : 1);
    }

    void unwritablePlace()
    {
        // A book below a plain file can never be written.
        const QString blocker = book("blocker");
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        kwdAddressBook store(blocker + QStringLiteral("/contacts.vcf"));
        QVERIFY(!store.save(kwdContactCard{QString(), QStringLiteral("张三"), QStringLiteral("张三"),
                                           QStringLiteral("13800000000")}));
        QVERIFY(store.error() != kwdAddressBook::NoError);
    }
};

KWD_TEST_MAIN(TestAddressBook)
#include "tst_kwdaddressbook.moc"

// What the contact panel's address book costs with a full book: appending a card (the whole file is
// rewritten) and filling the SMS picker, for books of 100 to 2000 cards.
#include "kwdaddressbook.h"
#include "kwdbench.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

class BenchAddressBook : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // A book of `count` cards with Chinese names, made once per size.
    QString book(int count)
    {
        const QString path = dir.filePath(QStringLiteral("book-%1.vcf").arg(count));
        kwdAddressBook store(path);
        if (store.contacts().size() == count)
            return path;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("链家地产经纪人%1号").arg(i);
            f.write(kwdAddressBook::encode(kwdContactCard{
                QString(), name, name, QStringLiteral("1390000%1").arg(i, 4, 10, QLatin1Char('0'))}));
        }
        return path;
    }

private Q_SLOTS:
    void sizes_data()
    {
        QTest::addColumn<int>("count");
        for (int n : {100, 500, 2000})
            QTest::addRow("%d cards", n) << n;
    }

    void append_data() { sizes_data(); }
    void append()
    {
        QFETCH(int, count);
        const QString path = book(count);
        int i = 0;
        QBENCHMARK
        {
            kwdAddressBook store(path);
            const QString name = QStringLiteral("新客户%1").arg(++i);
            store.save(kwdContactCard{QString(), name, name, QStringLiteral("13800000000")});
        }
    }

    void picker_data() { sizes_data(); }
    void picker()
    {
        QFETCH(int, count);
        kwdAddressBook store(book(count));
        QBENCHMARK
        {
            QVERIFY(!store.contacts().isEmpty());
        }
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    BenchAddressBook bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_addressbook.moc"

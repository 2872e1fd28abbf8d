#include "kwddatabase.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

kwdDatabase* kwdDatabase::instance()
{
    static kwdDatabase db;
    return &db;
}

kwdDatabase::~kwdDatabase()
{
    close();
}

bool kwdDatabase::open(const QString& path)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        lastError = QStringLiteral("-1:the QSQLITE driver is not available");
        return false;
    }
    connection = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
    connection->setDatabaseName(path);
    if (!connection->open()) {
        const QSqlError e = connection->lastError();
        lastError = QStringLiteral("%1:%2").arg(e.nativeErrorCode(), e.text());
        close();
        return false;
    }
    static const char* const tables[][2] = {
        {"citylist", "create table citylist(province TEXT,city TEXT,cityjm TEXT)"},
        {"arealist", "create table arealist(city TEXT,area TEXT,areajm TEXT)"},
        {"projectpricelist", "create table projectpricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"salepricelist", "create table salepricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"leasepricelist", "create table leasepricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"configdata", "create table configdata(cfg TEXT,content TEXT)"},
    };
    // One transaction for the check and the creation: a first start would otherwise wait for one
    // journal sync per table.
    const bool batched = connection->transaction();
    for (const auto& table : tables) {
        QSqlQuery query(*connection);
        query.exec(
            QStringLiteral("SELECT name FROM SQLITE_MASTER WHERE name='%1'").arg(QLatin1String(table[0])));
        if (query.next())
            continue;
        if (!query.exec(QLatin1String(table[1])))
            qWarning() << query.lastError().text() << connection->lastError().text();
    }
    if (batched && !connection->commit())
        qWarning() << "creating the tables failed:" << connection->lastError().text();
    return true;
}

void kwdDatabase::close()
{
    if (!connection)
        return;
    const QString name = connection->connectionName();
    connection->close();
    delete connection;
    connection = nullptr;
    QSqlDatabase::removeDatabase(name);
}

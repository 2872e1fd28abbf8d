#include "kwddatabase.h"

#include "kwdprivatefile.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
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
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool fresh = !QFileInfo::exists(path);
        connection = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE")));
        connection->setDatabaseName(path);
        if (!connection->open()) {
            const QSqlError e = connection->lastError();
            lastError = QStringLiteral("%1:%2").arg(e.nativeErrorCode(), e.text());
            close();
            return false;
        }
        if (createTables(fresh)) {
            // SQLite makes the file with the process's default mode; its journals copy this one.
            kwdPrivateFile::restrict(path);
            return true;
        }
        // Not a database (another program's file, or an unsynced first start cut by a power loss):
        // it holds none of the user's data, so it is made again rather than left broken for good.
        close();
        if (!QFile::remove(path))
            break;
        QFile::remove(path + QStringLiteral("-journal"));
    }
    lastError = QStringLiteral("-1:the database file is damaged and cannot be replaced");
    return false;
}

bool kwdDatabase::createTables(bool fresh)
{
    static const char* const tables[][2] = {
        {"citylist", "create table citylist(province TEXT,city TEXT,cityjm TEXT)"},
        {"arealist", "create table arealist(city TEXT,area TEXT,areajm TEXT)"},
        {"projectpricelist", "create table projectpricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"salepricelist", "create table salepricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"leasepricelist", "create table leasepricelist(city TEXT,info1 TEXT,info2 TEXT)"},
        {"configdata", "create table configdata(cfg TEXT,content TEXT)"},
    };
    // A new file is created without waiting for the disk (a first start would spend several
    // milliseconds in syncs): should a power loss damage it, the next start makes it again.
    if (fresh)
        QSqlQuery(*connection).exec(QStringLiteral("PRAGMA synchronous=OFF"));
    // One transaction for the check and the creation: a first start would otherwise wait for one
    // journal sync per table.
    const bool batched = connection->transaction();
    for (const auto& table : tables) {
        QSqlQuery query(*connection);
        if (!query.exec(QStringLiteral("SELECT name FROM SQLITE_MASTER WHERE name='%1'")
                            .arg(QLatin1String(table[0])))) {
            if (batched)
                connection->rollback();
            return false;
        }
        if (query.next())
            continue;
        if (!query.exec(QLatin1String(table[1])))
            qWarning() << query.lastError().text() << connection->lastError().text();
    }
    if (batched && !connection->commit())
        qWarning() << "creating the tables failed:" << connection->lastError().text();
    if (fresh)
        QSqlQuery(*connection).exec(QStringLiteral("PRAGMA synchronous=FULL"));
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

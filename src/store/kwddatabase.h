#pragma once

#include <QString>

class QSqlDatabase;

// The small SQLite database of the local store: opened at start-up, its six tables created when
// missing, closed when the main window goes away. One instance, reached through instance().
class kwdDatabase
{
public:
    static kwdDatabase* instance();

    bool open(const QString& path);
    void close();
    QString errorText() const { return lastError; }
    bool isOpen() const { return connection != nullptr; }

    ~kwdDatabase();

private:
    kwdDatabase() = default;
    // The six tables, created when missing; false when the file is not a database.
    bool createTables(bool fresh);

    QSqlDatabase* connection = nullptr;
    QString lastError;
};

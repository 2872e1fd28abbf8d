#pragma once

#include <QTest>

// One row of a data-driven test table, a value per column, written as one call so that a table
// reads one row to a line.
template <typename... T> void kwdRow(const char* tag, const T&... values)
{
    (QTest::newRow(tag) << ... << values);
}

// The columns of a data-driven table, a type per name, declared in one call:
// kwdColumns<QString, int>("name", "count").
template <typename... T, typename... N> void kwdColumns(const N&... names)
{
    static_assert(sizeof...(T) == sizeof...(N), "one type per column name");
    (QTest::addColumn<T>(names), ...);
}

// The current row's value of a column, where a QFETCH line would name it for one use only.
template <typename T> T kwdData(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}

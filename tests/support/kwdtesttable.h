#pragma once

#include <QTest>

// One row of a data-driven test table, a value per column, written as one call so that a table
// reads one row to a line.
template <typename... T> void kwdRow(const char* tag, const T&... values)
{
    (QTest::newRow(tag) << ... << values);
}

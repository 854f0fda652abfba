#pragma once
// One data row per line: AddRow("name", a, b) is QTest::newRow("name") << a << b, so a table
// reads as a table. Values must have the exact column types, as with newRow.

#include <QTest>

template <typename... Values>
void AddRow(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}

#pragma once

#include <QHBoxLayout>
#include <QTableWidget>
#include <QWidget>

// Pieces the Analysis window's sheets build alike.
namespace qtui {

// A read-only table without row numbers, its rows as high as their text: the sheets share the
// window's height with the limits table, and a fixed height costs nothing per update where
// measuring every row would.
QTableWidget* CompactTable(int columns);

// A value's field and what goes beside it (its unit or law list, a button) on one form row, the
// field taking the width.
QHBoxLayout* FieldWithList(QWidget* field, QWidget* list);

}  // namespace qtui

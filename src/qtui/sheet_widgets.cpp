#include "qtui/sheet_widgets.h"

#include <QHeaderView>

namespace qtui {

QTableWidget* CompactTable(int columns) {
  auto* t = new QTableWidget(0, columns);
  t->verticalHeader()->setVisible(false);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  return t;
}

QHBoxLayout* FieldWithList(QWidget* field, QWidget* list) {
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  row->addWidget(list);
  return row;
}

}  // namespace qtui

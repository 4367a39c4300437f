#include "files/netdlglistwidget.h"

NetDlgListWidget::NetDlgListWidget(QWidget* parent) : QListWidget(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
}

NetDlgListWidget::~NetDlgListWidget() = default;

QSize NetDlgListWidget::sizeHint() const {
  const int row = count() > 0 ? sizeHintForRow(0) : 0;
  return QSize(2 * QAbstractScrollArea::sizeHint().width(), 20 * qMax(row, 10));
}

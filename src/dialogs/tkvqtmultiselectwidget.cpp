#include "dialogs/tkvqtmultiselectwidget.h"

#include "dialogs/kvqtdialogs_p.h"
#include "ui_tkvqtmultiselectwidget.h"

#include <QAction>
#include <QListWidget>

#include <functional>

namespace {

constexpr int kChecked = Qt::Checked;     // 2
constexpr int kUnchecked = Qt::Unchecked; // 0

int StateOf(const QListWidgetItem* item) { return item->data(Qt::CheckStateRole).toInt(); }

// Sets every item's state without a repaint per item.
void SetAll(QListWidget* list, const std::function<int(int)>& newState) {
  const bool updates = list->updatesEnabled();
  list->setUpdatesEnabled(false);
  for (int i = 0, n = list->count(); i < n; ++i) {
    QListWidgetItem* item = list->item(i);
    item->setData(Qt::CheckStateRole, newState(StateOf(item)));
  }
  list->setUpdatesEnabled(updates);
}

} // namespace

TKvQtMultiSelectWidget::TKvQtMultiSelectWidget(QWidget* parent)
  : QWidget(parent), FForm(new Ui_TKvQtMultiSelectWidget) {
  FForm->setupUi(this);
  connect(FForm->actionCheckAll, &QAction::triggered, this, &TKvQtMultiSelectWidget::slotCheckAllActionClicked);
  connect(FForm->actionUncheckAll, &QAction::triggered, this,
          &TKvQtMultiSelectWidget::slotUncheckAllActionClicked);
  connect(FForm->actionInvert, &QAction::triggered, this, &TKvQtMultiSelectWidget::slotInvertActionClicked);
}

TKvQtMultiSelectWidget::~TKvQtMultiSelectWidget() { delete FForm; }

QListWidget* TKvQtMultiSelectWidget::listWidget() const { return FForm->ListWidget; }

void TKvQtMultiSelectWidget::SetValues(const std::vector<std::string>& items, const std::vector<bool>& values) {
  if (items.size() != values.size())
    return;
  QListWidget* list = FForm->ListWidget;
  const bool updates = list->updatesEnabled();
  list->setUpdatesEnabled(false);
  list->clear();
  for (size_t i = 0; i < items.size(); ++i) {
    auto* item = new QListWidgetItem(kvdlg::FromUtf8(items[i]));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setData(Qt::CheckStateRole, values[i] ? kChecked : kUnchecked);
    list->addItem(item);
  }
  list->setUpdatesEnabled(updates);
}

void TKvQtMultiSelectWidget::GetValues(std::vector<bool>* values) const {
  if (!values)
    return;
  const QListWidget* list = FForm->ListWidget;
  values->resize(static_cast<size_t>(list->count()), false);
  for (int i = 0, n = list->count(); i < n; ++i)
    (*values)[static_cast<size_t>(i)] = StateOf(list->item(i)) == kChecked;
}

int TKvQtMultiSelectWidget::GetCheckedCount() const {
  int count = 0;
  for (int i = 0, n = FForm->ListWidget->count(); i < n; ++i)
    count += StateOf(FForm->ListWidget->item(i)) == kChecked;
  return count;
}

void TKvQtMultiSelectWidget::slotCheckAllActionClicked() {
  try {
    SetAll(FForm->ListWidget, [](int) { return kChecked; });
  } catch (...) {
  }
}

void TKvQtMultiSelectWidget::slotUncheckAllActionClicked() {
  try {
    SetAll(FForm->ListWidget, [](int) { return kUnchecked; });
  } catch (...) {
  }
}

void TKvQtMultiSelectWidget::slotInvertActionClicked() {
  try {
    SetAll(FForm->ListWidget, [](int state) { return state == kChecked ? kUnchecked : kChecked; });
  } catch (...) {
  }
}

#pragma once
// TKvQtMultiSelectWidget: a checkable list of texts with a tool bar to check
// all, uncheck all and invert.
//
// Item check states are read and written as integers through
// Qt::CheckStateRole: 2 checked, 0 unchecked (1, partly checked, is never
// written; an item in that state counts as unchecked). The list uses uniform
// item sizes and batched layout, so filling it with tens of thousands of
// items costs no per-item layout work.

#include "kvqtcpnt_export.h"

#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class Ui_TKvQtMultiSelectWidget;

class KVQTCPNT_EXPORT TKvQtMultiSelectWidget : public QWidget {
  Q_OBJECT
public:
  explicit TKvQtMultiSelectWidget(QWidget* parent = nullptr);
  ~TKvQtMultiSelectWidget() override;

  // Replaces the list with `items`, ticked from `values`. Does nothing when
  // the two sizes differ.
  void SetValues(const std::vector<std::string>& items, const std::vector<bool>& values);
  // Resizes *values to the number of items and writes the ticks. Null: nothing.
  void GetValues(std::vector<bool>* values) const;
  int GetCheckedCount() const;
  QListWidget* listWidget() const;

public slots:
  void slotCheckAllActionClicked();
  void slotUncheckAllActionClicked();
  void slotInvertActionClicked();

private:
  Ui_TKvQtMultiSelectWidget* FForm;
};

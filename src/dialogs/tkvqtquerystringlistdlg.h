#pragma once
// TKvQtQueryStringListDlg: shows a list of strings and answers the ones the
// user selected: at most one in single mode, any number (also none) in
// multiple mode. A double click on an item accepts the dialog with that
// item selected. Nothing is preselected. Cancel answers an empty list.
//
// The selection comes back in the order the list widget reports it, which
// is not necessarily list order. Items are added without per-item layout
// work (uniform item sizes), so long lists open at once.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <string>
#include <vector>

class Ui_TKvQtQueryStringListDlg;

class KVQTCPNT_EXPORT TKvQtQueryStringListDlg : public TKvQDialog {
  Q_OBJECT
public:
  explicit TKvQtQueryStringListDlg(QWidget* parent = nullptr);
  ~TKvQtQueryStringListDlg() override;

  // Texts are UTF-8.
  static std::vector<std::string> Execute(const std::vector<std::string>& items, bool multiple,
                                          const std::string& caption);

  void SetParams(const std::vector<std::string>& items, bool multiple, const std::string& caption);
  std::vector<std::string> GetParams() const;

private:
  void MakeConnections();
  Ui_TKvQtQueryStringListDlg* FForm;
};

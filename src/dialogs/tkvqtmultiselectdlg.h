#pragma once
// TKvQtMultiSelectDlg: a checkable list (TKvQtMultiSelectWidget) with OK and
// Cancel, read from and written to a std::vector<bool>.
//
// Execute throws a TKvMessage (its signature, then ": Invalid params") for an empty
// list, a null `values` or a size mismatch, before anything is shown. On OK
// the ticks are written to *values and true is answered; on Cancel *values is
// untouched.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <string>
#include <vector>

class TKvQtMultiSelectWidget;
class Ui_TKvQtMultiSelectDlg;

class KVQTCPNT_EXPORT TKvQtMultiSelectDlg : public TKvQDialog {
  Q_OBJECT
public:
  explicit TKvQtMultiSelectDlg(QWidget* parent = nullptr);
  ~TKvQtMultiSelectDlg() override;

  // Texts are UTF-8; `values` belongs to the caller.
  static bool Execute(const std::string& caption, const std::vector<std::string>& items,
                      std::vector<bool>* values);

  void setParams(const std::string& caption, const std::vector<std::string>& items,
                 const std::vector<bool>& values);
  void getParams(std::vector<bool>* values) const;
  TKvQtMultiSelectWidget* widget() const;

private:
  Ui_TKvQtMultiSelectDlg* FForm;
};

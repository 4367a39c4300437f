#pragma once
// TKvQtQueryRBSelectDlg: a message with an optional standard icon and one
// command button per choice, stacked vertically, plus a close button.
//
// ExecuteU answers the index of the button pressed, or -1 when the dialog was
// closed (close button, close box, Escape). It never throws: any failure
// answers -1 as well. An empty list shows only the close button; a focus
// index that names no button focuses nothing. No command button is the
// default button, so Enter does not pick a choice the user did not point at.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <string>
#include <vector>

class QButtonGroup;
class Ui_TKvQtQueryRBSelectDlg;

class KVQTCPNT_EXPORT TKvQtQueryRBSelectDlg : public TKvQDialog {
  Q_OBJECT
public:
  // `parent` owns the dialog when given.
  explicit TKvQtQueryRBSelectDlg(QWidget* parent = nullptr);
  ~TKvQtQueryRBSelectDlg() override;

  // Texts are UTF-8. `icon` is a TKvQDialog::TIcon value; others show none.
  static int ExecuteU(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons,
                      unsigned long focusIndex, TKvQDialog::TIcon icon);

  void setParams(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons,
                 unsigned long focusIndex, TKvQDialog::TIcon icon);
  // The command button pressed, -1 before one was.
  int chosenIndex() const { return FIndex; }

public slots:
  void slotCancelClicked();
  void slotCmdButtonClicked(int id);

private:
  Ui_TKvQtQueryRBSelectDlg* FForm;
  QButtonGroup* FButtons;
  int FIndex = -1;
};

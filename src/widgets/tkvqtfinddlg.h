#pragma once
// TKvQtFindDlg: a modeless find dialog meant to stay alive between searches
// (VCreate turns delete-on-close off; closing only hides it). Find next
// stores the field's text and emits findClicked(); the owner then reads
// searchText() and GetOptions().
//
// Option word (SetOptions / GetOptions):
//   0x1 / 0x2 / 0x4       whole-word box disabled / hidden / ticked
//   0x8 / 0x10 / 0x20     match-case box disabled / hidden / ticked
//   0x40 / 0x80 / 0x100   direction group disabled / hidden; search backwards
//   0x200 / 0x400 / 0x800 add-to-selected box disabled / shown / ticked
// GetOptions refreshes the four state bits from the controls.

#include "kvqtcpnt_export.h"
#include "module/tkvqdialog.h"

#include "kvsuite/var_a.h"

#include <string>

class Ui_TKvQtFindDlg;

class KVQTCPNT_EXPORT TKvQtFindDlg : public TKvQDialog {
  Q_OBJECT
public:
  enum : unsigned int {
    foWholeWordDisabled = 0x1, foWholeWordHidden = 0x2, foWholeWord = 0x4,
    foMatchCaseDisabled = 0x8, foMatchCaseHidden = 0x10, foMatchCase = 0x20,
    foDirectionDisabled = 0x40, foDirectionHidden = 0x80, foBackward = 0x100,
    foAddToSelectedDisabled = 0x200, foAddToSelectedShown = 0x400, foAddToSelected = 0x800
  };

  explicit TKvQtFindDlg(QWidget* parent = nullptr);
  ~TKvQtFindDlg() override;

  // A dialog without an explicit parent, for modeless use.
  static var_a<TKvQtFindDlg*> VCreate();

  void SetOptions(unsigned int options);
  unsigned int GetOptions();
  // The text of the field at the last Find next (UTF-8); setting it fills the
  // field on the first show.
  const std::string& searchText() const { return FSearchText; }
  void setSearchText(const std::string& text) { FSearchText = text; }

signals:
  void findClicked();

public slots:
  void slotFindClicked();

protected:
  void showEvent(QShowEvent* e) override;

private:
  Ui_TKvQtFindDlg* FForm;
  unsigned int FOptions = 0;
  bool FShownOnce = false;
  std::string FSearchText;
};

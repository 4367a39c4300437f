#pragma once
// TTextQuickViewDlg: shows a text read-only, with a close button. The text
// can be selected (mouse or keyboard) and copied. Plain or rich text is told
// apart automatically (QTextEdit::setText): a text that starts like HTML is
// shown as rich text.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <string>

class QTextEdit;
class Ui_TTextQuickViewDlg;

class KVQTCPNT_EXPORT TTextQuickViewDlg : public TKvQDialog {
  Q_OBJECT
public:
  // `parent` owns the dialog when given.
  explicit TTextQuickViewDlg(QWidget* parent = nullptr);
  ~TTextQuickViewDlg() override;

  // Texts are UTF-8. Returns when the user closes the dialog. The dialog
  // belongs to the application's active window while it runs.
  static void Execute(const std::string& caption, const std::string& text);

  void setParams(const std::string& caption, const std::string& text);
  QTextEdit* textEdit() const;

private:
  Ui_TTextQuickViewDlg* FForm;
};

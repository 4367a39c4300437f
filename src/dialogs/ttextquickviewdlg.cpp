#include "dialogs/ttextquickviewdlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "module/kvqtappholder.h"
#include "ui_ttextquickviewdlg.h"

TTextQuickViewDlg::TTextQuickViewDlg(QWidget* parent) : TKvQDialog(parent), FForm(new Ui_TTextQuickViewDlg) {
  FForm->setupUi(this);
  connect(FForm->CancelBtn, &QPushButton::clicked, this, &TKvQDialog::accept);
}

TTextQuickViewDlg::~TTextQuickViewDlg() { delete FForm; }

QTextEdit* TTextQuickViewDlg::textEdit() const { return FForm->MemoTextEdit; }

void TTextQuickViewDlg::setParams(const std::string& caption, const std::string& text) {
  setWindowTitle(kvdlg::FromUtf8(caption));
  FForm->MemoTextEdit->setText(kvdlg::FromUtf8(text));
}

void TTextQuickViewDlg::Execute(const std::string& caption, const std::string& text) {
  kvdlg::TDialogGuard<TTextQuickViewDlg> dlg(new TTextQuickViewDlg(KvQtAppHolder::KvGetTopWindow()));
  dlg->setParams(caption, text);
  dlg->exec();
}

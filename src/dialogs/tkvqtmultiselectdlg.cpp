#include "dialogs/tkvqtmultiselectdlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "module/centerwidgetonscreen.h"
#include "ui_tkvqtmultiselectdlg.h"

#include "kvsuite/kvmessage.h"

#include <QPushButton>

TKvQtMultiSelectDlg::TKvQtMultiSelectDlg(QWidget* parent) : TKvQDialog(parent), FForm(new Ui_TKvQtMultiSelectDlg) {
  FForm->setupUi(this);
  connect(FForm->OkBtn, &QPushButton::clicked, this, &TKvQDialog::accept);
  connect(FForm->CancelBtn, &QPushButton::clicked, this, &TKvQDialog::reject);
  CenterWidgetOnScreen(this);
}

TKvQtMultiSelectDlg::~TKvQtMultiSelectDlg() { delete FForm; }

TKvQtMultiSelectWidget* TKvQtMultiSelectDlg::widget() const { return FForm->MultiSelectWidget; }

void TKvQtMultiSelectDlg::setParams(const std::string& caption, const std::vector<std::string>& items,
                                    const std::vector<bool>& values) {
  setWindowTitle(kvdlg::FromUtf8(caption));
  FForm->MultiSelectWidget->SetValues(items, values);
}

void TKvQtMultiSelectDlg::getParams(std::vector<bool>* values) const { FForm->MultiSelectWidget->GetValues(values); }

bool TKvQtMultiSelectDlg::Execute(const std::string& caption, const std::vector<std::string>& items,
                                  std::vector<bool>* values) {
  if (items.empty() || !values || values->size() != items.size())
    throw TKvMessage("static bool TKvQtMultiSelectDlg::Execute(const std::string &, const std::vector<std::string> &, "
                     "std::vector<bool> *): Invalid params");
  kvdlg::TDialogGuard<TKvQtMultiSelectDlg> dlg(new TKvQtMultiSelectDlg());
  dlg->setParams(caption, items, *values);
  const int result = dlg->exec();
  if (!dlg || result != ResultAccepted)
    return false;
  dlg->getParams(values);
  return true;
}

#include "widgets/tkvqtfinddlg.h"

#include "module/kvqtappholder.h"

#include "ui_tkvqtfinddlg.h"

TKvQtFindDlg::TKvQtFindDlg(QWidget* parent) : TKvQDialog(parent), FForm(new Ui_TKvQtFindDlg) {
  FForm->setupUi(this);
  connect(FForm->FindButton, &QPushButton::clicked, this, &TKvQtFindDlg::slotFindClicked);
  connect(FForm->CloseButton, &QPushButton::clicked, this, &TKvQtFindDlg::reject);
}

TKvQtFindDlg::~TKvQtFindDlg() {
  disconnect(FForm->FindButton, nullptr, this, nullptr);
  disconnect(FForm->CloseButton, nullptr, this, nullptr);
  delete FForm;
}

var_a<TKvQtFindDlg*> TKvQtFindDlg::VCreate() {
  // An explicit null parent: TKvQDialog would adopt the active window.
  var_a<TKvQtFindDlg*> dlg(new TKvQtFindDlg(nullptr));
  dlg->setParent(nullptr, dlg->windowFlags());
  dlg->setAttribute(Qt::WA_DeleteOnClose, false);
  return dlg;
}

void TKvQtFindDlg::SetOptions(unsigned int o) {
  FOptions = o;
  FForm->WholeWordCheckBox->setVisible(!(o & foWholeWordHidden));
  FForm->WholeWordCheckBox->setEnabled(!(o & foWholeWordDisabled));
  FForm->WholeWordCheckBox->setChecked(o & foWholeWord);
  FForm->MatchCaseCheckBox->setVisible(!(o & foMatchCaseHidden));
  FForm->MatchCaseCheckBox->setEnabled(!(o & foMatchCaseDisabled));
  FForm->MatchCaseCheckBox->setChecked(o & foMatchCase);
  FForm->AddToSelectedCheckBox->setVisible(o & foAddToSelectedShown);
  FForm->AddToSelectedCheckBox->setEnabled(!(o & foAddToSelectedDisabled));
  FForm->AddToSelectedCheckBox->setChecked(o & foAddToSelected);
  FForm->groupBox->setVisible(!(o & foDirectionHidden));
  FForm->groupBox->setEnabled(!(o & foDirectionDisabled));
  // A checked exclusive radio button cannot be unchecked directly.
  QRadioButton* back = FForm->ReversRadioButton;
  back->setAutoExclusive(false);
  back->setChecked(o & foBackward);
  back->setAutoExclusive(true);
}

unsigned int TKvQtFindDlg::GetOptions() {
  unsigned int o = FOptions & ~(foWholeWord | foMatchCase | foBackward | foAddToSelected);
  if (FForm->WholeWordCheckBox->isChecked())
    o |= foWholeWord;
  if (FForm->MatchCaseCheckBox->isChecked())
    o |= foMatchCase;
  if (FForm->AddToSelectedCheckBox->isChecked())
    o |= foAddToSelected;
  if (FForm->ReversRadioButton->isChecked())
    o |= foBackward;
  FOptions = o;
  return o;
}

void TKvQtFindDlg::slotFindClicked() {
  try {
    FSearchText = QtToKvStr(FForm->FindLineEdit->text());
    emit findClicked();
  } catch (...) {
  }
}

void TKvQtFindDlg::showEvent(QShowEvent*) {
  // The base's show hook is left out on purpose: this dialog is modeless.
  if (FShownOnce)
    return;
  FShownOnce = true;
  FForm->FindLineEdit->setText(QString::fromStdString(FSearchText));
  FForm->FindLineEdit->setFocus(Qt::OtherFocusReason);
}

#include "dialogs/tkvqtquerystringlistdlg.h"

#include "dialogs/kvqtdialogs_p.h"
#include "module/kvqtappholder.h"
#include "ui_tkvqtquerystringlistdlg.h"

TKvQtQueryStringListDlg::TKvQtQueryStringListDlg(QWidget* parent)
  : TKvQDialog(parent), FForm(new Ui_TKvQtQueryStringListDlg) {
  FForm->setupUi(this);
  MakeConnections();
}

TKvQtQueryStringListDlg::~TKvQtQueryStringListDlg() { delete FForm; }

void TKvQtQueryStringListDlg::MakeConnections() {
  connect(FForm->OkBtn, &QPushButton::clicked, this, &TKvQDialog::accept);
  connect(FForm->CancelBtn, &QPushButton::clicked, this, &TKvQDialog::reject);
  connect(FForm->StringsListWidget, &QListWidget::itemDoubleClicked, this, &TKvQDialog::accept);
}

void TKvQtQueryStringListDlg::SetParams(const std::vector<std::string>& items, bool multiple,
                                        const std::string& caption) {
  setWindowTitle(kvdlg::FromUtf8(caption));
  QStringList texts;
  texts.reserve(static_cast<int>(items.size()));
  for (const std::string& item : items)
    texts << kvdlg::FromUtf8(item);
  FForm->StringsListWidget->addItems(texts);
  FForm->StringsListWidget->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
  FForm->StringsListWidget->clearSelection();
}

std::vector<std::string> TKvQtQueryStringListDlg::GetParams() const {
  std::vector<std::string> selected;
  for (const QListWidgetItem* item : FForm->StringsListWidget->selectedItems())
    selected.push_back(QtToKvStr(item->text()));
  return selected;
}

std::vector<std::string> TKvQtQueryStringListDlg::Execute(const std::vector<std::string>& items, bool multiple,
                                                          const std::string& caption) {
  kvdlg::TDialogGuard<TKvQtQueryStringListDlg> dlg(new TKvQtQueryStringListDlg());
  dlg->SetParams(items, multiple, caption);
  const int result = dlg->exec();
  if (!dlg || result != ResultAccepted)
    return {};
  return dlg->GetParams();
}

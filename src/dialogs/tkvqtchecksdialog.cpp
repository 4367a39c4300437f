#include "dialogs/tkvqtchecksdialog.h"

#include "dialogs/kvqtdialogs_p.h"

#include "kvsuite/kvchecks.h"
#include "kvsuite/kvmessage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using kvdlg::FromUtf8;

TKvQtChecksDialog::TKvQtChecksDialog(QWidget* parent) : TKvQDialog(parent), FLayout(new QVBoxLayout(this)) {
  FLayout->setContentsMargins(5, 5, 5, 5);
  FLayout->setSpacing(5);
}

TKvQtChecksDialog::~TKvQtChecksDialog() = default;

void TKvQtChecksDialog::setParams(const std::string& caption, const std::string& text, const TChecks& checks) {
  for (size_t i = 0; i < checks.size(); ++i)
    if (!checks[i].second)
      throw TKvMessage("@TKvQtChecksDialog: the flag of entry %1% (\"%2%\") is null")
          << static_cast<unsigned long>(i) << checks[i].first;

  setWindowTitle(FromUtf8(caption));
  FLayout->addWidget(new QLabel(FromUtf8(text), this));
  for (const auto& c : checks) {
    auto* box = new QCheckBox(FromUtf8(c.first), this);
    box->setChecked(*c.second);
    FLayout->addWidget(box);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TKvQDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TKvQDialog::reject);
  FLayout->addWidget(buttons);
  adjustSize();
}

bool TKvQtChecksDialog::getValues(const TChecks& checks) const {
  // Item 0 is the label; the check boxes follow in the order of the entries.
  if (checks.size() >= static_cast<size_t>(FLayout->count()))
    return false;
  for (size_t i = 0; i < checks.size(); ++i) {
    QLayoutItem* item = FLayout->itemAt(static_cast<int>(i + 1));
    auto* box = item ? qobject_cast<QCheckBox*>(item->widget()) : nullptr;
    if (!box || !checks[i].second)
      return false;
    *checks[i].second = box->isChecked();
  }
  return true;
}

bool TKvQtChecksDialog::Execute(const std::string& caption, const std::string& text, const TChecks& checks) {
  kvdlg::TDialogGuard<TKvQtChecksDialog> dlg(new TKvQtChecksDialog());
  dlg->setParams(caption, text, checks);
  const int result = dlg->exec();
  if (!dlg || result != ResultAccepted)
    return false;
  return dlg->getValues(checks);
}

bool KvQtGetChecks(const std::string& caption, const std::string& text,
                   const std::vector<std::pair<std::string, bool*>>& checks) {
  return TKvQtChecksDialog::Execute(caption, text, checks);
}

bool KvQtGetChecks(const std::string& caption, const std::string& text, const TKvChecks& checks) {
  TKvQtChecksDialog::TChecks list;
  checks.GetChecks(list);
  return TKvQtChecksDialog::Execute(caption, text, list);
}

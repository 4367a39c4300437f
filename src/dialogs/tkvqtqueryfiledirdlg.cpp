#include "dialogs/tkvqtqueryfiledirdlg.h"

#include "ui_tkvqtqueryfiledirdlg.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace {
QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
} // namespace

TKvQtQueryFileDirDlg::TKvQtQueryFileDirDlg(const QString& text, const QString& caption, const std::string& folder)
    : TKvQDialog(nullptr), FForm(new Ui_TKvQueryFileDirDlg) {
  FForm->setupUi(this);
  FForm->dirEdit->setTitle(
      QCoreApplication::translate("TKvQueryFileDirDlg", "Выбор папки", "KvQtCpnt:TKvQueryFileDirDlg.dirEdit"));
  setWindowTitle(caption);
  FForm->lblText->setText(text);
  FForm->dirEdit->setDirectory(folder);
  connect(FForm->btnOK, &QPushButton::clicked, this, &TKvQtQueryFileDirDlg::accept);
  connect(FForm->btnCancel, &QPushButton::clicked, this, &TKvQtQueryFileDirDlg::reject);
}

TKvQtQueryFileDirDlg::~TKvQtQueryFileDirDlg() = default;

std::string TKvQtQueryFileDirDlg::directory() const { return FForm->dirEdit->getDirectory(); }

bool TKvQtQueryFileDirDlg::run(const std::string& text, const QString& caption, const std::string& folder,
                               std::string* out) {
  // On the heap: the parent (the active window) may delete it while it runs.
  QPointer<TKvQtQueryFileDirDlg> dlg = new TKvQtQueryFileDirDlg(fromUtf8(text), caption, folder);
  const int result = dlg->exec();
  if (!dlg)
    return false;
  const bool ok = result == ResultAccepted;
  if (ok && out)
    *out = dlg->directory();
  delete dlg.data();
  return ok;
}

bool TKvQtQueryFileDirDlg::Execute(const std::string& text, const std::string& folder, std::string* result) {
  return run(text, QFileInfo(QCoreApplication::applicationFilePath()).fileName(), folder, result);
}

bool TKvQtQueryFileDirDlg::Execute(const std::string& text, const std::string& folder, TKvPath* result) {
  std::string chosen;
  if (!Execute(text, folder, &chosen))
    return false;
  if (result)
    *result = TKvPath(chosen);
  return true;
}

bool TKvQtQueryFileDirDlg::ExecuteEx(const std::string& text, const std::string& caption, std::string& folder) {
  std::string chosen;
  if (!run(text, fromUtf8(caption), folder, &chosen))
    return false;
  folder = chosen;
  return true;
}

bool TKvQtQueryFileDirDlg::ExecuteEx(const std::string& text, const std::string& caption, TKvPath& folder) {
  std::string chosen;
  if (!run(text, fromUtf8(caption), folder.str(), &chosen))
    return false;
  folder = TKvPath(chosen);
  return true;
}

#pragma once
// Helpers of the file-selection tests: answering Qt's own file dialog and
// making files to choose.

#include "kvtestsupport.h"

#include "module/kvqtappholder.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>

namespace filetest {

// What a test saw of a file dialog before answering it.
struct DialogSeen {
  QString title, directory, selectedFilter;
  QStringList nameFilters, selectedFiles;
  QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
  QFileDialog::Options options;
};

// Answers the next modal file dialog: records it, picks the filter `filter`
// (when not empty) and the files (relative to the dialog's folder or
// absolute), then accepts; `cancel` rejects instead.
struct FileDialogAnswer {
  QStringList files;
  QString filter;
  bool cancel = false;
};

inline void answerFileDialog(QWidget* w, const FileDialogAnswer& a, DialogSeen* seen) {
  auto* dlg = qobject_cast<QFileDialog*>(w);
  QVERIFY2(dlg, w ? w->metaObject()->className() : "null");
  if (seen) {
    seen->title = dlg->windowTitle();
    seen->directory = dlg->directory().absolutePath();
    seen->selectedFilter = dlg->selectedNameFilter();
    seen->nameFilters = dlg->nameFilters();
    seen->selectedFiles = dlg->selectedFiles();
    seen->fileMode = dlg->fileMode();
    seen->options = dlg->options();
  }
  if (a.cancel) {
    dlg->reject();
    return;
  }
  if (!a.filter.isEmpty())
    dlg->selectNameFilter(a.filter);
  // selectFile() leaves the name field alone while it has the focus, so the
  // names are typed into it, as the user would.
  QStringList typed;
  for (const QString& f : a.files)
    typed << (a.files.size() == 1 ? f : '"' + QFileInfo(f).fileName() + '"');
  auto* nameEdit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(nameEdit);
  if (!typed.isEmpty())
    nameEdit->setText(typed.join(' '));
  QMetaObject::invokeMethod(dlg, "accept", Qt::DirectConnection);
}

// Runs `call` while a driver answers the file dialog it opens.
template <class Fn>
bool withFileDialog(const FileDialogAnswer& a, DialogSeen* seen, Fn call) {
  kvtest::ModalDriver driver([&](QWidget* w) { answerFileDialog(w, a, seen); });
  driver.start();
  call();
  return driver.fired();
}

// Creates an empty file (and its folders).
inline QString touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  return QFileInfo(path).absoluteFilePath();
}

} // namespace filetest

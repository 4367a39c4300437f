#include "files/tkvqfilesaveedit.h"

#include "dialogs/tkvqmessagebox.h"
#include "files/kvqtfiledialogs.h"
#include "files/kvqtresformat_p.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvstrings.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QPointer>

TKvQFileSaveEdit::TKvQFileSaveEdit(QWidget* parent, const QString& title, const QString& file,
                                   const QStringList& filters, int filterIdx)
    : TKvAbstractQFileSaveOpenEdit(parent, title, file, filters, filterIdx) {
  connect(lineEdit(), &QLineEdit::editingFinished, this, &TKvQFileSaveEdit::resetOverwriteConfirmed);
}

TKvQFileSaveEdit::~TKvQFileSaveEdit() = default;

bool TKvQFileSaveEdit::confirmOverwrite() {
  if (FOverwriteConfirmed)
    return true;
  const std::string file = getFile();
  if (file.empty() || !KvFileExists(file)) {
    FOverwriteConfirmed = true;
    return true;
  }
  const QPointer<TKvQFileSaveEdit> self(this); // the question may outlive the edit
  const bool yes = KvQtQuestYesNo(KvQtResFormatString("global.KvFileSaveEditConfirm", file), nullptr, std::string(), nullptr);
  if (self)
    FOverwriteConfirmed = yes;
  return yes;
}

void TKvQFileSaveEdit::resetOverwriteConfirmed() { FOverwriteConfirmed = false; }

void TKvQFileSaveEdit::dropEvent(QDropEvent* event) {
  TKvAbstractQFileDirEdit::dropEvent(event);
  // A dropped name is the user's, not the save dialog's.
  if (event->isAccepted())
    resetOverwriteConfirmed();
}

bool TKvQFileSaveEdit::doBrowse(QString& path) {
  using TFn = std::string (*)(const std::string&, const TGetOpenFileNameOptions&, unsigned long*);
  if (!browseWith(static_cast<TFn>(&KvQtGetSaveFileName), path))
    return false;
  FOverwriteConfirmed = true;
  return true;
}

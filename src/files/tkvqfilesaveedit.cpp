#include "files/tkvqfilesaveedit.h"

#include "dialogs/tkvqmessagebox.h"
#include "files/kvqtfiledialogs.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvstrings.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

// The question for `file` from the printf format of the language files. A
// format that does not hold exactly one "%s" (and nothing else but "%%")
// would make printf read arguments it was not given: such a format is shown
// with the file name after it instead.
std::string overwriteQuestion(const std::string& file) {
  const std::string format = KvQtResString("global.KvFileSaveEditConfirm");
  int strings = 0;
  bool other = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%')
      continue;
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (next == 's')
      ++strings;
    else if (next != '%')
      other = true;
    ++i;
  }
  if (strings == 1 && !other) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return Quorvant::ssprintf(format.c_str(), file.c_str());
#pragma GCC diagnostic pop
  }
  return format.empty() ? file : format + " " + file;
}

} // namespace

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
  const bool yes = KvQtQuestYesNo(overwriteQuestion(file), nullptr, std::string(), nullptr);
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

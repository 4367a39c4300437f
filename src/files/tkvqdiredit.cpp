#include "files/tkvqdiredit.h"

#include "files/kvqtfiledialogs.h"
#include "module/kvqtappholder.h"

#include <QLineEdit>

TKvQDirEdit::TKvQDirEdit(QWidget* parent) : TKvAbstractQFileDirEdit(parent) { setPathKind(TPathKind::Folders); }

TKvQDirEdit::~TKvQDirEdit() = default;

std::string TKvQDirEdit::getDirectory() const { return QtToKvStr(unquoted(lineEdit()->text())); }

void TKvQDirEdit::setDirectory(const std::string& dir) { lineEdit()->setText(QString::fromUtf8(dir.c_str())); }

bool TKvQDirEdit::doBrowse(QString& path) {
  const QString chosen = KvQtSelectFolderEx(dialogCaption(), path);
  if (chosen.isEmpty())
    return false;
  path = chosen;
  return true;
}

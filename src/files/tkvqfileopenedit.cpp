#include "files/tkvqfileopenedit.h"

#include "files/kvqtfiledialogs.h"

TKvQFileOpenEdit::TKvQFileOpenEdit(QWidget* parent, const QString& title, const QString& file,
                                   const QStringList& filters, int filterIdx)
    : TKvAbstractQFileSaveOpenEdit(parent, title, file, filters, filterIdx) {}

TKvQFileOpenEdit::~TKvQFileOpenEdit() = default;

bool TKvQFileOpenEdit::doBrowse(QString& path) {
  using TFn = std::string (*)(const std::string&, const TGetOpenFileNameOptions&, unsigned long*);
  return browseWith(static_cast<TFn>(&KvQtGetOpenFileName), path);
}

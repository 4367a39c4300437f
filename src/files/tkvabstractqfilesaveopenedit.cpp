#include "files/tkvabstractqfilesaveopenedit.h"

#include "files/kvqtfiledialogs.h"
#include "files/kvqtwildcard_p.h"
#include "files/tkvqtfilefilter.h"
#include "module/kvqtappholder.h"

#include <QLineEdit>
#include <QPointer>

TKvAbstractQFileSaveOpenEdit::TKvAbstractQFileSaveOpenEdit(QWidget* parent, const QString& title,
                                                           const QString& file, const QStringList& filters,
                                                           int filterIdx)
    : TKvAbstractQFileDirEdit(parent) {
  lineEdit()->setText(file);
  setTitle(title);
  setFilter(filters);
  setCurrentFilterIdx(filterIdx);
  connect(this, &TKvAbstractQFileDirEdit::pathChanged, this, [this](const QString& path) {
    try {
      setFilterIdxFromString(path);
    } catch (...) {
    }
  });
}

TKvAbstractQFileSaveOpenEdit::~TKvAbstractQFileSaveOpenEdit() = default;

std::string TKvAbstractQFileSaveOpenEdit::getFile() const { return QtToKvStr(unquoted(lineEdit()->text())); }

void TKvAbstractQFileSaveOpenEdit::setFile(const std::string& file) { setFile(QString::fromUtf8(file.c_str())); }

void TKvAbstractQFileSaveOpenEdit::setFile(const QString& file) { lineEdit()->setText(file); }

void TKvAbstractQFileSaveOpenEdit::setFilter(const QString& filter) {
  FFilterStr = QtToKvStr(filter);
  setFilter(TKvQtFileFilter::namesOf(filter));
}

std::string TKvAbstractQFileSaveOpenEdit::getFilterStr() const { return FFilterStr; }

void TKvAbstractQFileSaveOpenEdit::setCurrentFilterIdx(int idx) {
  if (FFilters.isEmpty())
    FCurFilterIdx = -1;
  else
    FCurFilterIdx = qBound(0, idx, FFilters.size() - 1);
}

int TKvAbstractQFileSaveOpenEdit::getCurrentFilterIdx() const { return FCurFilterIdx; }

void TKvAbstractQFileSaveOpenEdit::setFilterIdxFromString(const QString& path) {
  FCurFilterIdx = KvQtFirstWildcardIn(FFilters, path);
}

void TKvAbstractQFileSaveOpenEdit::setFilter(const QStringList& filters) {
  FFilters = filters;
  if (FFilters.isEmpty())
    FCurFilterIdx = -1;
  else if (FCurFilterIdx < 0 || FCurFilterIdx >= FFilters.size())
    FCurFilterIdx = 0;
}

QStringList TKvAbstractQFileSaveOpenEdit::getFilterList() const { return FFilters; }

std::string TKvAbstractQFileSaveOpenEdit::getDefaultExt() const {
  if (FCurFilterIdx < 0 || FCurFilterIdx >= FFilters.size())
    return std::string();
  return QtToKvStr(FFilters.at(FCurFilterIdx));
}

bool TKvAbstractQFileSaveOpenEdit::browseWith(TDialogFn dialogFn, QString& path) {
  const TGetOpenFileNameOptions opts(FFilterStr, false, static_cast<unsigned long>(FCurFilterIdx + 1),
                                     QtToKvStr(path));
  unsigned long number = 0;
  const QPointer<TKvAbstractQFileSaveOpenEdit> self(this); // the dialog may outlive the edit
  const std::string result = dialogFn(QtToKvStr(dialogCaption()), opts, &number);
  if (result.empty() || !self)
    return false;
  path = QString::fromUtf8(result.c_str());
  FCurFilterIdx = static_cast<int>(number) - 1;
  return true;
}

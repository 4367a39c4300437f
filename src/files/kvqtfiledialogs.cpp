#include "files/kvqtfiledialogs.h"

#include "files/tkvqtfilefilter.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstrings.h"

#include <QDir>
#include <QFileDialog>

namespace {

const char* const kLastDirKey = "last_dir_path";

QString folderOf(const QString& path) {
  return QString::fromUtf8(KvExtractFilePath(TKvPath(QtToKvStr(path))).c_str());
}

QString orLastDir(const QString& location) { return location.isEmpty() ? getLastDirPath() : location; }

void writeFilterNumber(unsigned long* out, const TKvQtFileFilter& filter, const QString& selected) {
  if (out)
    *out = filter.numberOf(selected);
}

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

} // namespace

TGetOpenFileNameOptions::TGetOpenFileNameOptions(const std::string& filter_, bool flag_, unsigned long filterIdx_,
                                                 const std::string& initialPath_)
    : filter(filter_), filterIdx(filterIdx_), flag(flag_), initialPath(initialPath_) {}

QString getLastDirPath() {
  const TKvOptionTable* ot = GlobalOT(1);
  if (!ot)
    return QString();
  return fromUtf8(ot->GetS<std::string>(kLastDirKey));
}

void setLastDirPath(const QString& path, bool extractDir) {
  if (path.isEmpty())
    return;
  TKvOptionTable* ot = GlobalOT(1);
  if (!ot)
    return;
  std::string value = QtToKvStr(path);
  if (extractDir)
    value = KvExtractFilePath(TKvPath(value));
  try {
    ot->SetS<std::string>(kLastDirKey, value);
  } catch (...) {
    KvLogWriteError("@Cannot remember the last folder: " + KvGetExceptionReason(), lmlInternal, 0);
  }
}

QString KvQtGetOpenFileName(const QString& caption, const TGetOpenFileNameOptions& opts, unsigned long* filterIdx) {
  const TKvQtFileFilter filter(fromUtf8(opts.filter));
  const QString folder = orLastDir(folderOf(fromUtf8(opts.initialPath)));
  QString selected = filter.nameOf(static_cast<unsigned long>(opts.filterIdx));
  const QString result = QFileDialog::getOpenFileName(nullptr, caption, folder, filter.qtFilter(), &selected);
  writeFilterNumber(filterIdx, filter, selected);
  setLastDirPath(result, true);
  return result;
}

std::string KvQtGetOpenFileName(const std::string& caption, const TGetOpenFileNameOptions& opts,
                                unsigned long* filterIdx) {
  return QtToKvStr(KvQtGetOpenFileName(fromUtf8(caption), opts, filterIdx));
}

QStringList KvQtGetOpenFileNames(const QString& caption, const TGetOpenFileNameOptions& opts,
                                 unsigned long* filterIdx) {
  const TKvQtFileFilter filter(fromUtf8(opts.filter));
  const QString location = orLastDir(fromUtf8(opts.initialPath));
  QString selected = filter.nameOf(static_cast<unsigned long>(opts.filterIdx));
  const QStringList result = QFileDialog::getOpenFileNames(nullptr, caption, location, filter.qtFilter(), &selected);
  writeFilterNumber(filterIdx, filter, selected);
  if (!result.isEmpty())
    setLastDirPath(result.first(), true);
  return result;
}

std::vector<std::string> KvQtGetOpenFileNames(const std::string& caption, const TGetOpenFileNameOptions& opts,
                                              unsigned long* filterIdx) {
  const QStringList files = KvQtGetOpenFileNames(fromUtf8(caption), opts, filterIdx);
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(files.size()));
  for (const QString& f : files)
    out.push_back(QtToKvStr(f));
  return out;
}

QString KvQtGetSaveFileName(const QString& caption, const TGetOpenFileNameOptions& opts, unsigned long* filterIdx) {
  const TKvQtFileFilter filter(fromUtf8(opts.filter));
  const QString location = orLastDir(fromUtf8(opts.initialPath));
  QString selected = filter.nameOf(static_cast<unsigned long>(opts.filterIdx));
  QString result = QFileDialog::getSaveFileName(nullptr, caption, location, filter.qtFilter(), &selected);
  if (filterIdx) {
    *filterIdx = filter.numberOf(selected);
    if (*filterIdx != 0 && !result.isEmpty() && KvExtractFileExt(QtToKvStr(result)).empty())
      result += filter.defaultExt(*filterIdx);
  }
  setLastDirPath(result, true);
  return result;
}

std::string KvQtGetSaveFileName(const std::string& caption, const TGetOpenFileNameOptions& opts,
                                unsigned long* filterIdx) {
  return QtToKvStr(KvQtGetSaveFileName(fromUtf8(caption), opts, filterIdx));
}

QString KvQtSelectFolderEx(const QString& caption, const QString& dir) {
  const QString result = QDir::toNativeSeparators(
      QFileDialog::getExistingDirectory(nullptr, caption, orLastDir(dir), QFileDialog::ShowDirsOnly));
  setLastDirPath(result, false);
  return result;
}

std::string KvQtSelectFolderEx(const std::string& caption, const std::string& dir) {
  return QtToKvStr(KvQtSelectFolderEx(fromUtf8(caption), fromUtf8(dir)));
}

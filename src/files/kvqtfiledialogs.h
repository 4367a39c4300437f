#pragma once
// The suite's file and folder choosers: QFileDialog's static functions with
// the suite's filter strings (see tkvqtfilefilter.h), filter numbers counting
// from 1, a default extension on save, and one remembered last folder.
//
// The last folder is the value "last_dir_path" of the suite's global option
// table (GlobalOT(1)); every successful choice of any of these functions
// overwrites it and every call without a starting location starts there.
// Without that table nothing is remembered.
//
// The dialogs have no parent and run modally on the GUI thread. Every file
// function leaves QFileDialog's options at their defaults (so Qt decides
// between the platform's dialog and its own, and asks before overwriting);
// the folder function sets ShowDirsOnly. All std::string texts are UTF-8.

#include "kvqtcpnt_export.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

struct KVQTCPNT_EXPORT TGetOpenFileNameOptions {
  // Note the argument order, which differs from the field order.
  TGetOpenFileNameOptions(const std::string& filter, bool flag, unsigned long filterIdx,
                          const std::string& initialPath);

  // Filter string: names and pattern parts alternating, separated by "|".
  std::string filter;
  // 1-based number of the filter to start on; 0 (or too large) for none.
  uint64_t filterIdx;
  // Carried for the caller (true for a multiple-file choice); not read here.
  bool flag;
  // Starting file or folder; empty for the remembered last folder.
  std::string initialPath;
};

// `filterIdx` (may be null) receives the 1-based number of the filter the
// dialog ended on, or 0 when it is none of the names; it is written after a
// cancel too. Cancelling gives an empty text or list.

// Starts in the folder of `initialPath`; remembers the chosen file's folder.
KVQTCPNT_EXPORT QString KvQtGetOpenFileName(const QString& caption, const TGetOpenFileNameOptions& opts,
                                            unsigned long* filterIdx);
KVQTCPNT_EXPORT std::string KvQtGetOpenFileName(const std::string& caption, const TGetOpenFileNameOptions& opts,
                                                unsigned long* filterIdx);
// Starts at `initialPath` as given; remembers the first chosen file's folder.
KVQTCPNT_EXPORT QStringList KvQtGetOpenFileNames(const QString& caption, const TGetOpenFileNameOptions& opts,
                                                 unsigned long* filterIdx);
KVQTCPNT_EXPORT std::vector<std::string> KvQtGetOpenFileNames(const std::string& caption,
                                                              const TGetOpenFileNameOptions& opts,
                                                              unsigned long* filterIdx);
// Starts at `initialPath` as given (a file name there is preselected). With a
// non-null `filterIdx`, a name typed without extension gets the chosen
// filter's default extension (TKvQtFileFilter::defaultExt).
KVQTCPNT_EXPORT QString KvQtGetSaveFileName(const QString& caption, const TGetOpenFileNameOptions& opts,
                                            unsigned long* filterIdx);
KVQTCPNT_EXPORT std::string KvQtGetSaveFileName(const std::string& caption, const TGetOpenFileNameOptions& opts,
                                                unsigned long* filterIdx);
// The chosen folder with native separators; remembered as it is.
KVQTCPNT_EXPORT QString KvQtSelectFolderEx(const QString& caption, const QString& dir);
KVQTCPNT_EXPORT std::string KvQtSelectFolderEx(const std::string& caption, const std::string& dir);

// The remembered last folder, or an empty text.
KVQTCPNT_AUTOTEST_EXPORT QString getLastDirPath();
// Remembers `path` (its folder part with `extractDir`); nothing for an empty
// path. A table that cannot save the value is reported in the suite log, not
// to the caller: the choice itself succeeded.
KVQTCPNT_AUTOTEST_EXPORT void setLastDirPath(const QString& path, bool extractDir);

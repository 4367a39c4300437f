#pragma once
// TKvAbstractQFileSaveOpenEdit: the common base of the open-file and
// save-file edits. It keeps the filter string (see tkvqtfilefilter.h), the
// list of filter names the dialog shows and the index of the current one.
//
// The index follows the path: every pathChanged (typing, a drop, a browse)
// sets it to the first filter name that, read as a case-insensitive wildcard,
// occurs anywhere in the path ("*.tif" matches ".../a.TIF"), or -1 when none
// does. The browse dialog starts on the current filter.
//
// Index rules: -1 exactly when the list is empty (or after a path matched no
// filter); a new list keeps an index that is still in range and otherwise
// starts at 0; setCurrentFilterIdx clamps into the list.

#include "files/tkvabstractqfilediredit.h"

#include <QStringList>

#include <string>

struct TGetOpenFileNameOptions;

class KVQTCPNT_EXPORT TKvAbstractQFileSaveOpenEdit : public TKvAbstractQFileDirEdit {
  Q_OBJECT
public:
  // Sets the field to `file`, the dialog caption to `title`, the filter list
  // to `filters` (names) and then the current index to `filterIdx`.
  TKvAbstractQFileSaveOpenEdit(QWidget* parent, const QString& title, const QString& file,
                               const QStringList& filters, int filterIdx);
  ~TKvAbstractQFileSaveOpenEdit() override;

  // The field's text without surrounding double quotes (UTF-8).
  std::string getFile() const;
  // Set the text without emitting pathChanged.
  virtual void setFile(const std::string& file);
  void setFile(const QString& file);

  // Stores the whole filter string and takes its names as the filter list.
  virtual void setFilter(const QString& filter);
  virtual std::string getFilterStr() const;
  virtual void setCurrentFilterIdx(int idx);
  virtual int getCurrentFilterIdx() const;
  virtual void setFilterIdxFromString(const QString& path);
  // Replaces the filter list only (the filter string is kept).
  virtual void setFilter(const QStringList& filters);
  virtual QStringList getFilterList() const;

  // The current filter's name (UTF-8), or an empty string without one.
  std::string getDefaultExt() const;

protected:
  // Runs the dialog through `dialogFn` with the current filter and takes its
  // result and filter number; shared by the open and save forms.
  using TDialogFn = std::string (*)(const std::string&, const TGetOpenFileNameOptions&, unsigned long*);
  bool browseWith(TDialogFn dialogFn, QString& path);

private:
  std::string FFilterStr;
  QStringList FFilters;
  int FCurFilterIdx = -1;
};

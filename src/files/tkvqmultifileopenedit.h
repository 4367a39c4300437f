#pragma once
// TKvQMultiFileOpenEdit: a compact editor for a list of input files. A table
// shows one file per row with a "..." button that picks a replacement file;
// beside it, "+" opens the multiple-file dialog and appends every chosen file
// and "-" removes the selected rows. Every change of the set (not a row's
// replacement) emits filesChanged with the whole list.
//
// Filter numbers. The filter string follows the suite's grammar (see
// tkvqtfilefilter.h); getFilterStr() gives it back, and the widget's filter
// list holds its non-empty parts, names and patterns alike, so an index names
// either a filter's name or one of its pattern parts. Both name the same
// dialog filter: the dialogs start on the filter the current index belongs
// to, and the filter the user ends on comes back as the index of that
// filter's name (or of its pattern part when the name is empty); a dialog
// filter matching none of the names gives -1. So with
// "Text (*.txt)|*.txt|All (*)|*", indexes 2 and 3 both start the dialog on
// "All (*)", and choosing it there sets the index to 2.
//
// Construction. The filter list and index given to the constructor are
// applied: the list is read as the parts of a filter string (name, pattern,
// name, pattern ...), then the index is set (clamped); an empty list leaves
// the widget without filters, index -1.
//
// Starting folder of the dialogs (currentFolder()): the folder of the first
// selected file, else the folder of the file last picked through a row's
// button, else the folder of the first file, else none (the remembered last
// folder of the file dialogs).
//
// Beyond the buttons, files dragged from a file manager may be dropped on the
// table: every local path of the drop is appended at once in drop order,
// except those already listed (or listed twice in the drop), and a drop that
// adds rows emits filesChanged once. Whether each new path is a file is then
// checked on a worker thread (reading a big folder takes longer than adding
// its rows): rows that turn out to be folders or missing are taken out again
// when the answer comes, with one more filesChanged. dropCheckPending() tells
// whether an answer is still awaited; setFiles and removeAllFiles make the
// answers of earlier drops moot.
//
// Large lists. Appending many files at once (addFiles, setFiles, the add
// button, a drop) inserts the rows in one step; filesChanged is still emitted
// once per row, each time with the list up to that row, and only when
// something is connected to it. A row's "..." button is made when the row is
// among the first rows or scrolled into view, so ten thousand rows do not
// cost ten thousand widgets.
//
// The table, the buttons and the layouts are children of the widget; the
// row buttons belong to the table.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvstrings.h"

#include <QSize>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <string>
#include <vector>

class QMimeData;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;

class KVQTCPNT_EXPORT TKvQMultiFileOpenEdit : public QWidget {
  Q_OBJECT
public:
  TKvQMultiFileOpenEdit(QWidget* parent, const QString& title, const QStringList& files,
                        const QStringList& filters, int filterIdx);
  ~TKvQMultiFileOpenEdit() override;

  // Dialog caption; empty for the default caption.
  void setTitle(const std::string& title);
  void setTitle(const QString& title);

  // The text of every row, top to bottom, empty ones included.
  virtual std::vector<std::string> getFiles() const;
  virtual QStringList getFilesQt() const;
  // Removes every row (emitting once), then appends each non-empty name
  // (emitting once per row).
  virtual void setFiles(const std::vector<std::string>& files);
  virtual void setFiles(const QStringList& files);

  virtual void setFilter(const QString& filter);
  virtual std::string getFilterStr() const;
  // Clamped into the filter list; -1 when it is empty.
  virtual void setCurrentFilterIdx(int idx);
  virtual int getCurrentFilterIdx() const;

  // Appends a row for a non-empty name (emits).
  void addFile(const QString& file);
  void addFiles(const QStringList& files);
  // Removes every row without emitting.
  void removeAllFiles();
  // Removes the selected rows and emits once (also when none was selected).
  void removeSelected();
  // Whether dropped paths are still being checked (see the class comment).
  bool dropCheckPending() const { return FDropChecks > 0; }
  // Picks one file (starting at the last row's file) and appends it.
  void appendRow();
  void clearSelection();
  // The first filter entry that, as a case-insensitive wildcard, occurs in
  // `path` becomes current; -1 when none does.
  void setFilterIdxFromString(const QString& path);

  QSize sizeHint() const override;

  // Kept for source compatibility; does nothing.
  void onPathModified(int row, int column);
  // The add button: the multiple-file dialog, then every chosen file appended.
  void browseMultiple();
  // A row's button: a replacement for the item's file (no filesChanged).
  void browseSingle(QTableWidgetItem* item);
  // Inserts a row (an empty name is shown hatched) and emits.
  void insertRow(int row, const QString& name);
  void emitOnEdit();

  QTableWidget* table() const { return FTable; }
  QToolButton* addButton() const { return FAddButton; }
  QToolButton* removeButton() const { return FRemoveButton; }

  // True and the chosen files appended to `files`, false when cancelled.
  virtual bool doBrowseMultiple(QStringList& files);
  // True and the chosen file in `path`, false when cancelled.
  virtual bool doBrowseSingle(QString& path);
  // The folder the dialogs start in (see the class comment), without a
  // trailing separator; empty for none.
  virtual TKvPath currentFolder();

Q_SIGNALS:
  void filesChanged(const QStringList& files);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::string FFilterStr;
  QStringList FFilters;
  int FCurFilterIdx = -1;
  TKvPath FLastFolder;
  QSize FMinSize = QSize(-1, -1);
  QString FTitle;
  QTableWidget* FTable = nullptr;

  QToolButton* FAddButton = nullptr;
  QToolButton* FRemoveButton = nullptr;
  // Part number (in the "|"-split filter string) of each filter entry.
  QVector<int> FFilterParts;
  bool FButtonsPending = false;
  // Whether the drag now over the table brings files to add.
  bool FDropOk = false;
  // Drops whose paths are being checked, and the count of full replacements
  // of the rows (an answer for rows since replaced is ignored).
  int FDropChecks = 0;
  quint64 FRowsGeneration = 0;

  QString dialogCaption() const;
  unsigned long dialogFilterNumber() const;
  int filterIdxOfDialogNumber(unsigned long number) const;
  // Appends the non-empty names as rows in one step; emits once per row, or
  // once in all when `emitOnce`.
  void appendNames(const QStringList& names, bool emitOnce);
  // `fresh`: the row was just made and has no item yet.
  void initRow(int row, const QString& name, bool fresh = false);
  void makeRowButton(int row);
  void scheduleRowButtons();
  void makeVisibleRowButtons();
  // Local paths of a drop that are not listed yet, in drop order.
  QStringList droppedFiles(const QMimeData* data) const;
  // Checks the kinds of dropped paths on a worker thread; droppedChecked
  // takes the answer on this thread.
  void checkDropped(const QStringList& paths);
  void droppedChecked(const QStringList& paths, const QVector<bool>& files, quint64 generation);
  // Removes `rows` (ascending, no repeats), a run of neighbours at a time.
  void removeRowRuns(const QList<int>& rows);
  // Whether a drag brings something droppedFiles may take (a quick look).
  bool dropMayAdd(const QMimeData* data) const;
};

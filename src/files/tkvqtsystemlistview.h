#pragma once
// TKvQtSystemListView: a flat list of the files of one folder over its own
// QFileSystemModel (a child of the view), with name filters that hide what
// does not match and extended selection. The model reads the folder on its
// own thread, so the rows fill in after setRootPath returns.

#include "kvqtcpnt_export.h"

#include <QItemSelectionModel>
#include <QListView>

#include <string>
#include <vector>

class QFileSystemModel;

// The suite's list of UTF-8 texts.
using string_vector = std::vector<std::string>;

class KVQTCPNT_EXPORT TKvQtSystemListView : public QListView {
  Q_OBJECT
public:
  explicit TKvQtSystemListView(QWidget* parent);
  ~TKvQtSystemListView() override;

  // Wildcards such as "*.tif".
  void setFilter(const QStringList& patterns);
  // False for no name filter or the single filter "*".
  bool getFilterInUse() const;
  // Entries now listed (may still be 0 right after setRootPath).
  int getItemCount() const;
  void setRootPath(const QString& folder);
  // Appends the absolute paths of the selected entries (UTF-8) to `out`,
  // in selection order; `out` is not cleared. Null is ignored.
  void getSelectedFiles(string_vector* out);
  QString getFileName(const QModelIndex& index);
  // The first selected entry, or an empty text.
  QString getCurrentFile();
  // Applies `flags` to every listed entry (Select, Deselect, ...).
  void select(QItemSelectionModel::SelectionFlags flags);

  QFileSystemModel* fileSystemModel() const { return FModel; }

private:
  QFileSystemModel* FModel = nullptr;
};

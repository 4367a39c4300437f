#pragma once
// TKvQtSystemTreeView: a tree of the file system's folders over its own
// QFileSystemModel (a child of the view). setDirectory throws the text
// "Dir not found" (a const char*) for a folder the model cannot resolve and
// then leaves the current folder as it was.

#include "kvqtcpnt_export.h"

#include <QTreeView>

class QFileSystemModel;

class KVQTCPNT_EXPORT TKvQtSystemTreeView : public QTreeView {
  Q_OBJECT
public:
  explicit TKvQtSystemTreeView(QWidget* parent);
  ~TKvQtSystemTreeView() override;

  // Makes `folder` current (selected, scrolled into view).
  void setDirectory(const QString& folder);
  // The absolute path of the current folder, or an empty text.
  QString getSelectedDir() const;

  QFileSystemModel* fileSystemModel() const { return FModel; }

private:
  QFileSystemModel* FModel = nullptr;
};

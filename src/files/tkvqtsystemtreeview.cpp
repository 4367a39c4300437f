#include "files/tkvqtsystemtreeview.h"

#include <QFileSystemModel>

TKvQtSystemTreeView::TKvQtSystemTreeView(QWidget* parent) : QTreeView(parent) {
  FModel = new QFileSystemModel(this);
  FModel->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
  FModel->setRootPath(QString());
  setModel(FModel);
}

TKvQtSystemTreeView::~TKvQtSystemTreeView() = default;

void TKvQtSystemTreeView::setDirectory(const QString& folder) {
  const QModelIndex index = folder.isEmpty() ? QModelIndex() : FModel->index(folder);
  if (!index.isValid())
    throw "Dir not found";
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  scrollTo(index, QAbstractItemView::EnsureVisible);
}

QString TKvQtSystemTreeView::getSelectedDir() const {
  const QModelIndex index = currentIndex();
  if (!index.isValid() || !FModel->isDir(index))
    return QString();
  return FModel->fileInfo(index).absoluteFilePath();
}

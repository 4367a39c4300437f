#include "files/tkvqtsystemlistview.h"

#include "module/kvqtappholder.h"

#include <QFileSystemModel>

TKvQtSystemListView::TKvQtSystemListView(QWidget* parent) : QListView(parent) {
  FModel = new QFileSystemModel(this);
  FModel->setRootPath(QString());
  FModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
  FModel->setNameFilterDisables(false);
  setModel(FModel);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

TKvQtSystemListView::~TKvQtSystemListView() = default;

void TKvQtSystemListView::setFilter(const QStringList& patterns) { FModel->setNameFilters(patterns); }

bool TKvQtSystemListView::getFilterInUse() const {
  const QStringList filters = FModel->nameFilters();
  return !(filters.isEmpty() || (filters.size() == 1 && filters.first() == QLatin1String("*")));
}

int TKvQtSystemListView::getItemCount() const { return FModel->rowCount(rootIndex()); }

void TKvQtSystemListView::setRootPath(const QString& folder) { setRootIndex(FModel->setRootPath(folder)); }

void TKvQtSystemListView::getSelectedFiles(string_vector* out) {
  if (!out || !selectionModel())
    return;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    const QString path = FModel->fileInfo(index).absoluteFilePath();
    if (!path.isEmpty())
      out->push_back(QtToKvStr(path));
  }
}

QString TKvQtSystemListView::getFileName(const QModelIndex& index) {
  return index.isValid() ? FModel->fileInfo(index).absoluteFilePath() : QString();
}

QString TKvQtSystemListView::getCurrentFile() {
  if (!selectionModel())
    return QString();
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? QString() : getFileName(selected.first());
}

void TKvQtSystemListView::select(QItemSelectionModel::SelectionFlags flags) {
  const QModelIndex root = rootIndex();
  const int rows = FModel->rowCount(root);
  if (rows == 0 || !selectionModel())
    return;
  selectionModel()->select(QItemSelection(FModel->index(0, 0, root), FModel->index(rows - 1, 0, root)), flags);
}

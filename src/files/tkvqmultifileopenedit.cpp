#include "files/tkvqmultifileopenedit.h"

#include "appservices/kvqticonlib.h"
#include "files/kvqtfiledialogs.h"
#include "files/kvqtfilekinds_p.h"
#include "files/kvqtwildcard_p.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMetaMethod>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Rows of a hidden table that get their "..." button at once.
constexpr int kEagerButtonRows = 64;

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// The folder of a file, without a trailing separator ("/" for the root);
// empty for a name without a folder.
TKvPath folderOf(const QString& file) {
  std::string dir = KvExtractFilePath(QtToKvStr(file));
  if (dir.size() > 1)
    dir = KvExcludeTrailing(dir, '/');
  return TKvPath(dir);
}

// The folder with one trailing separator; empty stays empty.
std::string withSlash(const TKvPath& dir) {
  return dir.empty() ? std::string() : KvIncludeTrailing(dir.str(), '/');
}

} // namespace

TKvQMultiFileOpenEdit::TKvQMultiFileOpenEdit(QWidget* parent, const QString& title, const QStringList& files,
                                             const QStringList& filters, int filterIdx)
    : QWidget(parent), FTitle(title) {
  FTable = new QTableWidget(this);
  FTable->setColumnCount(2);
  FTable->setFocusPolicy(Qt::NoFocus);
  FTable->setShowGrid(false);
  FTable->setWordWrap(false);
  FTable->setCornerButtonEnabled(false);
  FTable->horizontalHeader()->hide();
  FTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  FTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  FTable->verticalHeader()->hide();
  FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FTable->setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding, QSizePolicy::LineEdit));
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::ExtendedSelection);

  FAddButton = new QToolButton(this);
  FAddButton->setIcon(KvGetIconFromIconLib("action_plus", 16, 16));
  FRemoveButton = new QToolButton(this);
  FRemoveButton->setIcon(KvGetIconFromIconLib("action_minus", 16, 16));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(FAddButton);
  buttons->addWidget(FRemoveButton);
  buttons->addItem(new QSpacerItem(1, 1, QSizePolicy::Maximum, QSizePolicy::Expanding));

  auto* layout = new QHBoxLayout;
  layout->setSpacing(0);
  layout->addWidget(FTable);
  layout->addLayout(buttons);
  layout->setContentsMargins(0, 0, 0, 0);
  setLayout(layout);

  FMinSize = QSize(FAddButton->sizeHint().width(), 4 * FTable->verticalHeader()->defaultSectionSize() + 8);
  setMinimumHeight(FMinSize.height());
  setMinimumWidth(FTable->fontMetrics().horizontalAdvance(QStringLiteral("A sample text")) + FMinSize.width());

  if (!filters.isEmpty()) {
    setFilter(filters.join(QLatin1Char('|')));
    setCurrentFilterIdx(filterIdx);
  }
  setFiles(files);

  connect(FAddButton, &QToolButton::clicked, this, [this] {
    try {
      browseMultiple();
    } catch (...) {
    }
  });
  connect(FRemoveButton, &QToolButton::clicked, this, [this] {
    try {
      removeSelected();
    } catch (...) {
    }
  });

  // Row buttons for rows that come into view.
  connect(FTable->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { scheduleRowButtons(); });
  FTable->viewport()->installEventFilter(this);
  FTable->setAcceptDrops(true);
}

TKvQMultiFileOpenEdit::~TKvQMultiFileOpenEdit() = default;

void TKvQMultiFileOpenEdit::setTitle(const std::string& title) { FTitle = fromUtf8(title); }

void TKvQMultiFileOpenEdit::setTitle(const QString& title) { FTitle = title; }

QString TKvQMultiFileOpenEdit::dialogCaption() const {
  return FTitle.isEmpty() ? fromUtf8(KvQtResString("global.KvDirEditDlgTitle")) : FTitle;
}

std::vector<std::string> TKvQMultiFileOpenEdit::getFiles() const {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(FTable->rowCount()));
  for (int r = 0; r < FTable->rowCount(); ++r) {
    const QTableWidgetItem* item = FTable->item(r, 0);
    out.push_back(item ? QtToKvStr(item->text()) : std::string());
  }
  return out;
}

QStringList TKvQMultiFileOpenEdit::getFilesQt() const {
  QStringList out;
  out.reserve(FTable->rowCount());
  for (int r = 0; r < FTable->rowCount(); ++r) {
    const QTableWidgetItem* item = FTable->item(r, 0);
    out << (item ? item->text() : QString());
  }
  return out;
}

void TKvQMultiFileOpenEdit::setFiles(const std::vector<std::string>& files) {
  QStringList list;
  list.reserve(static_cast<int>(files.size()));
  for (const std::string& f : files)
    list << fromUtf8(f);
  setFiles(list);
}

void TKvQMultiFileOpenEdit::setFiles(const QStringList& files) {
  removeAllFiles();
  emitOnEdit();
  appendNames(files, false);
}

void TKvQMultiFileOpenEdit::addFile(const QString& file) { appendNames(QStringList{file}, false); }

void TKvQMultiFileOpenEdit::addFiles(const QStringList& files) { appendNames(files, false); }

void TKvQMultiFileOpenEdit::removeAllFiles() {
  ++FRowsGeneration;
  FTable->setRowCount(0);
}

void TKvQMultiFileOpenEdit::removeSelected() {
  QList<int> rows;
  for (const QTableWidgetItem* item : FTable->selectedItems())
    rows << item->row();
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  removeRowRuns(rows);
  emitOnEdit();
}

void TKvQMultiFileOpenEdit::removeRowRuns(const QList<int>& rows) {
  // From the bottom, so that the rows above keep their numbers.
  for (int i = rows.size() - 1; i >= 0;) {
    int first = i;
    while (first > 0 && rows.at(first - 1) == rows.at(first) - 1)
      --first;
    FTable->model()->removeRows(rows.at(first), i - first + 1);
    i = first - 1;
  }
  scheduleRowButtons();
}

void TKvQMultiFileOpenEdit::appendRow() {
  const int rows = FTable->rowCount();
  const QTableWidgetItem* last = rows > 0 ? FTable->item(rows - 1, 0) : nullptr;
  QString path = last ? last->text() : QString();
  const QPointer<TKvQMultiFileOpenEdit> self(this);
  if (doBrowseSingle(path) && self)
    insertRow(FTable->rowCount(), path);
}

void TKvQMultiFileOpenEdit::clearSelection() {
  if (FTable->rowCount() == 0)
    return;
  FTable->setRangeSelected(QTableWidgetSelectionRange(0, 0, FTable->rowCount() - 1, FTable->columnCount() - 1),
                           false);
}

void TKvQMultiFileOpenEdit::setFilter(const QString& filter) {
  FFilterStr = QtToKvStr(filter);
  FFilters.clear();
  FFilterParts.clear();
  const QStringList parts = filter.split(QLatin1Char('|'), Qt::KeepEmptyParts);
  for (int i = 0; i < parts.size(); ++i) {
    if (parts.at(i).isEmpty())
      continue;
    FFilters << parts.at(i);
    FFilterParts << i;
  }
  if (FFilters.isEmpty())
    FCurFilterIdx = -1;
  else if (FCurFilterIdx < 0 || FCurFilterIdx >= FFilters.size())
    FCurFilterIdx = 0;
}

std::string TKvQMultiFileOpenEdit::getFilterStr() const { return FFilterStr; }

void TKvQMultiFileOpenEdit::setCurrentFilterIdx(int idx) {
  FCurFilterIdx = FFilters.isEmpty() ? -1 : qBound(0, idx, FFilters.size() - 1);
}

int TKvQMultiFileOpenEdit::getCurrentFilterIdx() const { return FCurFilterIdx; }

void TKvQMultiFileOpenEdit::setFilterIdxFromString(const QString& path) {
  FCurFilterIdx = KvQtFirstWildcardIn(FFilters, path);
}

unsigned long TKvQMultiFileOpenEdit::dialogFilterNumber() const {
  if (FCurFilterIdx < 0 || FCurFilterIdx >= FFilterParts.size())
    return 0;
  return static_cast<unsigned long>(FFilterParts.at(FCurFilterIdx) / 2 + 1);
}

int TKvQMultiFileOpenEdit::filterIdxOfDialogNumber(unsigned long number) const {
  if (number == 0 || number > static_cast<unsigned long>(FFilterParts.size()) + 1)
    return -1;
  const int namePart = static_cast<int>(number - 1) * 2;
  int patternIdx = -1;
  for (int i = 0; i < FFilterParts.size(); ++i) {
    if (FFilterParts.at(i) == namePart)
      return i;
    if (FFilterParts.at(i) == namePart + 1 && patternIdx < 0)
      patternIdx = i;
  }
  return patternIdx;
}

QSize TKvQMultiFileOpenEdit::sizeHint() const {
  const int spacing = layout() ? layout()->spacing() : 0;
  return QSize(FMinSize.width() + spacing + FTable->sizeHint().width(), FMinSize.height());
}

void TKvQMultiFileOpenEdit::onPathModified(int, int) {}

// The dialogs run a nested event loop: the edit may be deleted, and its rows
// removed or replaced, before they return.

void TKvQMultiFileOpenEdit::browseMultiple() {
  const QPointer<TKvQMultiFileOpenEdit> self(this);
  QStringList files;
  if (doBrowseMultiple(files) && self)
    appendNames(files, false);
}

void TKvQMultiFileOpenEdit::browseSingle(QTableWidgetItem* item) {
  if (!item || item->tableWidget() != FTable)
    return;
  const QPointer<TKvQMultiFileOpenEdit> self(this);
  const QPersistentModelIndex cell(FTable->model()->index(item->row(), item->column()));
  QString path = item->text();
  if (!doBrowseSingle(path) || !self || path.isEmpty() || !cell.isValid())
    return;
  item = FTable->item(cell.row(), cell.column());
  if (!item)
    return;
  item->setText(path);
  FLastFolder = folderOf(path);
}

void TKvQMultiFileOpenEdit::insertRow(int row, const QString& name) {
  row = qBound(0, row, FTable->rowCount());
  FTable->insertRow(row);
  initRow(row, name);
  if (!FTable->isVisible() && row < kEagerButtonRows)
    makeRowButton(row);
  scheduleRowButtons();
  emitOnEdit();
}

void TKvQMultiFileOpenEdit::emitOnEdit() {
  static const QMetaMethod signal = QMetaMethod::fromSignal(&TKvQMultiFileOpenEdit::filesChanged);
  if (isSignalConnected(signal))
    Q_EMIT filesChanged(getFilesQt());
}

bool TKvQMultiFileOpenEdit::doBrowseMultiple(QStringList& files) {
  const TGetOpenFileNameOptions opts(FFilterStr, true, dialogFilterNumber(), withSlash(currentFolder()));
  unsigned long number = 0;
  const QPointer<TKvQMultiFileOpenEdit> self(this);
  const std::vector<std::string> chosen = KvQtGetOpenFileNames(QtToKvStr(dialogCaption()), opts, &number);
  if (chosen.empty() || !self)
    return false;
  for (const std::string& f : chosen)
    files << fromUtf8(f);
  FCurFilterIdx = filterIdxOfDialogNumber(number);
  return true;
}

bool TKvQMultiFileOpenEdit::doBrowseSingle(QString& path) {
  const TGetOpenFileNameOptions opts(FFilterStr, false, dialogFilterNumber(), QtToKvStr(path));
  unsigned long number = 0;
  const QPointer<TKvQMultiFileOpenEdit> self(this);
  const std::string chosen = KvQtGetOpenFileName(QtToKvStr(dialogCaption()), opts, &number);
  if (chosen.empty() || !self)
    return false;
  path = fromUtf8(chosen);
  FCurFilterIdx = filterIdxOfDialogNumber(number);
  return true;
}

TKvPath TKvQMultiFileOpenEdit::currentFolder() {
  const QList<QTableWidgetSelectionRange> ranges = FTable->selectedRanges();
  if (!ranges.isEmpty()) {
    const QTableWidgetItem* item = FTable->item(ranges.first().topRow(), 0);
    if (item && !item->text().isEmpty())
      return folderOf(item->text());
  }
  if (!FLastFolder.empty())
    return FLastFolder;
  if (FTable->rowCount() > 0) {
    const QTableWidgetItem* item = FTable->item(0, 0);
    return folderOf(item ? item->text() : QString());
  }
  return TKvPath();
}

void TKvQMultiFileOpenEdit::appendNames(const QStringList& names, bool emitOnce) {
  QStringList added;
  added.reserve(names.size());
  for (const QString& n : names)
    if (!n.isEmpty())
      added << n;
  if (added.isEmpty())
    return;
  const int first = FTable->rowCount();
  FTable->setRowCount(first + added.size());
  if (FTable->isSortingEnabled()) {
    // Each new item moves to its place: the view must hear of every move.
    for (int i = 0; i < added.size(); ++i)
      initRow(first + i, added.at(i), true);
  } else {
    // One dataChanged for the whole block instead of one per item: the view
    // and its headers would otherwise take each new item on its own.
    {
      const QSignalBlocker quiet(FTable->model());
      for (int i = 0; i < added.size(); ++i)
        initRow(first + i, added.at(i), true);
    }
    Q_EMIT FTable->model()->dataChanged(FTable->model()->index(first, 0),
                                        FTable->model()->index(first + added.size() - 1, 0));
  }
  // A hidden table makes the buttons of its first rows at once; a shown one
  // those in view, once the rows are laid out.
  if (!FTable->isVisible())
    for (int r = first; r < kEagerButtonRows && r < FTable->rowCount(); ++r)
      makeRowButton(r);
  scheduleRowButtons();

  static const QMetaMethod signal = QMetaMethod::fromSignal(&TKvQMultiFileOpenEdit::filesChanged);
  if (!isSignalConnected(signal))
    return;
  QStringList sofar = first > 0 ? getFilesQt().mid(0, first) : QStringList();
  if (emitOnce) {
    sofar += added;
    Q_EMIT filesChanged(sofar);
    return;
  }
  // One emission per row, as if the rows came one by one.
  sofar.reserve(first + added.size());
  for (const QString& n : added) {
    sofar << n;
    Q_EMIT filesChanged(sofar);
  }
}

void TKvQMultiFileOpenEdit::initRow(int row, const QString& name, bool fresh) {
  QTableWidgetItem* item = fresh ? nullptr : FTable->item(row, 0);
  if (!item) {
    // A new item has no background to clear.
    item = new QTableWidgetItem(name);
    if (name.isEmpty())
      item->setBackground(QBrush(QColor(200, 200, 200, 255), Qt::Dense6Pattern));
    FTable->setItem(row, 0, item);
    return;
  }
  item->setText(name);
  if (name.isEmpty()) {
    item->setBackground(QBrush(QColor(200, 200, 200, 255), Qt::Dense6Pattern));
  } else if (item->background().style() != Qt::NoBrush) {
    QBrush brush = item->background();
    brush.setStyle(Qt::NoBrush);
    item->setBackground(brush);
  }
}

void TKvQMultiFileOpenEdit::makeRowButton(int row) {
  if (FTable->cellWidget(row, 1))
    return;
  auto* button = new QToolButton;
  button->setText(QStringLiteral("..."));
  button->setFocusPolicy(Qt::NoFocus);
  // The row is looked up when pressed: rows move, and a caller may replace
  // the row's item.
  const QPersistentModelIndex cell(FTable->model()->index(row, 0));
  connect(button, &QToolButton::pressed, this, [this, cell] {
    try {
      if (cell.isValid())
        browseSingle(FTable->item(cell.row(), 0));
    } catch (...) {
    }
  });
  FTable->setCellWidget(row, 1, button);
}

void TKvQMultiFileOpenEdit::scheduleRowButtons() {
  if (FButtonsPending || !FTable->isVisible())
    return;
  FButtonsPending = true;
  QTimer::singleShot(0, this, [this] {
    FButtonsPending = false;
    makeVisibleRowButtons();
  });
}

void TKvQMultiFileOpenEdit::makeVisibleRowButtons() {
  const int rows = FTable->rowCount();
  if (rows == 0 || !FTable->isVisible())
    return;
  int first = FTable->rowAt(0);
  int last = FTable->rowAt(FTable->viewport()->height() - 1);
  if (first < 0)
    first = 0;
  if (last < 0)
    last = rows - 1;
  for (int r = first; r <= last && r < rows; ++r)
    makeRowButton(r);
}

QStringList TKvQMultiFileOpenEdit::droppedFiles(const QMimeData* data) const {
  QStringList out;
  if (!data || !data->hasUrls())
    return out;
  const QList<QUrl> urls = data->urls();
  const int rows = FTable->rowCount();
  // The listed names, then the new local paths; a flat table of indexes into
  // them finds duplicates without an allocation per name.
  std::vector<QString> names;
  names.reserve(static_cast<size_t>(rows + urls.size()));
  size_t tableSize = 16;
  while (tableSize < 2 * names.capacity())
    tableSize *= 2;
  std::vector<int> table(tableSize, -1);
  const auto isNew = [&](int index) {
    const QString& name = names[static_cast<size_t>(index)];
    for (size_t i = qHash(name) & (tableSize - 1);; i = (i + 1) & (tableSize - 1)) {
      if (table[i] < 0) {
        table[i] = index;
        return true;
      }
      if (names[static_cast<size_t>(table[i])] == name)
        return false;
    }
  };
  for (int r = 0; r < rows; ++r) {
    if (const QTableWidgetItem* item = FTable->item(r, 0)) {
      names.push_back(item->text());
      isNew(static_cast<int>(names.size()) - 1);
    }
  }
  const int listed = static_cast<int>(names.size());
  for (const QUrl& url : urls) {
    if (!url.isLocalFile())
      continue;
    names.push_back(url.toLocalFile());
    if (!isNew(static_cast<int>(names.size()) - 1))
      names.pop_back();
  }
  out.reserve(static_cast<int>(names.size()) - listed);
  for (size_t i = static_cast<size_t>(listed); i < names.size(); ++i)
    out << names[i];
  return out;
}

void TKvQMultiFileOpenEdit::checkDropped(const QStringList& paths) {
  struct TCheck {
    QPointer<TKvQMultiFileOpenEdit> edit;
    QStringList paths;
    quint64 generation;
    QVector<bool> files;
  };
  auto check = std::make_shared<TCheck>(TCheck{this, paths, FRowsGeneration, {}});
  ++FDropChecks;
  QThreadPool::globalInstance()->start([check] {
    check->files = KvQtExistingFiles(check->paths);
    // The application waits for the pool before it goes; past that point
    // nobody is left to take the answer.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
      return;
    QMetaObject::invokeMethod(
        app,
        [check] {
          if (check->edit)
            check->edit->droppedChecked(check->paths, check->files, check->generation);
        },
        Qt::QueuedConnection);
  });
}

void TKvQMultiFileOpenEdit::droppedChecked(const QStringList& paths, const QVector<bool>& files,
                                           quint64 generation) {
  --FDropChecks;
  if (generation != FRowsGeneration)
    return;
  QSet<QString> refused;
  for (int i = 0; i < paths.size(); ++i)
    if (!files.at(i))
      refused.insert(paths.at(i));
  if (refused.isEmpty())
    return;
  QList<int> rows;
  for (int r = 0; r < FTable->rowCount(); ++r) {
    const QTableWidgetItem* item = FTable->item(r, 0);
    if (item && refused.contains(item->text()))
      rows << r;
  }
  if (rows.isEmpty())
    return;
  removeRowRuns(rows);
  emitOnEdit();
}

bool TKvQMultiFileOpenEdit::dropMayAdd(const QMimeData* data) const {
  if (!data || !data->hasUrls())
    return false;
  // Looking at every URL of a huge drag would stall the drag: the first
  // local files decide, the drop itself checks them all.
  QStringList first;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile())
      first << url.toLocalFile();
    if (first.size() >= 16)
      break;
  }
  const QVector<bool> files = KvQtExistingFiles(first);
  return std::find(files.cbegin(), files.cend(), true) != files.cend();
}

bool TKvQMultiFileOpenEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FTable->viewport())
    return QWidget::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::Resize:
  case QEvent::Show:
    scheduleRowButtons();
    break;
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (event->type() == QEvent::DragEnter)
      FDropOk = dropMayAdd(drag->mimeData());
    if (!FDropOk)
      drag->ignore();
    else
      drag->acceptProposedAction();
    return true;
  }
  case QEvent::Drop: {
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = droppedFiles(drop->mimeData());
    if (files.isEmpty()) {
      drop->ignore();
      return true;
    }
    drop->acceptProposedAction();
    try {
      checkDropped(files); // on its way while the rows are made
      appendNames(files, true);
    } catch (...) {
    }
    return true;
  }
  default:
    break;
  }
  return QWidget::eventFilter(watched, event);
}

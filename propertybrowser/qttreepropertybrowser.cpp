#include "qttreepropertybrowser.h"
#include "qtpropertybrowser_p.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const int kNameColumn = 0;
const int kValueColumn = 1;

QHeaderView::ResizeMode ToHeaderMode(QtTreePropertyBrowser::ResizeMode mode) {
  switch (mode) {
  case QtTreePropertyBrowser::Interactive: return QHeaderView::Interactive;
  case QtTreePropertyBrowser::Fixed: return QHeaderView::Fixed;
  case QtTreePropertyBrowser::ResizeToContents: return QHeaderView::ResizeToContents;
  case QtTreePropertyBrowser::Stretch: break;
  }
  return QHeaderView::Stretch;
}
} // namespace

// The view: a tree widget whose editing always happens in the value column.
class QtPropertyTreeView : public QTreeWidget {
public:
  QtPropertyTreeView(QtTreePropertyBrowserPrivate* d, QWidget* parent) : QTreeWidget(parent), d(d) {}

  bool isEditing() const { return state() == EditingState; }
  QTreeWidgetItem* treeItem(const QModelIndex& index) const { return itemFromIndex(index); }
  // Closes `editor` without committing.
  void discardEditor(QWidget* editor) { closeEditor(editor, QAbstractItemDelegate::RevertModelCache); }

protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
    if (!index.isValid())
      return false;
    return QTreeWidget::edit(index.sibling(index.row(), kValueColumn), trigger, event);
  }
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  QtTreePropertyBrowserPrivate* d;
};

// Editors come from the browser's factories; the model holds only texts, so
// committing is left to the editors and their factories.
class QtPropertyDelegate : public QStyledItemDelegate {
public:
  QtPropertyDelegate(QtTreePropertyBrowserPrivate* d, QObject* parent) : QStyledItemDelegate(parent), d(d) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget*, const QModelIndex&) const override {}
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    // An editor taller than a row (a list) reaches down over the rows below.
    QRect rect = option.rect;
    rect.setHeight(qMax(rect.height(), editor->minimumHeight()));
    editor->setGeometry(rect);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    // Room for the frames of spin boxes and combo boxes.
    return QStyledItemDelegate::sizeHint(option, index) + QSize(3, 6);
  }
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

protected:
  bool eventFilter(QObject* object, QEvent* event) override;

private:
  QtTreePropertyBrowserPrivate* d;
};

class QtTreePropertyBrowserPrivate {
public:
  QtTreePropertyBrowser* q = nullptr;
  QtPropertyTreeView* view = nullptr;
  QHash<QtBrowserItem*, QTreeWidgetItem*> toTree;
  QHash<QTreeWidgetItem*, QtBrowserItem*> fromTree;
  QHash<QtBrowserItem*, QColor> colors;
  QtTreePropertyBrowser::ResizeMode resizeMode = QtTreePropertyBrowser::Stretch;
  bool markWithoutValue = false;
  bool syncingCurrent = false;
  QPointer<QWidget> editor;
  QtBrowserItem* editedItem = nullptr;

  bool isEnabled(const QtBrowserItem* item) const {
    for (; item; item = item->parent())
      if (!item->property()->isEnabled())
        return false;
    return true;
  }
  bool isEditable(QTreeWidgetItem* treeItem) const {
    return treeItem && (treeItem->flags() & (Qt::ItemIsEnabled | Qt::ItemIsEditable)) ==
                           (Qt::ItemIsEnabled | Qt::ItemIsEditable);
  }
  void fill(QtBrowserItem* item, QTreeWidgetItem* treeItem) const;
  void refreshSubtree(QtBrowserItem* item);
  QWidget* createEditor(const QModelIndex& index, QWidget* parent);
  void forgetEditor(QWidget* widget);
  // Stops the open editor from telling anybody anything: it is on its way out
  // without its contents being wanted.
  void silenceEditor() {
    if (editor)
      editor->blockSignals(true);
  }
};

void QtTreePropertyBrowserPrivate::fill(QtBrowserItem* item, QTreeWidgetItem* treeItem) const {
  const QtProperty* property = item->property();
  const bool hasValue = property->hasValue();
  treeItem->setText(kNameColumn, property->propertyName());
  treeItem->setText(kValueColumn, hasValue ? property->displayText() : QString());
  treeItem->setIcon(kValueColumn, hasValue ? property->valueIcon() : QIcon());
  treeItem->setToolTip(kNameColumn, property->descriptionToolTip());
  treeItem->setToolTip(kValueColumn, property->valueToolTip());
  treeItem->setStatusTip(kNameColumn, property->statusTip());
  treeItem->setWhatsThis(kNameColumn, property->whatsThis());
  Qt::ItemFlags flags = Qt::ItemIsSelectable;
  if (isEnabled(item))
    flags |= Qt::ItemIsEnabled;
  if (hasValue)
    flags |= Qt::ItemIsEditable;
  if (treeItem->flags() != flags)
    treeItem->setFlags(flags);
  QFont font = treeItem->font(kNameColumn);
  if (font.bold() != property->isModified()) {
    font.setBold(property->isModified());
    treeItem->setFont(kNameColumn, font);
  }
  const QColor color = q->calculatedBackgroundColor(item);
  if (color.isValid() || (!hasValue && markWithoutValue)) {
    const QBrush brush(color.isValid() ? color : q->palette().color(QPalette::Dark));
    treeItem->setBackground(kNameColumn, brush);
    treeItem->setBackground(kValueColumn, brush);
  } else if (treeItem->background(kNameColumn).style() != Qt::NoBrush) {
    treeItem->setBackground(kNameColumn, QBrush());
    treeItem->setBackground(kValueColumn, QBrush());
  }
}

void QtTreePropertyBrowserPrivate::refreshSubtree(QtBrowserItem* item) {
  if (QTreeWidgetItem* treeItem = toTree.value(item))
    fill(item, treeItem);
  for (QtBrowserItem* child : item->children())
    refreshSubtree(child);
}

QWidget* QtTreePropertyBrowserPrivate::createEditor(const QModelIndex& index, QWidget* parent) {
  QtBrowserItem* item = fromTree.value(view->treeItem(index));
  if (!item || index.column() != kValueColumn || !isEnabled(item))
    return nullptr;
  QWidget* widget = q->createEditor(item->property(), parent);
  if (!widget)
    return nullptr;
  widget->setAutoFillBackground(true);
  editor = widget;
  editedItem = item;
  QObject::connect(widget, &QObject::destroyed, q, [this](QObject* object) {
    if (object == editor.data() || !editor)
      editedItem = nullptr;
  });
  return widget;
}

void QtTreePropertyBrowserPrivate::forgetEditor(QWidget* widget) {
  if (widget == editor.data()) {
    editor = nullptr;
    editedItem = nullptr;
  }
}

QWidget* QtPropertyDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
  return d->createEditor(index, parent);
}

void QtPropertyDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  d->forgetEditor(editor);
  QStyledItemDelegate::destroyEditor(editor, index);
}

bool QtPropertyDelegate::eventFilter(QObject* object, QEvent* event) {
  QWidget* editor = qobject_cast<QWidget*>(object);
  if (editor && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    // Discard: the editor must not commit on its way out (a spin box
    // commits when it loses focus).
    editor->blockSignals(true);
    emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    return true;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

void QtPropertyTreeView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    // Return inside an editor commits it (the editor has seen the key
    // already); it must not also press a dialog's default button.
    if (isEditing()) {
      event->accept();
      return;
    }
    Q_FALLTHROUGH();
  case Qt::Key_Space:
  case Qt::Key_F2:
    if (!isEditing() && d->isEditable(currentItem())) {
      event->accept();
      editItem(currentItem(), kValueColumn);
      return;
    }
    break;
  default:
    break;
  }
  QTreeWidget::keyPressEvent(event);
}

void QtPropertyTreeView::mousePressEvent(QMouseEvent* event) {
  QTreeWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton)
    return;
  QTreeWidgetItem* item = itemAt(event->pos());
  // A click on the expand arrow only folds.
  const int indentOf = header()->sectionViewportPosition(kNameColumn) +
                       indentation() * (rootIsDecorated() ? 1 : 0);
  if (item && item == currentItem() && d->isEditable(item) &&
      (event->pos().x() >= indentOf || item->childCount() == 0) && !isEditing())
    editItem(item, kValueColumn);
}

// ----------------------------------------------------- QtTreePropertyBrowser

QtTreePropertyBrowser::QtTreePropertyBrowser(QWidget* parent)
    : QtAbstractPropertyBrowser(parent), d(new QtTreePropertyBrowserPrivate) {
  d->q = this;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  d->view = new QtPropertyTreeView(d, this);
  d->view->setItemDelegate(new QtPropertyDelegate(d, d->view));
  d->view->setColumnCount(2);
  d->view->setHeaderLabels(
      {QCoreApplication::translate("QtTreePropertyBrowser", "Свойство", "KvQtCpnt:QtTreePropertyBrowser.Property"),
       QCoreApplication::translate("QtTreePropertyBrowser", "Значение", "KvQtCpnt:QtTreePropertyBrowser.Value")});
  d->view->setUniformRowHeights(true);
  d->view->setAlternatingRowColors(true);
  d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  d->view->setSelectionBehavior(QAbstractItemView::SelectRows);
  d->view->setSelectionMode(QAbstractItemView::SingleSelection);
  d->view->setAllColumnsShowFocus(true);
  d->view->setExpandsOnDoubleClick(false);
  d->view->header()->setSectionsMovable(false);
  d->view->header()->setSectionResizeMode(QHeaderView::Stretch);
  // Sizing columns to their contents measures the rows in view only, not
  // every row of a long sheet on every layout pass.
  d->view->header()->setResizeContentsPrecision(0);
  setFocusProxy(d->view);
  layout->addWidget(d->view);

  connect(d->view, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (d->syncingCurrent)
      return;
    d->syncingCurrent = true;
    setCurrentItem(d->fromTree.value(current));
    d->syncingCurrent = false;
  });
  connect(this, &QtAbstractPropertyBrowser::currentItemChanged, this, [this](QtBrowserItem* item) {
    if (d->syncingCurrent)
      return;
    d->syncingCurrent = true;
    d->view->setCurrentItem(d->toTree.value(item));
    d->syncingCurrent = false;
  });
  connect(d->view, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (QtBrowserItem* b = d->fromTree.value(item))
      emit collapsed(b);
  });
  connect(d->view, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (QtBrowserItem* b = d->fromTree.value(item))
      emit expanded(b);
  });
}

QtTreePropertyBrowser::~QtTreePropertyBrowser() {
  // The view goes first, with any open editor, so that no editor signal
  // reaches a half-destroyed browser.
  QtReleaseEditor(d->editor);
  delete d->view;
  d->view = nullptr;
  delete d;
}

int QtTreePropertyBrowser::indentation() const { return d->view->indentation(); }
void QtTreePropertyBrowser::setIndentation(int i) { d->view->setIndentation(i); }
bool QtTreePropertyBrowser::rootIsDecorated() const { return d->view->rootIsDecorated(); }
void QtTreePropertyBrowser::setRootIsDecorated(bool show) { d->view->setRootIsDecorated(show); }
bool QtTreePropertyBrowser::alternatingRowColors() const { return d->view->alternatingRowColors(); }
void QtTreePropertyBrowser::setAlternatingRowColors(bool enable) { d->view->setAlternatingRowColors(enable); }
bool QtTreePropertyBrowser::isHeaderVisible() const { return !d->view->isHeaderHidden(); }
void QtTreePropertyBrowser::setHeaderVisible(bool visible) { d->view->setHeaderHidden(!visible); }
QtTreePropertyBrowser::ResizeMode QtTreePropertyBrowser::resizeMode() const { return d->resizeMode; }

void QtTreePropertyBrowser::setResizeMode(ResizeMode mode) {
  if (d->resizeMode == mode)
    return;
  d->resizeMode = mode;
  d->view->header()->setSectionResizeMode(ToHeaderMode(mode));
}

int QtTreePropertyBrowser::splitterPosition() const { return d->view->header()->sectionSize(kNameColumn); }
void QtTreePropertyBrowser::setSplitterPosition(int position) {
  d->view->header()->resizeSection(kNameColumn, position);
}

void QtTreePropertyBrowser::setExpanded(QtBrowserItem* item, bool expanded) {
  if (QTreeWidgetItem* treeItem = d->toTree.value(item))
    treeItem->setExpanded(expanded);
}

bool QtTreePropertyBrowser::isExpanded(QtBrowserItem* item) const {
  QTreeWidgetItem* treeItem = d->toTree.value(item);
  return treeItem && treeItem->isExpanded();
}

bool QtTreePropertyBrowser::isItemVisible(QtBrowserItem* item) const {
  QTreeWidgetItem* treeItem = d->toTree.value(item);
  return treeItem && !treeItem->isHidden();
}

void QtTreePropertyBrowser::setItemVisible(QtBrowserItem* item, bool visible) {
  if (QTreeWidgetItem* treeItem = d->toTree.value(item))
    treeItem->setHidden(!visible);
}

void QtTreePropertyBrowser::setBackgroundColor(QtBrowserItem* item, const QColor& color) {
  if (!d->toTree.contains(item))
    return;
  if (color.isValid())
    d->colors.insert(item, color);
  else
    d->colors.remove(item);
  d->refreshSubtree(item);
}

QColor QtTreePropertyBrowser::backgroundColor(QtBrowserItem* item) const { return d->colors.value(item); }

QColor QtTreePropertyBrowser::calculatedBackgroundColor(QtBrowserItem* item) const {
  for (; item; item = item->parent()) {
    const auto it = d->colors.constFind(item);
    if (it != d->colors.cend())
      return it.value();
  }
  return QColor();
}

void QtTreePropertyBrowser::setPropertiesWithoutValueMarked(bool mark) {
  if (d->markWithoutValue == mark)
    return;
  d->markWithoutValue = mark;
  for (QtBrowserItem* item : topLevelItems())
    d->refreshSubtree(item);
}

bool QtTreePropertyBrowser::propertiesWithoutValueMarked() const { return d->markWithoutValue; }

void QtTreePropertyBrowser::editItem(QtBrowserItem* item) {
  QTreeWidgetItem* treeItem = d->toTree.value(item);
  if (!d->isEditable(treeItem))
    return;
  d->view->setCurrentItem(treeItem, kValueColumn);
  d->view->editItem(treeItem, kValueColumn);
}

void QtTreePropertyBrowser::itemInserted(QtBrowserItem* item, QtBrowserItem* afterItem) {
  // The row is filled before it joins the tree, so that filling it costs no
  // model signals: opening a sheet of thousands of rows stays one pass.
  auto* treeItem = new QTreeWidgetItem;
  d->fill(item, treeItem);
  QTreeWidgetItem* afterTree = d->toTree.value(afterItem);
  if (QTreeWidgetItem* parentTree = d->toTree.value(item->parent())) {
    parentTree->insertChild(afterTree ? parentTree->indexOfChild(afterTree) + 1 : 0, treeItem);
    if (parentTree->childCount() == 1)
      parentTree->setExpanded(true);
  } else {
    const int count = d->view->topLevelItemCount();
    int pos = 0;
    if (afterTree)
      pos = count > 0 && d->view->topLevelItem(count - 1) == afterTree
                ? count
                : d->view->indexOfTopLevelItem(afterTree) + 1;
    d->view->insertTopLevelItem(pos, treeItem);
  }
  d->toTree.insert(item, treeItem);
  d->fromTree.insert(treeItem, item);
}

void QtTreePropertyBrowser::itemRemoved(QtBrowserItem* item) {
  QTreeWidgetItem* treeItem = d->toTree.take(item);
  d->colors.remove(item);
  if (!treeItem)
    return;
  d->fromTree.remove(treeItem);
  if (d->editedItem == item) {
    d->silenceEditor();
    d->editedItem = nullptr;
  }
  delete treeItem;
}

void QtTreePropertyBrowser::itemChanged(QtBrowserItem* item) {
  const bool wasEnabled = d->toTree.contains(item) && (d->toTree.value(item)->flags() & Qt::ItemIsEnabled);
  if (QTreeWidgetItem* treeItem = d->toTree.value(item))
    d->fill(item, treeItem);
  // Enabling or disabling reaches the sub-properties.
  if (d->toTree.contains(item) && wasEnabled != bool(d->toTree.value(item)->flags() & Qt::ItemIsEnabled))
    for (QtBrowserItem* child : item->children())
      d->refreshSubtree(child);
  if (d->editedItem == item && !d->isEnabled(item) && d->editor) {
    d->silenceEditor();
    d->view->discardEditor(d->editor);
  }
}

#include "qtpropertybrowser.h"
#include "qtpropertybrowser_p.h"

#include <QApplication>

// ---------------------------------------------------------------- QtProperty

QtProperty::QtProperty(QtAbstractPropertyManager* manager) : FManager(manager) {}

QtProperty::~QtProperty() {
  // Parents first learn that it leaves them, then the browsers that it dies.
  const QSet<QtProperty*> parents = FParentItems;
  for (QtProperty* parent : parents)
    parent->removeSubProperty(this);
  if (FManager) {
    emit FManager->propertyDestroyed(this);
    FManager->uninitializeProperty(this);
    FManager->FProperties.remove(this);
  }
  for (QtProperty* child : qAsConst(FSubItems))
    child->FParentItems.remove(this);
}

bool QtProperty::hasValue() const { return FManager && FManager->hasValue(this); }
QIcon QtProperty::valueIcon() const { return FManager ? FManager->valueIcon(this) : QIcon(); }
QString QtProperty::valueText() const { return FManager ? FManager->valueText(this) : QString(); }
QString QtProperty::displayText() const { return FManager ? FManager->displayText(this) : QString(); }

void QtProperty::propertyChanged() {
  if (FManager)
    emit FManager->propertyChanged(this);
}

#define KV_PB_SETTER(member, value) \
  do { \
    if (member == value) \
      return; \
    member = value; \
    propertyChanged(); \
  } while (0)

void QtProperty::setDescriptionToolTip(const QString& text) { KV_PB_SETTER(FDescriptionToolTip, text); }
void QtProperty::setValueToolTip(const QString& text) { KV_PB_SETTER(FValueToolTip, text); }
void QtProperty::setStatusTip(const QString& text) { KV_PB_SETTER(FStatusTip, text); }
void QtProperty::setWhatsThis(const QString& text) { KV_PB_SETTER(FWhatsThis, text); }
void QtProperty::setPropertyName(const QString& text) { KV_PB_SETTER(FName, text); }
void QtProperty::setEnabled(bool enable) { KV_PB_SETTER(FEnabled, enable); }
void QtProperty::setModified(bool modified) { KV_PB_SETTER(FModified, modified); }

#undef KV_PB_SETTER

bool QtProperty::isAncestorOf(const QtProperty* property) const {
  for (const QtProperty* child : FSubItems)
    if (child == property || child->isAncestorOf(property))
      return true;
  return false;
}

void QtProperty::addSubProperty(QtProperty* property) {
  insertSubProperty(property, FSubItems.isEmpty() ? nullptr : FSubItems.last());
}

void QtProperty::insertSubProperty(QtProperty* property, QtProperty* afterProperty) {
  if (!property || property == this || property->isAncestorOf(this) || FSubItems.contains(property))
    return;
  int pos = 0;
  if (afterProperty) {
    // An `afterProperty` that is no sub-property of this one means the end.
    if (!FSubItems.contains(afterProperty))
      afterProperty = FSubItems.isEmpty() ? nullptr : FSubItems.last();
    pos = FSubItems.indexOf(afterProperty) + 1;
  }
  FSubItems.insert(pos, property);
  property->FParentItems.insert(this);
  if (FManager)
    emit FManager->propertyInserted(property, this, afterProperty);
}

void QtProperty::removeSubProperty(QtProperty* property) {
  const int pos = FSubItems.indexOf(property);
  if (pos < 0)
    return;
  FSubItems.removeAt(pos);
  property->FParentItems.remove(this);
  if (FManager)
    emit FManager->propertyRemoved(property, this);
}

void QtReleaseEditor(QWidget* editor) {
  if (!editor)
    return;
  editor->blockSignals(true);
  QWidget* focus = QApplication::focusWidget();
  if (focus && (focus == editor || editor->isAncestorOf(focus)))
    focus->clearFocus();
  delete editor;
}

// ------------------------------------------------- QtAbstractPropertyManager

QtAbstractPropertyManager::QtAbstractPropertyManager(QObject* parent) : QObject(parent) {}

QtAbstractPropertyManager::~QtAbstractPropertyManager() { clear(); }

void QtAbstractPropertyManager::clear() const {
  // From a copy: taking the first of a set that empties from the front
  // would make clearing quadratic.
  const QSet<QtProperty*> properties = FProperties;
  for (QtProperty* property : properties)
    if (FProperties.contains(property))
      delete property;
}

QtProperty* QtAbstractPropertyManager::addProperty(const QString& name) {
  QtProperty* property = createProperty();
  if (!property)
    return nullptr;
  property->FName = name;
  FProperties.insert(property);
  initializeProperty(property);
  return property;
}

bool QtAbstractPropertyManager::hasValue(const QtProperty*) const { return true; }
QIcon QtAbstractPropertyManager::valueIcon(const QtProperty*) const { return QIcon(); }
QString QtAbstractPropertyManager::valueText(const QtProperty*) const { return QString(); }
QString QtAbstractPropertyManager::displayText(const QtProperty* property) const { return valueText(property); }
QLineEdit::EchoMode QtAbstractPropertyManager::echoMode(const QtProperty*) const { return QLineEdit::Normal; }
void QtAbstractPropertyManager::uninitializeProperty(QtProperty*) {}
QtProperty* QtAbstractPropertyManager::createProperty() { return new QtProperty(this); }

// ------------------------------------------------- QtAbstractPropertyBrowser

QtAbstractPropertyBrowser::QtAbstractPropertyBrowser(QWidget* parent) : QWidget(parent) {}

namespace {
// How many browsers use each factory for each manager: a factory forgets a
// manager when the last browser that paired them lets go.
using TFactoryUse = QHash<QPair<QObject*, QObject*>, int>;
Q_GLOBAL_STATIC(TFactoryUse, GFactoryUse)
// Null once the table is gone at exit (a browser may die later than it).
TFactoryUse* FactoryUse() { return GFactoryUse.isDestroyed() ? nullptr : GFactoryUse(); }
QPair<QObject*, QObject*> UseKey(QObject* factory, QObject* manager) { return qMakePair(factory, manager); }
} // namespace

void QtAbstractPropertyBrowser::freeItem(QtBrowserItem* item) {
  for (QtBrowserItem* child : qAsConst(item->FChildren))
    freeItem(child);
  delete item;
}

QtAbstractPropertyBrowser::~QtAbstractPropertyBrowser() {
  // Items only (the view that showed them is gone already); the properties
  // belong to their managers.
  for (QtBrowserItem* item : qAsConst(FTopItems))
    freeItem(item);
  const QList<QtAbstractPropertyManager*> managers = FFactories.keys();
  for (QtAbstractPropertyManager* manager : managers)
    unsetFactoryForManager(manager);
}

QtBrowserItem* QtAbstractPropertyBrowser::topLevelItem(QtProperty* property) const {
  if (!FTopLevel.contains(property))
    return nullptr;
  const int pos = FTopProperties.indexOf(property);
  return pos < 0 ? nullptr : FTopItems.at(pos);
}

void QtAbstractPropertyBrowser::clear() {
  while (!FTopProperties.isEmpty())
    removeProperty(FTopProperties.last());
}

void QtAbstractPropertyBrowser::registerFactory(QtAbstractPropertyManager* manager,
                                                QtAbstractEditorFactoryBase* factory) {
  FFactories.insert(manager, factory);
  if (TFactoryUse* use = FactoryUse())
    ++(*use)[UseKey(factory, manager)];
  connect(factory, &QObject::destroyed, this, &QtAbstractPropertyBrowser::factoryDestroyed,
          Qt::UniqueConnection);
  connect(manager, &QObject::destroyed, this, &QtAbstractPropertyBrowser::managerDestroyed,
          Qt::UniqueConnection);
}

void QtAbstractPropertyBrowser::unsetFactoryForManager(QtAbstractPropertyManager* manager) {
  QtAbstractEditorFactoryBase* factory = FFactories.take(manager);
  if (!factory)
    return;
  if (TFactoryUse* use = FactoryUse()) {
    auto it = use->find(UseKey(factory, manager));
    if (it != use->end() && --it.value() > 0)
      return;
    if (it != use->end())
      use->erase(it);
  }
  factory->breakConnection(manager);
}

void QtAbstractPropertyBrowser::factoryDestroyed(QObject* factory) {
  for (auto it = FFactories.begin(); it != FFactories.end();) {
    if (static_cast<QObject*>(it.value()) != factory) {
      ++it;
      continue;
    }
    if (TFactoryUse* use = FactoryUse())
      use->remove(UseKey(factory, it.key()));
    it = FFactories.erase(it);
  }
}

void QtAbstractPropertyBrowser::managerDestroyed(QObject* manager) {
  for (auto it = FFactories.begin(); it != FFactories.end();) {
    if (static_cast<QObject*>(it.key()) != manager) {
      ++it;
      continue;
    }
    if (TFactoryUse* use = FactoryUse())
      use->remove(UseKey(it.value(), manager));
    it = FFactories.erase(it);
  }
}

void QtAbstractPropertyBrowser::setCurrentItem(QtBrowserItem* item) {
  if (item == FCurrentItem)
    return;
  FCurrentItem = item;
  emit currentItemChanged(item);
}

QtBrowserItem* QtAbstractPropertyBrowser::addProperty(QtProperty* property) {
  return insertTopLevel(property, FTopProperties.size());
}

QtBrowserItem* QtAbstractPropertyBrowser::insertProperty(QtProperty* property, QtProperty* afterProperty) {
  int pos = 0;
  if (afterProperty) {
    pos = FTopProperties.lastIndexOf(afterProperty);
    if (pos < 0)
      return nullptr;
    ++pos;
  }
  return insertTopLevel(property, pos);
}

QtBrowserItem* QtAbstractPropertyBrowser::insertTopLevel(QtProperty* property, int position) {
  // A property is a top-level row at most once.
  if (!property || FTopLevel.contains(property))
    return nullptr;
  QtBrowserItem* after = position > 0 ? FTopItems.at(position - 1) : nullptr;
  FTopProperties.insert(position, property);
  QtBrowserItem* item = new QtBrowserItem(this, property, nullptr);
  FTopItems.insert(position, item);
  FTopLevel.insert(property);
  FPropertyToItems[property].append(item);
  addToManager(property);
  itemInserted(item, after);
  QtBrowserItem* prev = nullptr;
  for (QtProperty* child : property->subProperties())
    prev = createItem(child, item, prev);
  return item;
}

QtBrowserItem* QtAbstractPropertyBrowser::createItem(QtProperty* property, QtBrowserItem* parent,
                                                     QtBrowserItem* after) {
  QtBrowserItem* item = new QtBrowserItem(this, property, parent);
  const int pos = after ? parent->FChildren.indexOf(after) + 1 : 0;
  parent->FChildren.insert(pos, item);
  FPropertyToItems[property].append(item);
  addToManager(property);
  itemInserted(item, after);
  QtBrowserItem* prev = nullptr;
  for (QtProperty* child : property->subProperties())
    prev = createItem(child, item, prev);
  return item;
}

void QtAbstractPropertyBrowser::removeProperty(QtProperty* property) {
  if (!FTopLevel.remove(property))
    return;
  const int pos = FTopProperties.indexOf(property);
  QtBrowserItem* item = FTopItems.at(pos);
  FTopProperties.removeAt(pos);
  FTopItems.removeAt(pos);
  deleteItem(item);
}

void QtAbstractPropertyBrowser::deleteItem(QtBrowserItem* item) {
  // Children first, so that the view removes rows from the bottom up.
  while (!item->FChildren.isEmpty())
    deleteItem(item->FChildren.takeLast());
  if (item->FParent)
    item->FParent->FChildren.removeOne(item);
  // The view drops the row (and any editor of it) before the current item
  // moves, so that no editor commits into a property on its way out.
  itemRemoved(item);
  if (FCurrentItem == item)
    setCurrentItem(nullptr);
  QList<QtBrowserItem*>& list = FPropertyToItems[item->FProperty];
  list.removeOne(item);
  if (list.isEmpty())
    FPropertyToItems.remove(item->FProperty);
  removeFromManager(item->FProperty);
  delete item;
}

void QtAbstractPropertyBrowser::addToManager(QtProperty* property) {
  QtAbstractPropertyManager* manager = property->propertyManager();
  if (!manager || FManagerUse[manager]++ > 0)
    return;
  connect(manager, &QtAbstractPropertyManager::propertyInserted, this,
          &QtAbstractPropertyBrowser::slotPropertyInserted);
  connect(manager, &QtAbstractPropertyManager::propertyRemoved, this,
          &QtAbstractPropertyBrowser::slotPropertyRemoved);
  connect(manager, &QtAbstractPropertyManager::propertyDestroyed, this,
          &QtAbstractPropertyBrowser::slotPropertyDestroyed);
  connect(manager, &QtAbstractPropertyManager::propertyChanged, this,
          &QtAbstractPropertyBrowser::slotPropertyChanged);
}

void QtAbstractPropertyBrowser::removeFromManager(QtProperty* property) {
  QtAbstractPropertyManager* manager = property->propertyManager();
  auto it = FManagerUse.find(manager);
  if (it == FManagerUse.end() || --it.value() > 0)
    return;
  FManagerUse.erase(it);
  disconnect(manager, &QtAbstractPropertyManager::propertyInserted, this,
             &QtAbstractPropertyBrowser::slotPropertyInserted);
  disconnect(manager, &QtAbstractPropertyManager::propertyRemoved, this,
             &QtAbstractPropertyBrowser::slotPropertyRemoved);
  disconnect(manager, &QtAbstractPropertyManager::propertyDestroyed, this,
             &QtAbstractPropertyBrowser::slotPropertyDestroyed);
  disconnect(manager, &QtAbstractPropertyManager::propertyChanged, this,
             &QtAbstractPropertyBrowser::slotPropertyChanged);
}

void QtAbstractPropertyBrowser::slotPropertyInserted(QtProperty* property, QtProperty* parent,
                                                     QtProperty* after) {
  // Every appearance of the parent gets the new child, after the
  // appearance of `after` among its children.
  const QList<QtBrowserItem*> parentItems = FPropertyToItems.value(parent);
  for (QtBrowserItem* parentItem : parentItems) {
    QtBrowserItem* afterItem = nullptr;
    for (QtBrowserItem* child : qAsConst(parentItem->FChildren))
      if (child->FProperty == after)
        afterItem = child;
    createItem(property, parentItem, afterItem);
  }
}

void QtAbstractPropertyBrowser::slotPropertyRemoved(QtProperty* property, QtProperty* parent) {
  const QList<QtBrowserItem*> parentItems = FPropertyToItems.value(parent);
  for (QtBrowserItem* parentItem : parentItems)
    for (QtBrowserItem* child : parentItem->FChildren)
      if (child->FProperty == property) {
        deleteItem(child);
        break;
      }
}

void QtAbstractPropertyBrowser::slotPropertyDestroyed(QtProperty* property) {
  // Its appearances as a sub-property went with propertyRemoved.
  removeProperty(property);
}

void QtAbstractPropertyBrowser::slotPropertyChanged(QtProperty* property) {
  const QList<QtBrowserItem*> items = FPropertyToItems.value(property);
  for (QtBrowserItem* item : items)
    itemChanged(item);
}

QWidget* QtAbstractPropertyBrowser::createEditor(QtProperty* property, QWidget* parent) {
  QtAbstractEditorFactoryBase* factory = FFactories.value(property->propertyManager());
  return factory ? factory->createEditor(property, parent) : nullptr;
}

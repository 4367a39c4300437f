#pragma once
// The core of the property browser: properties, their managers, editor
// factories and the abstract browser.
//
// A manager (QtAbstractPropertyManager subclass) creates and owns properties
// of its kind and keeps their values; a browser shows properties as rows; an
// editor factory registered for a manager in a browser creates the in-place
// editor of a row and keeps it in step with the manager in both directions.
//
// Ownership: a property belongs to the manager that created it and dies with
// it (or by `delete`); browsers and parents only refer to it. Browser items
// belong to their browser. Editors belong to the browser's view (their Qt
// parent); a factory may delete the editors it made at any time, the browser
// copes with that.
//
// Choices of this implementation:
// - A property never becomes a sub-property of itself or of one of its own
//   sub-properties; such a request is ignored, as is inserting a property that
//   is already a sub-property of the same parent.
// - A manager removes its properties in clear(); subclasses call clear() in
//   their own destructor, so that uninitializeProperty() still reaches them.
// - QtProperty offers both the older single tool tip (toolTip()) and the
//   separate description and value tool tips; toolTip() is the description
//   tool tip.

#include "kvpropertybrowser_export.h"

#include <QIcon>
#include <QLineEdit>
#include <QList>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QWidget>

class QtAbstractPropertyManager;
class QtAbstractPropertyBrowser;
class QtBrowserItem;

class KVPROPERTYBROWSER_EXPORT QtProperty {
public:
  virtual ~QtProperty();

  QList<QtProperty*> subProperties() const { return FSubItems; }
  QtAbstractPropertyManager* propertyManager() const { return FManager; }

  QString toolTip() const { return FDescriptionToolTip; }
  QString descriptionToolTip() const { return FDescriptionToolTip; }
  QString valueToolTip() const { return FValueToolTip; }
  QString statusTip() const { return FStatusTip; }
  QString whatsThis() const { return FWhatsThis; }
  QString propertyName() const { return FName; }
  bool isEnabled() const { return FEnabled; }
  bool isModified() const { return FModified; }

  // Asked of the manager.
  bool hasValue() const;
  QIcon valueIcon() const;
  QString valueText() const;
  QString displayText() const;

  void setToolTip(const QString& text) { setDescriptionToolTip(text); }
  void setDescriptionToolTip(const QString& text);
  void setValueToolTip(const QString& text);
  void setStatusTip(const QString& text);
  void setWhatsThis(const QString& text);
  void setPropertyName(const QString& text);
  void setEnabled(bool enable);
  void setModified(bool modified);

  // `property` stays owned by its manager; this property only refers to it.
  void addSubProperty(QtProperty* property);
  void insertSubProperty(QtProperty* property, QtProperty* afterProperty);
  void removeSubProperty(QtProperty* property);

protected:
  explicit QtProperty(QtAbstractPropertyManager* manager);
  // Tells every browser showing the property that its row must be redrawn.
  void propertyChanged();

private:
  friend class QtAbstractPropertyManager;
  bool isAncestorOf(const QtProperty* property) const;

  QtAbstractPropertyManager* FManager;
  QString FName;
  QString FDescriptionToolTip;
  QString FValueToolTip;
  QString FStatusTip;
  QString FWhatsThis;
  bool FEnabled = true;
  bool FModified = false;
  QList<QtProperty*> FSubItems;
  QSet<QtProperty*> FParentItems;
};

class KVPROPERTYBROWSER_EXPORT QtAbstractPropertyManager : public QObject {
  Q_OBJECT
public:
  explicit QtAbstractPropertyManager(QObject* parent = nullptr);
  ~QtAbstractPropertyManager() override;

  QSet<QtProperty*> properties() const { return FProperties; }
  // Deletes every property this manager created.
  void clear() const;
  // A new property of this manager's kind named `name`.
  QtProperty* addProperty(const QString& name = QString());

Q_SIGNALS:
  void propertyInserted(QtProperty* property, QtProperty* parent, QtProperty* after);
  void propertyChanged(QtProperty* property);
  void propertyRemoved(QtProperty* property, QtProperty* parent);
  void propertyDestroyed(QtProperty* property);

protected:
  virtual bool hasValue(const QtProperty* property) const;
  virtual QIcon valueIcon(const QtProperty* property) const;
  virtual QString valueText(const QtProperty* property) const;
  virtual QString displayText(const QtProperty* property) const;
  virtual QLineEdit::EchoMode echoMode(const QtProperty* property) const;
  virtual void initializeProperty(QtProperty* property) = 0;
  virtual void uninitializeProperty(QtProperty* property);
  virtual QtProperty* createProperty();

private:
  friend class QtProperty;
  QSet<QtProperty*> FProperties;
};

// Non-template base of the editor factories, so that browsers can hold them.
class KVPROPERTYBROWSER_EXPORT QtAbstractEditorFactoryBase : public QObject {
  Q_OBJECT
public:
  // The in-place editor for `property` as a child of `parent`, or null.
  virtual QWidget* createEditor(QtProperty* property, QWidget* parent) = 0;

protected:
  explicit QtAbstractEditorFactoryBase(QObject* parent = nullptr) : QObject(parent) {}
  // Forgets `manager` (the browser no longer uses this factory for it).
  virtual void breakConnection(QtAbstractPropertyManager* manager) = 0;

protected Q_SLOTS:
  virtual void managerDestroyed(QObject* manager) = 0;

  friend class QtAbstractPropertyBrowser;
};

template <class PropertyManager>
class QtAbstractEditorFactory : public QtAbstractEditorFactoryBase {
public:
  explicit QtAbstractEditorFactory(QObject* parent) : QtAbstractEditorFactoryBase(parent) {}

  QWidget* createEditor(QtProperty* property, QWidget* parent) override {
    for (PropertyManager* manager : qAsConst(FManagers))
      if (manager == property->propertyManager())
        return createEditor(manager, property, parent);
    return nullptr;
  }
  // `manager` is not owned; the factory forgets it when it is destroyed.
  void addPropertyManager(PropertyManager* manager) {
    if (!manager || FManagers.contains(manager))
      return;
    FManagers.insert(manager);
    connectPropertyManager(manager);
    connect(manager, &QObject::destroyed, this, &QtAbstractEditorFactory::managerDestroyed);
  }
  void removePropertyManager(PropertyManager* manager) {
    if (!FManagers.contains(manager))
      return;
    disconnect(manager, &QObject::destroyed, this, &QtAbstractEditorFactory::managerDestroyed);
    disconnectPropertyManager(manager);
    FManagers.remove(manager);
  }
  QSet<PropertyManager*> propertyManagers() const { return FManagers; }
  PropertyManager* propertyManager(QtProperty* property) const {
    for (PropertyManager* manager : FManagers)
      if (manager == property->propertyManager())
        return manager;
    return nullptr;
  }

protected:
  virtual void connectPropertyManager(PropertyManager* manager) = 0;
  virtual QWidget* createEditor(PropertyManager* manager, QtProperty* property, QWidget* parent) = 0;
  virtual void disconnectPropertyManager(PropertyManager* manager) = 0;

  void managerDestroyed(QObject* manager) override {
    // The manager is half destroyed: compare addresses only.
    for (PropertyManager* m : qAsConst(FManagers))
      if (static_cast<QObject*>(m) == manager) {
        FManagers.remove(m);
        return;
      }
  }

private:
  void breakConnection(QtAbstractPropertyManager* manager) override {
    for (PropertyManager* m : qAsConst(FManagers))
      if (m == manager) {
        removePropertyManager(m);
        return;
      }
  }

  QSet<PropertyManager*> FManagers;
};

// One appearance of a property in a browser (a property shown twice, or as
// the sub-property of two parents, has several).
class KVPROPERTYBROWSER_EXPORT QtBrowserItem {
public:
  QtProperty* property() const { return FProperty; }
  QtBrowserItem* parent() const { return FParent; }
  QList<QtBrowserItem*> children() const { return FChildren; }
  QtAbstractPropertyBrowser* browser() const { return FBrowser; }

private:
  friend class QtAbstractPropertyBrowser;
  QtBrowserItem(QtAbstractPropertyBrowser* browser, QtProperty* property, QtBrowserItem* parent)
      : FBrowser(browser), FProperty(property), FParent(parent) {}
  ~QtBrowserItem() = default;

  QtAbstractPropertyBrowser* FBrowser;
  QtProperty* FProperty;
  QtBrowserItem* FParent;
  QList<QtBrowserItem*> FChildren;
};

class KVPROPERTYBROWSER_EXPORT QtAbstractPropertyBrowser : public QWidget {
  Q_OBJECT
public:
  explicit QtAbstractPropertyBrowser(QWidget* parent = nullptr);
  ~QtAbstractPropertyBrowser() override;

  // The top-level properties, in order.
  QList<QtProperty*> properties() const { return FTopProperties; }
  QList<QtBrowserItem*> items(QtProperty* property) const { return FPropertyToItems.value(property); }
  QtBrowserItem* topLevelItem(QtProperty* property) const;
  QList<QtBrowserItem*> topLevelItems() const { return FTopItems; }
  // Removes every top-level property.
  void clear();

  // Editors of `manager`'s properties come from `factory` from now on. Neither
  // is owned; the browser forgets either when it is destroyed.
  template <class PropertyManager>
  void setFactoryForManager(PropertyManager* manager, QtAbstractEditorFactory<PropertyManager>* factory) {
    if (!manager || !factory)
      return;
    unsetFactoryForManager(manager);
    factory->addPropertyManager(manager);
    registerFactory(manager, factory);
  }
  void unsetFactoryForManager(QtAbstractPropertyManager* manager);

  QtBrowserItem* currentItem() const { return FCurrentItem; }
  void setCurrentItem(QtBrowserItem* item);

Q_SIGNALS:
  void currentItemChanged(QtBrowserItem* current);

public Q_SLOTS:
  QtBrowserItem* addProperty(QtProperty* property);
  QtBrowserItem* insertProperty(QtProperty* property, QtProperty* afterProperty);
  void removeProperty(QtProperty* property);

protected:
  virtual void itemInserted(QtBrowserItem* item, QtBrowserItem* afterItem) = 0;
  virtual void itemRemoved(QtBrowserItem* item) = 0;
  virtual void itemChanged(QtBrowserItem* item) = 0;
  // Asks the factory registered for the property's manager.
  virtual QWidget* createEditor(QtProperty* property, QWidget* parent);

private:
  void registerFactory(QtAbstractPropertyManager* manager, QtAbstractEditorFactoryBase* factory);
  void factoryDestroyed(QObject* factory);
  void managerDestroyed(QObject* manager);
  QtBrowserItem* insertTopLevel(QtProperty* property, int position);
  QtBrowserItem* createItem(QtProperty* property, QtBrowserItem* parent, QtBrowserItem* after);
  void deleteItem(QtBrowserItem* item);
  static void freeItem(QtBrowserItem* item);
  void addToManager(QtProperty* property);
  void removeFromManager(QtProperty* property);
  void slotPropertyInserted(QtProperty* property, QtProperty* parent, QtProperty* after);
  void slotPropertyRemoved(QtProperty* property, QtProperty* parent);
  void slotPropertyDestroyed(QtProperty* property);
  void slotPropertyChanged(QtProperty* property);

  QList<QtProperty*> FTopProperties;
  QList<QtBrowserItem*> FTopItems;
  QSet<QtProperty*> FTopLevel; // FTopProperties, for quick look-up
  QHash<QtProperty*, QList<QtBrowserItem*>> FPropertyToItems;
  // How many items of each manager's properties this browser shows.
  QHash<QtAbstractPropertyManager*, int> FManagerUse;
  QMap<QtAbstractPropertyManager*, QtAbstractEditorFactoryBase*> FFactories;
  QtBrowserItem* FCurrentItem = nullptr;
};

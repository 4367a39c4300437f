#include "properties/tkvqtopenfileeditorfactory.h"

#include "files/tkvqfileopenedit.h"
#include "files/tkvqmultifileopenedit.h"
#include "properties/kvqtreleaseeditor_p.h"

#include <QScopedValueRollback>

TKvQtOpenFileEditorFactory::TKvQtOpenFileEditorFactory(QObject* parent)
    : QtAbstractEditorFactory<TKvQtFilePropertyManager>(parent) {}

TKvQtOpenFileEditorFactory::~TKvQtOpenFileEditorFactory() {
  const QList<QWidget*> editors = FEditorToProperty.keys();
  for (QWidget* editor : editors)
    KvQtReleaseEditor(editor); // nothing more reaches the managers
}

void TKvQtOpenFileEditorFactory::connectPropertyManager(TKvQtFilePropertyManager* manager) {
  connect(manager, &TKvQtFilePropertyManager::valueChanged, this, &TKvQtOpenFileEditorFactory::slotPropertyChanged);
  connect(manager, &TKvQtFilePropertyManager::filterChanged, this, &TKvQtOpenFileEditorFactory::slotFilterChanged);
}

void TKvQtOpenFileEditorFactory::disconnectPropertyManager(TKvQtFilePropertyManager* manager) {
  disconnect(manager, &TKvQtFilePropertyManager::valueChanged, this,
             &TKvQtOpenFileEditorFactory::slotPropertyChanged);
  disconnect(manager, &TKvQtFilePropertyManager::filterChanged, this,
             &TKvQtOpenFileEditorFactory::slotFilterChanged);
}

QWidget* TKvQtOpenFileEditorFactory::createEditor(TKvQtFilePropertyManager* manager, QtProperty* property,
                                                  QWidget* parent) {
  QWidget* made = nullptr;
  // The kind of editor is decided now; a later multi-select change waits for
  // the next editor.
  if (manager->isMultiSelect(property)) {
    auto* editor = new TKvQMultiFileOpenEdit(parent, QString(), QStringList(), QStringList(), -1);
    editor->setFiles(manager->value(property).split('|'));
    editor->setFilter(manager->filter(property));
    connect(editor, &TKvQMultiFileOpenEdit::filesChanged, this, &TKvQtOpenFileEditorFactory::slotSetValues);
    made = editor;
  } else {
    auto* editor = new TKvQFileOpenEdit(parent, QString(), QString(), QStringList(), -1);
    editor->setFile(manager->value(property));
    editor->setFilter(manager->filter(property));
    connect(editor, &TKvQFileOpenEdit::pathChanged, this, &TKvQtOpenFileEditorFactory::slotSetValue);
    made = editor;
  }
  FCreatedEditors[property].append(made);
  FEditorToProperty.insert(made, property);
  connect(made, &QObject::destroyed, this, &TKvQtOpenFileEditorFactory::slotEditorDestroyed);
  return made;
}

void TKvQtOpenFileEditorFactory::slotPropertyChanged(QtProperty* property, const QString& value) {
  for (QWidget* editor : FCreatedEditors.value(property)) {
    if (auto* multi = qobject_cast<TKvQMultiFileOpenEdit*>(editor)) {
      // Refilling the list emits filesChanged row by row; those partial lists
      // must not reach the manager. The editor's final list does, once: it
      // differs only when the editor dropped empty names.
      {
        const QScopedValueRollback<QWidget*> guard(FFilling, editor);
        multi->setFiles(value.split('|'));
      }
      setManagerValue(editor, multi->getFilesQt().join('|'));
    } else if (auto* single = qobject_cast<TKvQFileOpenEdit*>(editor)) {
      single->setFile(value);
    }
  }
}

void TKvQtOpenFileEditorFactory::slotFilterChanged(QtProperty* property, const QString& filter) {
  for (QWidget* editor : FCreatedEditors.value(property)) {
    if (auto* multi = qobject_cast<TKvQMultiFileOpenEdit*>(editor))
      multi->setFilter(filter);
    else if (auto* single = qobject_cast<TKvQFileOpenEdit*>(editor))
      single->setFilter(filter);
  }
}

void TKvQtOpenFileEditorFactory::setManagerValue(QWidget* editor, const QString& value) {
  QtProperty* property = FEditorToProperty.value(editor);
  if (!property)
    return;
  // By address only: the property may belong to no manager any more.
  for (TKvQtFilePropertyManager* manager : propertyManagers())
    if (manager->properties().contains(property)) {
      manager->setValue(property, value);
      return;
    }
}

void TKvQtOpenFileEditorFactory::slotSetValue(const QString& value) {
  setManagerValue(qobject_cast<QWidget*>(sender()), value);
}

void TKvQtOpenFileEditorFactory::slotSetValues(const QStringList& files) {
  QWidget* editor = qobject_cast<QWidget*>(sender());
  if (editor != FFilling)
    setManagerValue(editor, files.join('|'));
}

void TKvQtOpenFileEditorFactory::slotEditorDestroyed(QObject* object) {
  // Only the address is compared: the editor is half destroyed.
  for (auto it = FEditorToProperty.begin(); it != FEditorToProperty.end(); ++it) {
    if (static_cast<QObject*>(it.key()) != object)
      continue;
    QtProperty* property = it.value();
    QWidget* editor = it.key();
    FEditorToProperty.erase(it);
    QList<QWidget*>& list = FCreatedEditors[property];
    list.removeOne(editor);
    if (list.isEmpty())
      FCreatedEditors.remove(property);
    return;
  }
}

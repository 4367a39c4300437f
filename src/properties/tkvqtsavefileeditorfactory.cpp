#include "properties/tkvqtsavefileeditorfactory.h"

#include "files/tkvqfilesaveedit.h"
#include "properties/kvqtreleaseeditor_p.h"

TKvQtSaveFileEditorFactory::TKvQtSaveFileEditorFactory(QObject* parent)
    : QtAbstractEditorFactory<TKvQtFilePropertyManager>(parent) {}

TKvQtSaveFileEditorFactory::~TKvQtSaveFileEditorFactory() {
  const QList<TKvQFileSaveEdit*> editors = FEditorToProperty.keys();
  for (TKvQFileSaveEdit* editor : editors)
    KvQtReleaseEditor(editor); // nothing more reaches the managers
}

void TKvQtSaveFileEditorFactory::connectPropertyManager(TKvQtFilePropertyManager* manager) {
  connect(manager, &TKvQtFilePropertyManager::valueChanged, this, &TKvQtSaveFileEditorFactory::slotPropertyChanged);
  connect(manager, &TKvQtFilePropertyManager::filterChanged, this, &TKvQtSaveFileEditorFactory::slotFilterChanged);
}

void TKvQtSaveFileEditorFactory::disconnectPropertyManager(TKvQtFilePropertyManager* manager) {
  disconnect(manager, &TKvQtFilePropertyManager::valueChanged, this,
             &TKvQtSaveFileEditorFactory::slotPropertyChanged);
  disconnect(manager, &TKvQtFilePropertyManager::filterChanged, this,
             &TKvQtSaveFileEditorFactory::slotFilterChanged);
}

QWidget* TKvQtSaveFileEditorFactory::createEditor(TKvQtFilePropertyManager* manager, QtProperty* property,
                                                  QWidget* parent) {
  auto* editor = new TKvQFileSaveEdit(parent, QString(), QString(), QStringList(), -1);
  editor->setFile(manager->value(property));
  editor->setFilter(manager->filter(property));
  FCreatedEditors[property].append(editor);
  FEditorToProperty.insert(editor, property);
  connect(editor, &TKvQFileSaveEdit::pathChanged, this, &TKvQtSaveFileEditorFactory::slotSetValue);
  connect(editor, &QObject::destroyed, this, &TKvQtSaveFileEditorFactory::slotEditorDestroyed);
  return editor;
}

void TKvQtSaveFileEditorFactory::slotPropertyChanged(QtProperty* property, const QString& value) {
  for (TKvQFileSaveEdit* editor : FCreatedEditors.value(property))
    editor->setFile(value);
}

void TKvQtSaveFileEditorFactory::slotFilterChanged(QtProperty* property, const QString& filter) {
  for (TKvQFileSaveEdit* editor : FCreatedEditors.value(property))
    editor->setFilter(filter);
}

void TKvQtSaveFileEditorFactory::slotSetValue(const QString& value) {
  auto* editor = qobject_cast<TKvQFileSaveEdit*>(sender());
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

void TKvQtSaveFileEditorFactory::slotEditorDestroyed(QObject* object) {
  // Only the address is compared: the editor is half destroyed.
  for (auto it = FEditorToProperty.begin(); it != FEditorToProperty.end(); ++it) {
    if (static_cast<QObject*>(it.key()) != object)
      continue;
    QtProperty* property = it.value();
    TKvQFileSaveEdit* editor = it.key();
    FEditorToProperty.erase(it);
    QList<TKvQFileSaveEdit*>& list = FCreatedEditors[property];
    list.removeOne(editor);
    if (list.isEmpty())
      FCreatedEditors.remove(property);
    return;
  }
}

#pragma once
// TKvQtOpenFileEditorFactory: in-place editors for the rows of a
// TKvQtFilePropertyManager that name files to read: a path field with a
// browse button (TKvQFileOpenEdit), or for a multi-select property the
// multi-file list (TKvQMultiFileOpenEdit). The kind is chosen when the editor
// is made; turning multi-select on or off later affects the next editor only.
//
// Editors and the manager follow each other: a value or filter set on the
// manager reaches every open editor of the property; typing, a browse or a
// change of the file list goes to the manager at once (so Escape in the
// browser does not undo it). The manager ignores unchanged values, so the
// echo stops after one step.
//
// The factory deletes the editors still alive when it is destroyed; an
// editor destroyed by its browser leaves both maps.

#include "kvqtcpnt_export.h"

#include "properties/tkvqtfilepropertymanager.h"

#include <QList>
#include <QMap>

class KVQTCPNT_EXPORT TKvQtOpenFileEditorFactory : public QtAbstractEditorFactory<TKvQtFilePropertyManager> {
  Q_OBJECT
public:
  explicit TKvQtOpenFileEditorFactory(QObject* parent = nullptr);
  ~TKvQtOpenFileEditorFactory() override;

protected:
  void connectPropertyManager(TKvQtFilePropertyManager* manager) override;
  QWidget* createEditor(TKvQtFilePropertyManager* manager, QtProperty* property, QWidget* parent) override;
  void disconnectPropertyManager(TKvQtFilePropertyManager* manager) override;

private Q_SLOTS:
  void slotPropertyChanged(QtProperty* property, const QString& value);
  void slotFilterChanged(QtProperty* property, const QString& filter);
  void slotSetValue(const QString& value);
  void slotSetValues(const QStringList& files);
  void slotEditorDestroyed(QObject* object);

private:
  void setManagerValue(QWidget* editor, const QString& value);

  QMap<QtProperty*, QList<QWidget*>> FCreatedEditors;
  QMap<QWidget*, QtProperty*> FEditorToProperty;
  QWidget* FFilling = nullptr; // the multi-file editor being refilled from the manager
};

#pragma once
// TKvQtSaveFileEditorFactory: in-place editors (TKvQFileSaveEdit) for the
// rows of a TKvQtFilePropertyManager that name files to write. Editors and
// the manager follow each other as with TKvQtOpenFileEditorFactory; the
// multi-select option is not consulted.
//
// The factory deletes the editors still alive when it is destroyed.

#include "kvqtcpnt_export.h"

#include "properties/tkvqtfilepropertymanager.h"

#include <QList>
#include <QMap>

class TKvQFileSaveEdit;

class KVQTCPNT_EXPORT TKvQtSaveFileEditorFactory : public QtAbstractEditorFactory<TKvQtFilePropertyManager> {
  Q_OBJECT
public:
  explicit TKvQtSaveFileEditorFactory(QObject* parent = nullptr);
  ~TKvQtSaveFileEditorFactory() override;

protected:
  void connectPropertyManager(TKvQtFilePropertyManager* manager) override;
  QWidget* createEditor(TKvQtFilePropertyManager* manager, QtProperty* property, QWidget* parent) override;
  void disconnectPropertyManager(TKvQtFilePropertyManager* manager) override;

private Q_SLOTS:
  void slotPropertyChanged(QtProperty* property, const QString& value);
  void slotFilterChanged(QtProperty* property, const QString& filter);
  void slotSetValue(const QString& value);
  void slotEditorDestroyed(QObject* object);

private:
  QMap<QtProperty*, QList<TKvQFileSaveEdit*>> FCreatedEditors;
  QMap<TKvQFileSaveEdit*, QtProperty*> FEditorToProperty;
};

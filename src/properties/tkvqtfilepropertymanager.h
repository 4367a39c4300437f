#pragma once
// TKvQtFilePropertyManager: the property-browser manager of file-name rows.
// Per property it keeps the file name (for a multi-select property the names
// joined with "|"), the filter string of the file dialogs and whether the
// open-file editor offers several files. The row shows the value as it is.
//
// Setters ignore properties of other managers and unchanged values. A value
// change emits propertyChanged() and then valueChanged(); filter and
// multi-select changes emit only their own signal (the row does not change).
// The editors come from TKvQtOpenFileEditorFactory and
// TKvQtSaveFileEditorFactory.

#include "kvqtcpnt_export.h"

#include <qtpropertybrowser.h>

#include <QMap>
#include <QString>

class KVQTCPNT_EXPORT TKvQtFilePropertyManager : public QtAbstractPropertyManager {
  Q_OBJECT
public:
  struct TOptions {
    QString value;
    QString filter;
    bool multiSelect = false;
  };

  explicit TKvQtFilePropertyManager(QObject* parent = nullptr);
  ~TKvQtFilePropertyManager() override;

  // The stored option, or an empty text / false for a property of another manager.
  QString value(const QtProperty* property) const;
  QString filter(const QtProperty* property) const;
  bool isMultiSelect(const QtProperty* property) const;

Q_SIGNALS:
  void valueChanged(QtProperty* property, const QString& value);
  void filterChanged(QtProperty* property, const QString& filter);
  void multiSelectChanged(QtProperty* property, bool isMultiSelect);

public Q_SLOTS:
  void setValue(QtProperty* property, const QString& value);
  void setFilter(QtProperty* property, const QString& filter);
  void setMultiSelect(QtProperty* property, bool isMultiSelect);

protected:
  QString valueText(const QtProperty* property) const override;
  void initializeProperty(QtProperty* property) override;
  void uninitializeProperty(QtProperty* property) override;

private:
  QMap<const QtProperty*, TOptions> FOptions;
};

// The factories' base is instantiated once, in the library, and shared with
// its callers (a devirtualised call from outside needs the symbol).
extern template class KVQTCPNT_EXPORT QtAbstractEditorFactory<TKvQtFilePropertyManager>;

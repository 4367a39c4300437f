#pragma once
// Properties of several value types behind one manager, with QVariant values,
// and the editor factory for them.
//
// Supported types (isPropertyTypeSupported): QVariant::Int,
// QVariant::ULongLong (unsigned 64-bit), QVariant::Double, QVariant::Bool,
// QVariant::String, enumTypeId() (an index into "enumNames", value type Int)
// and groupTypeId() (a row without a value that holds sub-properties).
// addProperty() answers null for any other type.
//
// Attributes: Int and ULongLong "minimum", "maximum", "singleStep"; Double
// the same and "decimals" (0..13, default 2); enum "enumNames". A minimum set
// above the maximum pulls the maximum along and the other way round; the
// value always lies within the range (a value given outside it is clamped,
// one that cannot be read as the property's type is ignored). An enum index
// is -1 (nothing chosen) or a valid position in "enumNames"; other indexes
// are ignored. When names are given to an enum that had none, index -1
// becomes 0, so a fresh enum shows its first caption.
//
// valueText() is what a person reads: integers in full, floating values in
// the locale's notation with "decimals" digits and without group separators,
// a bool as "True" / "False" (translated) with a check-box icon, an enum as
// its caption (empty for -1).
//
// The editor factory makes a spin box (Int, and for ULongLong one that holds
// the whole unsigned 64-bit range), a double spin box with the decimals, a
// check box, a line edit and a combo box. Spin boxes and the line edit commit
// what was typed or stepped when Return is pressed or they lose focus; the
// check box commits on every toggle, the combo box when an entry is chosen.
// An editor commits only what the user changed: an untouched double spin
// box does not write its rounded value back.

#include "qtpropertybrowser.h"

#include <QSet>
#include <QVariant>

class QtVariantPropertyManager;

class KVPROPERTYBROWSER_EXPORT QtVariantProperty : public QtProperty {
public:
  ~QtVariantProperty() override;
  QVariant value() const;
  QVariant attributeValue(const QString& attribute) const;
  int valueType() const;
  int propertyType() const;
  void setValue(const QVariant& value);
  void setAttribute(const QString& attribute, const QVariant& value);

protected:
  explicit QtVariantProperty(QtVariantPropertyManager* manager);

private:
  friend class QtVariantPropertyManager;
  QtVariantPropertyManager* FVariantManager;
};

class KVPROPERTYBROWSER_EXPORT QtVariantPropertyManager : public QtAbstractPropertyManager {
  Q_OBJECT
public:
  explicit QtVariantPropertyManager(QObject* parent = nullptr);
  ~QtVariantPropertyManager() override;

  virtual QtVariantProperty* addProperty(int propertyType, const QString& name = QString());

  int propertyType(const QtProperty* property) const;
  int valueType(const QtProperty* property) const;
  // The property as a variant property, or null when this manager has none such.
  QtVariantProperty* variantProperty(const QtProperty* property) const;

  virtual bool isPropertyTypeSupported(int propertyType) const;
  virtual int valueType(int propertyType) const;
  virtual QStringList attributes(int propertyType) const;
  virtual int attributeType(int propertyType, const QString& attribute) const;

  virtual QVariant value(const QtProperty* property) const;
  virtual QVariant attributeValue(const QtProperty* property, const QString& attribute) const;

  static int enumTypeId();
  static int groupTypeId();

public Q_SLOTS:
  virtual void setValue(QtProperty* property, const QVariant& val);
  virtual void setAttribute(QtProperty* property, const QString& attribute, const QVariant& value);

Q_SIGNALS:
  void valueChanged(QtProperty* property, const QVariant& val);
  void attributeChanged(QtProperty* property, const QString& attribute, const QVariant& val);

protected:
  bool hasValue(const QtProperty* property) const override;
  QString valueText(const QtProperty* property) const override;
  QIcon valueIcon(const QtProperty* property) const override;
  void initializeProperty(QtProperty* property) override;
  void uninitializeProperty(QtProperty* property) override;
  QtProperty* createProperty() override;

private:
  struct TData;
  // Clamps and converts `in` to the property's value type; false when it
  // cannot be read as that type.
  bool normalize(const TData& data, const QVariant& in, QVariant& out) const;
  void applyRange(QtProperty* property, TData& data);

  QHash<const QtProperty*, TData*> FData;
  int FCreatingType = 0;
  mutable QIcon FCheckedIcon;
  mutable QIcon FUncheckedIcon;
};

// Instantiated once, in the library (see qtvariantproperty.cpp).
extern template class KVPROPERTYBROWSER_EXPORT QtAbstractEditorFactory<QtVariantPropertyManager>;

class KVPROPERTYBROWSER_EXPORT QtVariantEditorFactory : public QtAbstractEditorFactory<QtVariantPropertyManager> {
  Q_OBJECT
public:
  explicit QtVariantEditorFactory(QObject* parent = nullptr);
  // Deletes the editors it made that are still alive.
  ~QtVariantEditorFactory() override;

protected:
  void connectPropertyManager(QtVariantPropertyManager* manager) override;
  QWidget* createEditor(QtVariantPropertyManager* manager, QtProperty* property, QWidget* parent) override;
  void disconnectPropertyManager(QtVariantPropertyManager* manager) override;

private:
  void slotPropertyChanged(QtProperty* property, const QVariant& value);
  void slotAttributeChanged(QtProperty* property, const QString& attribute, const QVariant& value);
  void slotEditorDestroyed(QObject* object);
  void commit(QWidget* editor, const QVariant& value);
  void loadEditor(QWidget* editor, QtVariantPropertyManager* manager, QtProperty* property);

  QMap<QtProperty*, QList<QWidget*>> FCreatedEditors;
  QMap<QWidget*, QtProperty*> FEditorToProperty;
  // What each editor showed when it was last loaded or committed.
  QHash<QWidget*, QVariant> FLoaded;
};

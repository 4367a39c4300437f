#include "properties/tkvqtfilepropertymanager.h"

TKvQtFilePropertyManager::TKvQtFilePropertyManager(QObject* parent) : QtAbstractPropertyManager(parent) {}

// Properties go while this class is still whole, so that
// uninitializeProperty() reaches them.
TKvQtFilePropertyManager::~TKvQtFilePropertyManager() { clear(); }

QString TKvQtFilePropertyManager::value(const QtProperty* property) const { return FOptions.value(property).value; }

QString TKvQtFilePropertyManager::filter(const QtProperty* property) const {
  return FOptions.value(property).filter;
}

bool TKvQtFilePropertyManager::isMultiSelect(const QtProperty* property) const {
  return FOptions.value(property).multiSelect;
}

void TKvQtFilePropertyManager::setValue(QtProperty* property, const QString& value) {
  const auto it = FOptions.find(property);
  if (it == FOptions.end() || it->value == value)
    return;
  it->value = value;
  emit propertyChanged(property);
  emit valueChanged(property, value);
}

void TKvQtFilePropertyManager::setFilter(QtProperty* property, const QString& filter) {
  const auto it = FOptions.find(property);
  if (it == FOptions.end() || it->filter == filter)
    return;
  it->filter = filter;
  emit filterChanged(property, filter);
}

void TKvQtFilePropertyManager::setMultiSelect(QtProperty* property, bool isMultiSelect) {
  const auto it = FOptions.find(property);
  if (it == FOptions.end() || it->multiSelect == isMultiSelect)
    return;
  it->multiSelect = isMultiSelect;
  emit multiSelectChanged(property, isMultiSelect);
}

QString TKvQtFilePropertyManager::valueText(const QtProperty* property) const { return value(property); }

void TKvQtFilePropertyManager::initializeProperty(QtProperty* property) { FOptions.insert(property, TOptions()); }

void TKvQtFilePropertyManager::uninitializeProperty(QtProperty* property) { FOptions.remove(property); }

template class QtAbstractEditorFactory<TKvQtFilePropertyManager>;

#include "qtvariantproperty.h"
#include "qtpropertybrowser_p.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QSpinBox>
#include <QStyleOptionButton>

#include <cfloat>
#include <climits>
#include <cmath>

// Marker types that give the enum and group properties their type ids.
struct QtEnumPropertyType {};
struct QtGroupPropertyType {};
Q_DECLARE_METATYPE(QtEnumPropertyType)
Q_DECLARE_METATYPE(QtGroupPropertyType)

namespace {
const char kMinimum[] = "minimum";
const char kMaximum[] = "maximum";
const char kSingleStep[] = "singleStep";
const char kDecimals[] = "decimals";
const char kEnumNames[] = "enumNames";
const int kMaxDecimals = 13;

bool IsNumberType(int type) {
  return type == QVariant::Int || type == QVariant::ULongLong || type == QVariant::Double;
}

// attributes(type).contains(name), without building the list.
bool HasAttribute(int type, const QString& name) {
  if (IsNumberType(type))
    return name == QLatin1String(kMinimum) || name == QLatin1String(kMaximum) ||
           name == QLatin1String(kSingleStep) || (type == QVariant::Double && name == QLatin1String(kDecimals));
  return type == QtVariantPropertyManager::enumTypeId() && name == QLatin1String(kEnumNames);
}

bool IsFloatingVariant(const QVariant& v) {
  return v.userType() == QMetaType::Double || v.userType() == QMetaType::Float;
}

bool IsSignedVariant(const QVariant& v) {
  switch (v.userType()) {
  case QMetaType::Int: case QMetaType::Long: case QMetaType::LongLong:
  case QMetaType::Short: case QMetaType::SChar: return true;
  default: return false;
  }
}

// Reads v as a whole number; floating values are rounded; values beyond the
// 64-bit range saturate (casting them would be undefined).
bool ToLongLong(const QVariant& v, qlonglong& out) {
  if (IsFloatingVariant(v)) {
    const double d = v.toDouble();
    if (std::isnan(d))
      return false;
    out = d >= 9.2e18 ? LLONG_MAX : d <= -9.2e18 ? LLONG_MIN : qlonglong(std::llround(d));
    return true;
  }
  if (!IsSignedVariant(v) && v.userType() != QMetaType::QString) {
    bool ok = false;
    const qulonglong u = v.toULongLong(&ok);
    if (ok) {
      out = u > qulonglong(LLONG_MAX) ? LLONG_MAX : qlonglong(u);
      return true;
    }
  }
  bool ok = false;
  out = v.toLongLong(&ok);
  return ok;
}

bool ToULongLong(const QVariant& v, qulonglong& out) {
  if (IsFloatingVariant(v)) {
    const double d = v.toDouble();
    if (std::isnan(d))
      return false;
    // 2^64 is the first double beyond the range.
    out = d <= 0 ? 0 : d >= 18446744073709551616.0 ? ULLONG_MAX : qulonglong(std::round(d));
    return true;
  }
  if (IsSignedVariant(v) || v.userType() == QMetaType::QString) {
    bool ok = false;
    const qlonglong s = v.toLongLong(&ok);
    if (ok && s < 0) {
      out = 0;
      return true;
    }
  }
  bool ok = false;
  out = v.toULongLong(&ok);
  return ok;
}

bool ToDouble(const QVariant& v, double& out) {
  bool ok = false;
  out = v.toDouble(&ok);
  return ok && !std::isnan(out);
}

template <class T> T Clamp(T v, T lo, T hi) { return v < lo ? lo : hi < v ? hi : v; }

// An unsigned 64-bit spin box: QSpinBox stops at INT_MAX.
class QtULongLongSpinBox : public QAbstractSpinBox {
public:
  explicit QtULongLongSpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
      bool ok = false;
      const qulonglong v = text.toULongLong(&ok);
      if (ok && v >= FMin && v <= FMax)
        FValue = v;
    });
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { showValue(); });
  }
  qulonglong value() const { return FValue; }
  void setRange(qulonglong lo, qulonglong hi) {
    FMin = lo;
    FMax = hi < lo ? lo : hi;
    setValue(FValue);
  }
  void setSingleStep(qulonglong step) { FStep = step; }
  void setValue(qulonglong v) {
    FValue = Clamp(v, FMin, FMax);
    showValue();
  }

  void stepBy(int steps) override {
    const qulonglong delta = FStep * qulonglong(steps < 0 ? -qlonglong(steps) : steps);
    if (steps > 0)
      FValue = FMax - FValue < delta ? FMax : FValue + delta;
    else
      FValue = FValue - FMin < delta ? FMin : FValue - delta;
    showValue();
  }

protected:
  StepEnabled stepEnabled() const override {
    StepEnabled e = StepNone;
    if (FValue < FMax)
      e |= StepUpEnabled;
    if (FValue > FMin)
      e |= StepDownEnabled;
    return e;
  }
  QValidator::State validate(QString& input, int&) const override {
    if (input.isEmpty())
      return QValidator::Intermediate;
    bool ok = false;
    const qulonglong v = input.toULongLong(&ok);
    if (!ok)
      return QValidator::Invalid;
    return v >= FMin && v <= FMax ? QValidator::Acceptable : QValidator::Intermediate;
  }

private:
  void showValue() {
    const QString text = QString::number(FValue);
    if (lineEdit()->text() != text)
      lineEdit()->setText(text);
  }
  qulonglong FMin = 0;
  qulonglong FMax = ULLONG_MAX;
  qulonglong FStep = 1;
  qulonglong FValue = 0;
};

QIcon CheckBoxIcon(bool checked) {
  QStyleOptionButton option;
  option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
  QStyle* style = QApplication::style();
  const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &option);
  const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &option);
  option.rect = QRect(0, 0, w, h);
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
  }
  return QIcon(pixmap);
}
} // namespace

// ---------------------------------------------------------- QtVariantProperty

QtVariantProperty::QtVariantProperty(QtVariantPropertyManager* manager)
    : QtProperty(manager), FVariantManager(manager) {}
QtVariantProperty::~QtVariantProperty() = default;
QVariant QtVariantProperty::value() const { return FVariantManager->value(this); }
QVariant QtVariantProperty::attributeValue(const QString& attribute) const {
  return FVariantManager->attributeValue(this, attribute);
}
int QtVariantProperty::valueType() const { return FVariantManager->valueType(this); }
int QtVariantProperty::propertyType() const { return FVariantManager->propertyType(this); }
void QtVariantProperty::setValue(const QVariant& value) { FVariantManager->setValue(this, value); }
void QtVariantProperty::setAttribute(const QString& attribute, const QVariant& value) {
  FVariantManager->setAttribute(this, attribute, value);
}

// --------------------------------------------------- QtVariantPropertyManager

struct QtVariantPropertyManager::TData {
  int type = 0;
  QVariant value;
  QVariant minimum;
  QVariant maximum;
  QVariant singleStep;
  int decimals = 2;
  QStringList enumNames;
};

QtVariantPropertyManager::QtVariantPropertyManager(QObject* parent) : QtAbstractPropertyManager(parent) {}

QtVariantPropertyManager::~QtVariantPropertyManager() {
  clear();
  qDeleteAll(FData);
}

int QtVariantPropertyManager::enumTypeId() { return qMetaTypeId<QtEnumPropertyType>(); }
int QtVariantPropertyManager::groupTypeId() { return qMetaTypeId<QtGroupPropertyType>(); }

bool QtVariantPropertyManager::isPropertyTypeSupported(int propertyType) const {
  return IsNumberType(propertyType) || propertyType == QVariant::Bool || propertyType == QVariant::String ||
         propertyType == enumTypeId() || propertyType == groupTypeId();
}

int QtVariantPropertyManager::valueType(int propertyType) const {
  if (propertyType == enumTypeId())
    return QVariant::Int;
  if (propertyType == groupTypeId() || !isPropertyTypeSupported(propertyType))
    return QVariant::Invalid;
  return propertyType;
}

QStringList QtVariantPropertyManager::attributes(int propertyType) const {
  if (propertyType == QVariant::Double)
    return {kMinimum, kMaximum, kSingleStep, kDecimals};
  if (IsNumberType(propertyType))
    return {kMinimum, kMaximum, kSingleStep};
  if (propertyType == enumTypeId())
    return {kEnumNames};
  return {};
}

int QtVariantPropertyManager::attributeType(int propertyType, const QString& attribute) const {
  if (!HasAttribute(propertyType, attribute))
    return QVariant::Invalid;
  if (attribute == kDecimals)
    return QVariant::Int;
  if (attribute == kEnumNames)
    return QVariant::StringList;
  return propertyType;
}

QtVariantProperty* QtVariantPropertyManager::addProperty(int propertyType, const QString& name) {
  if (!isPropertyTypeSupported(propertyType))
    return nullptr;
  FCreatingType = propertyType;
  QtProperty* property = QtAbstractPropertyManager::addProperty(name);
  FCreatingType = 0;
  return static_cast<QtVariantProperty*>(property);
}

QtProperty* QtVariantPropertyManager::createProperty() { return new QtVariantProperty(this); }

void QtVariantPropertyManager::initializeProperty(QtProperty* property) {
  // A property made through the base's addProperty(name) has no type and
  // stays a row without a value.
  if (!FCreatingType)
    return;
  auto* data = new TData;
  data->type = FCreatingType;
  switch (FCreatingType) {
  case QVariant::Int:
    data->value = 0;
    data->minimum = INT_MIN;
    data->maximum = INT_MAX;
    data->singleStep = 1;
    break;
  case QVariant::ULongLong:
    data->value = qulonglong(0);
    data->minimum = qulonglong(0);
    data->maximum = qulonglong(ULLONG_MAX);
    data->singleStep = qulonglong(1);
    break;
  case QVariant::Double:
    data->value = 0.0;
    data->minimum = -DBL_MAX;
    data->maximum = DBL_MAX;
    data->singleStep = 1.0;
    break;
  case QVariant::Bool: data->value = false; break;
  case QVariant::String: data->value = QString(); break;
  default:
    if (FCreatingType == enumTypeId())
      data->value = -1;
    break;
  }
  FData.insert(property, data);
}

void QtVariantPropertyManager::uninitializeProperty(QtProperty* property) { delete FData.take(property); }

int QtVariantPropertyManager::propertyType(const QtProperty* property) const {
  const TData* data = FData.value(property);
  return data ? data->type : 0;
}

int QtVariantPropertyManager::valueType(const QtProperty* property) const {
  return valueType(propertyType(property));
}

QtVariantProperty* QtVariantPropertyManager::variantProperty(const QtProperty* property) const {
  // Looked up by address only: `property` may be on its way out.
  return FData.contains(property) ? static_cast<QtVariantProperty*>(const_cast<QtProperty*>(property)) : nullptr;
}

QVariant QtVariantPropertyManager::value(const QtProperty* property) const {
  const TData* data = FData.value(property);
  return data ? data->value : QVariant();
}

QVariant QtVariantPropertyManager::attributeValue(const QtProperty* property, const QString& attribute) const {
  const TData* data = FData.value(property);
  if (!data || !HasAttribute(data->type, attribute))
    return QVariant();
  if (attribute == kMinimum)
    return data->minimum;
  if (attribute == kMaximum)
    return data->maximum;
  if (attribute == kSingleStep)
    return data->singleStep;
  if (attribute == kDecimals)
    return data->decimals;
  return data->enumNames;
}

bool QtVariantPropertyManager::normalize(const TData& data, const QVariant& in, QVariant& out) const {
  switch (data.type) {
  case QVariant::Int: {
    qlonglong v = 0;
    if (!ToLongLong(in, v))
      return false;
    out = int(Clamp<qlonglong>(v, data.minimum.toInt(), data.maximum.toInt()));
    return true;
  }
  case QVariant::ULongLong: {
    qulonglong v = 0;
    if (!ToULongLong(in, v))
      return false;
    out = Clamp(v, data.minimum.toULongLong(), data.maximum.toULongLong());
    return true;
  }
  case QVariant::Double: {
    double v = 0;
    if (!ToDouble(in, v))
      return false;
    out = Clamp(v, data.minimum.toDouble(), data.maximum.toDouble());
    return true;
  }
  case QVariant::Bool:
    if (!in.canConvert<bool>())
      return false;
    out = in.toBool();
    return true;
  case QVariant::String:
    if (!in.canConvert<QString>())
      return false;
    out = in.toString();
    return true;
  default:
    break;
  }
  if (data.type == enumTypeId()) {
    qlonglong v = 0;
    if (!ToLongLong(in, v) || v < -1 || v >= data.enumNames.size())
      return false;
    out = int(v);
    return true;
  }
  return false;
}

void QtVariantPropertyManager::setValue(QtProperty* property, const QVariant& val) {
  TData* data = FData.value(property);
  QVariant v;
  if (!data || !normalize(*data, val, v) || v == data->value)
    return;
  data->value = v;
  emit propertyChanged(property);
  emit valueChanged(property, v);
}

void QtVariantPropertyManager::applyRange(QtProperty* property, TData& data) {
  QVariant v;
  if (normalize(data, data.value, v) && v != data.value) {
    data.value = v;
    emit propertyChanged(property);
    emit valueChanged(property, v);
  }
}

void QtVariantPropertyManager::setAttribute(QtProperty* property, const QString& attribute, const QVariant& value) {
  TData* data = FData.value(property);
  if (!data || !HasAttribute(data->type, attribute))
    return;
  if (attribute == kEnumNames) {
    const QStringList names = value.toStringList();
    if (names == data->enumNames)
      return;
    const bool hadNone = data->enumNames.isEmpty();
    data->enumNames = names;
    int index = data->value.toInt();
    if (index >= names.size() || (hadNone && index < 0))
      index = names.isEmpty() ? -1 : 0;
    data->value = index;
    emit attributeChanged(property, attribute, names);
    emit propertyChanged(property);
    emit valueChanged(property, data->value);
    return;
  }
  if (attribute == kDecimals) {
    bool ok = false;
    const int decimals = Clamp(value.toInt(&ok), 0, kMaxDecimals);
    if (!ok || decimals == data->decimals)
      return;
    data->decimals = decimals;
    emit attributeChanged(property, attribute, decimals);
    emit propertyChanged(property);
    return;
  }
  // minimum, maximum, singleStep: read as the value type, unclamped.
  TData unbounded = *data;
  unbounded.minimum = data->type == QVariant::Int ? QVariant(INT_MIN)
                      : data->type == QVariant::ULongLong ? QVariant(qulonglong(0)) : QVariant(-DBL_MAX);
  unbounded.maximum = data->type == QVariant::Int ? QVariant(INT_MAX)
                      : data->type == QVariant::ULongLong ? QVariant(qulonglong(ULLONG_MAX)) : QVariant(DBL_MAX);
  QVariant v;
  if (!normalize(unbounded, value, v))
    return;
  auto less = [&](const QVariant& a, const QVariant& b) {
    return data->type == QVariant::Int ? a.toInt() < b.toInt()
           : data->type == QVariant::ULongLong ? a.toULongLong() < b.toULongLong() : a.toDouble() < b.toDouble();
  };
  if (attribute == kSingleStep) {
    if (less(v, QVariant(0)) || v == data->singleStep)
      return;
    data->singleStep = v;
    emit attributeChanged(property, attribute, v);
    return;
  }
  QVariant& bound = attribute == kMinimum ? data->minimum : data->maximum;
  if (v == bound)
    return;
  bound = v;
  // The other bound follows, so that the range is never empty.
  if (less(data->maximum, data->minimum)) {
    QVariant& other = attribute == kMinimum ? data->maximum : data->minimum;
    other = v;
    emit attributeChanged(property, attribute == kMinimum ? kMaximum : kMinimum, v);
  }
  emit attributeChanged(property, attribute, v);
  applyRange(property, *data);
}

bool QtVariantPropertyManager::hasValue(const QtProperty* property) const {
  const TData* data = FData.value(property);
  return data && data->type != groupTypeId();
}

QString QtVariantPropertyManager::valueText(const QtProperty* property) const {
  const TData* data = FData.value(property);
  if (!data)
    return QString();
  switch (data->type) {
  case QVariant::Int: return QString::number(data->value.toInt());
  case QVariant::ULongLong: return QString::number(data->value.toULongLong());
  case QVariant::Double: {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(data->value.toDouble(), 'f', data->decimals);
  }
  case QVariant::Bool:
    return data->value.toBool()
               ? QCoreApplication::translate("QtVariantPropertyManager", "Истина", "KvQtCpnt:QtVariantPropertyManager.True")
               : QCoreApplication::translate("QtVariantPropertyManager", "Ложь", "KvQtCpnt:QtVariantPropertyManager.False");
  case QVariant::String: return data->value.toString();
  default: break;
  }
  if (data->type == enumTypeId()) {
    const int index = data->value.toInt();
    return index >= 0 && index < data->enumNames.size() ? data->enumNames.at(index) : QString();
  }
  return QString();
}

QIcon QtVariantPropertyManager::valueIcon(const QtProperty* property) const {
  const TData* data = FData.value(property);
  if (!data || data->type != QVariant::Bool)
    return QIcon();
  QIcon& icon = data->value.toBool() ? FCheckedIcon : FUncheckedIcon;
  if (icon.isNull())
    icon = CheckBoxIcon(data->value.toBool());
  return icon;
}

// ----------------------------------------------------- QtVariantEditorFactory

template class QtAbstractEditorFactory<QtVariantPropertyManager>;

QtVariantEditorFactory::QtVariantEditorFactory(QObject* parent)
    : QtAbstractEditorFactory<QtVariantPropertyManager>(parent) {}

QtVariantEditorFactory::~QtVariantEditorFactory() {
  const QList<QWidget*> editors = FEditorToProperty.keys();
  for (QWidget* editor : editors)
    QtReleaseEditor(editor);
}

void QtVariantEditorFactory::connectPropertyManager(QtVariantPropertyManager* manager) {
  connect(manager, &QtVariantPropertyManager::valueChanged, this, &QtVariantEditorFactory::slotPropertyChanged);
  connect(manager, &QtVariantPropertyManager::attributeChanged, this, &QtVariantEditorFactory::slotAttributeChanged);
}

void QtVariantEditorFactory::disconnectPropertyManager(QtVariantPropertyManager* manager) {
  disconnect(manager, &QtVariantPropertyManager::valueChanged, this, &QtVariantEditorFactory::slotPropertyChanged);
  disconnect(manager, &QtVariantPropertyManager::attributeChanged, this,
             &QtVariantEditorFactory::slotAttributeChanged);
}

QWidget* QtVariantEditorFactory::createEditor(QtVariantPropertyManager* manager, QtProperty* property,
                                              QWidget* parent) {
  const int type = manager->propertyType(property);
  QWidget* editor = nullptr;
  // Only a value that differs from what the editor was loaded with is
  // committed: a spin box re-reads its (rounded) text on Return.
  auto commitIfChanged = [this](QWidget* w, const QVariant& v) {
    if (v != FLoaded.value(w))
      commit(w, v);
  };
  switch (type) {
  case QVariant::Int: {
    auto* spin = new QSpinBox(parent);
    connect(spin, &QSpinBox::editingFinished, this, [=] { commitIfChanged(spin, spin->value()); });
    editor = spin;
    break;
  }
  case QVariant::ULongLong: {
    auto* spin = new QtULongLongSpinBox(parent);
    connect(spin, &QAbstractSpinBox::editingFinished, this, [=] { commitIfChanged(spin, spin->value()); });
    editor = spin;
    break;
  }
  case QVariant::Double: {
    auto* spin = new QDoubleSpinBox(parent);
    connect(spin, &QDoubleSpinBox::editingFinished, this, [=] { commitIfChanged(spin, spin->value()); });
    editor = spin;
    break;
  }
  case QVariant::Bool: {
    auto* box = new QCheckBox(parent);
    connect(box, &QCheckBox::toggled, this, [=](bool on) { commit(box, on); });
    editor = box;
    break;
  }
  case QVariant::String: {
    auto* edit = new QLineEdit(parent);
    connect(edit, &QLineEdit::editingFinished, this, [=] { commitIfChanged(edit, edit->text()); });
    editor = edit;
    break;
  }
  default:
    if (type == QtVariantPropertyManager::enumTypeId()) {
      auto* combo = new QComboBox(parent);
      connect(combo, QOverload<int>::of(&QComboBox::activated), this, [=](int index) { commit(combo, index); });
      editor = combo;
    }
    break;
  }
  if (!editor)
    return nullptr;
  loadEditor(editor, manager, property);
  FCreatedEditors[property].append(editor);
  FEditorToProperty.insert(editor, property);
  connect(editor, &QObject::destroyed, this, &QtVariantEditorFactory::slotEditorDestroyed);
  return editor;
}

void QtVariantEditorFactory::loadEditor(QWidget* editor, QtVariantPropertyManager* manager, QtProperty* property) {
  const QVariant value = manager->value(property);
  auto attr = [&](const char* name) { return manager->attributeValue(property, QLatin1String(name)); };
  const QSignalBlocker blocker(editor);
  if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor)) {
    spin->setDecimals(attr(kDecimals).toInt());
    spin->setRange(attr(kMinimum).toDouble(), attr(kMaximum).toDouble());
    spin->setSingleStep(attr(kSingleStep).toDouble());
    spin->setValue(value.toDouble());
    FLoaded.insert(editor, spin->value());
  } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
    spin->setRange(attr(kMinimum).toInt(), attr(kMaximum).toInt());
    spin->setSingleStep(attr(kSingleStep).toInt());
    spin->setValue(value.toInt());
    FLoaded.insert(editor, spin->value());
  } else if (auto* box = qobject_cast<QCheckBox*>(editor)) {
    box->setChecked(value.toBool());
    box->setText(property->valueText());
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    if (edit->text() != value.toString())
      edit->setText(value.toString());
    FLoaded.insert(editor, edit->text());
  } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    const QStringList names = attr(kEnumNames).toStringList();
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
      shown << combo->itemText(i);
    if (shown != names) {
      combo->clear();
      combo->addItems(names);
    }
    combo->setCurrentIndex(value.toInt());
  } else if (auto* spin = dynamic_cast<QtULongLongSpinBox*>(editor)) {
    spin->setRange(attr(kMinimum).toULongLong(), attr(kMaximum).toULongLong());
    spin->setSingleStep(attr(kSingleStep).toULongLong());
    spin->setValue(value.toULongLong());
    FLoaded.insert(editor, spin->value());
  }
}

void QtVariantEditorFactory::commit(QWidget* editor, const QVariant& value) {
  QtProperty* property = FEditorToProperty.value(editor);
  if (!property)
    return;
  FLoaded.insert(editor, value);
  // By address only: the manager tells whether the property is still its own.
  for (QtVariantPropertyManager* manager : propertyManagers())
    if (manager->propertyType(property) != 0) {
      manager->setValue(property, value);
      return;
    }
}

void QtVariantEditorFactory::slotPropertyChanged(QtProperty* property, const QVariant&) {
  const QList<QWidget*> editors = FCreatedEditors.value(property);
  auto* manager = qobject_cast<QtVariantPropertyManager*>(sender());
  for (QWidget* editor : editors)
    if (manager)
      loadEditor(editor, manager, property);
}

void QtVariantEditorFactory::slotAttributeChanged(QtProperty* property, const QString&, const QVariant&) {
  slotPropertyChanged(property, QVariant());
}

void QtVariantEditorFactory::slotEditorDestroyed(QObject* object) {
  auto* editor = static_cast<QWidget*>(object);
  FLoaded.remove(editor);
  const auto it = FEditorToProperty.find(editor);
  if (it == FEditorToProperty.end())
    return;
  QtProperty* property = it.value();
  FEditorToProperty.erase(it);
  QList<QWidget*>& list = FCreatedEditors[property];
  list.removeOne(editor);
  if (list.isEmpty())
    FCreatedEditors.remove(property);
}

#include "properties/tkvqpropertiesdlg.h"

#include "module/kvqtappholder.h"
#include "properties/tenumproperty.h"
#include "properties/tkvqtfilepropertymanager.h"
#include "properties/tkvqtopenfileeditorfactory.h"
#include "properties/tkvqtsavefileeditorfactory.h"
#include "properties/tqproperties.h"
#include "ui_tkvqpropertiesdlg.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstrings.h"

#include <qttreepropertybrowser.h>
#include <qtvariantproperty.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The fewest decimals (at least two, at most `most`) that show v exactly.
template <class T> int DecimalsFor(T v, int most) {
  if (!std::isfinite(v))
    return 2;
  for (int d = 2; d < most; ++d) {
    const QString text = QString::number(double(v), 'f', d);
    if ((std::is_same<T, float>::value ? T(text.toFloat()) : T(text.toDouble())) == v)
      return d;
  }
  return most;
}

template <class T> bool IsNumberKind(const TQProperty* p) { return dynamic_cast<const TTypeProperty<T>*>(p); }

template <class T> bool HasBadRange(const TQProperty* p) {
  const auto* n = dynamic_cast<const TTypeProperty<T>*>(p);
  // Written so that a NaN bound is refused too.
  return n && !(n->FMinimum <= n->FMaximum);
}

template <class T> bool HasNoVariable(const TQProperty* p) {
  const auto* k = dynamic_cast<const T*>(p);
  return k && !k->FValue;
}

TKvMessage CallerError(const char* format, const TQProperty* p) {
  TKvMessage message(format);
  message << p->FName;
  return message;
}

} // namespace

TKvQPropertiesDlg::TKvQPropertiesDlg(QWidget* parent)
    : TKvQDialog(parent), FUi(new Ui_TKvQPropertiesDlg), FVariantManager(new QtVariantPropertyManager(this)),
      FVariantFactory(new QtVariantEditorFactory(this)), FOpenManager(new TKvQtFilePropertyManager(this)),
      FOpenFactory(new TKvQtOpenFileEditorFactory(this)), FSaveManager(new TKvQtFilePropertyManager(this)),
      FSaveFactory(new TKvQtSaveFileEditorFactory(this)) {
  FUi->setupUi(this);
  QtTreePropertyBrowser* browser = FUi->PropertyBrowser;
  browser->setFactoryForManager(FVariantManager, FVariantFactory);
  browser->setFactoryForManager(FOpenManager, FOpenFactory);
  browser->setFactoryForManager(FSaveManager, FSaveFactory);
  browser->setResizeMode(QtTreePropertyBrowser::ResizeToContents);
  browser->setAlternatingRowColors(false);
  connect(FUi->OkBtn, &QPushButton::clicked, this, &TKvQPropertiesDlg::accept);
}

TKvQPropertiesDlg::~TKvQPropertiesDlg() {
  // The browser goes before the managers and factories it refers to.
  delete FUi->PropertyBrowser;
  delete FUi;
}

bool TKvQPropertiesDlg::Execute(const QString& title, TQProperties* props) {
  std::unique_ptr<TKvQPropertiesDlg> owner(new TKvQPropertiesDlg(nullptr));
  QPointer<TKvQPropertiesDlg> dialog = owner.get();
  dialog->setWindowTitle(title);
  dialog->setParams(props);
  const int result = dialog->exec();
  if (!dialog)
    owner.release(); // deleted inside its own modal loop
  return result == ResultAccepted;
}

void TKvQPropertiesDlg::validate(const TQProperties* props) const {
  for (unsigned long i = 0; i < props->GetSize(); ++i) {
    const TQProperty* p = props->GetItem(i);
    if (!p)
      continue;
    if (HasNoVariable<TTypeProperty<int>>(p) || HasNoVariable<TTypeProperty<unsigned long>>(p) ||
        HasNoVariable<TTypeProperty<float>>(p) || HasNoVariable<TTypeProperty<double>>(p) ||
        HasNoVariable<TBoolProperty>(p) || HasNoVariable<TStringProperty>(p) || HasNoVariable<TEnumProperty>(p) ||
        HasNoVariable<TFileOpenProperty>(p) || HasNoVariable<TFilesOpenProperty>(p) ||
        HasNoVariable<TFileSaveProperty>(p))
      throw CallerError("@Property \"%1%\" is bound to no variable.", p);
    if (HasBadRange<int>(p) || HasBadRange<unsigned long>(p) || HasBadRange<float>(p) || HasBadRange<double>(p))
      throw CallerError("@Property \"%1%\": its minimum is above its maximum or not a number.", p);
    if (const auto* e = dynamic_cast<const TEnumProperty*>(p); e && !e->HasValidSize()) {
      TKvMessage message("@Property \"%1%\": an enum variable of %2% bytes; only 1 to 8 bytes can be edited.");
      message << p->FName << e->FValueSize;
      throw message;
    }
  }
}

void TKvQPropertiesDlg::setParams(TQProperties* props) {
  if (props)
    validate(props);
  FProps = props;
  FQtProps.clear();
  if (props) {
    QtTreePropertyBrowser* browser = FUi->PropertyBrowser;
    FQtProps.reserve(props->GetSize());
    for (unsigned long i = 0; i < props->GetSize(); ++i) {
      TQProperty* p = props->GetItem(i);
      // A skipped entry keeps its place, so that rows line up with descriptors.
      QtProperty* row = p ? createRow(p) : nullptr;
      FQtProps.push_back(row);
      if (!row)
        continue;
      const QString tip = FromUtf8(p->FDescription);
      row->setDescriptionToolTip(tip);
      row->setValueToolTip(tip);
      browser->addProperty(row);
    }
  }
  FUi->PropertyBrowser->adjustSize();
  adjustSize();
  // The browser gives the names the width of the longest one: leave the
  // values as much again, or their column starts out of sight.
  int names = 0;
  const QFontMetrics fm(FUi->PropertyBrowser->font());
  for (QtProperty* row : FQtProps)
    if (row)
      names = std::max(names, fm.horizontalAdvance(row->propertyName()));
  const int wanted = 2 * names + 4 * fm.height();
  if (width() < wanted)
    resize(wanted, height());
  // Tall enough for every row, up to two thirds of the screen: the
  // browser's own size hint shows only a handful.
  if (const auto* tree = FUi->PropertyBrowser->findChild<QTreeView*>()) {
    const int rows = tree->model() ? tree->model()->rowCount() : 0;
    if (rows > 0) {
      layout()->activate(); // the browser's place, before the dialog is shown
      const int rowHeight = std::max(tree->sizeHintForRow(0), fm.height());
      const int header = tree->header() && !tree->header()->isHidden() ? tree->header()->sizeHint().height() : 0;
      int tall = height() - tree->height() + header + rows * rowHeight + 2 * tree->frameWidth() + 2;
      if (const QScreen* screen = QGuiApplication::primaryScreen())
        tall = std::min(tall, screen->availableGeometry().height() * 2 / 3);
      if (tall > height())
        resize(width(), tall);
    }
  }
}

QtProperty* TKvQPropertiesDlg::createRow(TQProperty* p) {
  const QString caption = FromUtf8(p->FName);
  QtVariantPropertyManager* vm = FVariantManager;
  if (auto* n = dynamic_cast<TTypeProperty<int>*>(p)) {
    QtVariantProperty* row = vm->addProperty(QVariant::Int, caption);
    row->setAttribute("minimum", n->FMinimum);
    row->setAttribute("maximum", n->FMaximum);
    row->setValue(*n->FValue);
    return row;
  }
  if (auto* n = dynamic_cast<TTypeProperty<unsigned long>*>(p)) {
    if (QtVariantProperty* row = vm->addProperty(QVariant::ULongLong, caption)) {
      row->setAttribute("minimum", qulonglong(n->FMinimum));
      row->setAttribute("maximum", qulonglong(n->FMaximum));
      row->setValue(qulonglong(*n->FValue));
      return row;
    }
    QtVariantProperty* row = vm->addProperty(QVariant::String, caption);
    row->setValue(QString::number(qulonglong(*n->FValue)));
    return row;
  }
  if (auto* n = dynamic_cast<TTypeProperty<float>*>(p)) {
    QtVariantProperty* row = vm->addProperty(QVariant::Double, caption);
    row->setAttribute("decimals", std::max(DecimalsFor(*n->FValue, 7), DecimalsFor(n->FStep, 7)));
    row->setAttribute("minimum", n->FMinimum);
    row->setAttribute("maximum", n->FMaximum);
    row->setAttribute("singleStep", n->FStep);
    row->setValue(*n->FValue);
    return row;
  }
  if (auto* n = dynamic_cast<TTypeProperty<double>*>(p)) {
    QtVariantProperty* row = vm->addProperty(QVariant::Double, caption);
    row->setAttribute("decimals", std::max(DecimalsFor(*n->FValue, 13), DecimalsFor(n->FStep, 13)));
    row->setAttribute("minimum", n->FMinimum);
    row->setAttribute("maximum", n->FMaximum);
    row->setAttribute("singleStep", n->FStep);
    row->setValue(*n->FValue);
    return row;
  }
  if (auto* b = dynamic_cast<TBoolProperty*>(p)) {
    QtVariantProperty* row = vm->addProperty(QVariant::Bool, caption);
    row->setValue(*b->FValue);
    return row;
  }
  if (auto* s = dynamic_cast<TStringProperty*>(p)) {
    QtVariantProperty* row = vm->addProperty(QVariant::String, caption);
    row->setValue(FromUtf8(*s->FValue));
    return row;
  }
  if (auto* e = dynamic_cast<TEnumProperty*>(p)) {
    QtVariantProperty* row = vm->addProperty(QtVariantPropertyManager::enumTypeId(), caption);
    QStringList names;
    for (size_t i = 0; i < e->FValues.size(); ++i)
      names << (i < e->FNames.size() ? FromUtf8(e->FNames[i]) : QString::number(qulonglong(e->FValues[i])));
    row->setAttribute("enumNames", names);
    row->setValue(e->GetIndex());
    return row;
  }
  if (auto* f = dynamic_cast<TFileOpenProperty*>(p)) {
    QtProperty* row = FOpenManager->addProperty(caption);
    FOpenManager->setValue(row, FromUtf8(*f->FValue));
    FOpenManager->setFilter(row, FromUtf8(f->FFilter));
    FOpenManager->setMultiSelect(row, f->FMultiSelect);
    return row;
  }
  if (auto* f = dynamic_cast<TFilesOpenProperty*>(p)) {
    QtProperty* row = FOpenManager->addProperty(caption);
    FOpenManager->setValue(row, FromUtf8(KvMergeStrings(*f->FValue, "|")));
    FOpenManager->setFilter(row, FromUtf8(f->FFilter));
    FOpenManager->setMultiSelect(row, true);
    return row;
  }
  if (auto* f = dynamic_cast<TFileSaveProperty*>(p)) {
    QtProperty* row = FSaveManager->addProperty(caption);
    FSaveManager->setValue(row, FromUtf8(*f->FValue));
    FSaveManager->setFilter(row, FromUtf8(f->FFilter));
    return row;
  }
  QtVariantProperty* row = vm->addProperty(QVariant::String, caption);
  row->setValue(QCoreApplication::translate("TKvQPropertiesDlg", "Неизвестный тип",
                                            "KvQtCpnt:TKvQPropertiesDlg.UnknownType"));
  row->setEnabled(false);
  return row;
}

void TKvQPropertiesDlg::accept() {
  const unsigned long count = FProps ? std::min<unsigned long>(FProps->GetSize(), FQtProps.size()) : 0;
  for (unsigned long i = 0; i < count; ++i) {
    TQProperty* p = FProps->GetItem(i);
    QtProperty* row = FQtProps[i];
    if (!p || !row)
      continue;
    const QVariant v = FVariantManager->value(row);
    if (auto* n = dynamic_cast<TTypeProperty<int>*>(p)) {
      *n->FValue = v.toInt();
    } else if (auto* n = dynamic_cast<TTypeProperty<unsigned long>*>(p)) {
      if (v.userType() == QMetaType::QString) {
        unsigned long parsed = 0;
        if (KvStringToUlongRange(QtToKvStr(v.toString()), n->FMinimum, n->FMaximum, &parsed))
          *n->FValue = parsed;
      } else {
        *n->FValue = v.toULongLong();
      }
    } else if (auto* n = dynamic_cast<TTypeProperty<float>*>(p)) {
      *n->FValue = float(v.toDouble());
    } else if (auto* n = dynamic_cast<TTypeProperty<double>*>(p)) {
      *n->FValue = v.toDouble();
    } else if (auto* b = dynamic_cast<TBoolProperty*>(p)) {
      *b->FValue = v.toBool();
    } else if (auto* s = dynamic_cast<TStringProperty*>(p)) {
      *s->FValue = QtToKvStr(v.toString());
    } else if (auto* e = dynamic_cast<TEnumProperty*>(p)) {
      e->SetIndex(v.toInt());
    } else if (auto* f = dynamic_cast<TFileOpenProperty*>(p)) {
      *f->FValue = QtToKvStr(FOpenManager->value(row));
    } else if (auto* f = dynamic_cast<TFilesOpenProperty*>(p)) {
      // An empty text is no files, not one empty name.
      const std::string joined = QtToKvStr(FOpenManager->value(row));
      *f->FValue = joined.empty() ? std::vector<std::string>() : KvSplitString(joined, "|");
    } else if (auto* f = dynamic_cast<TFileSaveProperty*>(p)) {
      *f->FValue = QtToKvStr(FSaveManager->value(row));
    }
  }
  TKvQDialog::accept();
}

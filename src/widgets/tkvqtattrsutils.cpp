#include "widgets/tkvqtattrsutils.h"

#include "kvsuite/kvmessage.h"

#include <QComboBox>
#include <QLabel>

namespace {

void Add(QComboBox* combo, const std::string& text) { combo->addItem(QString::fromStdString(text)); }

void NeedCombo(QComboBox* combo, const char* function) {
  if (!combo)
    throw TKvMessage("@%1%: the combo box is null") << function;
}

} // namespace

void TKvQtAttrsUtils::FillAttrPurp(QComboBox* combo) {
  NeedCombo(combo, "TKvQtAttrsUtils::FillAttrPurp");
  combo->clear();
  Add(combo, TAutoFillAttr::GetAFModeStr(0));
  Add(combo, TAutoFillAttr::GetAFModeStr(1));
}

void TKvQtAttrsUtils::FillAttrUnits(QComboBox* combo, TAutoFillAttr::TAutoFillMode mode) {
  NeedCombo(combo, "TKvQtAttrsUtils::FillAttrUnits");
  combo->clear();
  Add(combo, TAutoFillAttr::GetSquareUnitsStr(0));
  if (mode == 0 || mode == 1)
    for (int u = 1; u <= 3; ++u)
      Add(combo, TAutoFillAttr::GetSquareUnitsStr(u));
}

void TKvQtAttrsUtils::FillAttrType(QComboBox* combo) {
  NeedCombo(combo, "TKvQtAttrsUtils::FillAttrType");
  combo->clear();
  for (int t = 1; t <= 3; ++t)
    combo->addItem(QString::fromUtf8(AttrTemplateTypeStr[t]));
}

void TKvQtAttrsUtils::CheckAFAttrsButtons(TAutoFillAttr::TAutoFillMode mode, QLabel* unitsLabel,
                                          QComboBox* unitsCombo, QLabel* typeLabel, QComboBox* typeCombo) {
  if (!unitsLabel || !unitsCombo)
    throw TKvMessage("@TKvQtAttrsUtils::CheckAFAttrsButtons: the units label and combo box are required");
  const bool units = TAutoFillAttr::GetUnitsEnabled(mode);
  unitsLabel->setEnabled(units);
  unitsCombo->setEnabled(units);
  if (!units)
    unitsCombo->setCurrentIndex(0);
  const int type = TAutoFillAttr::GetAutoFillAttrType(mode);
  if (typeLabel)
    typeLabel->setEnabled(type == 0);
  if (typeCombo) {
    typeCombo->setEnabled(type == 0);
    if (type != 0)
      typeCombo->setCurrentIndex(type - 1);
  }
}

#pragma once
// TKvQtAttrsUtils: fills and enables the combo boxes of an automatic
// attribute filling setting (which value, in which square units, into which
// attribute type) from the suite's TAutoFillAttr rules and texts.
//
// Combo boxes and labels stay the caller's. The units label and combo box
// must not be null (a null one throws a TKvMessage); the type label and
// combo box may be.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvdemtables.h"

class QComboBox;
class QLabel;

class KVQTCPNT_EXPORT TKvQtAttrsUtils {
public:
  // The two area modes offered for automatic filling.
  static void FillAttrPurp(QComboBox* combo);
  // The units that apply to the mode (only map units unless it is an area).
  static void FillAttrUnits(QComboBox* combo, TAutoFillAttr::TAutoFillMode mode);
  // Attribute template types 1 to 3.
  static void FillAttrType(QComboBox* combo);
  static void CheckAFAttrsButtons(TAutoFillAttr::TAutoFillMode mode, QLabel* unitsLabel, QComboBox* unitsCombo,
                                  QLabel* typeLabel, QComboBox* typeCombo);
};

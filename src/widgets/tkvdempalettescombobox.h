#pragma once
// TKvDEMPalettesComboBox: a combo box of the suite's elevation palettes, each
// shown as its colour ramp and caption. The item data (user role) is the
// palette's name, which currentName / selectName use.

#include "kvqtcpnt_export.h"

#include <QComboBox>

#include <string>

class TDEMPalettesItemDelegate;

class KVQTCPNT_EXPORT TKvDEMPalettesComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TKvDEMPalettesComboBox(QWidget* parent = nullptr);

  // The current palette's name (UTF-8); empty without a current item.
  std::string currentName();
  // Selects the first palette of that name; nothing (index -1) when unknown.
  void selectName(const std::string& name);
  TDEMPalettesItemDelegate* paletteDelegate() const { return FDelegate; }

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  TDEMPalettesItemDelegate* FDelegate;
};

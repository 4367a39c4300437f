#include "widgets/tkvdempalettescombobox.h"

#include "widgets/tdempalettesitemdelegate.h"

#include "module/kvqtappholder.h"

#include "kvsuite/kvdemtables.h"

#include <QStylePainter>

TKvDEMPalettesComboBox::TKvDEMPalettesComboBox(QWidget* parent)
    : QComboBox(parent), FDelegate(new TDEMPalettesItemDelegate(this)) {
  setItemDelegate(FDelegate);
  for (const TKvElevationPalette& p : TKvElevationPalette::s_Palettes)
    addItem(QString::fromStdString(p.GetCaption()), QString::fromStdString(p.GetName()));
}

std::string TKvDEMPalettesComboBox::currentName() {
  const QVariant v = currentData(Qt::UserRole);
  return v.type() == QVariant::String ? QtToKvStr(v.toString()) : std::string();
}

void TKvDEMPalettesComboBox::selectName(const std::string& name) {
  for (int i = 0; i < count(); ++i) {
    const QVariant v = itemData(i, Qt::UserRole);
    if (v.type() == QVariant::String && QtToKvStr(v.toString()) == name) {
      setCurrentIndex(i);
      return;
    }
  }
  setCurrentIndex(-1);
}

void TKvDEMPalettesComboBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  // The picture replaces the style's text.
  opt.currentText.clear();
  opt.currentIcon = QIcon();
  p.drawComplexControl(QStyle::CC_ComboBox, opt);
  if (currentIndex() < 0)
    return;
  const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  p.setPen(palette().color(QPalette::ButtonText));
  FDelegate->drawPaletteItem(&p, r, currentIndex(), currentText());
}

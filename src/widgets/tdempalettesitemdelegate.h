#pragma once
// TDEMPalettesItemDelegate: draws the items of an elevation-palette list as a
// colour ramp (33 stops from t = 0 to 1) followed by the palette's caption.
// Row i shows ramp i, in the order of TKvElevationPalette::s_Palettes.
//
// Ramps are gradients filled into whole logical pixels, so they stay sharp
// at any device pixel ratio (200 % included). A row without a palette draws
// its text only.

#include "kvqtcpnt_export.h"

#include <QAbstractItemDelegate>
#include <QLinearGradient>
#include <QVector>

class KVQTCPNT_EXPORT TDEMPalettesItemDelegate : public QAbstractItemDelegate {
  Q_OBJECT
public:
  explicit TDEMPalettesItemDelegate(QObject* parent = nullptr);

  // Ramp i; an empty gradient for an index without a palette.
  const QLinearGradient& gradient(int i) const;
  int gradientCount() const { return FGradients.size(); }
  void drawPaletteItem(QPainter* p, const QRect& r, int i, const QString& text) const;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  const int FLeftMargin = 2;
  const int FTopMargin = 2;
  const int FRightMargin = 2;
  const int FBottomMargin = 2;
  const int FSpacing = 5;
  const int FRampWidth = 32;
  const int FMinTextHeight = 16;
  QVector<QLinearGradient> FGradients;
};

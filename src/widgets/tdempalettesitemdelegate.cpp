#include "widgets/tdempalettesitemdelegate.h"

#include "kvsuite/kvdemtables.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

TDEMPalettesItemDelegate::TDEMPalettesItemDelegate(QObject* parent) : QAbstractItemDelegate(parent) {
  for (const TKvElevationPalette& palette : TKvElevationPalette::s_Palettes) {
    QLinearGradient g;
    // Stops at multiples of 1/32, summed exactly in binary: 33 of them.
    for (double t = 0.0; t <= 1.0; t += 0.03125) {
      double r = 0, gr = 0, b = 0;
      palette.GetColor(t, r, gr, b);
      g.setColorAt(t, QColor(int(r * 255), int(gr * 255), int(b * 255)));
    }
    FGradients.append(g);
  }
}

const QLinearGradient& TDEMPalettesItemDelegate::gradient(int i) const {
  static const QLinearGradient empty;
  return i >= 0 && i < FGradients.size() ? FGradients.at(i) : empty;
}

void TDEMPalettesItemDelegate::drawPaletteItem(QPainter* p, const QRect& r, int i, const QString& text) const {
  if (!p)
    return;
  const QRect ramp(r.left(), r.top(), FRampWidth, r.height());
  if (i >= 0 && i < FGradients.size()) {
    QLinearGradient g = FGradients.at(i);
    const int middle = (r.top() + r.bottom()) / 2;
    g.setStart(r.left(), middle);
    g.setFinalStop(r.left() + FRampWidth - 1, middle);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->fillRect(ramp, QBrush(g));
    p->restore();
  }
  const QRect textRect(QPoint(ramp.right() + 1 + FSpacing, r.top()), r.bottomRight());
  p->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
}

void TDEMPalettesItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  QApplication::style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, nullptr);
  const QRect r = option.rect.adjusted(FLeftMargin, FTopMargin, -FRightMargin, -FBottomMargin);
  drawPaletteItem(painter, r, index.row(), index.data(Qt::DisplayRole).toString());
}

QSize TDEMPalettesItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  const int w = option.fontMetrics.horizontalAdvance(text) + FLeftMargin + FRampWidth + FSpacing + FRightMargin;
  const int h = qMax(option.fontMetrics.height(), FMinTextHeight) + FTopMargin + FBottomMargin;
  return QSize(w, h);
}

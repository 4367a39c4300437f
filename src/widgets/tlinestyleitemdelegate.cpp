#include "widgets/tlinestyleitemdelegate.h"

#include "kvsuite/kvdemtables.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

void DrawLineStyleItem(QPainter* p, const QRect& r, int styleIndex, int width) {
  if (!p || styleIndex < 0)
    return;
  Qt::PenStyle style;
  switch (TKvLineStyleParams::GetLineStyle(static_cast<unsigned long>(styleIndex))) {
  case TKvLineStyleParams::lsSolid:
    style = Qt::SolidLine;
    break;
  case TKvLineStyleParams::lsDash:
    style = Qt::DashLine;
    break;
  case TKvLineStyleParams::lsDot:
    style = Qt::DotLine;
    break;
  case TKvLineStyleParams::lsDashDot:
    style = Qt::DashDotLine;
    break;
  case TKvLineStyleParams::lsDashDotDot:
    style = Qt::DashDotDotLine;
    break;
  default:
    return;
  }
  p->save();
  p->setRenderHint(QPainter::Antialiasing, false);
  p->setPen(QPen(QBrush(Qt::black), width, style, Qt::FlatCap));
  const int y = (r.top() + r.bottom()) / 2;
  p->drawLine(r.left(), y, r.right(), y);
  p->restore();
}

TLineStyleItemDelegate::TLineStyleItemDelegate(QObject* parent) : QAbstractItemDelegate(parent) {}

void TLineStyleItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  QApplication::style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, nullptr);
  DrawLineStyleItem(painter, option.rect.adjusted(5, 5, -5, -5), index.data(Qt::UserRole).toInt(), FLineWidth);
}

QSize TLineStyleItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return QSize(100, 25);
}

int TLineStyleItemDelegate::setLineWidth(int width) {
  FLineWidth = qBound(1, width, 10);
  return FLineWidth;
}

#pragma once
// TLineStyleItemDelegate: draws the items of a line-style list as black
// sample lines of the delegate's width (1 to 10 pixels). The item's user-role
// data is the index of a suite line style (TKvLineStyleParams).
//
// Samples are drawn as vector lines without antialiasing at whole logical
// pixels, so they stay sharp at any device pixel ratio (200 % included).

#include "kvqtcpnt_export.h"

#include <QAbstractItemDelegate>

class QPainter;
class QRect;

// A horizontal sample of the line style at styleIndex across r, at the
// vertical middle of r; a style the library does not know draws nothing.
KVQTCPNT_EXPORT void DrawLineStyleItem(QPainter* p, const QRect& r, int styleIndex, int width);

class KVQTCPNT_EXPORT TLineStyleItemDelegate : public QAbstractItemDelegate {
  Q_OBJECT
public:
  explicit TLineStyleItemDelegate(QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Stores the width clamped to 1..10 and answers the stored value.
  int setLineWidth(int width);
  int lineWidth() const { return FLineWidth; }

private:
  int FLineWidth = 1;
};

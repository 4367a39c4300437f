#pragma once
// TKvLineStyleComboBox: a combo box of the suite's line styles, each shown as
// a black sample line of the chosen width, in the list and in the closed box.
// The item data (user role) is the style's index.

#include "kvqtcpnt_export.h"

#include <QComboBox>

class KVQTCPNT_EXPORT TKvLineStyleComboBox : public QComboBox {
  Q_OBJECT
public:
  explicit TKvLineStyleComboBox(QWidget* parent = nullptr);

  // Width of the samples, clamped to 1..10.
  void setLineWidth(int width);
  int lineWidth() const;

protected:
  void paintEvent(QPaintEvent* e) override;
};

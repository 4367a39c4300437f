#pragma once
// The bar of a progress item: a QProgressBar that can switch to Qt's busy
// display (range 0..0) and back without losing its last determinate value.

#include "kvqtcpnt_export.h"

#include <QProgressBar>

class KVQTCPNT_EXPORT TKvQtProgressBar : public QProgressBar {
public:
  explicit TKvQtProgressBar(QWidget* parent = nullptr);

  // On: busy display; off: range 0..100 with the value kept from before.
  void setBarIndefinite(bool indefinite);
  bool isBarIndefinite() const { return FIndefinite; }
  // Truncates to an integer, remembers it as the determinate value.
  void setValue(double value);
  int lastValue() const { return FValue; }

private:
  int FValue = 0;
  bool FIndefinite = true;
};

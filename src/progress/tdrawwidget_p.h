#pragma once
// The bar plot of an iterations panel: the last 200 corrections, oldest on
// the left, against the target accuracy (red line) and the top of the scale
// (green line). Where a value lands vertically is the caller's mapping.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvprogress.h"

#include <QWidget>

#include <vector>

class KVQTCPNT_AUTOTEST_EXPORT TDrawWidget : public QWidget {
public:
  typedef IKvIterationsProgress::TFnValueToPos TFnValueToPos;
  static constexpr int ValueCount = 200;

  explicit TDrawWidget(QWidget* parent = nullptr);

  // Forgets the values and starts a new scale.
  void Reset(double eps, TFnValueToPos valueToPos);
  // Appends the newest value; the oldest drops out.
  void AddValue(double value);
  const std::vector<double>& Values() const { return FValues; }
  double MaxValue() const { return FMaxValue; }
  double Eps() const { return FEps; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TFnValueToPos FValueToPos = nullptr;
  double FTopFactor = 1000.0;
  double FLowFactor = 0.1;
  double FEps = 1.0;
  double FMaxValue = 0;
  std::vector<double> FValues;
};

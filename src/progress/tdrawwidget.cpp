#include "progress/tdrawwidget_p.h"

#include <QPainter>

#include <algorithm>

namespace {
double Clamp01(double v) { return v > 1.0 ? 1.0 : (v >= 0.0 ? v : 0.0); }
} // namespace

TDrawWidget::TDrawWidget(QWidget* parent) : QWidget(parent), FValues(ValueCount, 0.0) {}

void TDrawWidget::Reset(double eps, TFnValueToPos valueToPos) {
  FEps = eps;
  FValueToPos = valueToPos;
  FMaxValue = 0;
  std::fill(FValues.begin(), FValues.end(), 0.0);
}

void TDrawWidget::AddValue(double value) {
  std::rotate(FValues.begin(), FValues.begin() + 1, FValues.end());
  FValues.back() = value;
  if (value > FMaxValue)
    FMaxValue = value;
}

void TDrawWidget::paintEvent(QPaintEvent*) {
  const QRect r = rect();
  const int x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
  const int w = x2 - x1 + 1;
  const int h = y2 - y1;
  if (w < 2)
    return;

  const double low = FLowFactor * FEps;
  double top = std::max(FTopFactor * FEps, *std::max_element(FValues.begin(), FValues.end()));
  if (top < 0)
    top = 0;
  if (top <= 0)
    top = 1;
  // Without a mapping (before the first Start) everything sits at the bottom.
  auto toPos = [&](double v) { return FValueToPos ? Clamp01(FValueToPos(v, top, low)) : 1.0; };

  QPainter p(this);
  p.setPen(Qt::black);
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(r);
  p.setBrush(Qt::white);

  const int n = ValueCount;
  const int g = static_cast<int>(0.1 * h);
  for (int k = 0; k < n; ++k) {
    int left, right;
    if (n * g + 1 < w - 1) {
      left = x1 + k * (w - 2) / n;
      right = x1 + (k + 1) * (w - 2) / n;
    } else {
      right = x2 - (n - 1 - k) * g - 1;
      left = right - g;
      if (right < x1)
        continue;
      left = std::max(left, x1);
    }
    const double pos = toPos(FValues[static_cast<size_t>(k)]);
    const int yTop = y2 - static_cast<int>((1.0 - pos) * h);
    const int yBottom = y2 - 1;
    if (yTop > yBottom)
      continue;
    p.drawRect(QRect(QPoint(left, yTop), QPoint(right, yBottom)).adjusted(0, 0, -1, -1));
  }

  const int yTopLine = y1 + static_cast<int>(toPos(FTopFactor * FEps) * h);
  p.setPen(QColor(0, 255, 0));
  p.drawLine(x1, yTopLine, x2, yTopLine);
  const int yEps = y1 + static_cast<int>(toPos(FEps) * h);
  p.setPen(QColor(255, 0, 0));
  p.drawLine(x1, yEps, x2, yEps);
}

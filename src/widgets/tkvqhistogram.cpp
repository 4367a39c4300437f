#include "widgets/tkvqhistogram.h"

#include "widgets/tkvhistogramdata.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The range of the finite values; false when there is none.
bool FiniteMinMax(const double* values, unsigned long count, double& min, double& max) {
  bool any = false;
  for (unsigned long i = 0; i < count; ++i) {
    const double v = values[i];
    if (!std::isfinite(v))
      continue;
    if (!any || v < min)
      min = v;
    if (!any || v > max)
      max = v;
    any = true;
  }
  return any;
}

} // namespace

TKvQHistogram::TKvQHistogram(QWidget* parent) : QWidget(parent), FHistogram(new TKvHistogramData) {}

TKvQHistogram::~TKvQHistogram() { delete FHistogram; }

void TKvQHistogram::setInputData(const double* values, unsigned long count) {
  FValueCount = count;
  FValues = count ? values : nullptr;
  if (FAutoAxisSize && FValues) {
    double min = 0, max = 0;
    if (FiniteMinMax(FValues, FValueCount, min, max)) {
      if (min == max) {
        min -= 0.5;
        max += 0.5;
      }
      FAxisMin = min;
      FAxisMax = max;
    }
  }
  updateHistogram();
  repaint();
}

void TKvQHistogram::updateHistogram() {
  if (!FValues || !FValueCount)
    return;
  const int bins = width() - FMarginLeft - FMarginRight;
  if (bins >= 1)
    FHistogram->Create(FValues, FValueCount, FAxisMin, FAxisMax, static_cast<unsigned long>(bins));
  else
    FHistogram->Destroy();
}

void TKvQHistogram::setCursorPos(double value) { moveCursor(value); }

void TKvQHistogram::moveCursor(double value) {
  if (std::isnan(value))
    return;
  value = std::min(std::max(value, FAxisMin), FAxisMax);
  if (value == FCursorValue)
    return;
  FCursorValue = value;
  repaint();
  emit cursorPositionChanged(value);
}

void TKvQHistogram::setAutoAxisSize(bool on) {
  if (on == FAutoAxisSize)
    return;
  FAutoAxisSize = on;
  if (on && FValues)
    setInputData(FValues, FValueCount);
}

void TKvQHistogram::setAxisRange(double min, double max) {
  FAxisMin = min;
  FAxisMax = max;
  updateHistogram();
  update();
}

void TKvQHistogram::setLabelIntervalCount(int count) {
  FLabelIntervals = std::max(0, count);
  update();
}

double TKvQHistogram::posToValue(int x) {
  const int l = plotLeft(), r = plotRight();
  if (x <= l)
    return FAxisMin;
  if (x >= r)
    return FAxisMax;
  return FAxisMin + (FAxisMax - FAxisMin) * (x - l) / (r - l);
}

int TKvQHistogram::valueToPos(double v) {
  const int l = plotLeft(), r = plotRight();
  const double range = FAxisMax - FAxisMin;
  const double off = v - FAxisMin;
  if (!(range > 0) || !(off > 0))
    return l;
  if (off >= range)
    return r;
  return static_cast<int>(std::floor(off * (r - l) / range + l + 0.5));
}

void TKvQHistogram::mousePressEvent(QMouseEvent* e) {
  if (FDragging)
    return;
  FDragging = true;
  moveCursor(posToValue(qRound(e->localPos().x())));
}

void TKvQHistogram::mouseReleaseEvent(QMouseEvent*) { FDragging = false; }

void TKvQHistogram::mouseMoveEvent(QMouseEvent* e) {
  if (!FDragging)
    return;
  const int x = std::min(std::max(qRound(e->localPos().x()), plotLeft()), std::max(plotLeft(), plotRight()));
  moveCursor(posToValue(x));
}

void TKvQHistogram::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().brush(QPalette::Window));
  drawHistogram(p);
  drawLabels(p);
  drawFrame(p);
  drawCursorLine(p);
}

void TKvQHistogram::drawHistogram(QPainter& p) {
  const unsigned long bins = FHistogram->BinCount();
  const unsigned long highest = FHistogram->MaxBinCount();
  if (!bins || !highest)
    return;
  p.setPen(QPen(FBarColor, 1));
  const int base = height() - FMarginBottom;
  const double scale = double(height() - FMarginTop - FMarginBottom) / double(highest);
  for (unsigned long i = 0; i < bins; ++i) {
    const unsigned long c = FHistogram->Bin(i);
    if (!c)
      continue;
    const int x = FMarginLeft + static_cast<int>(i);
    p.drawLine(x, base, x, base - static_cast<int>(double(c) * scale + 0.5));
  }
}

void TKvQHistogram::drawLabels(QPainter& p) {
  if (FLabelIntervals <= 0)
    return;
  p.setPen(QPen(Qt::black, 1));
  const QFontMetrics fm(p.font());
  const int r = plotRight(), l = plotLeft();
  const int spacing = std::max(10, (r - l) / FLabelIntervals);
  const int baseline = height() - FMarginBottom + 1 + fm.height();
  struct TLabel {
    int Left;
    int Width;
    QString Text;
  };
  std::vector<TLabel> labels;
  for (int x = l; x <= r; x += spacing) {
    double v;
    if (x <= l)
      v = FAxisMin;
    else if (x >= r)
      v = FAxisMax;
    else
      v = FAxisMin + (FAxisMax - FAxisMin) * (x - l) / (r - l);
    TLabel label{0, 0, QString::number(v, 'f', 3)};
    label.Width = fm.horizontalAdvance(label.Text);
    label.Left = std::max(0, std::min(x - label.Width / 2, r - label.Width));
    labels.push_back(label);
  }
  // Keep labels apart by at least a space: the last one (the axis maximum
  // when the spacing reaches it) always stays, the others from the left
  // while they fit.
  const int gap = fm.horizontalAdvance(QLatin1Char(' '));
  std::vector<bool> keep(labels.size(), false);
  if (!labels.empty()) {
    keep.back() = true;
    const int limit = labels.back().Left;
    int end = std::numeric_limits<int>::min();
    for (size_t i = 0; i + 1 < labels.size(); ++i) {
      const int right = labels[i].Left + labels[i].Width + gap;
      if (labels[i].Left >= end && right <= limit) {
        keep[i] = true;
        end = right;
      }
    }
  }
  for (size_t i = 0; i < labels.size(); ++i)
    if (keep[i])
      p.drawText(labels[i].Left, baseline, labels[i].Text);
}

void TKvQHistogram::drawFrame(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(QPoint(FMarginLeft - 1, FMarginTop - 1),
                   QPoint(width() - FMarginRight - 2, height() - FMarginBottom - 2)));
}

void TKvQHistogram::drawCursorLine(QPainter& p) {
  p.setPen(QPen(FCursorColor, 2));
  const int x = valueToPos(FCursorValue);
  p.drawLine(x, height() - FMarginBottom, x, FMarginTop);
}

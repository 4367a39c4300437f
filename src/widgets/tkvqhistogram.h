#pragma once
// TKvQHistogram: draws the histogram of a double array with one bin per pixel
// column of the plot, value labels under the plot, a frame, and a red cursor
// line that the user places by pressing and dragging the mouse.
//
// The widget does not own the values: the caller keeps the array alive until
// other data is set or the widget dies. The bins follow the data and the
// width only when setInputData or updateHistogram runs (call the latter after
// a resize). Choices beyond the plain drawing rules:
// - Labels never overlap: where the interval spacing would put two labels on
//   top of each other, the later one is left out (the last label, at the
//   right edge, is kept in preference to its neighbour).
// - The automatic axis range spans the finite values; NaN and infinities have
//   no bar. Values outside a range set from outside are not counted.
// - setCursorPos ignores NaN.

#include "kvqtcpnt_export.h"

#include <QColor>
#include <QWidget>

class TKvHistogramData;

class KVQTCPNT_EXPORT TKvQHistogram : public QWidget {
  Q_OBJECT
public:
  explicit TKvQHistogram(QWidget* parent = nullptr);
  ~TKvQHistogram() override;

  // Takes new data (not owned; null or a zero count keeps the previous bars)
  // and repaints at once.
  void setInputData(const double* values, unsigned long count);
  // Recounts the bins for the current width, without repainting.
  void updateHistogram();
  void setCursorPos(double value);
  double cursorPos() const { return FCursorValue; }
  void setAutoAxisSize(bool on);
  bool autoAxisSize() const { return FAutoAxisSize; }
  // The axis range used outside automatic mode (and shown by the labels).
  void setAxisRange(double min, double max);
  double axisMin() const { return FAxisMin; }
  double axisMax() const { return FAxisMax; }
  void setLabelIntervalCount(int count);
  int labelIntervalCount() const { return FLabelIntervals; }

  double posToValue(int x);
  int valueToPos(double v);

  const TKvHistogramData* histogramData() const { return FHistogram; }

  // The painting steps, in the order paintEvent runs them.
  void drawHistogram(QPainter& p);
  void drawLabels(QPainter& p);
  void drawFrame(QPainter& p);
  void drawCursorLine(QPainter& p);

signals:
  void cursorPositionChanged(double value);

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

private:
  int plotLeft() const { return FMarginLeft; }
  int plotRight() const { return width() - FMarginRight; }
  // Moves the cursor to the value (clamped); signals a real change.
  void moveCursor(double value);

  int FMarginLeft = 5;
  int FMarginTop = 5;
  int FMarginRight = 5;
  int FMarginBottom = 20;
  bool FAutoAxisSize = false;
  int FLabelIntervals = 5;
  const double* FValues = nullptr;
  unsigned long FValueCount = 0;
  TKvHistogramData* FHistogram;
  double FCursorValue = 0;
  double FAxisMin = 0;
  double FAxisMax = 0;
  QColor FCursorColor = Qt::red;
  QColor FBarColor = Qt::blue;
  bool FDragging = false;
};

#pragma once
// The panel of an iterative computation inside a progress frame: a plot of
// the last corrections, the current correction, iteration and sigma, and a
// Stop button that asks the computation to end at the current iteration.
//
// The value format is a printf format with exactly one floating-point
// conversion; any other (or none) falls back to "%.3lg", so a bad format from
// a caller can never reach printf.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvprogress.h"

#include <QString>
#include <QWidget>

#include <string>

class Ui_TQtIterationsWidget;
class TDrawWidget;

class KVQTCPNT_EXPORT TQtIterationsWidget : public QWidget {
  Q_OBJECT

public:
  typedef IKvIterationsProgress::TFnValueToPos TFnValueToPos;

  TQtIterationsWidget(const char* format, QWidget* parent);
  ~TQtIterationsWidget() override;

  // A null mapping throws a TKvMessage.
  void Start(double eps, TFnValueToPos valueToPos);
  // False once Stop was pressed.
  bool NextIteration(int iteration, double value, double sigma);
  bool CheckIterationBreak() const { return !FBreak; }
  bool ResetIterationBreak();
  void End();
  void Redraw();

  const std::string& Format() const { return FFormat; }
  int Iteration() const { return FIteration; }
  TDrawWidget* Plot() const;

private slots:
  void slotBtnStopClicked();

private:
  bool FBreak = false;
  std::string FFormat;
  int FIteration = 0;
  QString FSigmaCaption;
  Ui_TQtIterationsWidget* ui;
};

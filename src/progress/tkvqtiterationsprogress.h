#pragma once
// The iterations progress of a progress frame: shows a TQtIterationsWidget
// panel through the frame's GUI-panel service between Start and End.
//
// The GUI-panel service is not owned and must outlive this object; the panel
// is owned here (through a shared reference) and deleted by End or by the
// destructor.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvprogress.h"
#include "kvsuite/var_a.h"

class IKvQtGuiProgress;
class QWidget;
class TQtIterationsWidget;

class KVQTCPNT_EXPORT TKvQtIterationsProgress : public IKvIterationsProgress {
public:
  // A null service throws a TKvMessage.
  explicit TKvQtIterationsProgress(IKvQtGuiProgress* guiProgress);
  ~TKvQtIterationsProgress() override;

  // A second Start without End throws a TKvMessage; the shown panel stays.
  void Start(double eps, TFnValueToPos valueToPos) override;
  bool NextIteration(int iteration, double value, double sigma) override;
  bool CheckIterationBreak() override;
  bool ResetIterationBreak() override;
  // Without a matching Start: logged, no exception.
  void End() override;

  // The panel while one is shown, else null.
  TQtIterationsWidget* Panel() const { return FFmIterations; }

private:
  IKvQtGuiProgress* i_kv_vcl_progress;
  QWidget* FPanelParent = nullptr;
  var_a<TQtIterationsWidget*> FPanel;
  TQtIterationsWidget* FFmIterations = nullptr;
};

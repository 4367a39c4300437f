#include "progress/tkvqtiterationsprogress.h"

#include "progress/ikvqtguiprogress.h"
#include "progress/tqtiterationswidget.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvtime.h"

TKvQtIterationsProgress::TKvQtIterationsProgress(IKvQtGuiProgress* guiProgress) : i_kv_vcl_progress(guiProgress) {
  KV_ASSERT_IN("TKvQtIterationsProgress::TKvQtIterationsProgress(IKvQtGuiProgress *)", i_kv_vcl_progress);
}

TKvQtIterationsProgress::~TKvQtIterationsProgress() = default;

void TKvQtIterationsProgress::Start(double eps, TFnValueToPos valueToPos) {
  TKvFPUSaver fpu;
  if (FFmIterations)
    throw TKvMessage("@TKvQtIterationsProgress::Start(): Start() called twice.");
  QWidget* parent = i_kv_vcl_progress->CreateWidget();
  var_a<TQtIterationsWidget*> panel(new TQtIterationsWidget(nullptr, parent));
  // Validate the mapping before the panel is shown, so that a failed Start
  // leaves nothing behind.
  panel->Start(eps, valueToPos);
  i_kv_vcl_progress->ShowWidget(parent, panel.get());
  FPanelParent = parent;
  FPanel = panel;
  FFmIterations = panel.get();
}

bool TKvQtIterationsProgress::NextIteration(int iteration, double value, double sigma) {
  TKvFPUSaver fpu;
  KV_ASSERT_IN("virtual bool TKvQtIterationsProgress::NextIteration(int, double, double)", FFmIterations);
  return FFmIterations->NextIteration(iteration, value, sigma);
}

bool TKvQtIterationsProgress::CheckIterationBreak() {
  TKvFPUSaver fpu;
  KV_ASSERT_IN("virtual bool TKvQtIterationsProgress::CheckIterationBreak()", FFmIterations);
  return FFmIterations->CheckIterationBreak();
}

bool TKvQtIterationsProgress::ResetIterationBreak() {
  TKvFPUSaver fpu;
  KV_ASSERT_IN("virtual bool TKvQtIterationsProgress::ResetIterationBreak()", FFmIterations);
  return FFmIterations->ResetIterationBreak();
}

void TKvQtIterationsProgress::End() {
  TKvFPUSaver fpu;
  if (!FFmIterations) {
    KvLogWriteError("@TKvQtIterationsProgress::End(): End() called without matching Start().", lmlInternal, 0);
    return;
  }
  QWidget* parent = FPanelParent;
  i_kv_vcl_progress->HideWidget(parent, FFmIterations);
  FPanel.reset();
  FFmIterations = nullptr;
  i_kv_vcl_progress->DestroyWidget(parent);
  FPanelParent = nullptr;
}

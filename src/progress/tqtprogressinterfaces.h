#pragma once
// The further interfaces of a progress frame, answered through its
// KvInterface(): the GUI-panel service and the iterations progress built
// over it. Lives inside the frame; the widget and layout it is given belong
// to the frame.

#include "kvqtcpnt_export.h"

#include "progress/tkvqtguiprogress.h"
#include "progress/tkvqtiterationsprogress.h"

class KVQTCPNT_EXPORT TQtProgressInterfaces : public virtual IKvInterface {
public:
  TQtProgressInterfaces(QWidget* parent, QBoxLayout* layout, TKvQtGuiProgress::THeightChangedEvent onHeightChanged);
  ~TQtProgressInterfaces() override;

  // The GUI-panel service first, then the iterations progress.
  IKvInterface* GetInterface_Int(TKvUIDObject* id) override;

  TKvQtGuiProgress& GuiProgress() { return FGuiProgress; }
  TKvQtIterationsProgress& IterationsProgress() { return FIterationsProgress; }

private:
  TKvQtGuiProgress FGuiProgress;
  TKvQtIterationsProgress FIterationsProgress;
};

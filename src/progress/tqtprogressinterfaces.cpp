#include "progress/tqtprogressinterfaces.h"

TQtProgressInterfaces::TQtProgressInterfaces(QWidget* parent, QBoxLayout* layout,
                                             TKvQtGuiProgress::THeightChangedEvent onHeightChanged)
    : FGuiProgress(parent, layout, std::move(onHeightChanged)), FIterationsProgress(&FGuiProgress) {}

TQtProgressInterfaces::~TQtProgressInterfaces() = default;

IKvInterface* TQtProgressInterfaces::GetInterface_Int(TKvUIDObject* id) {
  if (IKvInterface* gui = FGuiProgress.GetInterface_Int(id))
    return gui;
  return FIterationsProgress.GetInterface_Int(id);
}

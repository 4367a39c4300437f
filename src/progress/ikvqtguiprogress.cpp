#include "progress/ikvqtguiprogress.h"

TKvUIDObject IKvQtGuiProgress::IKvQtGuiProgressUIDObj = {"IKvQtGuiProgress"};

IKvInterface* IKvQtGuiProgress::GetInterface_Int(TKvUIDObject* id) {
  if (id == &IKvQtGuiProgressUIDObj)
    return this;
  return IKvInterface::GetInterface_Int(id);
}

IKvQtGuiProgress::~IKvQtGuiProgress() = default;

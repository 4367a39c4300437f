#include "module/ikvguilayer.h"

TKvUIDObject IKvGuiLayer::IKvGuiLayerUIDObj = {"IKvGuiLayer"};

IKvInterface* IKvGuiLayer::GetInterface_Int(TKvUIDObject* id) {
  if (id == &IKvGuiLayerUIDObj)
    return this;
  return IKvInterface::GetInterface_Int(id);
}

IKvGuiLayer::~IKvGuiLayer() = default;

#include "module/ikvguiapplication.h"

TKvUIDObject IKvGUIApplication::IKvGUIApplicationUIDObj = {"IKvGUIApplication"};

IKvInterface* IKvGUIApplication::GetInterface_Int(TKvUIDObject* id) {
  if (id == &IKvGUIApplicationUIDObj)
    return this;
  return IKvInterface::GetInterface_Int(id);
}

IKvGUIApplication::~IKvGUIApplication() = default;

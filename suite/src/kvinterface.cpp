#include "kvsuite/kvinterface.h"

IKvInterface* IKvInterface::GetInterface_Int(TKvUIDObject*) { return nullptr; }

IKvInterface::~IKvInterface() = default;

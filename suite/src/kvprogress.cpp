#include "kvsuite/kvprogress.h"

TKvProgressControl::~TKvProgressControl() = default;

TKvUIDObject IKvIterationsProgress::IKvIterationsProgressUIDObj = {"IKvIterationsProgress"};

IKvInterface* IKvIterationsProgress::GetInterface_Int(TKvUIDObject* id) {
  if (id == &IKvIterationsProgressUIDObj)
    return this;
  return IKvInterface::GetInterface_Int(id);
}

IKvIterationsProgress::~IKvIterationsProgress() = default;

TKvLogProgress::~TKvLogProgress() = default;

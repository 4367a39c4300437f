#pragma once
// Interface look-up by identity object. Every interface owns one static
// TKvUIDObject; identity is its address, never its name.

#include "kvsuite/kvsuite_export.h"

struct TKvUIDObject {
  const char* Name;
};

class KVSUITE_EXPORT IKvInterface {
public:
  // The object as the interface named by id, or null when it does not have it.
  virtual IKvInterface* GetInterface_Int(TKvUIDObject* id);
  virtual ~IKvInterface();
};

// Typed look-up: KvGetInterface<IKvIterationsProgress>(obj, &IKvIterationsProgress::UIDObj).
template <class I> I* KvGetInterface(IKvInterface* obj, TKvUIDObject* id) {
  if (!obj)
    return nullptr;
  return dynamic_cast<I*>(obj->GetInterface_Int(id));
}

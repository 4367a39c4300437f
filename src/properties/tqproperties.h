#pragma once
// TQProperties: the list of descriptors a property dialog edits. The list owns
// its descriptors and deletes them in Clear() and in its destructor.

#include "properties/tqproperty.h"

#include <string>
#include <vector>

class KVQTCPNT_EXPORT TQProperties {
public:
  TQProperties() = default;
  ~TQProperties();
  TQProperties(const TQProperties&) = delete;
  TQProperties& operator=(const TQProperties&) = delete;

  // Appends and takes ownership (a null entry is kept and skipped by the dialog).
  void AddItem(TQProperty* item);
  // The i-th descriptor; null when i is not below GetSize().
  TQProperty* GetItem(unsigned long i) const;
  unsigned long GetSize() const { return FItems.size(); }
  // The first descriptor named exactly `name` (byte for byte), or null.
  TQProperty* FindItem(const std::string& name) const;
  void Clear();

private:
  std::vector<TQProperty*> FItems;
};

#include "properties/tqproperties.h"

TQProperties::~TQProperties() { Clear(); }

void TQProperties::AddItem(TQProperty* item) { FItems.push_back(item); }

TQProperty* TQProperties::GetItem(unsigned long i) const { return i < FItems.size() ? FItems[i] : nullptr; }

TQProperty* TQProperties::FindItem(const std::string& name) const {
  for (TQProperty* item : FItems)
    if (item && item->FName == name)
      return item;
  return nullptr;
}

void TQProperties::Clear() {
  // Emptied first: a descriptor's destructor never sees a half-cleared list.
  std::vector<TQProperty*> items;
  items.swap(FItems);
  for (TQProperty* item : items)
    delete item;
}

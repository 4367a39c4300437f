#include "properties/tenumproperty.h"

#include <cstring>

TEnumProperty::~TEnumProperty() = default;

int TEnumProperty::GetIndex() const {
  if (!FValue || !HasValidSize())
    return -1;
  const size_t size = size_t(FValueSize);
  for (size_t i = 0; i < FValues.size(); ++i)
    if (std::memcmp(&FValues[i], FValue, size) == 0)
      return int(i);
  return -1;
}

void TEnumProperty::SetIndex(int i) {
  if (!FValue || !HasValidSize() || i < 0 || size_t(i) >= FValues.size())
    return;
  std::memcpy(FValue, &FValues[size_t(i)], size_t(FValueSize));
}

#pragma once
// TEnumProperty: a variable of 1 to 8 bytes (an enum, a small integer) that
// takes one of a list of values, shown as a drop-down list of captions.
//
// The variable is compared and written as its lowest FValueSize bytes in
// memory order, taken from the start of each 64-bit entry of FValues. A size
// outside 1..8 or a null variable makes GetIndex() answer -1 and SetIndex()
// do nothing: neither ever reads or writes outside the variable. The dialog
// refuses such a descriptor with a message.

#include "properties/tqproperty.h"

#include <cstdint>

class KVQTCPNT_EXPORT TEnumProperty : public TQProperty {
public:
  TEnumProperty(std::string name, std::string description, void* value, int valueSize,
                std::vector<uint64_t> values, std::vector<std::string> names)
      : TQProperty(std::move(name), std::move(description)), FValue(value), FValueSize(valueSize),
        FValues(std::move(values)), FNames(std::move(names)) {}
  ~TEnumProperty() override;

  // Position of the first entry of FValues equal to the variable, or -1.
  int GetIndex() const;
  // Writes FValues[i] into the variable; an invalid index is ignored.
  void SetIndex(int i);
  bool HasValidSize() const { return FValueSize >= 1 && FValueSize <= 8; }

  void* FValue;
  int FValueSize;                  // bytes of the variable, 1..8
  std::vector<uint64_t> FValues;   // the values the variable may take
  std::vector<std::string> FNames; // one caption per value, same order
};

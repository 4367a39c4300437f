#pragma once
// TKvChecks: a list of named on/off flags that a caller hands to a check-box
// dialog as one object.
//
// The flags belong to the list; GetChecks hands out pointers to them so that
// a dialog can write the user's ticks straight back. Those pointers stay
// valid while the list lives, also when more flags are added (the storage
// never moves its elements). Names need not be unique; a flag is found by its
// position, or by the first flag of a name.

#include "kvsuite/kvsuite_export.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

class KVSUITE_EXPORT TKvChecks {
public:
  TKvChecks() = default;
  virtual ~TKvChecks();

  // Appends a flag; its position.
  std::size_t Add(const std::string& name, bool checked = false);
  std::size_t size() const { return FChecks.size(); }
  bool empty() const { return FChecks.empty(); }
  const std::string& Name(std::size_t index) const;
  // Throws a TKvMessage for a position past the end.
  bool IsChecked(std::size_t index) const;
  void SetChecked(std::size_t index, bool checked);
  // The first flag of that name; false when there is none.
  bool IsChecked(const std::string& name) const;

  // Appends (name, pointer to the flag) for every flag, in order. Writing
  // through a pointer changes the flag in this list.
  virtual void GetChecks(std::vector<std::pair<std::string, bool*>>& checks) const;

private:
  const std::pair<std::string, bool>& At(std::size_t index) const;
  // Mutable: the list is passed by const reference to dialogs that still
  // write the ticks back through GetChecks.
  mutable std::deque<std::pair<std::string, bool>> FChecks;
};

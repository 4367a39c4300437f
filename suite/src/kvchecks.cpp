#include "kvsuite/kvchecks.h"

#include "kvsuite/kvmessage.h"

TKvChecks::~TKvChecks() = default;

std::size_t TKvChecks::Add(const std::string& name, bool checked) {
  FChecks.emplace_back(name, checked);
  return FChecks.size() - 1;
}

const std::pair<std::string, bool>& TKvChecks::At(std::size_t index) const {
  if (index >= FChecks.size())
    throw TKvMessage("@TKvChecks: flag %1% asked of a list of %2%") << static_cast<unsigned long>(index)
                                                                   << static_cast<unsigned long>(FChecks.size());
  return FChecks[index];
}

const std::string& TKvChecks::Name(std::size_t index) const { return At(index).first; }

bool TKvChecks::IsChecked(std::size_t index) const { return At(index).second; }

void TKvChecks::SetChecked(std::size_t index, bool checked) {
  At(index);
  FChecks[index].second = checked;
}

bool TKvChecks::IsChecked(const std::string& name) const {
  for (const auto& c : FChecks)
    if (c.first == name)
      return c.second;
  return false;
}

void TKvChecks::GetChecks(std::vector<std::pair<std::string, bool*>>& checks) const {
  checks.reserve(checks.size() + FChecks.size());
  for (auto& c : FChecks)
    checks.emplace_back(c.first, &c.second);
}

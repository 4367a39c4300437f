// Option tables: typed values kept as text, optionally persisted to a file.
//
// Values are stored as text so that a table written by one type can be read
// by another: integers in decimal, doubles in the shortest form that reads
// back to the same value ("0.1", "1e+300", "inf"), booleans as "1"/"0".
// Reading a boolean also accepts "true"/"yes"/"on" and "false"/"no"/"off";
// an integer read of a fractional number truncates it; anything that is not
// a number (or does not fit an int) reads as 0.

#include "kvconfig_p.h"

#include "kvsuite/kvconfig.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace {

const char kOptionsSection[] = "options";

std::string Lower(std::string s)
{
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
  return s;
}

std::map<std::string, std::string> ParseOptions(const std::string& text)
{
  std::map<std::string, std::string> values;
  // Entries above any header are accepted too, for files written by hand.
  for (const kvcfg::TIniSection& s : kvcfg::ParseIni(text))
    if (s.Name.empty() || s.Name == kOptionsSection)
      for (const auto& kv : s.Values) values[kv.first] = kv.second;
  return values;
}

std::string FormatOptions(const std::map<std::string, std::string>& values)
{
  kvcfg::TIniSection s{kOptionsSection, {}};
  s.Values.assign(values.begin(), values.end());
  return kvcfg::FormatIni({s}, "Option table of the suite (UTF-8). Saved by the suite's programs.");
}

std::string HomeDir()
{
  std::string home = kvcfg::EnvText("HOME");
  if (!home.empty()) return home;
  struct passwd pw;
  struct passwd* found = nullptr;
  char buf[4096];
  if (getpwuid_r(getuid(), &pw, buf, sizeof buf, &found) == 0 && found && found->pw_dir)
    return found->pw_dir;
  return "/tmp";
}

} // namespace

// TKvOptionTable -------------------------------------------------------------

TKvOptionTable::TKvOptionTable() = default;
TKvOptionTable::~TKvOptionTable() = default;

void TKvOptionTable::DoChanged() {}

std::string TKvOptionTable::GetRaw(const std::string& name) const
{
  const auto it = FValues.find(name);
  return it == FValues.end() ? std::string() : it->second;
}

void TKvOptionTable::SetRaw(const std::string& name, std::string value)
{
  auto it = FValues.find(name);
  if (it != FValues.end() && it->second == value) return;
  const bool existed = it != FValues.end();
  std::string old;
  if (existed) {
    old.swap(it->second);
    it->second = std::move(value);
  } else {
    it = FValues.emplace(name, std::move(value)).first;
  }
  try {
    DoChanged();
  } catch (...) {
    // The value that could not be kept is not kept in memory either.
    if (existed) FValues[name] = std::move(old);
    else FValues.erase(name);
    throw;
  }
}

bool TKvOptionTable::Has(const std::string& name) const { return FValues.count(name) != 0; }

void TKvOptionTable::Remove(const std::string& name)
{
  auto it = FValues.find(name);
  if (it == FValues.end()) return;
  std::string old = std::move(it->second);
  FValues.erase(it);
  try {
    DoChanged();
  } catch (...) {
    FValues[name] = std::move(old);
    throw;
  }
}

std::vector<std::string> TKvOptionTable::Names(const std::string& prefix) const
{
  std::vector<std::string> names;
  for (auto it = FValues.lower_bound(prefix); it != FValues.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    names.push_back(it->first);
  }
  return names;
}

void TKvOptionTable::Clear()
{
  if (FValues.empty()) return;
  std::map<std::string, std::string> old;
  old.swap(FValues);
  try {
    DoChanged();
  } catch (...) {
    FValues.swap(old);
    throw;
  }
}

template <> int TKvOptionTable::GetS<int>(const std::string& name) const
{
  const std::string raw = GetRaw(name);
  long long i = 0;
  if (kvcfg::ParseInt(raw, i)) return i >= INT_MIN && i <= INT_MAX ? static_cast<int>(i) : 0;
  double d = 0;
  if (kvcfg::ParseDouble(raw, d) && std::isfinite(d) && d > double(INT_MIN) - 1 &&
      d < double(INT_MAX) + 1)
    return static_cast<int>(d);
  return 0;
}

template <> std::string TKvOptionTable::GetS<std::string>(const std::string& name) const { return GetRaw(name); }

template <> double TKvOptionTable::GetS<double>(const std::string& name) const
{
  double d = 0;
  return kvcfg::ParseDouble(GetRaw(name), d) ? d : 0.0;
}

template <> bool TKvOptionTable::GetS<bool>(const std::string& name) const
{
  const std::string word = Lower(trim(GetRaw(name)));
  double d = 0;
  if (kvcfg::ParseDouble(word, d)) return d != 0 && !std::isnan(d);
  return word == "true" || word == "yes" || word == "on";
}

template <> void TKvOptionTable::SetS<int>(const std::string& name, const int& value)
{
  SetRaw(name, std::to_string(value));
}

template <> void TKvOptionTable::SetS<std::string>(const std::string& name, const std::string& value)
{
  SetRaw(name, value);
}

template <> void TKvOptionTable::SetS<double>(const std::string& name, const double& value)
{
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  SetRaw(name, std::string(buf, r.ptr));
}

template <> void TKvOptionTable::SetS<bool>(const std::string& name, const bool& value)
{
  SetRaw(name, value ? "1" : "0");
}

// TKvPersistentOptionTable ---------------------------------------------------

TKvPersistentOptionTable::TKvPersistentOptionTable(std::string fileName) : FFileName(std::move(fileName))
{
  Reload();
}

void TKvPersistentOptionTable::Reload()
{
  std::string text;
  std::map<std::string, std::string> values;
  // A file that cannot be read gives an empty table; saving will then refuse
  // to overwrite it (the atomic update reads it first), so nothing is lost.
  if (kvcfg::ReadWholeFile(FFileName, text)) values = ParseOptions(text);
  FSaved = values;
  SetValuesSilently(std::move(values));
}

void TKvPersistentOptionTable::DoChanged()
{
  std::map<std::string, std::string> merged;
  kvcfg::UpdateFileAtomically(FFileName, [&](const std::string* current) {
    merged = current ? ParseOptions(*current) : std::map<std::string, std::string>();
    const auto& mine = Values();
    for (const auto& kv : FSaved)
      if (!mine.count(kv.first)) merged.erase(kv.first);
    for (const auto& kv : mine) {
      const auto was = FSaved.find(kv.first);
      if (was == FSaved.end() || was->second != kv.second) merged[kv.first] = kv.second;
    }
    return FormatOptions(merged);
  });
  FSaved = merged;
  SetValuesSilently(std::move(merged));
}

// Global tables --------------------------------------------------------------

std::string KvSuiteConfigDir()
{
  const std::string xdg = kvcfg::EnvText("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the desktop does.
  const std::string base = !xdg.empty() && xdg[0] == '/' ? xdg : HomeDir() + "/.config";
  return KvExcludeTrailing(base, '/') + "/kvsuite";
}

TKvOptionTable* GlobalOT(int number)
{
  if (number != 1) return nullptr;
  // Never destroyed: late static destructors may still remember an answer.
  static TKvPersistentOptionTable* global =
      new TKvPersistentOptionTable(KvSuiteConfigDir() + "/global_options.ini");
  return global;
}

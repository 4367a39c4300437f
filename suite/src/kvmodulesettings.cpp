// Per-module integer settings.
//
// The file is read on every call (it is tiny and read rarely), so a change
// made by hand or by another program shows at once. A value that is not a
// whole number within int range counts as unset (-1), in the file and in the
// KV_MODULE_SETTINGS override alike; a broken override entry falls back to
// the file. KvSetModuleDebugMode keeps the other modules' sections and
// entries but not comments, and does not touch the override, which still
// wins while it is set.

#include "kvconfig_p.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <climits>

namespace {

const char kModule[] = "KvQtCpnt";

std::string SettingsFile() { return KvSuiteConfigDir() + "/modules.ini"; }

bool ParseSetting(const std::string& text, int& value)
{
  long long v = 0;
  if (!kvcfg::ParseInt(text, v) || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

bool FromOverride(const std::string& name, int& value)
{
  bool found = false;
  for (const std::string& item : parse_strings(kvcfg::EnvText("KV_MODULE_SETTINGS"), ';')) {
    const size_t eq = item.find('=');
    if (eq == std::string::npos || trim(item.substr(0, eq)) != name) continue;
    int v = 0;
    if (ParseSetting(item.substr(eq + 1), v)) {
      value = v;
      found = true; // the last valid entry wins
    }
  }
  return found;
}

} // namespace

int KvModuleDebugMode(const std::string& name)
{
  int value = -1;
  if (FromOverride(name, value)) return value;
  std::string text;
  if (!kvcfg::ReadWholeFile(SettingsFile(), text)) return -1;
  const std::vector<kvcfg::TIniSection> sections = kvcfg::ParseIni(text);
  const kvcfg::TIniSection* s = kvcfg::FindSection(sections, kModule);
  if (!s) return -1;
  for (auto it = s->Values.rbegin(); it != s->Values.rend(); ++it)
    if (it->first == name) return ParseSetting(it->second, value) ? value : -1;
  return -1;
}

void KvSetModuleDebugMode(const std::string& name, int value)
{
  if (name.empty()) throw TKvMessage("@KvSetModuleDebugMode(): the setting name is empty");
  kvcfg::UpdateFileAtomically(SettingsFile(), [&](const std::string* current) {
    std::vector<kvcfg::TIniSection> sections;
    if (current) sections = kvcfg::ParseIni(*current);
    kvcfg::TIniSection* s = kvcfg::FindSection(sections, kModule);
    if (!s) {
      sections.push_back({kModule, {}});
      s = &sections.back();
    }
    auto& values = s->Values;
    bool set = false;
    for (auto it = values.begin(); it != values.end();) {
      if (it->first != name) { ++it; continue; }
      if (set) { it = values.erase(it); continue; } // duplicates would shadow the new value
      it->second = std::to_string(value);
      set = true;
      ++it;
    }
    if (!set) values.emplace_back(name, std::to_string(value));
    return kvcfg::FormatIni(sections, "Per-module settings of the suite: [module] then name=integer.");
  });
}

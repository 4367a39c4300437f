// Resource strings and the message catalogue.
//
// Language files are ini texts (see kvconfig_p.h): one section per module
// holding its "key=text" lines, plus [messages] for the catalogue behind
// KvMsg_helper. The built-in files are Qt resources of this library
// (":/kvsuite/lang/<id>.lang"); a readable "<id>.lang" in KV_LANG_DIR is used
// instead, which lets translators try their work without a rebuild.
//
// Loaded tables are kept for the life of the process, so a text handed out by
// LoadResString stays valid even after a language switch; there are only a
// few small tables. The language and KV_LANG_DIR are read when the first
// string is looked up and again on every KvSetLanguage.

#include "kvconfig_p.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <QFile>

#include <cctype>
#include <memory>

namespace {

using TModuleTexts = std::map<std::string, std::string>;
using TLangTable = std::map<std::string, TModuleTexts>;

const char kCatalogueSection[] = "messages";

struct TResState {
  std::mutex Mutex;
  std::map<std::string, std::unique_ptr<TLangTable>> Loaded; // by source file
  const TLangTable* Current = nullptr;
  std::string Lang;
};

// Never destroyed: static destructors elsewhere may still look texts up.
TResState& ResState()
{
  static TResState* state = new TResState;
  return *state;
}

// "ru", "en" or empty for an id that names no language of ours. Accepts
// locale names ("ru_RU.UTF-8") and LANGUAGE lists ("ru:en").
std::string NormalizeLanguage(const std::string& id)
{
  if (id.size() < 2) return std::string();
  if (id.size() > 2 && std::string("_-.@:").find(id[2]) == std::string::npos) return std::string();
  std::string two;
  two += static_cast<char>(std::tolower(static_cast<unsigned char>(id[0])));
  two += static_cast<char>(std::tolower(static_cast<unsigned char>(id[1])));
  return two == "ru" || two == "en" ? two : std::string();
}

std::string LanguageFromEnvironment()
{
  for (const char* name : {"KV_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::string v = kvcfg::EnvText(name);
    if (!v.empty()) return NormalizeLanguage(v) == "ru" ? "ru" : "en";
  }
  return "en";
}

// Caller holds the mutex.
const TLangTable* LoadLanguage(TResState& st, const std::string& lang)
{
  std::string source;
  std::string text;
  const std::string dir = kvcfg::EnvText("KV_LANG_DIR");
  if (!dir.empty()) {
    source = KvIncludeTrailing(dir, '/') + lang + ".lang";
    auto it = st.Loaded.find(source);
    if (it != st.Loaded.end()) return it->second.get();
    if (!kvcfg::ReadWholeFile(source, text)) source.clear();
  }
  if (source.empty()) {
    source = ":/kvsuite/lang/" + lang + ".lang";
    auto it = st.Loaded.find(source);
    if (it != st.Loaded.end()) return it->second.get();
    QFile f(QString::fromStdString(source));
    if (f.open(QIODevice::ReadOnly)) text = f.readAll().toStdString();
  }
  auto table = std::make_unique<TLangTable>();
  for (const kvcfg::TIniSection& s : kvcfg::ParseIni(text)) {
    TModuleTexts& texts = (*table)[s.Name];
    for (const auto& kv : s.Values) texts[kv.first] = kv.second;
  }
  const TLangTable* result = table.get();
  st.Loaded[source] = std::move(table);
  return result;
}

// Caller holds the mutex.
const TLangTable& CurrentTable(TResState& st)
{
  if (!st.Current) {
    st.Lang = LanguageFromEnvironment();
    st.Current = LoadLanguage(st, st.Lang);
  }
  return *st.Current;
}

const std::string* FindText(const TLangTable& table, const std::string& module, const std::string& key)
{
  const auto m = table.find(module);
  if (m == table.end()) return nullptr;
  const auto t = m->second.find(key);
  return t == m->second.end() ? nullptr : &t->second;
}

} // namespace

bool LoadResString(const std::string& module, const std::string& key, const std::string** text)
{
  TResState& st = ResState();
  std::lock_guard<std::mutex> lock(st.Mutex);
  const std::string* found = FindText(CurrentTable(st), module, key);
  if (!found) return false;
  if (text) *text = found;
  return true;
}

std::string getCurLanguageId()
{
  TResState& st = ResState();
  std::lock_guard<std::mutex> lock(st.Mutex);
  CurrentTable(st);
  return st.Lang;
}

bool KvSetLanguage(const std::string& id)
{
  const std::string lang = NormalizeLanguage(id);
  if (lang.empty()) return false;
  TResState& st = ResState();
  std::lock_guard<std::mutex> lock(st.Mutex);
  st.Current = LoadLanguage(st, lang);
  st.Lang = lang;
  return true;
}

std::vector<std::string> KvResStringKeys(const std::string& module)
{
  TResState& st = ResState();
  std::lock_guard<std::mutex> lock(st.Mutex);
  std::vector<std::string> keys;
  const TLangTable& table = CurrentTable(st);
  const auto m = table.find(module);
  if (m != table.end())
    for (const auto& kv : m->second) keys.push_back(kv.first);
  return keys;
}

TKvMessage KvMsg_helper(const std::string& id)
{
  const std::string* text = nullptr;
  if (LoadResString(kCatalogueSection, id, &text)) return TKvMessage(*text);
  return TKvMessage(id);
}

namespace kvcfg {

std::string SuiteText(const std::string& module, const std::string& key, const char* fallback)
{
  const std::string* text = nullptr;
  return LoadResString(module, key, &text) ? *text : std::string(fallback);
}

} // namespace kvcfg

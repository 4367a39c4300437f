#pragma once
// Configuration services: module set-up, resource strings, option tables,
// module settings, ini sections, build and language, the application object.

#include "kvsuite/kvsuite_export.h"
#include "kvsuite/kvstrings.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Module set-up -------------------------------------------------------------
// Counted: the suite libraries are ready between the first Init_ and the
// matching last Deinit_. Each answers the count after the call.
KVSUITE_EXPORT int Init_KvCoreUtils();
KVSUITE_EXPORT int Init_KvConfig();
KVSUITE_EXPORT int Init_KvCoreGuiUtils();
KVSUITE_EXPORT int Deinit_KvCoreUtils();
KVSUITE_EXPORT int Deinit_KvConfig();
KVSUITE_EXPORT int Deinit_KvCoreGuiUtils();
// Current counts (for diagnostics and tests).
KVSUITE_EXPORT int KvSuiteInitCount(const char* library);

// Resource strings ----------------------------------------------------------
// Language files hold "[module]" sections of "key=text" lines (UTF-8; "\n",
// "\t" and "\\" escapes, "\s" for a blank that must stay at either end of a
// text); [messages] holds the catalogue of KvMsg_helper. The language
// follows KV_LANG, then LANGUAGE, LC_ALL, LC_MESSAGES and LANG (the first one
// set decides): "ru..." selects Russian, anything else English. KV_LANG_DIR
// names a folder of "<lang>.lang" files read instead of the built-in ones;
// both are read at the first look-up and again by KvSetLanguage.
//
// True and a suite-owned text (valid until the language changes) when the
// module has the key; false and *text untouched otherwise.
KVSUITE_EXPORT bool LoadResString(const std::string& module, const std::string& key, const std::string** text);
// "en" or "ru".
KVSUITE_EXPORT std::string getCurLanguageId();
// Switches the language ("en", "ru"); false for an unknown one.
KVSUITE_EXPORT bool KvSetLanguage(const std::string& id);
// Every key of a module in the current language (for checks and tools).
KVSUITE_EXPORT std::vector<std::string> KvResStringKeys(const std::string& module);

// Option tables -------------------------------------------------------------
// Typed values by name. A name never stored reads as 0 or an empty text; a
// stored value of the other type is converted (text to number by parsing,
// 0 when it is not a number). Set throws a TKvMessage when the table cannot
// persist the value. Not thread-safe: one thread at a time.
class KVSUITE_EXPORT TKvOptionTable {
public:
  TKvOptionTable();
  virtual ~TKvOptionTable();

  template <class T> T GetS(const std::string& name) const;
  template <class T> void SetS(const std::string& name, const T& value);

  bool Has(const std::string& name) const;
  void Remove(const std::string& name);
  // Names that begin with the prefix.
  std::vector<std::string> Names(const std::string& prefix = std::string()) const;
  void Clear();

protected:
  // Called after every change; a persisted table saves itself here.
  virtual void DoChanged();
  const std::map<std::string, std::string>& Values() const { return FValues; }
  void SetValuesSilently(std::map<std::string, std::string> values) { FValues = std::move(values); }

private:
  std::string GetRaw(const std::string& name) const;
  void SetRaw(const std::string& name, std::string value);
  std::map<std::string, std::string> FValues;
};

template <> KVSUITE_EXPORT int TKvOptionTable::GetS<int>(const std::string& name) const;
template <> KVSUITE_EXPORT std::string TKvOptionTable::GetS<std::string>(const std::string& name) const;
template <> KVSUITE_EXPORT double TKvOptionTable::GetS<double>(const std::string& name) const;
template <> KVSUITE_EXPORT bool TKvOptionTable::GetS<bool>(const std::string& name) const;
template <> KVSUITE_EXPORT void TKvOptionTable::SetS<int>(const std::string& name, const int& value);
template <> KVSUITE_EXPORT void TKvOptionTable::SetS<std::string>(const std::string& name, const std::string& value);
template <> KVSUITE_EXPORT void TKvOptionTable::SetS<double>(const std::string& name, const double& value);
template <> KVSUITE_EXPORT void TKvOptionTable::SetS<bool>(const std::string& name, const bool& value);

// An option table kept in an INI file, saved after every change. Saving
// writes a temporary file in the same folder, flushes it to disk and renames
// it over the old one, so a process killed while saving leaves either the old
// or the new file, never a torn one.
// Processes that share the file do not lose each other's entries: a save
// re-reads the file under a lock and applies only this table's own changes
// since it last loaded or saved, and the table then holds the merged state.
// A failed save throws and leaves the table as it was before the change.
class KVSUITE_EXPORT TKvPersistentOptionTable : public TKvOptionTable {
public:
  explicit TKvPersistentOptionTable(std::string fileName);
  const std::string& FileName() const { return FFileName; }
  // Reads the file again (a missing file gives an empty table).
  void Reload();
protected:
  void DoChanged() override;
private:
  std::string FFileName;
  // The file's entries as last loaded or saved: what this table's changes
  // are measured against.
  std::map<std::string, std::string> FSaved;
};

// The suite's option tables by number; table 1 holds the global options and
// persists to "$XDG_CONFIG_HOME/kvsuite/global_options.ini" (~/.config when
// unset). Null for an unknown number.
KVSUITE_EXPORT TKvOptionTable* GlobalOT(int number);
// The folder of the suite's settings files.
KVSUITE_EXPORT std::string KvSuiteConfigDir();

// Module settings -----------------------------------------------------------
// Per-module integers by name, kept in "$XDG_CONFIG_HOME/kvsuite/modules.ini"
// under [KvQtCpnt]. KV_MODULE_SETTINGS="Name=value;Name=value" overrides the
// file (tests use it). -1 when unset. Setting saves the file (atomically) and
// throws a TKvMessage when it cannot.
KVSUITE_EXPORT int KvModuleDebugMode(const std::string& name);
KVSUITE_EXPORT void KvSetModuleDebugMode(const std::string& name, int value);

// Ini sections --------------------------------------------------------------
// Named sections of named text values. A section holds its values in order;
// several values may share a name (an empty name for lists), and Read by
// position reads them back in order.
class KVSUITE_EXPORT TKvXIniWriter {
public:
  TKvXIniWriter();
  virtual ~TKvXIniWriter();
  // Starts a section; throws a TKvMessage when a section is still open.
  void BeginSectionSE(const std::string& name);
  void EndSection();
  // False when no section is open.
  bool WriteS(const std::string& key, const std::string& value);
  // Records a write failure (the writer keeps going; Errors() lists them).
  void Error(const std::string& text);
  const std::vector<std::string>& Errors() const { return FErrors; }
  // The text of everything written so far.
  std::string Text() const;
  // Saves Text() atomically; throws a TKvMessage on failure.
  void SaveToFileE(const std::string& fileName) const;

private:
  struct TSection { std::string Name; std::vector<std::pair<std::string, std::string>> Values; };
  std::vector<TSection> FSections;
  bool FOpen = false;
  std::vector<std::string> FErrors;
  friend class TKvXIniReader;
};

class KVSUITE_EXPORT TKvXIniReader {
public:
  TKvXIniReader();
  explicit TKvXIniReader(const TKvXIniWriter& writer);
  virtual ~TKvXIniReader();
  // False when the file cannot be read; an empty reader then.
  bool LoadFromFile(const std::string& fileName);
  void LoadFromText(const std::string& text);
  // Makes the named section current; false when it does not exist.
  bool EnterSectionS(const std::string& name);
  // No section is current afterwards; reads answer false until one is entered.
  void LeaveSection() { FCurrent = -1; }
  // The first value of that name in the current section.
  bool Read(const std::string& key, std::string& value) const;
  // The value at a position of the current section (any name).
  bool Read(size_t index, std::string& value) const;
  size_t Count() const;

private:
  struct TSection { std::string Name; std::vector<std::pair<std::string, std::string>> Values; };
  std::vector<TSection> FSections;
  int FCurrent = -1;
};

// Build and language --------------------------------------------------------
// "0.1.0" plus, with `withDate`, " (build of <date>)" and, with `withArch`,
// " x86_64".
KVSUITE_EXPORT std::string GetBuildVerString(bool withDate, bool withArch);
// Configured texts by number; 13 is the list of help folder prefixes
// (separated by ";"). KV_STATIC_CONFIG_<n> overrides. Empty when unknown.
KVSUITE_EXPORT std::string KvGetStaticConfigString(int id);

// Application object --------------------------------------------------------
// The suite's application object; applications of the suite create one,
// libraries and tools that run without it see null.
class KVSUITE_EXPORT TKvApplication {
public:
  TKvApplication();
  virtual ~TKvApplication();
};
KVSUITE_EXPORT TKvApplication* KvGetApplication();
#define KvApplication (KvGetApplication())
// Whether the service key combination is held (KV_MAGIC_KEY=1 in tests).
KVSUITE_EXPORT bool KvMagicKeyDown();

#pragma once
// The module frame: the counted entry points Init_KvQtCpnt / Deinit_KvQtCpnt
// and the module singleton that answers resource-string look-ups for every
// part of the library.
//
// When the dynamic loader cannot name the library's file, the path fields stay
// empty: they are informational and nothing in the library reads them.

#include "kvqtcpnt_export.h"

#include <cstdint>
#include <string>

extern "C" {
KVQTCPNT_EXPORT void Init_KvQtCpnt();
KVQTCPNT_EXPORT void Deinit_KvQtCpnt();
}

class KVQTCPNT_EXPORT KvModule_Initializer {
public:
  static KvModule_Initializer& getInst();

  // Both arguments are ignored; only the first unmatched call does work.
  void init(const std::string&, const std::string&);
  void deinit();
  void local_init();
  void local_deinit();

  // The module's resource string, or an empty text (the default) when the
  // suite has none for the key. Never cached: the language may change.
  std::string get_resource_string(const std::string& key) const;
  std::string get_resource_string(const std::string& key, const std::string& defaultText) const;

  uint64_t initCount() const { return FInitCount; }
  const std::string& moduleName() const { return FModuleName; }
  const std::string& modulePath() const { return FModulePath; }
  const std::string& moduleDir() const { return FModuleDir; }
  const std::string& moduleFileName() const { return FModuleFileName; }
  const std::string& moduleExt() const { return FModuleExt; }
  bool cursorsLoaded() const { return FLocalData != nullptr; }

  KvModule_Initializer(const KvModule_Initializer&) = delete;
  KvModule_Initializer& operator=(const KvModule_Initializer&) = delete;

private:
  KvModule_Initializer();
  ~KvModule_Initializer();
  void fillModulePath();

  struct TLocalData {};

  uint64_t FInitCount = 0;
  std::string FModuleName;
  std::string FModulePath;
  std::string FModuleDir;
  std::string FModuleFileName;
  std::string FModuleExt;
  TLocalData* FLocalData = nullptr;
};

// Shorthand for KvModule_Initializer::getInst().get_resource_string(key).
KVQTCPNT_EXPORT std::string KvQtResString(const std::string& key);

#include "module/kvmodule_initializer.h"

#include "appservices/kvqtcursors.h"

#include "kvsuite/kvconfig.h"

#include <dlfcn.h>

namespace {
const char* const kModuleName = "KvQtCpnt";
}

extern "C" {
void Init_KvQtCpnt() { KvModule_Initializer::getInst().init(std::string(), std::string()); }
void Deinit_KvQtCpnt() { KvModule_Initializer::getInst().deinit(); }
}

KvModule_Initializer& KvModule_Initializer::getInst() {
  static KvModule_Initializer inst;
  return inst;
}

KvModule_Initializer::KvModule_Initializer() : FModuleName(kModuleName), FModuleExt("so") {}

// Only releases its strings: the process is going away, and tearing the suite
// down here would race with the suite's own static destructors.
KvModule_Initializer::~KvModule_Initializer() = default;

void KvModule_Initializer::init(const std::string&, const std::string&) {
  if (FInitCount != 0) {
    ++FInitCount;
    return;
  }
  Init_KvCoreUtils();
  Init_KvConfig();
  Init_KvCoreGuiUtils();
  fillModulePath();
  local_init();
  FInitCount = 1;
}

void KvModule_Initializer::deinit() {
  if (FInitCount == 0)
    return;
  if (--FInitCount != 0)
    return;
  local_deinit();
  // The same order as init, not the reverse: the suite libraries count their
  // own users and do not depend on each other's tear-down order.
  Deinit_KvCoreUtils();
  Deinit_KvConfig();
  Deinit_KvCoreGuiUtils();
}

void KvModule_Initializer::local_init() {
  FLocalData = new TLocalData;
  try {
    InitCursors();
  } catch (...) {
    delete FLocalData;
    FLocalData = nullptr;
    throw;
  }
}

void KvModule_Initializer::local_deinit() {
  if (!FLocalData)
    return;
  DeinitCursors();
  delete FLocalData;
  FLocalData = nullptr;
}

void KvModule_Initializer::fillModulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Init_KvQtCpnt), &info) == 0 || !info.dli_fname)
    return; // the path fields stay empty; nothing reads them
  FModulePath = info.dli_fname;
  const size_t sep = FModulePath.find_last_of("/\\");
  if (sep == std::string::npos) {
    FModuleDir.clear();
    FModuleFileName = FModulePath;
  } else {
    FModuleDir = FModulePath.substr(0, sep + 1);
    FModuleFileName = FModulePath.substr(sep + 1);
  }
  const size_t dot = FModuleFileName.find_last_of('.');
  FModuleExt = dot == std::string::npos ? std::string() : FModuleFileName.substr(dot + 1);
}

std::string KvModule_Initializer::get_resource_string(const std::string& key) const {
  return get_resource_string(key, std::string());
}

std::string KvModule_Initializer::get_resource_string(const std::string& key,
                                                      const std::string& defaultText) const {
  const std::string* text = nullptr;
  if (LoadResString(FModuleName, key, &text) && text)
    return *text; // copied at once: the suite owns the original
  return defaultText;
}

std::string KvQtResString(const std::string& key) {
  return KvModule_Initializer::getInst().get_resource_string(key);
}

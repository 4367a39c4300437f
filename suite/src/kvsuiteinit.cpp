// Set-up counts of the suite libraries, build and static configuration texts,
// the application object and the service key.

#include "kvconfig_p.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QtCore/qnamespace.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>

// The build passes these in (suite/lang/build.cmake); the fallbacks keep a
// stray build working.
#ifndef KVSUITE_VERSION_TEXT
#define KVSUITE_VERSION_TEXT "0.1.0"
#endif
#ifndef KVSUITE_HELP_DIR
#define KVSUITE_HELP_DIR "/usr/local/share/doc/kvsuite"
#endif
#ifndef KVSUITE_HELP_DIR_FROM_LIB
#define KVSUITE_HELP_DIR_FROM_LIB "../share/doc/kvsuite"
#endif

namespace {

struct TInitCounts {
  std::atomic<int> CoreUtils{0};
  std::atomic<int> Config{0};
  std::atomic<int> CoreGuiUtils{0};
};

TInitCounts g_counts;

int Up(std::atomic<int>& count) { return ++count; }

int Down(std::atomic<int>& count)
{
  int c = count.load();
  // Unbalanced calls stop at 0 instead of going negative.
  while (c > 0 && !count.compare_exchange_weak(c, c - 1)) {}
  return c > 0 ? c - 1 : 0;
}

std::atomic<TKvApplication*> g_application{nullptr};

// "Dec  5 2025" (the compiler's build date) as "2025-12-05".
std::string BuildDate()
{
  static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const char* d = __DATE__;
  const char* m = std::strstr(months, std::string(d, 3).c_str());
  const int month = m ? static_cast<int>((m - months) / 3) + 1 : 0;
  std::string day(d + 4, 2);
  if (day[0] == ' ') day[0] = '0';
  return std::string(d + 7, 4) + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" + day;
}

// Help folders, most specific first: the documents installed beside this
// library (found relative to it, so a moved installation still finds them),
// then the configured installation folder; in each, the folder of the current
// language before the common one. Folders beside the library are listed only
// when they exist; the installation folder always ends the list, so messages
// about missing help name the place where it belongs.
std::string DefaultHelpPrefixes()
{
  std::vector<std::string> bases;
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&DefaultHelpPrefixes), &info) != 0 && info.dli_fname) {
    const std::string lib(info.dli_fname);
    const size_t slash = lib.find_last_of('/');
    if (slash != std::string::npos) {
      const std::string dir = lib.substr(0, slash + 1) + KVSUITE_HELP_DIR_FROM_LIB;
      if (KvDirectoryExists(dir)) {
        char* real = ::realpath(dir.c_str(), nullptr);
        bases.push_back(real ? std::string(real) : dir);
        std::free(real);
      }
    }
  }
  const std::string installed = KVSUITE_HELP_DIR;
  if (bases.empty() || bases.front() != installed) bases.push_back(installed);

  const std::string lang = getCurLanguageId();
  std::vector<std::string> prefixes;
  for (size_t i = 0; i < bases.size(); ++i) {
    const std::string base = KvIncludeTrailing(bases[i], '/');
    const bool last = i + 1 == bases.size();
    if (last || KvDirectoryExists(base + lang)) prefixes.push_back(base + lang + "/");
    prefixes.push_back(base);
  }
  return KvMergeStrings(prefixes, ";");
}

} // namespace

int Init_KvCoreUtils() { return Up(g_counts.CoreUtils); }
int Init_KvConfig() { return Up(g_counts.Config); }
int Init_KvCoreGuiUtils() { return Up(g_counts.CoreGuiUtils); }
int Deinit_KvCoreUtils() { return Down(g_counts.CoreUtils); }
int Deinit_KvConfig() { return Down(g_counts.Config); }
int Deinit_KvCoreGuiUtils() { return Down(g_counts.CoreGuiUtils); }

int KvSuiteInitCount(const char* library)
{
  if (!library) return -1;
  const std::string name(library);
  if (name == "KvCoreUtils") return g_counts.CoreUtils.load();
  if (name == "KvConfig") return g_counts.Config.load();
  if (name == "KvCoreGuiUtils") return g_counts.CoreGuiUtils.load();
  return -1;
}

std::string GetBuildVerString(bool withDate, bool withArch)
{
  std::string text = KVSUITE_VERSION_TEXT;
  if (withDate) text += " (build of " + BuildDate() + ")";
  if (withArch) text += " " + QSysInfo::buildCpuArchitecture().toStdString();
  return text;
}

std::string KvGetStaticConfigString(int id)
{
  const std::string var = "KV_STATIC_CONFIG_" + std::to_string(id);
  // Set, even to an empty text, the variable wins.
  if (const char* v = std::getenv(var.c_str())) return v;
  switch (id) {
  case 13: return DefaultHelpPrefixes();
  default: return std::string();
  }
}

TKvApplication::TKvApplication()
{
  TKvApplication* none = nullptr;
  if (!g_application.compare_exchange_strong(none, this))
    throw TKvMessage("@TKvApplication::TKvApplication(): the suite's application object already exists");
}

TKvApplication::~TKvApplication()
{
  TKvApplication* self = this;
  g_application.compare_exchange_strong(self, nullptr);
}

TKvApplication* KvGetApplication() { return g_application.load(); }

bool KvMagicKeyDown()
{
  // KV_MAGIC_KEY=1 or 0 decides outright (tests, remote sessions).
  const std::string forced = kvcfg::EnvText("KV_MAGIC_KEY");
  if (!forced.empty()) return forced != "0";
  // The service key is Ctrl+Shift. This layer links only QtCore; when the
  // process has the GUI library loaded, its live keyboard state is asked.
  using TQueryModifiers = Qt::KeyboardModifiers (*)();
  const TQueryModifiers query =
      reinterpret_cast<TQueryModifiers>(dlsym(RTLD_DEFAULT, "_ZN15QGuiApplication22queryKeyboardModifiersEv"));
  const QCoreApplication* app = QCoreApplication::instance();
  if (!query || !app || !app->inherits("QGuiApplication")) return false;
  const Qt::KeyboardModifiers m = query();
  return (m & Qt::ControlModifier) && (m & Qt::ShiftModifier);
}

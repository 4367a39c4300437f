#include "appservices/kvqthelp.h"

#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvstrings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QThread>
#include <QUrl>

namespace {

// Searches the help prefixes for `name` (then `altName`) with the help
// extension. On success `foundPath` is the file; otherwise the candidates of
// the last prefix (or the bare names without any prefix) are left in
// `foundPath` and `altPath` for the warning.
bool QueryHelpFileEx(const std::string& name, const std::string& altName, std::string* foundPath,
                     std::string* altPath) {
  const std::string ext = KvExtractFileExt(name) == ".rtf" ? std::string() : std::string(".pdf");
  const std::vector<std::string> prefixes = parse_strings(KvGetStaticConfigString(13), 0, false);
  std::string first = name;
  std::string second = altName;
  for (const std::string& prefix : prefixes) {
    first = prefix + name + ext;
    if (KvFileExists(first)) {
      if (foundPath)
        *foundPath = first;
      return true;
    }
    if (!altName.empty()) {
      second = prefix + altName + ext;
      if (KvFileExists(second)) {
        if (foundPath)
          *foundPath = second;
        return true;
      }
    }
  }
  if (foundPath)
    *foundPath = first;
  if (altPath && !altName.empty())
    *altPath = second;
  return false;
}

// Whether `format` is a printf text whose only conversions are exactly
// `fields` times "%s" (besides "%%"): only then may it be given to ssprintf.
bool FitsStringFields(const std::string& format, int fields) {
  int found = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%')
      continue;
    if (i + 1 >= format.size())
      return false;
    const char c = format[++i];
    if (c == 's')
      ++found;
    else if (c != '%')
      return false;
  }
  return found == fields;
}

std::string FormatPaths(const std::string& key, const char* fallback, const std::string& path1,
                        const std::string* path2 = nullptr) {
  const std::string format = KvModule_Initializer::getInst().get_resource_string(key, fallback);
  const int fields = path2 ? 2 : 1;
  if (!FitsStringFields(format, fields))
    return format + " (" + path1 + (path2 ? ", " + *path2 : std::string()) + ")";
  return path2 ? Quorvant::ssprintf(format.c_str(), path1.c_str(), path2->c_str())
               : Quorvant::ssprintf(format.c_str(), path1.c_str());
}

void Warn(const std::string& text) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (app && QThread::currentThread() == app->thread())
    KvQtWarningMessage(text);
  else
    KvQtErrorMessage_safe(text.c_str());
}

} // namespace

bool QtQueryHelpFile(const std::string& name) { return QueryHelpFileEx(name, std::string(), nullptr, nullptr); }

bool QtShowHelpFile(const std::string& name, const std::string& altName) {
  std::string path;
  std::string altPath;
  if (!QueryHelpFileEx(name, altName, &path, &altPath)) {
    if (altName.empty())
      Warn(FormatPaths("global.HelpFileNotFound", "The help file \"%s\" was not found.", path));
    else
      Warn(FormatPaths("global.HelpFilesNotFound", "The help was not found: neither \"%s\" nor \"%s\" exists.",
                       path, &altPath));
    return false;
  }
  // Opening needs the GUI's platform services; a process without them cannot
  // show the document.
  const bool opened = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
                      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(path.c_str())));
  if (!opened) {
    Warn(FormatPaths("global.HelpErrorStarting", "The help file \"%s\" could not be opened.", path));
    return false;
  }
  return true;
}

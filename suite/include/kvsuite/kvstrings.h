#pragma once
// Paths, strings and the widget-free fallbacks. Every std::string is UTF-8.

#include "kvsuite/kvrangeparse.h"
#include "kvsuite/kvsuite_export.h"

#include <string>
#include <vector>

// A file-system path. Keeps the text as given; separators are "/".
class KVSUITE_EXPORT TKvPath {
public:
  TKvPath() = default;
  TKvPath(std::string utf8) : FPath(std::move(utf8)) {}
  TKvPath(const char* utf8) : FPath(utf8 ? utf8 : "") {}
  const std::string& str() const { return FPath; }
  std::string utf8() const { return FPath; }
  bool empty() const { return FPath.empty(); }
  // The path with one "/" between it and name (leading "/" of name dropped).
  TKvPath operator/(const std::string& name) const;
  bool operator==(const TKvPath& o) const { return FPath == o.FPath; }
private:
  std::string FPath;
};

// Directory part including the trailing separator ("/a/b.txt" -> "/a/").
KVSUITE_EXPORT std::string KvExtractFilePath(const std::string& path);
KVSUITE_EXPORT std::string KvExtractFilePath(const TKvPath& path);
// Extension with its dot (".txt"), empty without one. The leading dot of a
// hidden file (".profile") does not start an extension.
KVSUITE_EXPORT std::string KvExtractFileExt(const std::string& path);
// File name without directory and extension ("/a/b.txt" -> "b").
KVSUITE_EXPORT std::string KvExtractFileNameOnly(const std::string& path);
KVSUITE_EXPORT std::string KvExtractFileNameOnly(const TKvPath& path);
// File name with extension ("/a/b.txt" -> "b.txt").
KVSUITE_EXPORT std::string KvExtractFileName(const std::string& path);
// Something that is not a directory exists at the path (links followed).
KVSUITE_EXPORT bool KvFileExists(const std::string& path);
KVSUITE_EXPORT bool KvDirectoryExists(const std::string& path);
// Full path of the running executable (from /proc/self/exe).
KVSUITE_EXPORT std::string KvGetExecutableFileName();
// Appends `ch` unless the text already ends with it (an empty text gets it too).
KVSUITE_EXPORT std::string KvIncludeTrailing(const std::string& text, char ch);
// Removes one trailing `ch`, if there is one.
KVSUITE_EXPORT std::string KvExcludeTrailing(const std::string& text, char ch);

// White space (space, tab, CR, LF, VT, FF) removed from both ends.
KVSUITE_EXPORT std::string trim(const std::string& text);
// Splits a list separated by ";" (or by `separator` when it is not 0);
// items are trimmed; empty items are kept only with keepEmpty. A blank text
// is an empty list.
KVSUITE_EXPORT std::vector<std::string> parse_strings(const std::string& text, char separator = 0,
                                                      bool keepEmpty = false);
// Splits at every occurrence of `separator`, keeping empty parts (an empty
// text is one empty part; an empty separator does not split).
KVSUITE_EXPORT std::vector<std::string> KvSplitString(const std::string& text, const std::string& separator);
KVSUITE_EXPORT std::string KvMergeStrings(const std::vector<std::string>& parts, const std::string& separator);
// The range parsers KvStringToDoubleRange / KvStringToUlongRange: kvrangeparse.h.
// Exactly one bit set.
KVSUITE_EXPORT bool Is2Power(unsigned long long v);

namespace Quorvant {
// printf into a std::string.
KVSUITE_EXPORT std::string ssprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
}

// Shows a message without any toolkit: on the terminal (stderr) and, when a
// display is reachable and `modal` is true, through the first of the desktop's
// plain message programs that exists (xmessage), waiting for it to close.
// Never throws for a display problem; text must not be null.
KVSUITE_EXPORT void KvDisplaySysMsgDialog(const std::string& caption, const std::string& text, bool modal);
// Stops in a debugger when one is attached; nothing otherwise.
KVSUITE_EXPORT void KvDebugBreak();

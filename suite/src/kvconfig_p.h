#pragma once
// Internals shared by the configuration services: the ini text codec, atomic
// file replacement and a few environment helpers. Not installed.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvcfg {

// Ini text ------------------------------------------------------------------
// One grammar serves the option tables, the module settings, the x-ini files
// and the language files:
//
//   ; comment            (also "#"; only at the start of a line)
//   [section name]
//   key=value
//   =value               (an empty key: list items)
//
// Raw blanks around keys, values and section names are dropped, so files stay
// pleasant to edit by hand; everything that would be lost or misread is
// escaped: "\\", "\n", "\r", "\t", "\s" (a blank at either end), "\=" (in keys),
// "\[", "\]", "\;", "\#" (where they would start a header or a comment or end
// a section name) and "\xHH" for other control bytes. Any byte sequence,
// valid UTF-8 or not, survives a write and a read.
struct TIniSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Values;
};

std::string IniEscapeKey(const std::string& key);
std::string IniEscapeValue(const std::string& value);
std::string IniEscapeSection(const std::string& name);
std::string IniUnescape(const std::string& text);

// Entries before the first header land in a section with an empty name, which
// is only present when it has entries. Lines that fit no rule are skipped.
std::vector<TIniSection> ParseIni(const std::string& text);
// `comment` (may be empty) becomes "; " lines at the top.
std::string FormatIni(const std::vector<TIniSection>& sections, const std::string& comment);

TIniSection* FindSection(std::vector<TIniSection>& sections, const std::string& name);
const TIniSection* FindSection(const std::vector<TIniSection>& sections, const std::string& name);

// Files ---------------------------------------------------------------------
// The whole file; false with errno-style `error` (ENOENT for a missing file).
bool ReadWholeFile(const std::string& fileName, std::string& content, int* error = nullptr);

// Replaces the file with what `update` makes of its current content (null when
// there is no file yet). The folder is created when missing. Processes that
// share the file are serialised by an advisory lock on its folder, so a
// read-modify-write here never loses another process's change; the new text is
// written to a hidden temporary file beside the target, flushed to disk and
// renamed over it, then the folder is flushed. A process killed at any moment
// leaves the old or the new file; the temporary name is fixed, so an
// interrupted save leaves at most one stale temporary that the next save
// overwrites. A symbolic link is followed and its target replaced.
// Throws a TKvMessage (file name and reason) when any step fails; a file that
// exists but cannot be read is never overwritten.
void UpdateFileAtomically(const std::string& fileName,
                          const std::function<std::string(const std::string* current)>& update);
void WriteFileAtomically(const std::string& fileName, const std::string& content);

// Environment and texts -----------------------------------------------------
// The variable's value, or an empty text when it is unset.
std::string EnvText(const char* name);
// A text of the suite's own language sections, or `fallback` when missing.
std::string SuiteText(const std::string& module, const std::string& key, const char* fallback);

// Parses a decimal integer (optional sign, blanks around it allowed).
bool ParseInt(const std::string& text, long long& value);
bool ParseDouble(const std::string& text, double& value);

} // namespace kvcfg

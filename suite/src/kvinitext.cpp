// The ini text codec shared by every settings file of the suite.

#include "kvconfig_p.h"

#include "kvsuite/kvstrings.h"

#include <charconv>
#include <cstdlib>

namespace kvcfg {

namespace {

const char kHex[] = "0123456789ABCDEF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void AppendHexEscape(std::string& out, unsigned char c)
{
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

enum class TPart { Key, Value, Section };

std::string Escape(const std::string& text, TPart part)
{
  std::string out;
  out.reserve(text.size() + 8);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    switch (c) {
    case '\\': out += "\\\\"; continue;
    case '\n': out += "\\n"; continue;
    case '\r': out += "\\r"; continue;
    case '\t': out += "\\t"; continue;
    default: break;
    }
    if (c < 0x20 || c == 0x7F) {
      AppendHexEscape(out, c);
    } else if (c == ' ' && (i == 0 || i + 1 == n)) {
      out += "\\s"; // raw blanks at the ends are dropped when reading
    } else if (part == TPart::Key && c == '=') {
      out += "\\=";
    } else if (part == TPart::Key && i == 0 && (c == '[' || c == ';' || c == '#')) {
      out += '\\';
      out += static_cast<char>(c);
    } else if (part == TPart::Section && c == ']') {
      out += "\\]";
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string TrimBlanks(const std::string& s, size_t from, size_t to)
{
  while (from < to && IsBlank(s[from])) ++from;
  while (to > from && IsBlank(s[to - 1])) --to;
  return s.substr(from, to - from);
}

// Position of the first `ch` not preceded by an escaping backslash, or npos.
size_t FindUnescaped(const std::string& s, char ch, size_t from)
{
  for (size_t i = from; i < s.size(); ++i) {
    if (s[i] == '\\') { ++i; continue; }
    if (s[i] == ch) return i;
  }
  return std::string::npos;
}

} // namespace

std::string IniEscapeKey(const std::string& key) { return Escape(key, TPart::Key); }
std::string IniEscapeValue(const std::string& value) { return Escape(value, TPart::Value); }
std::string IniEscapeSection(const std::string& name) { return Escape(name, TPart::Section); }

std::string IniUnescape(const std::string& text)
{
  std::string out;
  out.reserve(text.size());
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 == n) {
      out += c;
      continue;
    }
    const char e = text[i + 1];
    switch (e) {
    case 'n': out += '\n'; ++i; break;
    case 'r': out += '\r'; ++i; break;
    case 't': out += '\t'; ++i; break;
    case 's': out += ' '; ++i; break;
    case '\\': case '=': case '[': case ']': case ';': case '#': out += e; ++i; break;
    case 'x':
      if (i + 3 < n && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
        out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
        i += 3;
        break;
      }
      out += c; // not an escape after all: keep it as written
      break;
    default:
      out += c;
      break;
    }
  }
  return out;
}

std::vector<TIniSection> ParseIni(const std::string& text)
{
  std::vector<TIniSection> sections;
  TIniSection* current = nullptr;
  size_t pos = 0;
  // A byte-order mark some editors put in front of UTF-8 files.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == ';' || line[first] == '#') continue;

    if (line[first] == '[') {
      const size_t close = FindUnescaped(line, ']', first + 1);
      if (close == std::string::npos) continue;
      sections.push_back({IniUnescape(TrimBlanks(line, first + 1, close)), {}});
      current = &sections.back();
      continue;
    }
    const size_t eq = FindUnescaped(line, '=', first);
    if (eq == std::string::npos) continue;
    if (!current) {
      sections.push_back({std::string(), {}});
      current = &sections.back();
    }
    current->Values.emplace_back(IniUnescape(TrimBlanks(line, first, eq)),
                                 IniUnescape(TrimBlanks(line, eq + 1, line.size())));
  }
  return sections;
}

std::string FormatIni(const std::vector<TIniSection>& sections, const std::string& comment)
{
  std::string out;
  if (!comment.empty()) {
    size_t pos = 0;
    while (pos <= comment.size()) {
      size_t end = comment.find('\n', pos);
      if (end == std::string::npos) end = comment.size();
      out += "; ";
      out += comment.substr(pos, end - pos);
      out += '\n';
      pos = end + 1;
    }
  }
  for (const TIniSection& s : sections) {
    if (!out.empty()) out += '\n';
    out += '[';
    out += IniEscapeSection(s.Name);
    out += "]\n";
    for (const auto& kv : s.Values) {
      out += IniEscapeKey(kv.first);
      out += '=';
      out += IniEscapeValue(kv.second);
      out += '\n';
    }
  }
  return out;
}

TIniSection* FindSection(std::vector<TIniSection>& sections, const std::string& name)
{
  for (TIniSection& s : sections)
    if (s.Name == name) return &s;
  return nullptr;
}

const TIniSection* FindSection(const std::vector<TIniSection>& sections, const std::string& name)
{
  for (const TIniSection& s : sections)
    if (s.Name == name) return &s;
  return nullptr;
}

std::string EnvText(const char* name)
{
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

bool ParseInt(const std::string& text, long long& value)
{
  const std::string t = trim(text);
  const char* b = t.data();
  const char* e = b + t.size();
  if (b != e && *b == '+') ++b;
  if (b == e || *b == '+') return false;
  long long v = 0;
  const auto r = std::from_chars(b, e, v);
  if (r.ec != std::errc() || r.ptr != e) return false;
  value = v;
  return true;
}

bool ParseDouble(const std::string& text, double& value)
{
  const std::string t = trim(text);
  const char* b = t.data();
  const char* e = b + t.size();
  if (b != e && *b == '+') ++b;
  if (b == e || *b == '+') return false;
  double v = 0;
  const auto r = std::from_chars(b, e, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != e) return false;
  value = v;
  return true;
}

} // namespace kvcfg

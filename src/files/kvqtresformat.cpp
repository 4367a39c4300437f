#include "files/kvqtresformat_p.h"

#include "module/kvmodule_initializer.h"

#include "kvsuite/kvstrings.h"

std::string KvQtResFormatString(const char* key, const std::string& arg) {
  const std::string format = KvQtResString(key);
  int strings = 0;
  bool other = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%')
      continue;
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (next == 's')
      ++strings;
    else if (next != '%')
      other = true;
    ++i;
  }
  if (strings == 1 && !other) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return Quorvant::ssprintf(format.c_str(), arg.c_str());
#pragma GCC diagnostic pop
  }
  return format.empty() ? arg : format + " " + arg;
}

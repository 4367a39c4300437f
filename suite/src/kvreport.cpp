#include "kvsuite/kvreport.h"

std::string TKvReportGenerator::Parse(const std::string& templ, const std::map<std::string, std::string>& values) {
  std::string out;
  out.reserve(templ.size());
  const size_t n = templ.size();
  size_t i = 0;
  while (i < n) {
    const char c = templ[i];
    if ((c == '{' || c == '}') && i + 1 < n && templ[i + 1] == c) {
      out += c;
      i += 2;
      continue;
    }
    if (c == '{') {
      const size_t close = templ.find_first_of("{}", i + 1);
      if (close != std::string::npos && templ[close] == '}' && close > i + 1) {
        const auto it = values.find(templ.substr(i + 1, close - i - 1));
        if (it != values.end())
          out += it->second;
        else
          out.append(templ, i, close - i + 1);
        i = close + 1;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

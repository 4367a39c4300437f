#pragma once
// Report templates: texts with named fields filled from a table of values.
//
// Template syntax:
//   {name}   replaced by the value of "name" (names are matched exactly, case
//            and blanks included; a name holds no braces and is not empty)
//   {{  }}   a literal "{" and "}"
// A field whose name has no value is left in the text as written ("{name}"),
// so a missing value shows up instead of vanishing silently. A "{" that does
// not start a well-formed field ("{}", "{a{b}", an unclosed "{") and a lone
// "}" are kept as literal text. Values are inserted verbatim: a value that
// contains braces is not parsed again.

#include "kvsuite/kvsuite_export.h"

#include <map>
#include <string>

class KVSUITE_EXPORT TKvReportGenerator {
public:
  static std::string Parse(const std::string& templ, const std::map<std::string, std::string>& values);
};

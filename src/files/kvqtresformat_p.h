#pragma once
// A resource string used as a printf format with one string argument. The
// language files are data: a format that does not hold exactly one "%s"
// (and nothing else but "%%") would make printf read arguments it was not
// given, so such a format is shown with the argument after it instead.

#include <string>

std::string KvQtResFormatString(const char* key, const std::string& arg);

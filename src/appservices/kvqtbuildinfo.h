#pragma once
// Values fixed when the library was built: shown by the about dialogs and
// available to applications for their own reports. They come from the build
// (src/appservices/build.cmake), never from the source text.

#include "kvqtcpnt_export.h"

#include <string>

struct TKvQtBuildInfo {
  std::string Version;  // the library's version, "major.minor.patch"
  std::string Revision; // the source commit, 12 lower-case hexadecimal digits ("000000000000" unknown)
  std::string Date;     // the build day as "dd.mm.yyyy" (UTC, or SOURCE_DATE_EPOCH)
  std::string Year;     // the year of Date
};

KVQTCPNT_EXPORT const TKvQtBuildInfo& KvQtGetBuildInfo();

#include "appservices/kvqtbuildinfo.h"

#include "kvqtbuildinfo_values_p.h"

const TKvQtBuildInfo& KvQtGetBuildInfo() {
  static const TKvQtBuildInfo info{KVQTCPNT_BUILD_VERSION, KVQTCPNT_BUILD_REVISION, KVQTCPNT_BUILD_DATE,
                                   KVQTCPNT_BUILD_YEAR};
  return info;
}

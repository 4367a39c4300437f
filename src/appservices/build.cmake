# Build-time values of the about dialogs: version, source revision, build date
# and year. A script writes them into a header on every build, rewriting it
# only when a value changed, so a new commit updates the revision without a
# fresh configure and an unchanged tree rebuilds nothing.
#
# Revision: the git commit of the source tree (12 hexadecimal digits); a
# source tree without git gives "000000000000", and -DKV_BUILD_REVISION=<hex>
# names one explicitly (release tarballs).
# Date: the current UTC day, or the day of SOURCE_DATE_EPOCH when the
# environment of the build sets it (reproducible builds).

set(KV_BUILD_REVISION "" CACHE STRING "Source revision shown by the about dialogs (default: from git)")
set(KV_BUILDINFO_HEADER ${CMAKE_CURRENT_BINARY_DIR}/include/kvqtbuildinfo_values_p.h)
add_custom_target(KvQtCpntBuildInfo
  COMMAND ${CMAKE_COMMAND} -DKV_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DKV_OUTPUT=${KV_BUILDINFO_HEADER}
          -DKV_VERSION=${PROJECT_VERSION} -DKV_REVISION=${KV_BUILD_REVISION}
          -P ${CMAKE_CURRENT_LIST_DIR}/buildinfo.cmake
  BYPRODUCTS ${KV_BUILDINFO_HEADER}
  COMMENT "Build values of the about dialogs"
  VERBATIM)
add_dependencies(KvQtCpnt KvQtCpntBuildInfo)

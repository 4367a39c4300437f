# Writes the build values header (see build.cmake beside this file).
#   cmake -DKV_SOURCE_DIR=<tree> -DKV_OUTPUT=<header> -DKV_VERSION=<x.y.z>
#         [-DKV_REVISION=<hex>] -P buildinfo.cmake
# string(TIMESTAMP) takes SOURCE_DATE_EPOCH from the environment when set.

set(fallback "000000000000")
set(revision "${KV_REVISION}")
if(NOT revision)
  find_package(Git QUIET)
  if(GIT_FOUND AND EXISTS "${KV_SOURCE_DIR}")
    execute_process(COMMAND ${GIT_EXECUTABLE} -C "${KV_SOURCE_DIR}" rev-parse --verify -q HEAD
                    OUTPUT_VARIABLE revision OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    if(NOT git_result EQUAL 0)
      set(revision "")
    endif()
  endif()
endif()
string(TOLOWER "${revision}" revision)
if(revision MATCHES "^[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f]")
  string(SUBSTRING "${revision}" 0 12 revision)
else()
  set(revision "${fallback}")
endif()

string(TIMESTAMP date "%d.%m.%Y" UTC)
string(TIMESTAMP year "%Y" UTC)

file(WRITE "${KV_OUTPUT}.tmp"
"// Generated at build time by src/appservices/buildinfo.cmake; do not edit.
#pragma once
#define KVQTCPNT_BUILD_VERSION \"${KV_VERSION}\"
#define KVQTCPNT_BUILD_REVISION \"${revision}\"
#define KVQTCPNT_BUILD_DATE \"${date}\"
#define KVQTCPNT_BUILD_YEAR \"${year}\"
")
# Replaced only when different, so that nothing recompiles for nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${KV_OUTPUT}.tmp" "${KV_OUTPUT}")
file(REMOVE "${KV_OUTPUT}.tmp")

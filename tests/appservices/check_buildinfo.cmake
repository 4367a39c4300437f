# The build values header is reproducible: SOURCE_DATE_EPOCH fixes the date,
# a tree without git gets the fixed revision, an explicit revision is
# normalised to 12 lower-case digits.
#   cmake -DKV_SCRIPT=<buildinfo.cmake> -DKV_WORK=<scratch folder> -P check_buildinfo.cmake

file(REMOVE_RECURSE "${KV_WORK}")
file(MAKE_DIRECTORY "${KV_WORK}/tree")
set(ENV{GIT_CEILING_DIRECTORIES} "${KV_WORK}")
set(ENV{SOURCE_DATE_EPOCH} 1700000000)

function(generate out revision)
  execute_process(COMMAND ${CMAKE_COMMAND} -DKV_SOURCE_DIR=${KV_WORK}/tree -DKV_OUTPUT=${out}
                          -DKV_VERSION=1.2.3 -DKV_REVISION=${revision} -P ${KV_SCRIPT}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the build values script failed (${rc})")
  endif()
endfunction()

function(expect file define value)
  file(STRINGS "${file}" line REGEX "#define ${define} ")
  if(NOT line STREQUAL "#define ${define} \"${value}\"")
    message(FATAL_ERROR "${file}: expected ${define} \"${value}\", found \"${line}\"")
  endif()
endfunction()

generate("${KV_WORK}/a.h" "")
expect("${KV_WORK}/a.h" KVQTCPNT_BUILD_DATE "14.11.2023")
expect("${KV_WORK}/a.h" KVQTCPNT_BUILD_YEAR "2023")
expect("${KV_WORK}/a.h" KVQTCPNT_BUILD_REVISION "000000000000")
expect("${KV_WORK}/a.h" KVQTCPNT_BUILD_VERSION "1.2.3")

generate("${KV_WORK}/b.h" "")
file(READ "${KV_WORK}/a.h" a)
file(READ "${KV_WORK}/b.h" b)
if(NOT a STREQUAL b)
  message(FATAL_ERROR "two builds of the same tree wrote different values")
endif()

generate("${KV_WORK}/c.h" "ABCDEF0123456789abcdef")
expect("${KV_WORK}/c.h" KVQTCPNT_BUILD_REVISION "abcdef012345")
generate("${KV_WORK}/d.h" "not-a-revision")
expect("${KV_WORK}/d.h" KVQTCPNT_BUILD_REVISION "000000000000")

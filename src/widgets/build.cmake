# Histogram counting is the library's one numeric hot path: its file is built
# with full loop optimisation whatever the build type, except in the
# sanitizer build, which checks it as written.
if(NOT KV_SANITIZE)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tkvhistogramdata.cpp PROPERTIES COMPILE_OPTIONS "-O3")
endif()

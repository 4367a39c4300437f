# Build values of the suite's configuration services: the version text and
# where installed help documents live (absolute, and relative to the library
# so that a moved installation still finds them).
set(KVSUITE_HELP_DIR "${CMAKE_INSTALL_FULL_DATAROOTDIR}/doc/kvsuite")
file(RELATIVE_PATH KVSUITE_HELP_DIR_FROM_LIB "${CMAKE_INSTALL_FULL_LIBDIR}" "${KVSUITE_HELP_DIR}")
target_compile_definitions(KvSuite PRIVATE
  KVSUITE_VERSION_TEXT="${PROJECT_VERSION}"
  KVSUITE_HELP_DIR="${KVSUITE_HELP_DIR}"
  KVSUITE_HELP_DIR_FROM_LIB="${KVSUITE_HELP_DIR_FROM_LIB}")

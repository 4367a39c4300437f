# Resources compiled into the library.
#
# Cursors: each cursors/CUR_*.txt is a drawing that kvcurgen (tools/) turns
# into a one-bit cursor file at build time; the files form the bundle
# "Cursors" (":/CUR_NONE.cur" ...). rcc's output carries a static initialiser,
# so the bundle is registered as soon as the library is loaded.
#
# Splash: splash.qrc beside this file is picked up with the area's sources and
# compiled by AUTORCC as the bundle "splash" (":/Splash", ":/SplashHPC"). The
# PNG files are made once by kvsplashgen (not part of the default build):
#   cmake --build BUILD --target kvsplashgen
#   QT_QPA_PLATFORM=offscreen BUILD/src/kvsplashgen src/resources/splash

set(KV_RES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KV_TOOLS_DIR ${PROJECT_SOURCE_DIR}/tools)

add_executable(kvcurgen ${KV_TOOLS_DIR}/kvcurgen.cpp)

set(KV_CURSOR_OUT ${CMAKE_CURRENT_BINARY_DIR}/cursors)
file(MAKE_DIRECTORY ${KV_CURSOR_OUT})
file(GLOB KV_CURSOR_DRAWINGS CONFIGURE_DEPENDS ${KV_RES_DIR}/cursors/CUR_*.txt)
list(SORT KV_CURSOR_DRAWINGS)

set(KV_CURSOR_QRC_ENTRIES)
foreach(drawing ${KV_CURSOR_DRAWINGS})
  get_filename_component(name ${drawing} NAME_WE)
  set(cur ${KV_CURSOR_OUT}/${name}.cur)
  add_custom_command(OUTPUT ${cur}
    COMMAND kvcurgen ${drawing} ${cur}
    DEPENDS kvcurgen ${drawing}
    COMMENT "Drawing cursor ${name}.cur"
    VERBATIM)
  string(APPEND KV_CURSOR_QRC_ENTRIES "    <file>${name}.cur</file>\n")
endforeach()

# Written only when the list changes, so rcc does not rerun on every configure.
set(KV_CURSOR_QRC ${KV_CURSOR_OUT}/Cursors.qrc)
set(KV_CURSOR_QRC_TEXT "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n${KV_CURSOR_QRC_ENTRIES}  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${KV_CURSOR_QRC} CONTENT "${KV_CURSOR_QRC_TEXT}" @ONLY)

# rcc is told to embed the files uncompressed: they are tiny and the reader
# of a resource should not pay for inflating them.
qt5_add_resources(KV_CURSOR_RCC ${KV_CURSOR_QRC} OPTIONS -no-compress)
set_source_files_properties(${KV_CURSOR_RCC} PROPERTIES SKIP_AUTOGEN ON)
target_sources(KvQtCpnt PRIVATE ${KV_CURSOR_RCC})

# One-off generator of the splash images; see the note at the top.
add_executable(kvsplashgen EXCLUDE_FROM_ALL ${KV_TOOLS_DIR}/kvsplashgen.cpp)
target_link_libraries(kvsplashgen PRIVATE Qt5::Gui)

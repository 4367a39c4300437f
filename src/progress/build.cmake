# Translations of the library's form texts (every area's .ui files), compiled
# at build time and carried inside the library as the resources
# ":/kvqtcpnt/translations/kvqtcpnt_<lang>.qm" (see module/kvqttranslator.h).
#
# Adding a form: give each translatable <string> of the .ui file the comment
# "KvQtCpnt:<FormClass>.<objectName>" (".toolTip" etc. for other properties),
# then refresh the catalogue and fill in the new entries:
#
#   cmake --build <build-dir> --target kvqtcpnt_lupdate
#   (or: lupdate -locations none -no-obsolete src -ts src/resources/translations/kvqtcpnt_en.ts)
#
# The translations test checks that every Russian text of every form in src/
# has a finished translation.

get_filename_component(KV_SRC_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
file(GLOB KV_TS_FILES CONFIGURE_DEPENDS ${KV_SRC_DIR}/resources/translations/kvqtcpnt_*.ts)

set(KV_QM_DIR ${CMAKE_CURRENT_BINARY_DIR}/translations)
file(MAKE_DIRECTORY ${KV_QM_DIR})
set_source_files_properties(${KV_TS_FILES} PROPERTIES OUTPUT_LOCATION ${KV_QM_DIR})
qt5_add_translation(KV_QM_FILES ${KV_TS_FILES})

set(KV_TR_QRC_BODY "")
foreach(qm ${KV_QM_FILES})
  get_filename_component(qm_name ${qm} NAME)
  string(APPEND KV_TR_QRC_BODY "    <file alias=\"${qm_name}\">${qm}</file>\n")
endforeach()
set(KV_TR_QRC ${CMAKE_CURRENT_BINARY_DIR}/kvqtcpnt_translations.qrc)
file(GENERATE OUTPUT ${KV_TR_QRC} CONTENT
  "<RCC>\n  <qresource prefix=\"/kvqtcpnt/translations\">\n${KV_TR_QRC_BODY}  </qresource>\n</RCC>\n")

# rcc by hand: the message files do not exist at configure time, so the
# dependency on them has to be spelled out.
set(KV_TR_RCC_CPP ${CMAKE_CURRENT_BINARY_DIR}/qrc_kvqtcpnt_translations.cpp)
add_custom_command(OUTPUT ${KV_TR_RCC_CPP}
  COMMAND Qt5::rcc --name kvqtcpnt_translations --output ${KV_TR_RCC_CPP} ${KV_TR_QRC}
  DEPENDS ${KV_TR_QRC} ${KV_QM_FILES}
  COMMENT "Embedding the form translations"
  VERBATIM)
set_source_files_properties(${KV_TR_RCC_CPP} PROPERTIES SKIP_AUTOGEN ON GENERATED ON)
target_sources(KvQtCpnt PRIVATE ${KV_TR_RCC_CPP})

find_program(KV_LUPDATE NAMES lupdate lupdate-qt5 HINTS ${Qt5_DIR}/../../../bin)
if(KV_LUPDATE)
  add_custom_target(kvqtcpnt_lupdate
    COMMAND ${KV_LUPDATE} -locations none -no-obsolete ${KV_SRC_DIR} -ts ${KV_TS_FILES}
    WORKING_DIRECTORY ${KV_SRC_DIR}
    COMMENT "Refreshing the form text catalogues"
    VERBATIM)
endif()

# Translations of the library's form texts (every area's .ui files), compiled
# at build time and carried inside the library as the resources
# ":/kvqtcpnt/translations/kvqtcpnt_<lang>.qm" (see module/kvqttranslator.h).
#
# Adding a form: give each translatable <string> of the .ui file the comment
# "KvQtCpnt:<FormClass>.<objectName>" (".toolTip" etc. for other properties),
# then refresh the catalogue and fill in the new entries:
#
#   lupdate -locations none -no-obsolete src/<area> -ts src/resources/translations/<topic>_en.ts
#
# kvqtcpnt_en.ts holds the module, progress and log-view forms; each later
# area keeps its own catalogue beside it.
#
# The translations test checks that every Russian text of every form in src/
# has a finished translation.

get_filename_component(KV_SRC_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
# Catalogues are kept per topic ("<topic>_<lang>.ts", so that work on one area
# does not touch another's file); all catalogues of one language are released
# together into the one message file "kvqtcpnt_<lang>.qm".
file(GLOB KV_TS_FILES CONFIGURE_DEPENDS ${KV_SRC_DIR}/resources/translations/*_*.ts)
set(KV_TS_LANGS)
foreach(ts ${KV_TS_FILES})
  get_filename_component(ts_name ${ts} NAME_WE)
  string(REGEX REPLACE "^.*_" "" ts_lang ${ts_name})
  list(APPEND KV_TS_LANGS ${ts_lang})
  list(APPEND KV_TS_FILES_${ts_lang} ${ts})
endforeach()
list(REMOVE_DUPLICATES KV_TS_LANGS)

set(KV_QM_DIR ${CMAKE_CURRENT_BINARY_DIR}/translations)
file(MAKE_DIRECTORY ${KV_QM_DIR})
set(KV_QM_FILES)
foreach(lang ${KV_TS_LANGS})
  set(qm ${KV_QM_DIR}/kvqtcpnt_${lang}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND Qt5::lrelease -silent ${KV_TS_FILES_${lang}} -qm ${qm}
    DEPENDS ${KV_TS_FILES_${lang}}
    COMMENT "Releasing the ${lang} form translations"
    VERBATIM)
  list(APPEND KV_QM_FILES ${qm})
endforeach()

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

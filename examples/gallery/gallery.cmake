# The gallery's pages, shared by the program and its layout test.
if(NOT TARGET kvgallerypages)
  file(GLOB KV_GALLERY_PAGE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pages_*.cpp)
  add_library(kvgallerypages STATIC
    ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp ${CMAKE_CURRENT_LIST_DIR}/gallery.h
    ${CMAKE_CURRENT_LIST_DIR}/capturestage.cpp ${CMAKE_CURRENT_LIST_DIR}/capturestage.h
    ${CMAKE_CURRENT_LIST_DIR}/layoutcheck.cpp ${CMAKE_CURRENT_LIST_DIR}/layoutcheck.h
    ${KV_GALLERY_PAGE_SOURCES})
  target_include_directories(kvgallerypages PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(kvgallerypages PUBLIC KvQtCpnt KvSuite Qt5::Widgets)
endif()

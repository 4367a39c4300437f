# The property-browser library. With KV_SYSTEM_PROPERTYBROWSER (the default)
# an installed copy is preferred, found as a CMake package or through
# pkg-config; without one, or with the option OFF, our own library in
# propertybrowser/ is built. Either way KV_PROPERTYBROWSER_TARGET names what
# KvQtCpnt links, and KV_PROPERTYBROWSER_CONFIG holds the lines the installed
# KvQtCpnt package needs to find it again.

option(KV_SYSTEM_PROPERTYBROWSER "Prefer an installed Qt property-browser library to our own" ON)

set(KV_PROPERTYBROWSER_TARGET "")
set(KV_PROPERTYBROWSER_CONFIG "")
if(KV_SYSTEM_PROPERTYBROWSER)
  find_package(QtPropertyBrowser CONFIG QUIET)
  foreach(t QtPropertyBrowser::QtPropertyBrowser QtPropertyBrowser::qtpropertybrowser QtPropertyBrowser)
    if(NOT KV_PROPERTYBROWSER_TARGET AND TARGET ${t})
      set(KV_PROPERTYBROWSER_TARGET ${t})
      set(KV_PROPERTYBROWSER_CONFIG "find_dependency(QtPropertyBrowser CONFIG)")
    endif()
  endforeach()
  if(NOT KV_PROPERTYBROWSER_TARGET)
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
      pkg_search_module(KV_QTPB QUIET IMPORTED_TARGET GLOBAL QtPropertyBrowser qtpropertybrowser)
      if(KV_QTPB_FOUND)
        set(KV_PROPERTYBROWSER_TARGET PkgConfig::KV_QTPB)
        set(KV_PROPERTYBROWSER_CONFIG
            "find_dependency(PkgConfig)\npkg_search_module(KV_QTPB REQUIRED IMPORTED_TARGET GLOBAL QtPropertyBrowser qtpropertybrowser)")
      endif()
    endif()
  endif()
endif()

if(KV_PROPERTYBROWSER_TARGET)
  message(STATUS "Property browser: installed copy (${KV_PROPERTYBROWSER_TARGET})")
else()
  message(STATUS "Property browser: our own (propertybrowser/)")
  add_subdirectory(${PROJECT_SOURCE_DIR}/propertybrowser ${PROJECT_BINARY_DIR}/propertybrowser)
  set(KV_PROPERTYBROWSER_TARGET KvPropertyBrowser)
endif()

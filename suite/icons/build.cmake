# The suite's icon library: ":/kvicon/NAME_WxH" (PNG data, no file extension)
# for every name below at 16, 24 and 32 pixels, rendered at build time from
# the Breeze icon theme (Debian package breeze-icon-theme) with rsvg-convert
# (librsvg2-bin). `./kv setup` installs both.

set(KV_ICON_THEME_DIR /usr/share/icons/breeze CACHE PATH "Icon theme the icon library is rendered from")
find_program(KV_RSVG_CONVERT rsvg-convert)
if(NOT KV_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert not found: the icon library is rendered with it. "
                      "Install the Debian package librsvg2-bin (./kv setup does).")
endif()
if(NOT EXISTS ${KV_ICON_THEME_DIR}/index.theme)
  message(FATAL_ERROR "Icon theme not found in ${KV_ICON_THEME_DIR}: the icon library is rendered from it. "
                      "Install the Debian package breeze-icon-theme (./kv setup does) or set KV_ICON_THEME_DIR.")
endif()

# Library name -> theme context/icon, or context/SIZE/icon to render every
# size from one drawing: the small message icons of the theme are monochrome,
# and message boxes want the coloured ones at every size.
set(KV_ICON_MAP
  msg_error=status/64/dialog-error
  msg_warn=status/64/dialog-warning
  msg_info=status/64/dialog-information
  msg_other=status/64/dialog-question
  trash=actions/edit-delete
  action_plus=actions/list-add
  action_minus=actions/list-remove
  show_point_coord=actions/crosshairs
  select_all_checkbox=actions/edit-select-all
  select_invert_checkbox=actions/edit-select-invert
  select_none_checkbox=actions/edit-select-none)
set(KV_ICON_SIZES 16 24 32)
set(KV_ICON_THEME_SIZES 16 22 24 32 48 64)

# The drawing made for the size itself, else 22 for 24 (drawn with a margin),
# else the smallest larger one (scaled down stays sharp), else the largest.
function(kv_pick_theme_icon context icon size out)
  set(base ${KV_ICON_THEME_DIR}/${context})
  if(EXISTS ${base}/${size}/${icon}.svg)
    set(${out} ${base}/${size}/${icon}.svg PARENT_SCOPE)
    return()
  endif()
  if(size EQUAL 24 AND EXISTS ${base}/22/${icon}.svg)
    set(${out} ${base}/22/${icon}.svg PARENT_SCOPE)
    return()
  endif()
  set(larger)
  set(smaller)
  foreach(s ${KV_ICON_THEME_SIZES})
    set(f ${base}/${s}/${icon}.svg)
    if(EXISTS ${f})
      if(s GREATER size AND NOT larger)
        set(larger ${f})
      elseif(s LESS size)
        set(smaller ${f})
      endif()
    endif()
  endforeach()
  if(larger)
    set(${out} ${larger} PARENT_SCOPE)
  elseif(smaller)
    set(${out} ${smaller} PARENT_SCOPE)
  else()
    message(FATAL_ERROR "Icon ${context}/${icon} not found in ${KV_ICON_THEME_DIR}")
  endif()
endfunction()

set(KV_ICON_OUT ${CMAKE_CURRENT_BINARY_DIR}/kvicon)
file(MAKE_DIRECTORY ${KV_ICON_OUT})
set(KV_ICON_QRC_ENTRIES)
foreach(entry ${KV_ICON_MAP})
  string(REPLACE "=" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 themeIcon)
  string(REPLACE "/" ";" themeParts ${themeIcon})
  list(LENGTH themeParts depth)
  list(GET themeParts 0 context)
  math(EXPR last "${depth} - 1")
  list(GET themeParts ${last} icon)
  foreach(size ${KV_ICON_SIZES})
    if(depth EQUAL 3)
      list(GET themeParts 1 fixedSize)
      set(svg ${KV_ICON_THEME_DIR}/${context}/${fixedSize}/${icon}.svg)
      if(NOT EXISTS ${svg})
        message(FATAL_ERROR "Icon ${themeIcon} not found in ${KV_ICON_THEME_DIR}")
      endif()
    else()
      kv_pick_theme_icon(${context} ${icon} ${size} svg)
    endif()
    set(png ${KV_ICON_OUT}/${name}_${size}x${size})
    # A 22-pixel drawing keeps its pixel grid at 24 with a one-pixel margin;
    # anything else is scaled to the size.
    if(size EQUAL 24 AND svg MATCHES "/22/")
      set(geometry --width=22 --height=22 --page-width=24 --page-height=24 --left=1 --top=1)
    else()
      set(geometry --width=${size} --height=${size})
    endif()
    add_custom_command(OUTPUT ${png}
      COMMAND ${KV_RSVG_CONVERT} ${geometry} --keep-aspect-ratio --output=${png} ${svg}
      DEPENDS ${svg}
      COMMENT "Rendering icon ${name}_${size}x${size}"
      VERBATIM)
    string(APPEND KV_ICON_QRC_ENTRIES "    <file>${name}_${size}x${size}</file>\n")
  endforeach()
endforeach()

set(KV_ICON_QRC ${KV_ICON_OUT}/kvicon.qrc)
file(CONFIGURE OUTPUT ${KV_ICON_QRC}
  CONTENT "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/kvicon\">\n${KV_ICON_QRC_ENTRIES}  </qresource>\n</RCC>\n"
  @ONLY)
qt5_add_resources(KV_ICON_RCC ${KV_ICON_QRC})
set_source_files_properties(${KV_ICON_RCC} PROPERTIES SKIP_AUTOGEN ON)
target_sources(KvSuite PRIVATE ${KV_ICON_RCC})

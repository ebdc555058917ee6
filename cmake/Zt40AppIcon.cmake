# The Windows programs' icon: the program's SVG icon drawn at each size the shell, the task bar
# and a window's caption ask for, packed into one .ico that a resource script names by its file
# name alone. The 256-pixel image stays PNG inside the .ico, as the system's own large icons are;
# a bitmap that size would weigh a quarter of a megabyte.
find_program(ZT40_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ZT40_ICOTOOL icotool REQUIRED)
set(ZT40_APP_ICON_SVG ${PROJECT_SOURCE_DIR}/res/icons/zt40util.svg)
set(ZT40_APP_ICON_DIR ${PROJECT_BINARY_DIR}/app-icon)
set(ZT40_APP_ICON ${ZT40_APP_ICON_DIR}/zt40util.ico)
set(zt40_icon_bitmaps)
set(zt40_icon_pngs)
foreach(size 16 24 32 48 256)
  set(png ${ZT40_APP_ICON_DIR}/zt40util-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZT40_APP_ICON_DIR}
    COMMAND ${ZT40_RSVG_CONVERT} --width=${size} --height=${size} --keep-aspect-ratio --output=${png} ${ZT40_APP_ICON_SVG}
    DEPENDS ${ZT40_APP_ICON_SVG}
    COMMENT "Windows icon ${size}x${size}"
    VERBATIM)
  list(APPEND zt40_icon_pngs ${png})
  if(size EQUAL 256)
    list(APPEND zt40_icon_bitmaps --raw=${png})
  else()
    list(APPEND zt40_icon_bitmaps ${png})
  endif()
endforeach()
add_custom_command(OUTPUT ${ZT40_APP_ICON}
  COMMAND ${ZT40_ICOTOOL} --create --output=${ZT40_APP_ICON} ${zt40_icon_bitmaps}
  DEPENDS ${zt40_icon_pngs}
  COMMENT "Windows icon zt40util.ico"
  VERBATIM)
add_custom_target(zt40_app_icon DEPENDS ${ZT40_APP_ICON})

# `target` carries the icon through the resource script `rc` (in the calling folder).
function(zt40_use_app_icon target rc)
  add_dependencies(${target} zt40_app_icon)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${ZT40_APP_ICON})
  set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${ZT40_APP_ICON_DIR})
endfunction()

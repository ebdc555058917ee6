# One pair of Qt Linguist files per area of the program (res/i18n/<area>_en.ts and
# <area>_ja.ts), so that each area's texts are extracted and translated without touching
# another's files. lupdate reads the core's ZT40_TR(context, text) as QT_TRANSLATE_NOOP.
#
#   zt40_translation_area(<area> SOURCES <files>...)
#
# compiles the pair into the Qt layer's resources under :/i18n; `cmake --build build
# --target update_translations` refreshes every area's .ts files from its sources.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(ZT40_EDITIONS en ja CACHE INTERNAL "Languages every translation area is delivered in")

function(zt40_translation_area area)
  cmake_parse_arguments(arg "" "" "SOURCES" ${ARGN})
  if(NOT arg_SOURCES)
    message(FATAL_ERROR "zt40_translation_area(${area}): no SOURCES")
  endif()
  set(ts_files)
  foreach(edition IN LISTS ZT40_EDITIONS)
    list(APPEND ts_files ${PROJECT_SOURCE_DIR}/res/i18n/${area}_${edition}.ts)
  endforeach()
  set(target zt40_i18n_${area})
  add_library(${target} STATIC ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  qt_add_translations(${target}
    TS_FILES ${ts_files}
    SOURCES ${arg_SOURCES}
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}
    LUPDATE_OPTIONS -locations none -no-obsolete -tr-function-alias QT_TRANSLATE_NOOP+=ZT40_TR
    LRELEASE_OPTIONS -nounfinished -removeidentical
    RESOURCE_PREFIX /i18n)
  # The Qt layer carries every area; an area added later needs no edit there.
  target_link_libraries(zt40_ui PUBLIC ${target})
endfunction()

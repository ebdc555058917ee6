# Runs zt40util.exe --screenshot (PROGRAM, under EMULATOR) on the simulated printer in STATE once
# per edition, the language given as the locale a person would set, and holds the pictures to
# what the operator would see: each edition ends with 0, says where its picture went, and the
# picture is a PNG of the whole window; the Japanese one differs from the English one. SHOT picks
# the window (--screenshot, the main one, by default), PICTURE names its pictures.
if(NOT DEFINED SHOT)
  set(SHOT --screenshot)
endif()
if(NOT DEFINED PICTURE)
  set(PICTURE zt40util)
endif()
set(digests)
foreach(pair en:en_US.UTF-8 ja:ja_JP.UTF-8)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 name)
  list(GET pair 1 locale)
  set(png ${OUTDIR}/${PICTURE}-${name}.png)
  file(REMOVE ${png})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LANG=${locale} LC_ALL=${locale} ZT40_DATA_DIR=${OUTDIR}
      ${EMULATOR} ${PROGRAM} --simulate=${STATE} ${SHOT}=${png}
    WORKING_DIRECTORY ${OUTDIR}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status
    TIMEOUT 60)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: zt40util ended with ${status}:\n${output}${errors}")
  endif()
  if(NOT output MATCHES "${PICTURE}-${name}\\.png")
    message(FATAL_ERROR "${name}: the picture's path is not printed:\n${output}")
  endif()
  if(NOT EXISTS ${png})
    message(FATAL_ERROR "${name}: no picture at ${png}")
  endif()
  # The signature, then the header chunk's width and height.
  file(READ ${png} head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 signature)
  string(SUBSTRING "${head}" 32 8 width)
  string(SUBSTRING "${head}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR width LESS 150 OR height LESS 250)
    message(FATAL_ERROR "${name}: not a picture of the window (${signature}, ${width} x ${height})")
  endif()
  # The controls and the bars make a picture far above a flat area's few hundred bytes.
  file(SIZE ${png} size)
  if(size LESS 4000)
    message(FATAL_ERROR "${name}: a picture of ${size} bytes shows nearly nothing")
  endif()
  file(SHA256 ${png} digest)
  list(APPEND digests ${digest})
  message(STATUS "${name}: ${width} x ${height}, ${size} bytes: ${png}")
endforeach()
list(GET digests 0 english)
list(GET digests 1 japanese)
if(english STREQUAL japanese)
  message(FATAL_ERROR "the Japanese picture is the English one")
endif()

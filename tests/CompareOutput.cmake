# Runs PROGRAM with ARGS (a list; under EMULATOR when given) in WORKDIR and compares its standard
# output, carriage returns dropped, with the file EXPECTED. Both editions' zt40ctl are held to
# the same file, so they print the same.
execute_process(
  COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
string(REPLACE "\r" "" output "${output}")
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${status}:\n${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}\n--- printed\n${output}--- expected\n${expected}")
endif()

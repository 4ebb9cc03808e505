# Scans both generated Donate codes with zbarimg and checks that they lead to
# the web address in resources/links.h.
# cmake -DASSET_DIR=<generated assets> -DLINKS_HEADER=<links.h> -P donate_codes_scan.cmake
file(STRINGS ${LINKS_HEADER} define REGEX "#define GLADEWARDEN_WEB_ADDRESS ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" address "${define}")
if(address STREQUAL "")
  message(FATAL_ERROR "no GLADEWARDEN_WEB_ADDRESS in ${LINKS_HEADER}")
endif()

foreach(side left right)
  set(code ${ASSET_DIR}/donate_code_${side}.bmp)
  execute_process(COMMAND zbarimg --raw --quiet ${code}
                  OUTPUT_VARIABLE decoded RESULT_VARIABLE result ERROR_QUIET
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0 OR NOT decoded STREQUAL address)
    message(FATAL_ERROR "${code} scanned as '${decoded}' (zbarimg exit ${result}); expected '${address}'")
  endif()
  message(STATUS "donate_code_${side}.bmp: ${decoded}")
endforeach()

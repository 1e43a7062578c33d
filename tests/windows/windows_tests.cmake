# The tests of the cross build for Windows, run under Wine (included by
# tests/CMakeLists.txt): the C interface's C89 program; its dump of states and
# if97.exe's output, each against the native build's on the same input, byte
# for byte. STEAMCALC_NATIVE_BUILD_DIR names that native build (scripts/windows
# passes build/); without it, or without Wine, the tests say why they skip.
set(STEAMCALC_NATIVE_BUILD_DIR "" CACHE PATH
  "A native build of this tree, whose outputs the Windows programs must equal")

function(steamcalc_skipped_test name reason)
  add_test(NAME ${name} COMMAND sh -c "echo '${reason}'; exit 77")
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  steamcalc_skipped_test(windows.wine
    "wine64 is not installed (Debian package wine64): the Windows programs are built, not tested")
  return()
endif()

# Wine's first start in a new prefix takes a while; every other test waits
# for it.
add_test(NAME windows.wine_prefix COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
set_tests_properties(windows.wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)

add_test(NAME capi.c89_test COMMAND capi_c89_test)
set_tests_properties(capi.c89_test PROPERTIES FIXTURES_REQUIRED wine_prefix)

set(native ${STEAMCALC_NATIVE_BUILD_DIR})
if(native AND EXISTS ${native}/cli/if97 AND EXISTS ${native}/tests/capi_c89_test)
  add_test(NAME windows.capi_dump
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/dump_test.sh ${native}/tests/capi_c89_test
            $<TARGET_FILE:capi_c89_test> ${CMAKE_CROSSCOMPILING_EMULATOR})
  add_test(NAME windows.cli
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/cli_test.sh ${native}/cli/if97 $<TARGET_FILE:if97_command>
            ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(windows.capi_dump windows.cli PROPERTIES FIXTURES_REQUIRED wine_prefix)
else()
  steamcalc_skipped_test(windows.native_comparison
    "STEAMCALC_NATIVE_BUILD_DIR names no native build with cli/if97 and tests/capi_c89_test: the Windows outputs are not compared")
endif()

# Test helpers shared by every folder.
#
#   tessaly_native_test(name SOURCES ... LIBS ...)
#       GoogleTest program built with the host compiler; each case is a CTest test.
#   tessaly_win32_test(name SOURCES ... LIBS ... [ARGS ...] [FRESH_PREFIX])
#       GoogleTest program cross-built for Win32; one CTest test that runs the
#       whole program under Wine in a kept Windows-95 session that it holds
#       alone while it runs (scripts/wine-run.sh), or with FRESH_PREFIX, for a
#       program that changes what another program would read (the regional
#       settings, the program's keys), in a fresh prefix.
#   tessaly_wine_script_test(name SCRIPT file [ARGS ...])
#       a black-box test script (bash) that drives the real Win32 binaries.

if(TESSALY_WIN32)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  # GoogleTest and the programs built on it use the -posix compilers (it
  # needs std::mutex); they are test programs only.
  set(TESSALY_POSIX_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/posix-compiler.sh)
  set_target_properties(gtest gtest_main gmock gmock_main PROPERTIES
                        CXX_COMPILER_LAUNCHER ${TESSALY_POSIX_LAUNCHER})
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(tessaly_native_test name)
  if(TESSALY_WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # The test program's own code unoptimised: the code GoogleTest's macros
  # expand to takes most of the native build's time at -O2, and the code
  # under test is in the libraries, built as the configuration says.
  target_compile_options(${name} PRIVATE -O0)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
endfunction()

function(tessaly_win32_test name)
  if(NOT TESSALY_WIN32)
    return()
  endif()
  cmake_parse_arguments(T "FRESH_PREFIX" "" "SOURCES;LIBS;ARGS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TESSALY_TEST_DIR}
                        CXX_COMPILER_LAUNCHER ${TESSALY_POSIX_LAUNCHER}
                        CXX_LINKER_LAUNCHER ${TESSALY_POSIX_LAUNCHER})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
  set(env "TESSALY_BIN=${TESSALY_BIN_DIR};TESSALY_TESTS=${TESSALY_TEST_DIR};TESSALY_SOURCE=${PROJECT_SOURCE_DIR}")
  if(NOT T_FRESH_PREFIX)
    list(APPEND env "TESSALY_WINE_SESSIONS=${TESSALY_WINE_SESSIONS_DIR}")
  endif()
  set_tests_properties(${name} PROPERTIES LABELS wine ENVIRONMENT "${env}" ${T_PROPERTIES})
endfunction()

function(tessaly_wine_script_test name)
  if(NOT TESSALY_WIN32)
    return()
  endif()
  cmake_parse_arguments(T "" "SCRIPT" "ARGS;PROPERTIES" ${ARGN})
  add_test(NAME ${name} COMMAND bash ${T_SCRIPT} ${T_ARGS})
  set_tests_properties(${name} PROPERTIES
    LABELS "wine;e2e"
    ENVIRONMENT "TESSALY_BIN=${TESSALY_BIN_DIR};TESSALY_TESTS=${TESSALY_TEST_DIR};TESSALY_SOURCE=${PROJECT_SOURCE_DIR}"
    ${T_PROPERTIES})
endfunction()

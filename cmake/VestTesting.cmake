# Test registration shared by every build.
#
# vest_add_gtest(<name> SOURCES <files...> [LIBRARIES <libs...>] [WINDOW]
#                [PROPERTIES <test properties...>])
#   Builds a GoogleTest executable and registers each of its tests with CTest;
#   a native build also registers the whole program run twice over in shuffled
#   orders (<prefix><name>.repeated). In a Windows build the executable runs
#   through Wine (the toolchain's emulator). WINDOW marks tests that open real
#   windows: they run on the shared Xvfb screen and never in parallel with
#   each other. PROPERTIES are set on each of its tests (e.g. a fixture they
#   require).

if(CMAKE_CROSSCOMPILING)
  # Debian's sources, built with the cross compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(VEST_GTEST_LIBS GTest::gtest GTest::gmock gtest_main)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
  set(VEST_GTEST_LIBS GTest::gtest GTest::gmock GTest::gtest_main)
endif()
include(GoogleTest)

# The tests of each build are named after it, so one CTest run can hold all.
if(CMAKE_CROSSCOMPILING)
  set(VEST_TEST_PREFIX "${CMAKE_SYSTEM_PROCESSOR}.")
else()
  set(VEST_TEST_PREFIX "native.")
endif()

function(vest_add_gtest name)
  cmake_parse_arguments(ARG "WINDOW" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${VEST_GTEST_LIBS})
  set(props ${ARG_PROPERTIES})
  if(ARG_WINDOW)
    list(APPEND props RESOURCE_LOCK xvfb_screen)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Discovery runs the executable under Wine when CTest starts.
    gtest_discover_tests(${name}
      TEST_PREFIX ${VEST_TEST_PREFIX}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES ${props})
  else()
    # LeakSanitizer on whatever the environment says: a test that leaks fails.
    gtest_discover_tests(${name}
      TEST_PREFIX ${VEST_TEST_PREFIX}
      DISCOVERY_TIMEOUT 60
      PROPERTIES ${props} ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::detect_leaks=1")
    # The whole program once more, twice over in shuffled orders, in one
    # process: a test that leaves state behind for a later one fails here.
    set(repeated ${VEST_TEST_PREFIX}${name}.repeated)
    add_test(NAME ${repeated} COMMAND ${name} --gtest_repeat=2 --gtest_shuffle)
    set_tests_properties(${repeated} PROPERTIES
      ${props} ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::detect_leaks=1")
  endif()
endfunction()

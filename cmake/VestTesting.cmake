# Test registration shared by every build.
#
# vest_add_gtest(<name> SOURCES <files...> [LIBRARIES <libs...>] [WINDOW]
#                [ONLY_DEJAVU_FONTS] [PROPERTIES <test properties...>])
#   Builds a GoogleTest executable and registers each of its tests with CTest;
#   a native build also registers the whole program run twice over in shuffled
#   orders (<prefix><name>.repeated). In a Windows build the executable runs
#   through Wine (the toolchain's emulator). WINDOW marks tests that open real
#   windows: they run on the shared Xvfb screen and never in parallel with
#   each other. ONLY_DEJAVU_FONTS runs them in a Wine prefix of their own in
#   which only the DejaVu fonts are installed. PROPERTIES are set on each of
#   its tests (e.g. a fixture they require).

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

# The prefix where only the DejaVu fonts are installed, as on a small Linux
# install running a Windows host: none of the faces that Wine's generic font
# families name is there. A fixture of the run makes it (once per build) and
# keeps its wineserver warm while its tests run.
set(VEST_DEJAVU_ONLY_PREFIX ${CMAKE_BINARY_DIR}/wine-dejavu-only)
set(VEST_DEJAVU_ONLY_FIXTURE ${VEST_TEST_PREFIX}dejavu_only_prefix)

function(vest_add_dejavu_only_prefix)
  get_property(added GLOBAL PROPERTY VEST_DEJAVU_ONLY_PREFIX_ADDED)
  if(added)
    return()
  endif()
  set_property(GLOBAL PROPERTY VEST_DEJAVU_ONLY_PREFIX_ADDED TRUE)
  set(script ${PROJECT_SOURCE_DIR}/tools/wine-prefix-fonts)
  add_test(NAME ${VEST_DEJAVU_ONLY_FIXTURE}.start
    COMMAND ${script} start ${VEST_DEJAVU_ONLY_PREFIX} /usr/share/fonts/truetype/dejavu)
  add_test(NAME ${VEST_DEJAVU_ONLY_FIXTURE}.stop COMMAND ${script} stop ${VEST_DEJAVU_ONLY_PREFIX})
  set_tests_properties(${VEST_DEJAVU_ONLY_FIXTURE}.start PROPERTIES
    FIXTURES_SETUP ${VEST_DEJAVU_ONLY_FIXTURE} TIMEOUT 600)
  set_tests_properties(${VEST_DEJAVU_ONLY_FIXTURE}.stop PROPERTIES FIXTURES_CLEANUP ${VEST_DEJAVU_ONLY_FIXTURE})
endfunction()

# Where the kernel cannot run 32-bit code, tools/setup.sh has Wine's x86 half
# run through QEMU's user-mode emulator, which has limits of its own.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND EXISTS /proc/sys/fs/binfmt_misc/qemu-i386)
  set(VEST_EMULATED_X86 TRUE)
endif()

function(vest_add_gtest name)
  cmake_parse_arguments(ARG "WINDOW;ONLY_DEJAVU_FONTS" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${VEST_GTEST_LIBS})
  set(props ${ARG_PROPERTIES})
  if(ARG_WINDOW)
    list(APPEND props RESOURCE_LOCK xvfb_screen)
  endif()
  if(ARG_ONLY_DEJAVU_FONTS)
    vest_add_dejavu_only_prefix()
    list(APPEND props FIXTURES_REQUIRED ${VEST_DEJAVU_ONLY_FIXTURE} ENVIRONMENT VEST_WINEPREFIX=${VEST_DEJAVU_ONLY_PREFIX})
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

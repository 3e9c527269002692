# The native build drives the two Windows builds and the release build of the
# benchmarks. Each is a separate CMake build of this same tree, in the folder
# VestSubbuildRoot.cmake chooses (build/i686, build/x86_64, build/bench beside
# build/native); CTest of this build includes the tests of the Windows
# builds, so that one run reports every test.
include(ExternalProject)
include(VestSubbuildRoot)

vest_subbuild_root(VEST_BUILD_ROOT)

set(VEST_SUBBUILDS "")
foreach(arch i686 x86_64)
  ExternalProject_Add(windows-${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${VEST_BUILD_ROOT}/${arch}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/toolchains/${arch}-w64-mingw32.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DVEST_SUPERBUILD=OFF
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  set(include_file ${CMAKE_BINARY_DIR}/include-${arch}-tests.cmake)
  file(WRITE ${include_file} "subdirs(\"${VEST_BUILD_ROOT}/${arch}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endforeach()

ExternalProject_Add(benchmarks
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${VEST_BUILD_ROOT}/bench
  CMAKE_ARGS
    -DCMAKE_BUILD_TYPE=Release
    -DVEST_SUPERBUILD=OFF
    -DVEST_SANITIZE=OFF
    -DVEST_BENCHMARKS=ON
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

# The fuzz targets: a clang build with libFuzzer (build/fuzz); the fuzz
# targets choose their own sanitizer flags. Its time-bounded fuzz runs join
# this build's CTest run like the Windows tests.
ExternalProject_Add(fuzz
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${VEST_BUILD_ROOT}/fuzz
  CMAKE_ARGS
    -DCMAKE_C_COMPILER=clang
    -DCMAKE_CXX_COMPILER=clang++
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DVEST_SUPERBUILD=OFF
    -DVEST_SANITIZE=OFF
    -DVEST_FUZZ=ON
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
set(include_file ${CMAKE_BINARY_DIR}/include-fuzz-tests.cmake)
file(WRITE ${include_file} "subdirs(\"${VEST_BUILD_ROOT}/fuzz\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})

# Where the native build puts its sub-builds (i686, x86_64, bench, fuzz).
#
# The usual layout is one build root holding a folder per build:
# build/native, build/i686, build/x86_64, build/bench, build/fuzz. A native
# build folder named "native" is taken as that root's native folder, and its
# sub-builds go beside it. A build folder of any other name keeps them
# inside, in its folder "subbuilds" (cmake -B out: out/subbuilds/i686, ...;
# out/bench already holds the native build of bench/). A build in the source
# tree itself, or a folder "native" at its top (whose sub-builds would land
# among the sources), is refused.
function(vest_subbuild_root out)
  get_filename_component(binary "${CMAKE_BINARY_DIR}" REALPATH)
  get_filename_component(source "${CMAKE_SOURCE_DIR}" REALPATH)
  get_filename_component(name "${binary}" NAME)
  if(name STREQUAL "native")
    get_filename_component(root "${binary}" DIRECTORY)
  else()
    set(root "${binary}/subbuilds")
  endif()
  if(binary STREQUAL source OR root STREQUAL source)
    message(FATAL_ERROR
      "The build folder ${CMAKE_BINARY_DIR} would put the Windows, benchmark and fuzz "
      "builds into the source tree. Use a folder of its own, for instance "
      "cmake -S . -B build/native (sub-builds in build/i686, build/x86_64, ...).")
  endif()
  set(${out} "${root}" PARENT_SCOPE)
endfunction()

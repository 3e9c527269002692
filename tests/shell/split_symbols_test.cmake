# Checks the shipped library's symbols: the library itself carries neither
# debug sections nor a symbol table, the symbols file sits beside it, and
# addr2line, given only the stripped library, finds the entry point's name
# and source line through the library's debug link. The symbols file also
# shows that the C++ library's streams and locales stay out: linked
# statically, they would double the library's size. Neither the library nor
# the archives it is linked from define a test seam: the library takes an
# archive's object as soon as anything calls into that object.
#
#   cmake -DLIBRARY=<output.dll> -DARCHIVES=<archives;...> -DNM=<nm>
#         -DOBJDUMP=<objdump> -DADDR2LINE=<addr2line> -P split_symbols_test.cmake

function(run_tool result)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  set(${result} "${output}${errors}" PARENT_SCOPE)
endfunction()

run_tool(sections ${OBJDUMP} -h ${LIBRARY})
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "${LIBRARY} still carries debug sections:\n${sections}")
endif()
if(NOT sections MATCHES "\\.gnu_debuglink")
  message(FATAL_ERROR "${LIBRARY} has no debug link:\n${sections}")
endif()

run_tool(symbols ${NM} ${LIBRARY})
if(NOT symbols MATCHES "no symbols")
  message(FATAL_ERROR "${LIBRARY} still carries a symbol table")
endif()

set(symbols_file ${LIBRARY}.debug)
if(NOT EXISTS ${symbols_file})
  message(FATAL_ERROR "no symbols file beside the library: ${symbols_file}")
endif()
run_tool(debug_symbols ${NM} ${symbols_file})
# x86 decorates C names with a leading underscore.
if(NOT debug_symbols MATCHES "([0-9a-f]+) T _?VSTPluginMain\n")
  message(FATAL_ERROR "the symbols file does not name the entry point")
endif()
set(entry_address ${CMAKE_MATCH_1})

# Any stream derives from ios_base, and the stream's locale brings every
# standard facet along, the money and time parsers among them.
run_tool(demangled ${NM} -C ${symbols_file})
string(REGEX MATCHALL "[^\n]*(std::ios_base|std::locale::|std::basic_istringstream|std::money_get|std::time_get)[^\n]*"
       stream_symbols "${demangled}")
list(LENGTH stream_symbols stream_symbol_count)
if(stream_symbol_count GREATER 0)
  list(SUBLIST stream_symbols 0 5 examples)
  list(JOIN examples "\n" examples)
  message(FATAL_ERROR "the library links the C++ stream and locale library (${stream_symbol_count} symbols), e.g.:\n"
                      "${examples}")
endif()

# Seams that reach into the library's state for the tests alone.
set(test_seams emptyMdctCache)
foreach(file ${symbols_file} ${ARCHIVES})
  run_tool(defined ${NM} -C --defined-only ${file})
  foreach(seam ${test_seams})
    if(defined MATCHES "[^\n]* ${seam}\\(")
      message(FATAL_ERROR "${file} defines the test seam ${seam}: ${CMAKE_MATCH_0}")
    endif()
  endforeach()
endforeach()

# Given the stripped library alone, addr2line reads its debug link and finds
# the symbols file beside it, checksum included.
run_tool(located ${ADDR2LINE} -f -e ${LIBRARY} 0x${entry_address})
if(NOT located MATCHES "^VSTPluginMain\n[^\n]*shell/entry\\.cpp:[0-9]+")
  message(FATAL_ERROR "the entry point at 0x${entry_address} was not found through the debug link:\n${located}")
endif()

# Runs one fuzz target for a bounded time and prints what it did. The corpus
# in the repository seeds the run and is only read; what the run adds, and
# the input of a finding, go to a work folder of the build, emptied first.
#   cmake -DFUZZER=<program> -DCORPUS=<dir> -DWORK=<dir> -DSECONDS=<n>
#         -DSEED=<n> -DMAX_LEN=<bytes> -P run_fuzzer.cmake

# A smaller quarantine than the default 256 MB still holds everything one
# input frees, and saves the page faults of ever new memory: most of the
# run time otherwise.
set(ENV{ASAN_OPTIONS} "quarantine_size_mb=16:$ENV{ASAN_OPTIONS}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -seed=${SEED} -max_len=${MAX_LEN}
          -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
          -artifact_prefix=${WORK}/findings/ ${WORK}/corpus ${CORPUS}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE log
  ERROR_VARIABLE log)

function(final_stat name variable)
  string(REGEX MATCH "stat::${name}: *([0-9]+)" found "${log}")
  set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
final_stat(number_of_executed_units executions)
final_stat(average_exec_per_sec rate)
final_stat(new_units_added added)
final_stat(peak_rss_mb rss)

get_filename_component(name ${FUZZER} NAME)
if(executions)
  message("${name}: ${executions} executions in ${SECONDS} s (${rate}/s, seed ${SEED}), "
          "${added} new inputs, peak ${rss} MB")
endif()
if(NOT result EQUAL 0)
  message("${log}")
  file(GLOB findings ${WORK}/findings/*)
  message(FATAL_ERROR "${name} failed (exit ${result}); replay with: ${FUZZER} ${findings}")
endif()

# Runs levywise-cli once and checks its exit status and what it printed.
# Variables (lists are separated by "|"):
#   CLI          the program
#   WORKDIR      the folder it runs in
#   ARGS         its arguments
#   EXIT         the exit status it must end with
#   STDIN        a file fed to its standard input (optional)
#   STDOUT_FILE  a file its standard output must equal (optional)
#   STDOUT_HAS   texts its standard output must contain (optional)
#   STDERR_HAS   texts its standard error must contain (optional)
#   STDOUT_EMPTY when ON, nothing may be printed to standard output
#   OUTPUT       a file the program writes, removed before the run (optional)
#   OUTPUT_FILE  a file OUTPUT must equal afterwards (optional)
string(REPLACE "|" ";" args "${ARGS}")
set(stdin_args)
if(STDIN)
  set(stdin_args INPUT_FILE ${STDIN})
endif()
if(OUTPUT)
  file(REMOVE ${OUTPUT})
endif()

execute_process(COMMAND ${CLI} ${args} ${stdin_args}
                WORKING_DIRECTORY ${WORKDIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 20)
set(report "\n--- standard output ---\n${out}\n--- standard error ---\n${err}")

if(NOT status STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}${report}")
endif()
if(STDOUT_FILE)
  file(READ ${STDOUT_FILE} expected)
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "standard output differs from ${STDOUT_FILE}${report}")
  endif()
endif()
if(STDOUT_EMPTY AND NOT out STREQUAL "")
  message(FATAL_ERROR "standard output should be empty${report}")
endif()
set(stream_out "output")
set(stream_err "error")
foreach(stream out err)
  string(TOUPPER "STD${stream}_HAS" name)
  string(REPLACE "|" ";" wanted "${${name}}")
  foreach(text IN LISTS wanted)
    string(FIND "${${stream}}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "standard ${stream_${stream}} lacks \"${text}\"${report}")
    endif()
  endforeach()
endforeach()
if(OUTPUT_FILE)
  if(NOT EXISTS ${OUTPUT})
    message(FATAL_ERROR "${OUTPUT} was not written${report}")
  endif()
  file(READ ${OUTPUT} written)
  file(READ ${OUTPUT_FILE} expected)
  if(NOT written STREQUAL expected)
    message(FATAL_ERROR "${OUTPUT} differs from ${OUTPUT_FILE}:\n${written}${report}")
  endif()
endif()

# Runs levywise-cli once and checks its exit status and what it printed.
# Variables (lists are separated by "|"):
#   CLI          the program
#   WORKDIR      the folder it runs in
#   ARGS         its arguments
#   EXIT         the exit status it must end with
#   STDIN        a file fed to its standard input (optional)
#   STDOUT_HAS   texts its standard output must contain (optional)
#   STDERR_HAS   texts its standard error must contain (optional)
#   STDOUT_EMPTY when ON, nothing may be printed to standard output
#   STDOUT_TO    a file standard output is sent to instead (optional)
#   OUTPUT       a file the program writes, removed before the run (optional)
#   OUTPUT_FILE  a file OUTPUT must equal afterwards (optional)
#   KEEP         a file copied from KEEP_FROM before the run that must be unchanged after it
#   LINK         a symbolic link to OUTPUT made before the run that must stay one
string(REPLACE "|" ";" args "${ARGS}")
if(STDIN)
  set(stdin_args INPUT_FILE ${STDIN})
endif()
if(OUTPUT)
  file(REMOVE ${OUTPUT})
endif()
if(KEEP)
  configure_file(${KEEP_FROM} ${KEEP} COPYONLY)
endif()
if(LINK)
  file(REMOVE ${LINK})
  file(CREATE_LINK ${OUTPUT} ${LINK} SYMBOLIC)
endif()
set(stdout_args OUTPUT_VARIABLE out)
if(STDOUT_TO)
  set(stdout_args OUTPUT_FILE ${STDOUT_TO})
endif()

execute_process(COMMAND ${CLI} ${args} ${stdin_args} ${stdout_args}
                WORKING_DIRECTORY ${WORKDIR}
                RESULT_VARIABLE status ERROR_VARIABLE err
                TIMEOUT 20)
set(report "\n--- standard output ---\n${out}\n--- standard error ---\n${err}")

if(NOT status STREQUAL "${EXIT}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}${report}")
endif()
if(STDOUT_EMPTY AND NOT out STREQUAL "")
  message(FATAL_ERROR "standard output should be empty${report}")
endif()
foreach(stream out err)
  string(TOUPPER "STD${stream}_HAS" name)
  string(REPLACE "|" ";" wanted "${${name}}")
  foreach(text IN LISTS wanted)
    string(FIND "${${stream}}" "${text}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "std${stream} lacks \"${text}\"${report}")
    endif()
  endforeach()
endforeach()
if(LINK AND NOT IS_SYMLINK ${LINK})
  message(FATAL_ERROR "${LINK} is no longer a symbolic link${report}")
endif()
if(OUTPUT_FILE)
  file(READ ${OUTPUT_FILE} expected)
  file(READ ${OUTPUT} written) # fails the case when the file was not written
  if(NOT written STREQUAL expected)
    message(FATAL_ERROR "${OUTPUT} differs from ${OUTPUT_FILE}:\n${written}${report}")
  endif()
endif()
if(KEEP)
  file(READ ${KEEP} kept)
  file(READ ${KEEP_FROM} original)
  if(NOT kept STREQUAL original)
    message(FATAL_ERROR "${KEEP} was changed:\n${kept}${report}")
  endif()
  # Only this case's own temporary file: other cases run beside it.
  get_filename_component(folder ${KEEP} DIRECTORY)
  get_filename_component(name ${KEEP} NAME)
  file(GLOB leftovers ${folder}/.${name}.levywise-*)
  if(leftovers)
    message(FATAL_ERROR "temporary files left behind: ${leftovers}${report}")
  endif()
endif()

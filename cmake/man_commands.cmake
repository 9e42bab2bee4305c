# Writes a help2man include file: IN followed by a COMMANDS section with the
# --help of each subcommand that PROGRAM's --help lists.
#   cmake -DPROGRAM=... -DIN=... -DOUT=... -P man_commands.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE ".*\nSubcommands:\n" "" listed "${help}")
string(REGEX MATCHALL "(^|\n)  [a-z][a-z0-9-]*" names "${listed}")

file(READ ${IN} page)
string(APPEND page "\n[COMMANDS]\n")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  execute_process(COMMAND ${PROGRAM} ${name} --help OUTPUT_VARIABLE text
                  COMMAND_ERROR_IS_FATAL ANY)
  # As roff: backslashes and minus signs escaped, no line read as a request.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(APPEND page ".SS ${name}\n.nf\n${text}.fi\n")
endforeach()
file(WRITE ${OUT} "${page}")

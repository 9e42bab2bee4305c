# Man pages made from the programs' own --help and --version by help2man, so
# that they say what the programs do; the .h2m files add what --help cannot.
option(LEVYWISE_MAN "Make the man pages (needs help2man)" ON)
find_program(HELP2MAN help2man)
if(NOT LEVYWISE_MAN OR CMAKE_CROSSCOMPILING)
  return()
elseif(NOT HELP2MAN)
  message(STATUS "help2man not found: no man pages")
  return()
endif()

set(man_dir ${PROJECT_BINARY_DIR}/man)
set(man_pages)
# levywise_man_page(TARGET SUMMARY [COMMANDS]): COMMANDS adds each
# subcommand's --help to the page.
function(levywise_man_page target summary)
  if(NOT TARGET ${target})
    return()
  endif()
  set(include ${PROJECT_SOURCE_DIR}/docs/man/${target}.h2m)
  set(page ${man_dir}/${target}.1)
  set(make_include)
  if(ARGV2 STREQUAL "COMMANDS")
    set(generated ${man_dir}/${target}-commands.h2m)
    set(make_include COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}>
                             -DIN=${include} -DOUT=${generated}
                             -P ${PROJECT_SOURCE_DIR}/cmake/man_commands.cmake)
    set(include ${generated})
  endif()
  add_custom_command(
    OUTPUT ${page}.gz
    ${make_include}
    COMMAND ${HELP2MAN} --no-info --section=1 --name=${summary} --include=${include}
            --output=${page} $<TARGET_FILE:${target}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/docs/man/${target}.h2m
            ${PROJECT_SOURCE_DIR}/cmake/man_commands.cmake
    COMMENT "Man page of ${target}"
    VERBATIM)
  set(man_pages ${man_pages} ${page}.gz PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${man_dir})
levywise_man_page(levywise "estimate the yearly property tax on a piece of real estate")
levywise_man_page(levywise-cli "estimate property taxes from a county's tax rate file" COMMANDS)
add_custom_target(levywise_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

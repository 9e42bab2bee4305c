# Installs the programs, their man pages, the sample county, a desktop
# launcher, its AppStream description and icon:
#   cmake --install <build> [--prefix <dir>]     (DESTDIR is honoured)
if(TARGET levywise)
  install(TARGETS levywise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET levywise-cli)
  install(TARGETS levywise-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Where bash-completion looks for a command's completion, by the command's name.
  install(FILES ${PROJECT_SOURCE_DIR}/cli/levywise-cli.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME levywise-cli)
endif()
include(cmake/ManPages.cmake)

# The sample county, which the program opens when no settings name a rate
# file and the current folder has none.
install(FILES ${PROJECT_SOURCE_DIR}/data/taxrate.tab DESTINATION ${LEVYWISE_SAMPLE_INSTALL_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/data/levywise.ini)
  install(FILES ${PROJECT_SOURCE_DIR}/data/levywise.ini DESTINATION ${LEVYWISE_SAMPLE_INSTALL_DIR})
endif()

if(NOT TARGET levywise)
  return()
endif()
set(LEVYWISE_APP_ID io.github.levywise.Levywise)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/levywise.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(data/desktop/${LEVYWISE_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${LEVYWISE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${LEVYWISE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The launcher names the folders of the prefix chosen when installing,
# which may differ from the one the build was configured with.
set(LEVYWISE_DESKTOP_OUT ${CMAKE_BINARY_DIR}/${LEVYWISE_APP_ID}.desktop)
install(CODE "
  file(READ \"${PROJECT_SOURCE_DIR}/data/desktop/${LEVYWISE_APP_ID}.desktop.in\" launcher)
  string(REPLACE \"@LEVYWISE_BIN_DIR@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\" launcher \"\${launcher}\")
  file(WRITE \"${LEVYWISE_DESKTOP_OUT}\" \"\${launcher}\")
")
install(FILES ${LEVYWISE_DESKTOP_OUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

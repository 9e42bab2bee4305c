# Installs the program, its sample county, a desktop launcher and its icon:
#   cmake --install <build> [--prefix <dir>]
if(TARGET levywise)
  install(TARGETS levywise RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET levywise-cli)
  install(TARGETS levywise-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The sample county: the launcher starts the program in this folder, where
# it finds the rate file on its own.
install(FILES ${PROJECT_SOURCE_DIR}/data/taxrate.tab DESTINATION ${LEVYWISE_SAMPLE_INSTALL_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/data/levywise.ini)
  install(FILES ${PROJECT_SOURCE_DIR}/data/levywise.ini DESTINATION ${LEVYWISE_SAMPLE_INSTALL_DIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/levywise.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The launcher names the folders of the prefix chosen when installing,
# which may differ from the one the build was configured with.
set(LEVYWISE_DESKTOP_OUT ${CMAKE_BINARY_DIR}/levywise.desktop)
install(CODE "
  file(READ \"${PROJECT_SOURCE_DIR}/data/desktop/levywise.desktop.in\" launcher)
  string(REPLACE \"@LEVYWISE_BIN_DIR@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\" launcher \"\${launcher}\")
  string(REPLACE \"@LEVYWISE_DESKTOP_PATH@\" \"\${CMAKE_INSTALL_PREFIX}/${LEVYWISE_SAMPLE_INSTALL_DIR}\" launcher \"\${launcher}\")
  file(WRITE \"${LEVYWISE_DESKTOP_OUT}\" \"\${launcher}\")
")
install(FILES ${LEVYWISE_DESKTOP_OUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

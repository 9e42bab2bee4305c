# Debian's header-only CLI11 for the MinGW build: its folder alone, not the
# rest of the host's /usr/include, which would hide MinGW's C library.
set(_levywise_headers ${CMAKE_BINARY_DIR}/host-headers/cli11)
file(MAKE_DIRECTORY ${_levywise_headers})
file(CREATE_LINK /usr/include/CLI ${_levywise_headers}/CLI SYMBOLIC)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_levywise_headers})

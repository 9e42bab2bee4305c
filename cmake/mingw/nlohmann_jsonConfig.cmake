# Debian's header-only nlohmann-json for the MinGW build: its folder alone,
# not the rest of the host's /usr/include.
set(_levywise_headers ${CMAKE_BINARY_DIR}/host-headers/nlohmann_json)
file(MAKE_DIRECTORY ${_levywise_headers})
file(CREATE_LINK /usr/include/nlohmann ${_levywise_headers}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${_levywise_headers})

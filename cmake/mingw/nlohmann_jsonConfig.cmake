# Debian's header-only nlohmann-json in the MinGW build, whose toolchain file
# (cmake/mingw-w64.cmake) puts its headers on the include path.
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
endif()

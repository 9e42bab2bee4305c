# Debian's header-only CLI11 in the MinGW build, whose toolchain file
# (cmake/mingw-w64.cmake) puts its headers on the include path.
if(NOT TARGET CLI11::CLI11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
endif()

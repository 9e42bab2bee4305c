# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads),
# into self-contained programs that need no MinGW runtime DLLs; runs them
# under wine64 where a build step or test needs to.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(LEVYWISE_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(LEVYWISE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LEVYWISE_WINE64})
endif()

# Debian's header-only CLI11 and nlohmann-json, seen as on Linux: their
# folders alone, not the host's whole /usr/include, which would hide MinGW's
# C library. cmake/mingw/ holds their package files for find_package.
set(_levywise_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(folder CLI nlohmann)
  if(EXISTS /usr/include/${folder} AND NOT EXISTS ${_levywise_host_headers}/${folder})
    file(MAKE_DIRECTORY ${_levywise_host_headers})
    file(CREATE_LINK /usr/include/${folder} ${_levywise_host_headers}/${folder} SYMBOLIC)
  endif()
endforeach()
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${_levywise_host_headers})

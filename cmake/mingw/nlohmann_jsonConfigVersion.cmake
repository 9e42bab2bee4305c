# The version of Debian's package, whose own version file this stands in for.
include(/usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)

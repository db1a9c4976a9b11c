# nlohmann/json and CLI11 for a Windows cross build: Debian installs them
# for the build machine only, in /usr/include. A folder of links to just
# their two header folders stands in for it, so that the cross compiler
# never sees the build machine's C library headers.
set(heart_header_root ${PROJECT_BINARY_DIR}/header-only-packages)
file(MAKE_DIRECTORY ${heart_header_root})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install nlohmann-json3-dev and libcli11-dev")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${heart_header_root}/${folder} SYMBOLIC)
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES ${heart_header_root})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${heart_header_root})

# Checks how the sources include one another:
#  - the host (app/, cli/) includes of the plug-in only the headers of
#    HEART_PLUGIN_INTERFACE_HEADERS, the messages, suites, record and resource
#    format that the plug-in interface is made of;
#  - the plug-in (plugin/) spells every header of its own from the top of the
#    tree ("plugin/generator/placement.h") and includes nothing of the host;
#  - nothing climbs out of its folder with "../".
#   cmake -DSOURCE_ROOT=... -DINTERFACE_HEADERS="a|b" -P CheckIncludes.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" INTERFACE_HEADERS "${INTERFACE_HEADERS}")
set(faults "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_ROOT}
     ${SOURCE_ROOT}/app/*.h ${SOURCE_ROOT}/app/*.cpp ${SOURCE_ROOT}/cli/*.h ${SOURCE_ROOT}/cli/*.cpp
     ${SOURCE_ROOT}/plugin/*.h ${SOURCE_ROOT}/plugin/*.cpp ${SOURCE_ROOT}/tests/*.h
     ${SOURCE_ROOT}/tests/*.cpp ${SOURCE_ROOT}/fuzz/*.h ${SOURCE_ROOT}/fuzz/*.cpp
     ${SOURCE_ROOT}/bench/*.cpp ${SOURCE_ROOT}/soak/*.cpp ${SOURCE_ROOT}/tools/*.h
     ${SOURCE_ROOT}/tools/*.cpp)
foreach(source ${sources})
  file(STRINGS ${SOURCE_ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(header MATCHES "^\\.\\./")
      list(APPEND faults "${source}: \"${header}\" climbs out of its folder")
    elseif(source MATCHES "^(app|cli)/" AND header MATCHES "^plugin/")
      list(FIND INTERFACE_HEADERS ${header} listed)
      if(listed EQUAL -1)
        list(APPEND faults "${source}: \"${header}\" is the plug-in's own, not its interface")
      endif()
    elseif(source MATCHES "^plugin/" AND NOT header MATCHES "^plugin/")
      list(APPEND faults "${source}: \"${header}\" is not spelled \"plugin/...\"")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " listing)
  message(FATAL_ERROR "Includes out of place:\n  ${listing}")
endif()

# The plug-in headers the host shares, and only those: the C declarations of
# the messages and suites (host/), the parameter record, its field table,
# dialog item IDs and dialog pages (params/), and the resource format
# (resources/). They are linked into the build tree under plugin/, so code
# outside the plug-in includes them as "plugin/host/suites.h" and so on, and
# the include path of the heart_plugin_interface target reaches no other file
# of the plug-in.
#
# Symbolic links rather than copies: a plug-in test that reaches one of these
# headers both ways (as "host/suites.h" through a plug-in header and as
# "plugin/host/suites.h" through a host header) must read one file, which
# `#pragma once` recognises as the same only when it is the same file; and an
# editor that follows an error into a header edits the source, not a copy.
# Nothing installed or packed is taken from here.
set(HEART_PLUGIN_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../plugin)
cmake_path(NORMAL_PATH HEART_PLUGIN_SOURCE_DIR)
set(HEART_PLUGIN_INTERFACE_DIR ${CMAKE_BINARY_DIR}/plugin_interface)
file(GLOB heart_plugin_host_headers CONFIGURE_DEPENDS RELATIVE ${HEART_PLUGIN_SOURCE_DIR}
     ${HEART_PLUGIN_SOURCE_DIR}/host/*.h)
set(heart_plugin_interface_headers
    ${heart_plugin_host_headers}
    params/parameter_record.h params/field_table.h params/dialog_items.h
    params/dialog_pages.h
    resources/resource_format.h resources/windows_resource_codes.h)
foreach(header ${heart_plugin_interface_headers})
  cmake_path(GET header PARENT_PATH folder)
  file(MAKE_DIRECTORY ${HEART_PLUGIN_INTERFACE_DIR}/plugin/${folder})
  file(CREATE_LINK ${HEART_PLUGIN_SOURCE_DIR}/${header}
       ${HEART_PLUGIN_INTERFACE_DIR}/plugin/${header} SYMBOLIC)
endforeach()
add_library(heart_plugin_interface INTERFACE)
target_include_directories(heart_plugin_interface INTERFACE ${HEART_PLUGIN_INTERFACE_DIR})

# The plug-in headers the host shares, and only those: the C declarations of
# the messages and suites (host/), the parameter record, its field table,
# dialog item IDs and dialog pages (params/), and the resource format
# (resources/). Everyone, the plug-in included, spells every plug-in header
# from the top of the source tree, "plugin/host/suites.h", so one header has
# one name wherever it is included.
#
# The host's include path holds the top of the tree, which would reach every
# plug-in file; the rule that the host includes only the headers listed here
# is kept by the test include_layering (cmake/CheckIncludes.cmake), which also
# refuses plug-in includes spelled any other way.
get_filename_component(HEART_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
file(GLOB HEART_PLUGIN_INTERFACE_HEADERS CONFIGURE_DEPENDS RELATIVE ${HEART_SOURCE_ROOT}
     ${HEART_SOURCE_ROOT}/plugin/host/*.h)
list(APPEND HEART_PLUGIN_INTERFACE_HEADERS
    plugin/params/parameter_record.h plugin/params/field_table.h plugin/params/dialog_items.h
    plugin/params/dialog_pages.h
    plugin/resources/resource_format.h plugin/resources/windows_resource_codes.h
    # Generated into the build tree from the resource description.
    plugin/resources/resource_ids.h)
if(NOT TARGET heart_plugin_interface)
  add_library(heart_plugin_interface INTERFACE)
  target_include_directories(heart_plugin_interface INTERFACE ${HEART_SOURCE_ROOT})
endif()

# The Windows module: a DLL whose one export is PluginMain, with the
# resources compiled by windres from a script that rcscript writes from the
# same description, and no run-time DLL of the compiler's.
set(HEART_RESOURCE_SCRIPT_DIR ${CMAKE_CURRENT_BINARY_DIR}/resource_script)
set(HEART_RESOURCE_SCRIPT ${HEART_RESOURCE_SCRIPT_DIR}/heart_resources.rc)
set(HEART_RESOURCE_OBJECT ${CMAKE_CURRENT_BINARY_DIR}/heart_resources.res.o)
file(MAKE_DIRECTORY ${HEART_RESOURCE_SCRIPT_DIR})
if(NOT HEART_WINDRES)
  set(HEART_WINDRES ${CMAKE_RC_COMPILER})
endif()
add_custom_command(
  OUTPUT ${HEART_RESOURCE_OBJECT}
  COMMAND rcscript ${HEART_RESOURCE_DESCRIPTION} ${HEART_RESOURCE_SCRIPT}
  COMMAND ${HEART_WINDRES} --input-format=rc --output-format=coff
          --include-dir=${HEART_RESOURCE_SCRIPT_DIR} ${HEART_RESOURCE_SCRIPT}
          ${HEART_RESOURCE_OBJECT}
  WORKING_DIRECTORY ${HEART_RESOURCE_SCRIPT_DIR}
  DEPENDS rcscript ${HEART_RESOURCE_DESCRIPTION}
  COMMENT "Compiling the plug-in module's Windows resources"
  VERBATIM)
set_source_files_properties(${HEART_RESOURCE_OBJECT} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)

set(HEART_MODULE_DEFINITION ${CMAKE_CURRENT_SOURCE_DIR}/module_exports.def)
add_library(Norv_Heart SHARED $<TARGET_OBJECTS:heart_plugin_objects>
                              $<TARGET_OBJECTS:heart_record_fields>
                              ${HEART_RESOURCE_OBJECT} ${HEART_MODULE_DEFINITION})
set_target_properties(Norv_Heart PROPERTIES
  PREFIX "" SUFFIX ".aip" OUTPUT_NAME Norv_Heart IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")
target_link_options(Norv_Heart PRIVATE -static -static-libgcc -static-libstdc++)

# The zip for Windows users: heart.exe, both modules and a short read-me on
# where a module goes. The 32-bit module comes from its own build
# (HEART_WIN32_MODULE, scripts/build-windows.sh passes it).
set(HEART_WIN32_MODULE "" CACHE FILEPATH "The 32-bit Norv_Heart.aip to ship beside the 64-bit one")
install(TARGETS heart RUNTIME DESTINATION .)
install(TARGETS Norv_Heart RUNTIME DESTINATION Plug-ins/64-bit LIBRARY DESTINATION Plug-ins/64-bit)
if(HEART_WIN32_MODULE)
  install(FILES ${HEART_WIN32_MODULE} DESTINATION Plug-ins/32-bit)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows/README-Windows.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Heart)
set(CPACK_PACKAGE_FILE_NAME Heart-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

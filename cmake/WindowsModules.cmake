# The Windows modules (i686 and x86-64) built beside a native build with the
# mingw-w64 cross compilers, so that the native tests read real DLLs. Each is
# a module-only cross build that uses this build's rescomp and rcscript.
include(ExternalProject)
set(HEART_WINDOWS_MODULE_ARCHES)
foreach(arch i686 x86_64)
  find_program(HEART_MINGW_${arch} ${arch}-w64-mingw32-g++-posix)
  if(NOT HEART_MINGW_${arch})
    message(STATUS "No ${arch} mingw-w64 compiler: the ${arch} Windows module is not built")
    continue()
  endif()
  set(dir ${PROJECT_BINARY_DIR}/windows-module-${arch})
  ExternalProject_Add(heart_windows_module_${arch}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${dir}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw-w64-${arch}.cmake
               -DCMAKE_BUILD_TYPE=Release -DHEART_MODULE_ONLY=ON -DHEART_WERROR=${HEART_WERROR}
               -DHEART_TOOLS_DIR=$<TARGET_FILE_DIR:rescomp>
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${dir}/plugin/Norv_Heart.aip
    DEPENDS rescomp rcscript)
  set(HEART_WINDOWS_MODULE_${arch} ${dir}/plugin/Norv_Heart.aip)
  list(APPEND HEART_WINDOWS_MODULE_ARCHES ${arch})
endforeach()

# 32-bit Linux (i686) with the build machine's compiler in -m32 mode; programs
# built for it run under qemu-i386, as this kernel may not run them itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# Arithmetic in SSE2 registers, as at 64 bits: the x87 unit's wider
# intermediates would round the hearts' geometry differently.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
find_program(HEART_QEMU_I386 qemu-i386)
if(HEART_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HEART_QEMU_I386})
endif()

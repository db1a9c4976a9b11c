/* Plug-in infrastructure suites: named memory blocks and module access. */
#ifndef HEART_HOST_SP_SUITES_H
#define HEART_HOST_SP_SUITES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kSPBlocksSuite "SP Blocks Suite"
#define kSPBlocksSuiteVersion 2

typedef struct SPBlocksSuite {
  /* Allocate a block of `size` bytes, zero-filled, under a name used in the host's diagnostics. */
  ASErr (*AllocateBlock)(size_t size, const char* debugName, void** block);
  /* Free a block; a null block is ignored. */
  ASErr (*FreeBlock)(void* block);
} SPBlocksSuite;

#define kSPAccessSuite "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessSuite {
  /* Copy the path of the plug-in's module file into `buffer` (zero-terminated). */
  ASErr (*GetPluginFilePath)(SPPluginRef plugin, char* buffer, ASInt32 bufferSize);
  /* Non-zero while the plug-in's module is loaded. */
  ASInt32 (*IsPluginLoaded)(SPPluginRef plugin);
} SPAccessSuite;

#ifdef __cplusplus
}
#endif

#endif

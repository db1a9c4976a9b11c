/* Plug-in infrastructure suites: named memory blocks and module access.
 * Calling contexts and ownership are written as suites.h explains.
 *
 * The life of heart's globals block, the one block it allocates:
 *   Startup    AllocateBlock(sizeof globals, "globals", &block): the block
 *              is the plug-in's to use until it frees it.
 *   Unload     the plug-in stores the pointer in the message's globalsSlot;
 *              the block stays allocated while the module is out of memory.
 *   Reload     the plug-in takes the pointer back from globalsSlot.
 *   Shutdown   the plug-in acquires "SP Blocks Suite" on its own (its suite
 *              table is not walked for this) and frees the block. */
#ifndef HEART_HOST_SP_SUITES_H
#define HEART_HOST_SP_SUITES_H

#include "plugin/host/heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kSPBlocksSuite "SP Blocks Suite"
#define kSPBlocksSuiteVersion 2

typedef struct SPBlocksSuite {
  /* Allocate a block of `size` bytes, zero-filled, under a name used in the
   * host's diagnostics (copied); "!MEM" when the memory cannot be had. The
   * block is the plug-in's to read and write, valid until it is freed with
   * FreeBlock, across Unload and Reload; a block never freed is the host's
   * to free when it closes.
   * [plug-in, while the suites are held]
   * Heart: Startup, for the globals block. */
  ASErr (*AllocateBlock)(size_t size, const char* debugName, void** block);
  /* Free a block; a null block is ignored. A block the host did not hand
   * out, or one already freed, answers "PARM" and nothing is freed. The
   * block must not be used afterwards.
   * [plug-in, while the suite is held]
   * Heart: Shutdown, with the suite acquired on its own. */
  ASErr (*FreeBlock)(void* block);
} SPBlocksSuite;

#define kSPAccessSuite "SP Access Suite"
#define kSPAccessSuiteVersion 3

typedef struct SPAccessSuite {
  /* Copy the path of the plug-in's module file into `buffer`
   * (zero-terminated). A path that does not fit is refused rather than cut
   * ("PARM", empty buffer): a cut path would name another file. "PARM" for
   * a plug-in the host does not know.
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  ASErr (*GetPluginFilePath)(SPPluginRef plugin, char* buffer, ASInt32 bufferSize);
  /* Non-zero while the plug-in's module is loaded; 0 for a plug-in the host
   * does not know.
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  ASInt32 (*IsPluginLoaded)(SPPluginRef plugin);
} SPAccessSuite;

#ifdef __cplusplus
}
#endif

#endif

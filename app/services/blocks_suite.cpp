// "SP Blocks Suite": named, zero-filled memory blocks.
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/host/sp_suites.h"
#include "services/memory_blocks.h"
#include "services/service_suites.h"

namespace heart {
namespace {

ASErr allocateBlock(size_t size, const char* debugName, void** block) {
  if (ASErr e = injectedFault(kSPBlocksSuite, "AllocateBlock")) return e;
  MemoryBlocks* blocks = currentHost().blocks;
  if (!blocks || !block) return kBadParameterErr;
  *block = blocks->allocate(size, debugName ? debugName : "");
  return *block ? kNoErr : kOutOfMemoryErr;
}

ASErr freeBlock(void* block) {
  if (ASErr e = injectedFault(kSPBlocksSuite, "FreeBlock")) return e;
  if (!block) return kNoErr;
  MemoryBlocks* blocks = currentHost().blocks;
  if (!blocks || !blocks->free(block)) return kBadParameterErr;
  return kNoErr;
}

const SPBlocksSuite kBlocksSuite = {allocateBlock, freeBlock};

}  // namespace

void registerBlocksSuite(SuiteBroker& broker) {
  broker.add(kSPBlocksSuite, kSPBlocksSuiteVersion, &kBlocksSuite);
}

}  // namespace heart

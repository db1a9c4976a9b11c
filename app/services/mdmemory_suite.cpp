// "AI MdMemory Suite": handles to zero-filled, resizable blocks.
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/host/ai_support_suites.h"
#include "services/memory_handles.h"
#include "services/service_suites.h"

namespace heart {
namespace {

MemoryHandles* handles() { return currentHost().handles; }

ASErr newHandle(size_t size, AIMdMemoryHandle* handle) {
  if (ASErr e = injectedFault(kAIMdMemorySuite, "MdMemoryNewHandle")) return e;
  if (!handles() || !handle) return kBadParameterErr;
  *handle = handles()->allocate(size);
  return *handle ? kNoErr : kOutOfMemoryErr;
}

ASErr disposeHandle(AIMdMemoryHandle handle) {
  if (ASErr e = injectedFault(kAIMdMemorySuite, "MdMemoryDisposeHandle")) return e;
  if (!handles() || !handles()->dispose(handle)) return kBadParameterErr;
  return kNoErr;
}

ASErr getSize(AIMdMemoryHandle handle, size_t* size) {
  if (ASErr e = injectedFault(kAIMdMemorySuite, "MdMemoryGetSize")) return e;
  if (!handles() || !size || !handles()->owns(handle)) return kBadParameterErr;
  *size = handles()->size(handle);
  return kNoErr;
}

ASErr resize(AIMdMemoryHandle handle, size_t newSize) {
  if (ASErr e = injectedFault(kAIMdMemorySuite, "MdMemoryResize")) return e;
  if (!handles() || !handles()->owns(handle)) return kBadParameterErr;
  return handles()->resize(handle, newSize) ? kNoErr : kOutOfMemoryErr;
}

const AIMdMemorySuite kMdMemorySuite = {newHandle, disposeHandle, getSize, resize};

}  // namespace

void registerMdMemorySuite(SuiteBroker& broker) {
  broker.add(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &kMdMemorySuite);
}

}  // namespace heart

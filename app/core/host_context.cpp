#include "core/host_context.h"

namespace heart {
namespace {

const HostContext kNoHost{};
const HostContext* gCurrent = &kNoHost;

}  // namespace

const HostContext& currentHost() { return *gCurrent; }

HostScope::HostScope(const HostContext& context) : outer_(gCurrent) { gCurrent = &context; }

HostScope::~HostScope() { gCurrent = outer_; }

}  // namespace heart

#include "core/suite_broker.h"

#include <cstring>

#include "core/fault_injector.h"
#include "core/host_context.h"

namespace heart {
namespace {

ASErr basicAcquire(const char* name, ASInt32 version, const void** suite) {
  SuiteBroker* broker = currentHost().broker;
  if (!broker || !name || !suite) return kSuiteNotFoundErr;
  if (ASErr e = injectedFault("SP Basic Suite", "AcquireSuite")) return e;
  return broker->acquire(name, version, suite);
}

ASErr basicRelease(const char* name, ASInt32 version) {
  SuiteBroker* broker = currentHost().broker;
  if (!broker || !name) return kSuiteNotFoundErr;
  if (ASErr e = injectedFault("SP Basic Suite", "ReleaseSuite")) return e;
  return broker->release(name, version);
}

ASInt32 basicIsEqual(const char* a, const char* b) {
  if (!a || !b) return 0;
  return std::strcmp(a, b) == 0 ? 1 : 0;
}

SPBasicSuite gBasicSuite = {basicAcquire, basicRelease, basicIsEqual};

}  // namespace

SuiteBroker::SuiteBroker() = default;
SuiteBroker::~SuiteBroker() = default;

void SuiteBroker::add(const char* name, ASInt32 version, const void* table) {
  tables_[{name, version}] = table;
}

void SuiteBroker::withhold(const std::string& name) { withheld_.insert(name); }
void SuiteBroker::clearWithheld() { withheld_.clear(); }

ASErr SuiteBroker::acquire(const char* name, ASInt32 version, const void** suite) {
  Key key{name, version};
  auto found = tables_.find(key);
  if (found == tables_.end() || withheld_.count(key.first)) return kSuiteNotFoundErr;
  *suite = found->second;
  ++held_[key];
  ++acquisitions_[key];
  return kNoErr;
}

ASErr SuiteBroker::release(const char* name, ASInt32 version) {
  Key key{name, version};
  auto found = held_.find(key);
  if (found == held_.end() || found->second == 0) return kSuiteNotFoundErr;
  --found->second;
  return kNoErr;
}

int SuiteBroker::held(const std::string& name, ASInt32 version) const {
  auto found = held_.find({name, version});
  return found == held_.end() ? 0 : found->second;
}

int SuiteBroker::acquisitions(const std::string& name, ASInt32 version) const {
  auto found = acquisitions_.find({name, version});
  return found == acquisitions_.end() ? 0 : found->second;
}

int SuiteBroker::totalHeld() const {
  int total = 0;
  for (const auto& [key, count] : held_) total += count;
  return total;
}

SPBasicSuite* SuiteBroker::basicSuite() { return &gBasicSuite; }

}  // namespace heart

#include "core/fault_injector.h"

namespace heart {

void FaultInjector::failAt(const std::string& operation, int nth, ASErr code, bool repeat) {
  counting_ = true;
  plans_[operation] = Plan{calls(operation) + nth, code, repeat};
}

void FaultInjector::clear() {
  plans_.clear();
  calls_.clear();
  counting_ = false;
}

ASErr FaultInjector::check(const char* suite, const char* operation) {
  // Without a plan nothing is counted, so the common case costs one branch.
  if (!counting_) return 0;
  std::string key = std::string(suite) + "." + operation;
  int call = ++calls_[key];
  auto plan = plans_.find(key);
  if (plan == plans_.end()) return 0;
  if (call == plan->second.failAtCall || (plan->second.repeat && call > plan->second.failAtCall))
    return plan->second.code;
  return 0;
}

int FaultInjector::calls(const std::string& operation) const {
  auto found = calls_.find(operation);
  return found == calls_.end() ? 0 : found->second;
}

FaultInjector& faultInjector() {
  static FaultInjector injector;
  return injector;
}

}  // namespace heart

// Fault injection for host operations: any suite operation can be made to
// fail with a chosen code at its Nth call, so that the plug-in's failure
// paths can be driven through the real host.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "plugin/host/heart_types.h"

namespace heart {

class FaultInjector {
 public:
  // The operation "Suite Name.Operation" (for example "AI Art Suite.NewArt")
  // answers `code` at its nth call (1 = the next call) counted from now.
  // With `repeat` it goes on answering `code` from that call on.
  void failAt(const std::string& operation, int nth, ASErr code, bool repeat = false);
  void clear();
  // Count calls from now on even without a plan, for calls().
  void startCounting() { counting_ = true; }

  // Called by every suite adapter on entry: counts the call and answers the
  // code to fail with, or 0 to go on.
  ASErr check(const char* suite, const char* operation);

  // How often an operation has been called since the injector was cleared.
  int calls(const std::string& operation) const;

 private:
  struct Plan {
    int failAtCall = 0;
    ASErr code = 0;
    bool repeat = false;
  };
  std::map<std::string, Plan> plans_;
  std::map<std::string, int> calls_;
  bool counting_ = false;
};

// The process's injector, consulted by every suite adapter.
FaultInjector& faultInjector();

// Shorthand for adapters: `if (ASErr e = injectedFault(kAIArtSuite, "NewArt")) return e;`
inline ASErr injectedFault(const char* suite, const char* operation) {
  return faultInjector().check(suite, operation);
}

}  // namespace heart

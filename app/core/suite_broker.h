// The host's suite broker: the suites it offers by (name, version), handed
// out through the basic suite that every message carries. Acquisitions are
// counted per suite; a suite can be withheld to test what a plug-in does
// when the host lacks it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "plugin/host/messages.h"

namespace heart {

class SuiteBroker {
 public:
  SuiteBroker();
  ~SuiteBroker();
  SuiteBroker(const SuiteBroker&) = delete;
  SuiteBroker& operator=(const SuiteBroker&) = delete;

  // Offer a suite table. The table must outlive the broker.
  void add(const char* name, ASInt32 version, const void* table);

  // Acquire answers "S!Fd" for a withheld suite as if the host had none.
  void withhold(const std::string& name);
  void clearWithheld();

  ASErr acquire(const char* name, ASInt32 version, const void** suite);
  // Releasing a suite that is not held answers "S!Fd" too.
  ASErr release(const char* name, ASInt32 version);

  // How many acquisitions of the suite are outstanding, and how many there were.
  int held(const std::string& name, ASInt32 version) const;
  int acquisitions(const std::string& name, ASInt32 version) const;
  int totalHeld() const;

  // The basic suite. Its operations reach the broker of the current host
  // (currentHost().broker, core/host_context.h): one table serves every
  // broker, and outside every HostScope it finds no suite.
  SPBasicSuite* basicSuite();

 private:
  using Key = std::pair<std::string, ASInt32>;
  std::map<Key, const void*> tables_;
  std::map<Key, int> held_;
  std::map<Key, int> acquisitions_;
  std::set<std::string> withheld_;
};

}  // namespace heart

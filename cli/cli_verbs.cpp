#include "cli_verbs.h"

#include <algorithm>
#include <iostream>

namespace heart::cli {
namespace {

std::vector<Verb>& registered() {
  static std::vector<Verb> verbs;
  return verbs;
}

}  // namespace

bool VerbRegistry::add(Verb verb) {
  registered().push_back(verb);
  return true;
}

std::vector<Verb> VerbRegistry::all() {
  std::vector<Verb> verbs = registered();
  std::stable_sort(verbs.begin(), verbs.end(),
                   [](const Verb& a, const Verb& b) { return a.order < b.order; });
  return verbs;
}

int reportFailure(const std::string& verb, const std::string& message) {
  std::cerr << "heart " << verb << ": " << message << std::endl;
  return 1;
}

}  // namespace heart::cli

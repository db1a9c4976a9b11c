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

namespace {

// The length of the UTF-8 sequence starting at `at`, or 0 when it is none.
size_t utf8Length(const std::string& text, size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (lead >= 0xF5 || length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

std::string printable(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (size_t length = c >= 0x80 ? utf8Length(text, i) : 0; length > 0) {
      shown.append(text, i, length);
      i += length - 1;
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 0xF];
    }
  }
  return shown;
}

void reportNote(const std::string& verb, const std::string& message) {
  std::cerr << "heart " << verb << ": " << printable(message) << std::endl;
}

int reportFailure(const std::string& verb, const std::string& message) {
  reportNote(verb, message);
  return kExitFailure;
}

int reportUsageError(const std::string& verb, const std::string& message) {
  reportNote(verb, message);
  return kExitUsage;
}

}  // namespace heart::cli

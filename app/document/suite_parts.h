// The groups of document suites, each registered by its own file, and the
// helpers their adapters share.
#pragma once

#include <cstring>
#include <string>

#include "core/host_context.h"
#include "core/text_buffer.h"
#include "document/document.h"

namespace heart {

class SuiteBroker;

void registerArtSuites(SuiteBroker& broker);
void registerDocumentLevelSuites(SuiteBroker& broker);
void registerMathSuites(SuiteBroker& broker);

inline Document* currentDocument() { return currentHost().document; }

// Text into a caller's buffer; text that does not fit is cut and answers
// "PARM", as does a missing buffer.
inline ASErr copyTextOrRefuse(const std::string& text, char* buffer, ASInt32 bufferSize) {
  return copyText(text, buffer, bufferSize) ? kNoErr : kBadParameterErr;
}

// Small indices handed out as opaque references: the index plus one, so that
// null stays "none".
template <typename Ref>
Ref refFromIndex(size_t index) {
  return reinterpret_cast<Ref>(static_cast<uintptr_t>(index) + 1);
}
template <typename Ref>
bool indexFromRef(Ref ref, size_t count, size_t* index) {
  uintptr_t bits = reinterpret_cast<uintptr_t>(ref);
  if (bits == 0 || bits > count) return false;
  *index = bits - 1;
  return true;
}

}  // namespace heart

// The run record read back from an SVG for "--from".
#include "export/svg_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto metadata = heart::parseSvgMetadata(std::string(reinterpret_cast<const char*>(data), size));
  if (!metadata && metadata.error().empty()) __builtin_trap();
  return 0;
}

// Dialog scripts: parsed into actions or refused with the faulty line named.
#include "dialog_actions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto actions =
      heart::cli::parseDialogScript(std::string(reinterpret_cast<const char*>(data), size));
  if (!actions && actions.error().rfind("line ", 0) != 0) __builtin_trap();
  return 0;
}

// "--random-values" files: every value read lies in [0, 1), and the source
// then answers exactly those values in order.
#include "document/random_source.h"
#include "input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  heart::RandomSource source(1);
  heart::Result<void> loaded = source.loadSequenceFile(heart::fuzz::inputFile(data, size));
  if (!loaded) {
    if (loaded.error().empty()) __builtin_trap();
    return 0;
  }
  for (int k = 0; k < 64; ++k) {
    float value = source.next();
    if (!(value >= 0.0f && value < 1.0f)) __builtin_trap();
  }
  return 0;
}

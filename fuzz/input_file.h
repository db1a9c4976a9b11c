// The readers that take a path get the fuzzer's bytes through one scratch
// file per process, rewritten for every input.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace heart::fuzz {

inline std::string inputFile(const uint8_t* data, size_t size, const char* suffix = "") {
  static const std::string path =
      "/tmp/heart-fuzz-" + std::to_string(static_cast<long>(getpid())) + suffix;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace heart::fuzz

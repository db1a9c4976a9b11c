#include "resources/module_file.h"

#include <fstream>

namespace heart {

Result<std::vector<uint8_t>> readModuleFile(const std::string& path) {
  auto failed = [](const std::string& why) { return fail(why); };
  std::ifstream in(path, std::ios::binary);
  if (!in) return failed("cannot open the file");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return failed("cannot read the file");
  if (static_cast<uint64_t>(size) > kLargestModuleFile)
    return failed("the file is larger than any module (" + std::to_string(size) + " bytes)");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    return failed("cannot read the file");
  return bytes;
}

bool isWindowsModule(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char magic[2] = {};
  return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

}  // namespace heart

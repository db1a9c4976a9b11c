// The module's resources: the ELF section reader over a whole file, and the
// resource block decoder over the bytes.
#include "input_file.h"
#include "resources/elf_section.h"
#include "resources/plugin_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  std::vector<uint8_t> bytes(data, data + size);
  auto resources = heart::PluginResources::readFromBytes(bytes, &error);
  if (resources) {
    for (const heart::StringList& list : resources->stringLists)
      for (int32_t i = -1; i <= static_cast<int32_t>(list.strings.size()); ++i)
        resources->indexString(list.id, i);
  } else if (error.empty()) {
    __builtin_trap();
  }
  error.clear();
  auto section =
      heart::readElfSection(heart::fuzz::inputFile(data, size, ".so"), ".heart_resources", &error);
  if (section) {
    heart::PluginResources::readFromBytes(*section, &error);
  } else if (error.empty()) {
    __builtin_trap();
  }
  return 0;
}

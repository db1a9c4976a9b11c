// The module's resources: the ELF section reader over a whole file, and the
// resource block decoder over the bytes.
#include "input_file.h"
#include "resources/elf_section.h"
#include "resources/plugin_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  auto resources = heart::PluginResources::readFromBytes(bytes);
  if (resources) {
    for (const heart::StringList& list : resources->stringLists)
      for (int32_t i = -1; i <= static_cast<int32_t>(list.strings.size()); ++i)
        resources->indexString(list.id, i);
  } else if (resources.error().empty()) {
    __builtin_trap();
  }
  auto section =
      heart::readElfSection(heart::fuzz::inputFile(data, size, ".so"), ".heart_resources");
  if (section) {
    (void)heart::PluginResources::readFromBytes(*section);
  } else if (section.error().empty()) {
    __builtin_trap();
  }
  return 0;
}

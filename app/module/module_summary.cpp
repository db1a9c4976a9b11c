#include "module/module_summary.h"

#include "module/plugin_module.h"
#include "plugin/resources/resource_format.h"
#include "plugin/resources/windows_resource_codes.h"
#include "resources/byte_reader.h"
#include "resources/elf_section.h"
#include "resources/module_file.h"
#include "resources/pe_image.h"
#include "resources/pe_resources.h"

namespace heart {
namespace {

namespace codes = heart_resources::windows;

std::string windowsTypeName(const PeResource& resource) {
  if (!resource.typeName.empty()) return resource.typeName;
  switch (resource.typeId) {
    case codes::kCursorType:
      return "cursor image";
    case codes::kIconType:
      return "icon image";
    case codes::kDialogType:
      return "dialog";
    case codes::kStringType:
      return "string block";
    case codes::kCursorGroupType:
      return "cursor group";
    case codes::kIconGroupType:
      return "icon group";
    case codes::kVersionType:
      return "version";
    default:
      return "type " + std::to_string(resource.typeId);
  }
}

std::string elfMachine(uint16_t machine) {
  switch (machine) {
    case 3:
      return "i386";
    case 62:
      return "x86-64";
    case 183:
      return "AArch64";
    default:
      return "machine " + std::to_string(machine);
  }
}

// The entries of a resource block that reads correctly: type, id and length.
std::vector<ModuleSummary::Resource> blockEntries(const std::vector<uint8_t>& block) {
  std::vector<ModuleSummary::Resource> out;
  ByteReader reader(block.data(), block.size());
  reader.skip(8, "block header");
  const uint32_t count = reader.u32("entry count");
  reader.skip(4, "block length");
  for (uint32_t i = 0; i < count; ++i) {
    ModuleSummary::Resource entry;
    entry.type = reader.code4("entry type");
    entry.id = reader.i32("entry id");
    entry.size = reader.u32("entry length");
    reader.skip(entry.size, "entry payload");
    out.push_back(entry);
  }
  return out;
}

void readPluginResources(const Result<PluginResources>& resources, ModuleSummary& summary) {
  if (!resources) {
    summary.problem = "its resources cannot be read: " + resources.error();
    return;
  }
  Result<std::string> entryPoint = PluginModule::entryPointName(*resources);
  if (entryPoint)
    summary.entryPoint = *entryPoint;
  else
    summary.problem = entryPoint.error();
  if (const VersionRecord* version = resources->version())
    summary.versionStrings = version->strings;
}

Result<ModuleSummary> summarizePe(const std::vector<uint8_t>& bytes) {
  Result<PeImage> image = PeImage::parse(bytes);
  if (!image) return image.failure();
  ModuleSummary summary;
  summary.kind =
      std::string(image->wide ? "PE32+" : "PE32") + (image->dll ? " DLL" : " executable");
  summary.machine = image->machineName();
  summary.exports = image->exports;
  summary.imports = image->imports;
  for (const PeResource& resource : image->resources)
    summary.resources.push_back({windowsTypeName(resource),
                                 resource.name.empty() ? int64_t{resource.id} : -1,
                                 resource.data.size()});
  readPluginResources(decodePeResources(*image), summary);
  return summary;
}

Result<ModuleSummary> summarizeElf(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 20 || bytes[0] != 0x7F || bytes[1] != 'E' || bytes[2] != 'L' ||
      bytes[3] != 'F')
    return fail("neither a Windows module nor an ELF file");
  ModuleSummary summary;
  const bool wide = bytes[4] == 2;
  const uint16_t type = static_cast<uint16_t>(bytes[16] | bytes[17] << 8);
  summary.kind = std::string(wide ? "ELF 64-bit" : "ELF 32-bit") + (type == 3   ? " shared object"
                                                                    : type == 2 ? " executable"
                                                                                : " file");
  summary.machine = elfMachine(static_cast<uint16_t>(bytes[18] | bytes[19] << 8));
  Result<std::vector<uint8_t>> block = readElfSection(path, heart_resources::kSectionName);
  Result<PluginResources> resources =
      block ? PluginResources::readFromBytes(*block) : Result<PluginResources>(block.failure());
  if (resources) summary.resources = blockEntries(*block);
  readPluginResources(resources, summary);
  return summary;
}

}  // namespace

Result<ModuleSummary> summarizeModule(const std::string& path) {
  Result<std::vector<uint8_t>> bytes = readModuleFile(path);
  if (!bytes) return fail(path + ": " + bytes.error());
  Result<ModuleSummary> summary =
      PeImage::looksLikePe(*bytes) ? summarizePe(*bytes) : summarizeElf(path, *bytes);
  if (!summary) return fail(path + ": " + summary.error());
  return summary;
}

}  // namespace heart

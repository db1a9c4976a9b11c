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

void readPluginResources(const std::optional<PluginResources>& resources, const std::string& why,
                         ModuleSummary& summary) {
  if (!resources) {
    summary.problem = "its resources cannot be read: " + why;
    return;
  }
  std::string problem;
  summary.entryPoint = PluginModule::entryPointName(*resources, &problem);
  if (summary.entryPoint.empty()) summary.problem = problem;
  if (const VersionRecord* version = resources->version())
    summary.versionStrings = version->strings;
}

std::optional<ModuleSummary> summarizePe(const std::vector<uint8_t>& bytes, std::string* error) {
  std::optional<PeImage> image = PeImage::parse(bytes, error);
  if (!image) return std::nullopt;
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
  std::string why;
  readPluginResources(decodePeResources(*image, &why), why, summary);
  return summary;
}

std::optional<ModuleSummary> summarizeElf(const std::string& path,
                                          const std::vector<uint8_t>& bytes, std::string* error) {
  if (bytes.size() < 20 || bytes[0] != 0x7F || bytes[1] != 'E' || bytes[2] != 'L' ||
      bytes[3] != 'F') {
    if (error) *error = "neither a Windows module nor an ELF file";
    return std::nullopt;
  }
  ModuleSummary summary;
  const bool wide = bytes[4] == 2;
  const uint16_t type = static_cast<uint16_t>(bytes[16] | bytes[17] << 8);
  summary.kind = std::string(wide ? "ELF 64-bit" : "ELF 32-bit") + (type == 3   ? " shared object"
                                                                    : type == 2 ? " executable"
                                                                                : " file");
  summary.machine = elfMachine(static_cast<uint16_t>(bytes[18] | bytes[19] << 8));
  std::string why;
  auto block = readElfSection(path, heart_resources::kSectionName, &why);
  std::optional<PluginResources> resources;
  if (block) resources = PluginResources::readFromBytes(*block, &why);
  if (resources) summary.resources = blockEntries(*block);
  readPluginResources(resources, why, summary);
  return summary;
}

}  // namespace

std::optional<ModuleSummary> summarizeModule(const std::string& path, std::string* error) {
  std::string why;
  auto bytes = readModuleFile(path, &why);
  std::optional<ModuleSummary> summary;
  if (bytes)
    summary =
        PeImage::looksLikePe(*bytes) ? summarizePe(*bytes, &why) : summarizeElf(path, *bytes, &why);
  if (!summary && error) *error = path + ": " + why;
  return summary;
}

}  // namespace heart

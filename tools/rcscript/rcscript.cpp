// rcscript: writes the module's resource description as a Windows resource
// script for windres, with the icon, cursor and property-list files it names.
//
//   rcscript DESCRIPTION.json OUTPUT.rc
//
// The side files are written beside OUTPUT.rc. The description is checked as
// the resource compiler checks it, and for what a Windows module cannot hold;
// on any fault nothing is written and the exit code is 1.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "resource_encoder.h"
#include "resource_script.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
  const std::filesystem::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rcscript DESCRIPTION.json OUTPUT.rc\n";
    return 2;
  }
  const std::filesystem::path input = argv[1], output = argv[2];
  std::ifstream in(input);
  if (!in) {
    std::cerr << "rcscript: cannot read " << input.string() << "\n";
    return 1;
  }
  rcscript::ResourceScript script;
  try {
    const nlohmann::json description = nlohmann::json::parse(in);
    rescomp::encodeResources(description);  // the same checks as the ELF block's
    script = rcscript::resourceScript(description, output.stem().string());
  } catch (const std::exception& error) {
    std::cerr << "rcscript: " << input.string() << ": " << error.what() << "\n";
    return 1;
  }
  for (const rcscript::ScriptFile& file : script.files) {
    if (!writeFile(output.parent_path() / file.name,
                   std::string(file.bytes.begin(), file.bytes.end()))) {
      std::cerr << "rcscript: cannot write " << file.name << "\n";
      return 1;
    }
  }
  if (!writeFile(output, script.text)) {
    std::cerr << "rcscript: cannot write " << output.string() << "\n";
    return 1;
  }
  return 0;
}

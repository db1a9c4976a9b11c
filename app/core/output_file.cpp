// The refusal to write over a command's own input, the same on every system:
// files compared by identity (device and inode, or volume and file index).
#include "core/output_file.h"

#include <filesystem>

namespace heart {

Result<void> refuseOverwritingInput(const std::string& output, const std::string& outputRole,
                                    const std::vector<NamedInput>& inputs) {
  namespace fs = std::filesystem;
  if (output.empty() || output == kStandardOutputName) return {};
  std::error_code ignored;
  bool outputExists = fs::exists(output, ignored);
  Result<std::string> outputTarget = resolveLinks(output);
  for (const NamedInput& input : inputs) {
    if (input.path.empty() || input.path == kStandardOutputName) continue;
    bool same = false;
    if (outputExists) {
      same = fs::exists(input.path, ignored) && fs::equivalent(input.path, output, ignored);
    } else if (outputTarget) {
      // Neither exists yet (a record saved for the first time): the same name
      // once links and relative parts are resolved is the same file.
      Result<std::string> inputTarget = resolveLinks(input.path);
      same = inputTarget && fs::weakly_canonical(*inputTarget, ignored) ==
                                fs::weakly_canonical(*outputTarget, ignored);
    }
    if (same)
      return fail(outputRole + " " + output + " is the same file as " + input.role + " " +
                  input.path + "; refusing to write over it, nothing was written");
  }
  return {};
}

}  // namespace heart

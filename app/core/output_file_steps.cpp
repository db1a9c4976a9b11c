#include "core/output_file_steps.h"

#include "core/output_file.h"

namespace heart {

Failure failWriting(const std::string& shown, const std::string& reason) {
  return fail("cannot write " + shown + ": " + reason);
}

Result<void> writeOutputFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return fail("the output file has no name");
  if (path == kStandardOutputName) return writeToStandardOutput(bytes);
  Result<std::string> target = resolveLinks(path);
  if (!target) return target.failure();
  return writeResolvedOutput(path, *target, bytes);
}

std::filesystem::path temporaryBeside(const std::filesystem::path& target,
                                      std::string_view unique) {
  // Appended piece by piece: GCC 12 at -O3 misreads the chained operator+ as
  // an overlapping copy and warns.
  std::string name = ".";
  name.append(target.filename().string());
  name.append(kTemporaryMarker);
  name.append(unique);
  return target.parent_path() / name;
}

}  // namespace heart

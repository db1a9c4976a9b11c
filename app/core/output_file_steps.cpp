#include "core/output_file_steps.h"

#include "core/output_file.h"

namespace heart {

bool fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

bool failWriting(std::string* error, const std::string& shown, const std::string& reason) {
  return fail(error, "cannot write " + shown + ": " + reason);
}

bool writeOutputFile(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) return fail(error, "the output file has no name");
  if (path == kStandardOutputName) return writeToStandardOutput(bytes, error);
  std::optional<std::string> target = resolveLinks(path, error);
  if (!target) return false;
  return writeResolvedOutput(path, *target, bytes, error);
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

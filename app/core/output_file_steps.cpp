#include "core/output_file_steps.h"

#include <filesystem>

#include "core/output_file.h"

namespace heart {

Failure failWriting(const std::string& shown, const std::string& reason) {
  return fail("cannot write " + shown + ": " + reason);
}

Result<void> checkOutputFolder(const std::string& path) {
  namespace fs = std::filesystem;
  if (path.empty() || path == kStandardOutputName) return {};
  Result<std::string> target = resolveLinks(path);
  if (!target) return target.failure();
  std::error_code error;
  fs::file_status status = fs::status(*target, error);
  // A device, FIFO or socket is written into, whatever its folder allows.
  if (fs::exists(status) && !fs::is_regular_file(status)) return {};
  fs::path folder = fs::path(*target).parent_path();
  if (folder.empty()) folder = ".";
  fs::file_status folderStatus = fs::status(folder, error);
  if (!fs::exists(folderStatus))
    return failWriting(path, "its folder " + folder.string() + " does not exist");
  if (!fs::is_directory(folderStatus))
    return failWriting(path, folder.string() + " is not a folder");
  if (!folderAcceptsFiles(folder.string()))
    return failWriting(path, "the folder " + folder.string() + " does not let you write in it");
  return {};
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
